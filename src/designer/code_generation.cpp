#include "designer/code_generation.h"

#include <string>

#include "controls/design_control.h"
#include "core/skeletons.h"
#include "core/text.h"
#include "designer/form_designer.h"
#include "editor/editor.h"
#include "entry/host_options.h"
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

HWND FormCodeWindow(HWND surface, bool visible) {
  ControlRecord* record = FormControlRecord(FrameOfSurface(surface));
  if (record == nullptr) return nullptr;
  HWND existing = win::FromHandle32<HWND>(record->hCodeWindow);
  if (existing != nullptr && ::IsWindow(existing)) return existing;
  // The surface keeps the name the form was created with.
  const std::string title = CodeWindowTitle(WindowTextUpTo(surface, kFormNameLimit));
  HWND codeWindow = OpenCodeWindow(gWorkspace.mdiClient, kCodeWindowClassName, title.c_str(), surface, visible);
  record->hCodeWindow = win::ToHandle32(codeWindow);
  return codeWindow;
}

namespace {

// A code window the host destroyed is no longer the control's: the next
// request opens another, as it does for a form.
bool HasCodeWindow(const ControlRecord& record) {
  return record.codeOpen != 0 && ::IsWindow(win::FromHandle32<HWND>(record.hCodeWindow));
}

}  // namespace

HWND ControlCodeWindow(HWND control, ControlRecord& record, bool visible) {
  if (HasCodeWindow(record)) return win::FromHandle32<HWND>(record.hCodeWindow);
  const std::string title = CodeWindowTitle(WindowTextUpTo(control, kControlTextLimit));
  HWND codeWindow = OpenCodeWindow(gWorkspace.mdiClient, kCodeWindowClassName, title.c_str(), control, visible);
  if (codeWindow == nullptr) {  // the next request tries again
    record.codeOpen = 0;
    return nullptr;
  }
  record.hCodeWindow = win::ToHandle32(codeWindow);
  record.codeOpen = 1;
  return codeWindow;
}

// Opening an object's code the first time gives the project a skeleton: a
// change the user made.
void ShowFormCode(HWND surface) {
  const ControlRecord* record = FormControlRecord(FrameOfSurface(surface));
  if (record == nullptr) return;
  HWND existing = win::FromHandle32<HWND>(record->hCodeWindow);
  if (existing != nullptr && ::IsWindow(existing)) {
    ShowAgain(existing);
    return;
  }
  HWND codeWindow = FormCodeWindow(surface, true);
  if (codeWindow == nullptr) return;
  PutText(codeWindow, FormSkeleton(WindowTextUpTo(surface, kFormNameLimit)));
  ReportChange(kChangeCode, codeWindow);
}

void ShowControlCode(HWND window, ControlRecord& record) {
  if (HasCodeWindow(record)) {
    ShowAgain(win::FromHandle32<HWND>(record.hCodeWindow));
    return;
  }
  HWND codeWindow = ControlCodeWindow(window, record, true);
  if (codeWindow == nullptr) return;
  PutText(codeWindow, ControlSkeleton(FieldText(record.idName)));
  ReportChange(kChangeCode, codeWindow);
}

}  // namespace kelp
