#include "designer/code_generation.h"

#include <string>

#include "controls/design_control.h"
#include "core/skeletons.h"
#include "core/text.h"
#include "designer/form_designer.h"
#include "editor/editor.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp {
namespace {

// The longest form name and control text that go into a title.
constexpr int kFormNameLimit = 254;
constexpr int kControlTextLimit = 255;

std::string WindowTextUpTo(HWND window, int limit) {
  std::string text(static_cast<std::size_t>(limit) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), limit + 1)));
  return text;
}

void ShowAgain(HWND codeWindow) {
  ::ShowWindow(codeWindow, SW_SHOW);
  ::BringWindowToTop(codeWindow);
}

void PutText(HWND codeWindow, const std::string& text) {
  const auto value = reinterpret_cast<LPARAM>(text.c_str());
  ::SendMessageA(codeWindow, WM_SETTEXT, static_cast<WPARAM>(value), value);
}

}  // namespace

void ShowFormCode(HWND surface) {
  ControlRecord* record = FormControlRecord(FrameOfSurface(surface));
  if (record == nullptr) return;
  HWND existing = win::FromHandle32<HWND>(record->hCodeWindow);
  if (existing != nullptr && ::IsWindow(existing)) {
    ShowAgain(existing);
    return;
  }
  // The surface keeps the name the form was created with.
  const std::string name = WindowTextUpTo(surface, kFormNameLimit);
  HWND codeWindow = InitRichEditBox(gWorkspace.mdiClient, gWorkspace.hostInstance, kCodeWindowClassName,
                                    CodeWindowTitle(name).c_str(), surface);
  record->hCodeWindow = win::ToHandle32(codeWindow);
  if (codeWindow != nullptr) PutText(codeWindow, FormSkeleton(name));
}

void ShowControlCode(HWND window, ControlRecord& record) {
  if (record.codeOpen != 0) {
    ShowAgain(win::FromHandle32<HWND>(record.hCodeWindow));
    return;
  }
  const std::string title = CodeWindowTitle(WindowTextUpTo(window, kControlTextLimit));
  HWND codeWindow = InitRichEditBox(gWorkspace.mdiClient, ::GetModuleHandleA(nullptr), kCodeWindowClassName,
                                    title.c_str(), window);
  if (codeWindow == nullptr) return;  // the next request tries again
  record.hCodeWindow = win::ToHandle32(codeWindow);
  PutText(codeWindow, ControlSkeleton(FieldText(record.idName)));
  record.codeOpen = 1;
}

}  // namespace kelp
