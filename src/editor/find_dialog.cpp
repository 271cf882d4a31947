// The Find Text window (Search_Class), opened by F2 in an editor control: a
// text box, "Case Sensitive." and "Match Whole Word.", "Find" and "Cancel".
// Find searches the current editor control forward from one character after
// the start of its selection and selects the match; F3 repeats the search.
#include <richedit.h>

#include <cstring>
#include <string>

#include "editor/child_controls.h"
#include "editor/editor.h"
#include "entry/workspace.h"

namespace kelp {
namespace {

constexpr UINT kFindClassStyle = CS_PARENTDC | CS_BYTEALIGNWINDOW;
static_assert(kFindClassStyle == 0x2080);
constexpr DWORD kFindWindowStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
static_assert(kFindWindowStyle == 0x90C80000);
constexpr int kFindX = 10, kFindY = 10, kFindWidth = 400, kFindHeight = 125;
const auto kButtonFaceBrush = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

constexpr char kCreatedTitle[] = " ";
constexpr char kFindTitle[] = " Find Text";
constexpr char kFindingTitle[] = "Finding....";
constexpr char kNoMatchesText[] = "No further matches";
constexpr char kNoMatchesTitle[] = "Alert!";

constexpr int kCaseBoxId = 100;
constexpr int kWordBoxId = 200;
constexpr int kTextBoxId = 4000;
constexpr int kFindButtonId = 3000;
constexpr int kCancelButtonId = 3001;

struct ChildPlace {
  int x, y, width, height;
};
constexpr ChildPlace kCaseBoxPlace{10, 80, 150, 20};
constexpr ChildPlace kWordBoxPlace{165, 80, 200, 20};
constexpr ChildPlace kTextBoxPlace{10, 30, 300, 20};
constexpr ChildPlace kFindButtonPlace{320, 25, 60, 25};
constexpr ChildPlace kCancelButtonPlace{320, 55, 60, 25};

void SetCheck(HWND box, bool checked) {
  if (checked) ::SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
}

bool IsChecked(HWND box) {
  return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FindWindow_OnCreate(HWND window) {
  CenterWindow(window);
  ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kFindTitle));
  const ChildPlace& c = kCaseBoxPlace;
  const ChildPlace& w = kWordBoxPlace;
  const ChildPlace& t = kTextBoxPlace;
  const ChildPlace& f = kFindButtonPlace;
  const ChildPlace& x = kCancelButtonPlace;
  gEditor.findCaseBox = CreateCheckBox(window, c.x, c.y, c.width, c.height, "Case Sensitive.", kCaseBoxId);
  gEditor.findWordBox = CreateCheckBox(window, w.x, w.y, w.width, w.height, "Match Whole Word.", kWordBoxId);
  gEditor.findTextBox =
      CreateEditField(window, t.x, t.y, t.width, t.height, kEditFieldMultiLineEdged, kTextBoxId);
  HWND find = CreatePushButton(window, f.x, f.y, f.width, f.height, "Find", kFindButtonId);
  HWND cancel = CreatePushButton(window, x.x, x.y, x.width, x.height, "Cancel", kCancelButtonId);
  for (HWND child : {gEditor.findCaseBox, gEditor.findWordBox, gEditor.findTextBox, find, cancel}) {
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(gEditor.editorFont), TRUE);
  }
  SetCheck(gEditor.findCaseBox, gEditor.matchCase);
  SetCheck(gEditor.findWordBox, gEditor.wholeWord);
}

void CloseFindWindow(HWND window) {
  ::SetFocus(gEditor.currentEditor);
  ::DestroyWindow(window);
}

// Keeps the text box's text whole, however long, as the search text.
bool RememberTextBoxText(HWND textBox) {
  const std::string text = WholeWindowText(textBox);
  return RememberSearchText(text.c_str(), text.size());
}

// The boxes of this window, not of the newest one: each F2 opens another.
void FindWindow_OnFind(HWND window) {
  HWND textBox = ::GetDlgItem(window, kTextBoxId);
  const LRESULT length = ::SendMessageA(textBox, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) {
    ::SetFocus(gEditor.currentEditor);  // nothing to find: the window stays
    return;
  }
  gEditor.matchCase = IsChecked(::GetDlgItem(window, kCaseBoxId));
  gEditor.wholeWord = IsChecked(::GetDlgItem(window, kWordBoxId));
  if (RememberTextBoxText(textBox)) {
    ::SetWindowTextA(window, kFindingTitle);
    FindNext(gEditor.searchText, gEditor.searchLength);
  }
  CloseFindWindow(window);
}

void FindWindow_OnDestroy(HWND window) {
  if (gEditor.findWindow != window) return;
  gEditor.findWindow = nullptr;
  gEditor.findTextBox = nullptr;
  gEditor.findCaseBox = nullptr;
  gEditor.findWordBox = nullptr;
}

}  // namespace

bool RememberSearchText(const char* text, std::size_t length) {
  auto* copy = static_cast<char*>(::HeapAlloc(gEditor.heap, HEAP_ZERO_MEMORY, length + 1));
  if (copy == nullptr) return false;
  std::memcpy(copy, text, length);
  if (gEditor.searchText != nullptr) ::HeapFree(gEditor.heap, 0, gEditor.searchText);
  gEditor.searchText = copy;
  gEditor.searchLength = length + 1;
  return true;
}

std::string WholeWindowText(HWND window) {
  const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = ::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void ShowFindDialog() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = kFindClassStyle;
  windowClass.lpfnWndProc = FindWindowProc;
  windowClass.hInstance = gWorkspace.libraryInstance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = kButtonFaceBrush;
  windowClass.lpszClassName = kFindWindowClassName;
  ::RegisterClassExA(&windowClass);  // fails harmlessly when already registered
  gEditor.findWindow =
      ::CreateWindowExA(0, kFindWindowClassName, kCreatedTitle, kFindWindowStyle, kFindX, kFindY, kFindWidth,
                        kFindHeight, gEditor.editorParent, nullptr, gWorkspace.libraryInstance, nullptr);
  // What F2 is pressed for is typed at once, into the text box.
  if (gEditor.findWindow != nullptr) ::SetFocus(gEditor.findTextBox);
}

void FindNext(const char* text, std::size_t length) {
  HWND editor = gEditor.currentEditor;
  if (editor == nullptr || text == nullptr || length < 2) return;  // no search yet
  const auto total = static_cast<LONG>(::SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0));
  CHARRANGE selection{};
  ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));

  FINDTEXTEXA find{};
  find.chrg = {selection.cpMin + 1, total};
  find.lpstrText = text;
  WPARAM flags = FR_DOWN;
  if (gEditor.matchCase) flags |= FR_MATCHCASE;
  if (gEditor.wholeWord) flags |= FR_WHOLEWORD;
  const LRESULT found = ::SendMessageA(editor, EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&find));
  if (found == -1) {
    ::MessageBoxA(gEditor.editorParent, kNoMatchesText, kNoMatchesTitle, MB_OK);
    return;  // the selection stays where it was
  }
  CHARRANGE match{static_cast<LONG>(found), static_cast<LONG>(found + static_cast<LRESULT>(length) - 1)};
  ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&match));
}

LRESULT CALLBACK FindWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      FindWindow_OnCreate(window);
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kFindButtonId:
        case IDOK:
          FindWindow_OnFind(window);
          return 0;
        case kCancelButtonId:
        case IDCANCEL:
          CloseFindWindow(window);
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      CloseFindWindow(window);
      return 0;
    case WM_DESTROY:
      FindWindow_OnDestroy(window);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kelp
