// The designer's keys, for hosts that ask (KELP32_OPTION_DESIGN_TOOLS). They
// reach a form's frame, which holds the focus while the user works on the
// form: with a control selected, Delete deletes it, an arrow moves it by one
// grid step (with Ctrl by one pixel) and Shift with an arrow resizes it; Tab
// and Shift+Tab select the next and previous control, Escape the form.
// Ctrl+Z and Ctrl+Y undo and redo, Ctrl+C and Ctrl+V copy and paste.
#include <algorithm>
#include <vector>

#include "controls/design_control.h"
#include "core/surface_grid.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/grab_handles.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/workspace.h"
#include "kelp32.h"

namespace kelp {
namespace {

bool Held(int key) { return ::GetKeyState(key) < 0; }

HWND SelectedControlOf(HWND frame) {
  HWND selected = gWorkspace.selectedWindow;
  return IsDesignControl(selected) && FormOfDesignWindow(selected) == frame ? selected : nullptr;
}

HWND SurfaceOf(HWND frame) {
  const FormRecord* form = FormRecordOf(frame);
  return form != nullptr ? form->surface : nullptr;
}

std::vector<HWND> ControlsOf(HWND surface) {
  std::vector<HWND> controls;
  for (HWND c = GetNextControl(surface, nullptr); c != nullptr; c = GetNextControl(surface, c)) {
    controls.push_back(c);
  }
  return controls;
}

// Tab walks the controls in the order they lie, bottom to top, and wraps.
void SelectNeighbour(HWND frame, HWND current, bool backward) {
  const std::vector<HWND> controls = ControlsOf(SurfaceOf(frame));
  if (controls.empty()) return;
  const auto at = std::find(controls.begin(), controls.end(), current);
  std::size_t index = 0;
  if (at == controls.end()) {
    index = backward ? controls.size() - 1 : 0;
  } else {
    const std::size_t here = static_cast<std::size_t>(at - controls.begin());
    index = backward ? (here + controls.size() - 1) % controls.size() : (here + 1) % controls.size();
  }
  SelectOnForm(frame, controls[index]);
}

RECT PlaceOnSurface(HWND control) {
  RECT bounds{};
  ::GetWindowRect(control, &bounds);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

// A move keeps the control's corner on the surface, a resize keeps it at
// least a pixel wide and high.
void Nudge(HWND control, UINT key, bool fine, bool resize) {
  const int step = fine ? 1 : kGridPitch;
  const int dx = key == VK_LEFT ? -step : key == VK_RIGHT ? step : 0;
  const int dy = key == VK_UP ? -step : key == VK_DOWN ? step : 0;
  const RECT bounds = PlaceOnSurface(control);
  RECT surface{};
  ::GetClientRect(::GetParent(control), &surface);
  const ControlRecord* record = RecordOfControl(control);
  if (resize) {
    const int width = std::max<int>(1, bounds.right - bounds.left + dx);
    const int height = std::max<int>(1, bounds.bottom - bounds.top + dy);
    ::SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (record != nullptr && record->kind == kKindStatusBar) RedockStatusBar(control);
    ReportChange(kChangeControlResized, control);
  } else {
    const int left = std::clamp<int>(bounds.left + dx, 0, std::max<int>(0, surface.right - 1));
    const int top = std::clamp<int>(bounds.top + dy, 0, std::max<int>(0, surface.bottom - 1));
    if (left == bounds.left && top == bounds.top) return;
    ::SetWindowPos(control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ReportChange(kChangeControlMoved, control);
  }
  if (record != nullptr) ShowPropertiesOf(control, record->kind);
  ShowGrabHandles(control, kGrabHandlesShow);
}

bool OnArrowOrEditKey(HWND frame, UINT key, bool ctrl, bool shift) {
  HWND control = SelectedControlOf(frame);
  switch (key) {
    case VK_ESCAPE:
      SelectOnForm(frame, frame);
      return true;
    case VK_TAB:
      SelectNeighbour(frame, control, shift);
      return true;
    case VK_DELETE:
      DoDesignEdit(frame, DesignEdit::kDelete);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (control != nullptr) Nudge(control, key, ctrl, shift);
      return true;
    case 'C':
      if (ctrl) DoDesignEdit(frame, DesignEdit::kCopy);
      return ctrl;
    case 'V':
      if (ctrl) DoDesignEdit(frame, DesignEdit::kPaste);
      return ctrl;
    default:
      return false;
  }
}

}  // namespace

void DoDesignEdit(HWND frame, DesignEdit edit) {
  if (!HostWants(kOptionDesignTools) || !CanDoDesignEdit(frame, edit)) return;
  HWND control = SelectedControlOf(frame);
  switch (edit) {
    case DesignEdit::kUndo:
      UndoDesignStep(frame);
      break;
    case DesignEdit::kRedo:
      RedoDesignStep(frame);
      break;
    case DesignEdit::kCopy:
      ::SendMessageA(control, WM_COMMAND, IDM_COPY, 0);
      break;
    case DesignEdit::kPaste:
      ::SendMessageA(SurfaceOf(frame), WM_COMMAND, IDM_PASTE, 0);
      break;
    case DesignEdit::kDelete:
      ShowGrabHandles(control, kGrabHandlesRemove);
      ::SendMessageA(control, WM_COMMAND, IDM_DELETE, 0);
      break;
  }
}

bool CanDoDesignEdit(HWND frame, DesignEdit edit) {
  if (!IsFormFrame(frame)) return false;
  switch (edit) {
    case DesignEdit::kUndo:
      return CanUndoDesign(frame);
    case DesignEdit::kRedo:
      return CanRedoDesign(frame);
    case DesignEdit::kPaste:
      return gFormDesigner.copiedControl != nullptr && ::IsWindow(gFormDesigner.copiedControl);
    case DesignEdit::kCopy:
    case DesignEdit::kDelete:
      return SelectedControlOf(frame) != nullptr;
  }
  return false;
}

void FocusFormForKeys(HWND frame) {
  if (!HostWants(kOptionDesignTools) || frame == nullptr || ::GetFocus() == frame) return;
  HWND client = ::GetParent(frame);
  if (reinterpret_cast<HWND>(::SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) != frame) {
    ::SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
  }
  ::SetFocus(frame);
}

bool OnDesignKey(HWND frame, UINT key) {
  if (!HostWants(kOptionDesignTools)) return false;
  const bool ctrl = Held(VK_CONTROL);
  const bool shift = Held(VK_SHIFT);
  if (ctrl && (key == 'Z' || key == 'Y')) {
    DoDesignEdit(frame, key == 'Z' ? DesignEdit::kUndo : DesignEdit::kRedo);
    return true;
  }
  // While the mouse drags something, the keys wait for it.
  if (::GetCapture() != nullptr) return false;
  return OnArrowOrEditKey(frame, key, ctrl, shift);
}

}  // namespace kelp
