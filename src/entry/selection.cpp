#include "entry/selection.h"

#include "designer/form_selection.h"
#include "entry/messages.h"
#include "entry/workspace.h"

namespace kelp {

LRESULT SendToWorkspaceWindow(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
  if (target == nullptr) return 0;
  return ::SendMessageA(target, message, wParam, lParam);
}

void DeselectUnless(HWND except) {
  HWND previous = gWorkspace.selectedWindow;
  if (previous != nullptr && previous != except) ::SendMessageA(previous, WM_KILLFOCUS, 0, 0);
}

void RecordSelection(HWND window, std::uint32_t kind) {
  // Selecting anything outside the controls selected together ends them.
  if (!IsInSelectedGroup(window)) ForgetSelectedGroup();
  gWorkspace.selectedWindow = window;
  gWorkspace.selectedKind = kind;
}

void ShowPropertiesOf(HWND window, std::uint32_t kind) {
  SendToWorkspaceWindow(gWorkspace.propertiesWindow, PWM_SHOWPROPERTIES,
                        reinterpret_cast<WPARAM>(window), static_cast<LPARAM>(kind));
}

void ShowPropertiesOfSelectedForm(HWND frame) {
  if (gWorkspace.selectedWindow == frame) ShowPropertiesOf(frame, kKindForm);
}

void SelectDesignObject(HWND window, std::uint32_t kind) {
  DeselectUnless(window);
  RecordSelection(window, kind);
  ShowPropertiesOf(window, kind);
}

void SelectInProject(HWND window) {
  SendToWorkspaceWindow(gWorkspace.projectWindow, PRJ_SELECTWINDOW,
                        reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(window));
}

}  // namespace kelp
