// The Go to Line window (GoToLine_Class), opened by Ctrl+G in an editor
// control for a host that asks for the code tools: a line number, "Go" and
// "Cancel", in the Find Text window's style. Go puts the caret at the start
// of the line, scrolled into view; a number past the end goes to the last
// line; anything that is not a number is refused with a message and the
// window stays for another try.
#include <richedit.h>

#include <string>

#include "core/code_search.h"
#include "editor/child_controls.h"
#include "editor/editor.h"
#include "entry/workspace.h"

namespace kelp {
namespace {

constexpr int kWidth = 300, kHeight = 110;

constexpr char kTitle[] = " Go to Line";
constexpr char kNotANumber[] = "\" is not a line number.\n\nType the number of a line, 1 or more.";

constexpr int kNumberBoxId = 4000;
constexpr int kGoButtonId = 3000;
constexpr int kCancelButtonId = 3001;

void GoToLineWindow_OnCreate(HWND window) {
  CenterWindow(window);
  HWND editor = gEditor.currentEditor;
  const auto lines = static_cast<unsigned long>(editor != nullptr ? ::SendMessageA(editor, EM_GETLINECOUNT, 0, 0) : 0);
  const std::string prompt = "Line number (1 to " + std::to_string(lines) + "):";
  CreateLabel(window, 10, 12, 190, 18, prompt.c_str());
  CreateTextField(window, 10, 34, 190, 22, kNumberBoxId);
  for (HWND button : {CreatePushButton(window, 215, 10, 65, 25, "Go", kGoButtonId),
                      CreatePushButton(window, 215, 40, 65, 25, "Cancel", kCancelButtonId)}) {
    ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(gWorkspace.defaultFont), TRUE);
  }
}

void CloseGoToLineWindow(HWND window) {
  ::SetFocus(gEditor.currentEditor);
  ::DestroyWindow(window);
}

void GoToLineWindow_OnGo(HWND window) {
  HWND numberBox = ::GetDlgItem(window, kNumberBoxId);
  const std::string typed = WholeWindowText(numberBox);
  const std::optional<std::uint32_t> line = ParseLineNumber(typed);
  if (!line) {
    const std::string message = "\"" + typed + kNotANumber;
    ::MessageBoxA(window, message.c_str(), kTitle + 1, MB_OK | MB_ICONEXCLAMATION);
    ::SetFocus(numberBox);
    ::SendMessageA(numberBox, EM_SETSEL, 0, -1);
    return;
  }
  GoToLine(gEditor.currentEditor, *line);
  CloseGoToLineWindow(window);
}

}  // namespace

void GoToLine(HWND editor, std::uint32_t line) {
  if (editor == nullptr) return;
  const auto lines = static_cast<std::uint32_t>(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0));
  const std::uint32_t target = line < lines ? line : (lines > 0 ? lines : 1);
  const auto start = static_cast<LONG>(::SendMessageA(editor, EM_LINEINDEX, target - 1, 0));
  CHARRANGE caret{start, start};
  ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  ::SendMessageA(editor, EM_SCROLLCARET, 0, 0);
}

void ShowGoToLineDialog() {
  HWND window = OpenToolWindow(kGoToLineWindowClassName, GoToLineWindowProc, kTitle, kWidth, kHeight, gEditor.editorParent);
  if (window != nullptr) ::SetFocus(::GetDlgItem(window, kNumberBoxId));
}

LRESULT CALLBACK GoToLineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      GoToLineWindow_OnCreate(window);
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kGoButtonId:
        case IDOK:
          GoToLineWindow_OnGo(window);
          return 0;
        case kCancelButtonId:
        case IDCANCEL:
          CloseGoToLineWindow(window);
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      CloseGoToLineWindow(window);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kelp
