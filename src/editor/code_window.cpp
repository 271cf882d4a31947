// Code windows (Editor_Class): MDI children of the host's MDI client holding
// two drop-down lists along the top and an editor control below them. A code
// window is never destroyed by closing it, only hidden, so that its opener
// can show the same window, with the user's text, again.
#include <richedit.h>

#include <algorithm>
#include <string>

#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/project_api.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp {
namespace {

constexpr int kCodeWindowIconId = 501;
constexpr int kClassExtraBytes = 20;
constexpr int kWindowExtraBytes = 20;
// System colour index 25 + 1, as the class has always been registered.
const auto kCodeWindowBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(25 + 1));

constexpr DWORD kCodeWindowExStyle = WS_EX_MDICHILD;
// The low bit is class-specific and means nothing to an MDI child; it has
// always been part of the style, and hosts may look for it.
constexpr DWORD kCodeWindowLowBit = 0x1;
constexpr DWORD kCodeWindowStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW | kCodeWindowLowBit;
static_assert(kCodeWindowStyle == 0x56CF0001);
constexpr int kCodeWindowWidth = 450;
constexpr int kCodeWindowHeight = 325;
constexpr int kCascadeStep = 20;
constexpr UINT_PTR kCodeWindowId = 99700;

constexpr DWORD kListBoxStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;
static_assert(kListBoxStyle == 0x50200003);
constexpr int kFirstListBoxX = 0, kFirstListBoxWidth = 195, kFirstListBoxHeight = 15;
constexpr int kSecondListBoxX = 200, kSecondListBoxWidth = 195, kSecondListBoxHeight = 25;

constexpr int kEditorTop = 25;
constexpr int kInitialEditorSize = 100;

// Extra-bytes slots: the editor control, and the owner the window was opened for.
constexpr int kEditorSlot = 0;
constexpr int kOwnerSlot = 1;

HWND CreateListBox(HWND window, int x, int width, int height, int identifier) {
  HWND list = ::CreateWindowExA(0, "COMBOBOX", nullptr, kListBoxStyle, x, 0, width, height, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                                ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(gWorkspace.defaultFont), TRUE);
  return list;
}

LRESULT CodeWindow_OnCreate(HWND window) {
  CreateListBox(window, kFirstListBoxX, kFirstListBoxWidth, kFirstListBoxHeight, kFirstListBoxId);
  CreateListBox(window, kSecondListBoxX, kSecondListBoxWidth, kSecondListBoxHeight, kSecondListBoxId);
  HWND editor =
      CreateCodeEditor(window, 0, kEditorTop, kInitialEditorSize, kInitialEditorSize, kEditorControlId);
  gEditor.currentEditor = editor;
  win::SetWindowPointer(window, kEditorSlot, editor);
  return 0;
}

void CodeWindow_OnSize(HWND window, int width, int height) {
  const int editorHeight = height > kEditorTop ? height - kEditorTop : 0;
  ::MoveWindow(EditorControlOf(window), 0, kEditorTop, width, editorHeight, TRUE);
}

void CodeWindow_OnCommand(HWND window, int identifier, int notification, HWND from) {
  // The user changed the text (the host's own fill is unreported).
  if (notification == EN_CHANGE && from != nullptr && from == EditorControlOf(window)) {
    ReportChange(kChangeCode, window);
    return;
  }
  if ((identifier == kFirstListBoxId || identifier == kSecondListBoxId) && HostWants(kOptionCodeTools)) {
    if (notification == CBN_DROPDOWN) FillCodeWindowLists(window);
    if (notification == CBN_SELENDOK) ChooseListEntry(window, identifier);
    return;
  }
  HWND editor = gEditor.currentEditor;
  if (editor == nullptr) return;
  switch (identifier) {
    case IDM_EDITOR_UNDO:
      ::SendMessageA(editor, EM_UNDO, 0, 0);
      break;
    case IDM_EDITOR_CUT:
      ::SendMessageA(editor, WM_CUT, 0, 0);
      break;
    case IDM_EDITOR_COPY:
      ::SendMessageA(editor, WM_COPY, 0, 0);
      break;
    case IDM_EDITOR_PASTE:
      ::SendMessageA(editor, EM_PASTESPECIAL, CF_TEXT, 0);  // plain text only
      break;
    case IDM_EDITOR_DELETE:
      ::SendMessageA(editor, WM_CLEAR, 0, 0);
      break;
    default:
      break;
  }
}

// The window's own children go with it; the owner it was opened for (a
// control, a design surface or the main frame) is never touched.
void CodeWindow_OnDestroy(HWND window) {
  ::DestroyWindow(EditorControlOf(window));
  ::DestroyWindow(::GetDlgItem(window, kFirstListBoxId));
  ::DestroyWindow(::GetDlgItem(window, kSecondListBoxId));
  win::SetWindowPointer<HWND__>(window, kEditorSlot, nullptr);
  if (gEditor.lastCodeWindow == window) gEditor.lastCodeWindow = nullptr;
  ForgetCodeModule(window);
}

void AddCodeWindowsOf(HWND parent, std::vector<HWND>& windows) {
  if (parent == nullptr) return;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (IsCodeWindow(child) && std::find(windows.begin(), windows.end(), child) == windows.end()) {
      windows.push_back(child);
    }
  }
}

}  // namespace

HWND EditorControlOf(HWND codeWindow) {
  return win::WindowPointer<HWND__>(codeWindow, kEditorSlot);
}

// Wine's RichEdit takes text out in time that grows with the square of
// its lines (8 s to empty a control of 5,000 lines, 4.9 s to change most of
// them one line at a time), but fills a new control with them in a tenth of
// a second and destroys one as fast: a change of the whole text is made by
// giving the code window a new editor control that holds the new text, in
// the old one's place, with its selection, scroll position and focus.
HWND RenewEditorControl(HWND editor, const std::string& text) {
  HWND codeWindow = ::GetParent(editor);
  if (!IsCodeWindow(codeWindow) || EditorControlOf(codeWindow) != editor) return nullptr;
  RECT place{};
  ::GetWindowRect(editor, &place);
  ::MapWindowPoints(nullptr, codeWindow, reinterpret_cast<POINT*>(&place), 2);
  HWND fresh = CreateCodeEditor(codeWindow, place.left, place.top, place.right - place.left,
                                place.bottom - place.top, kEditorControlId);
  if (fresh == nullptr) return nullptr;
  PutExactText(fresh, text.c_str());
  CHARRANGE selection{};
  POINT scroll{};
  ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  ::SendMessageA(editor, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  ::SendMessageA(fresh, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  ::SendMessageA(fresh, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
  ::SetWindowPos(fresh, editor, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  win::SetWindowPointer(codeWindow, kEditorSlot, fresh);
  if (::GetFocus() == editor) ::SetFocus(fresh);
  const bool current = gEditor.currentEditor == editor;
  ::DestroyWindow(editor);
  if (current) gEditor.currentEditor = fresh;
  return fresh;
}

HWND CodeWindowOwner(HWND codeWindow) {
  return win::WindowPointer<HWND__>(codeWindow, kOwnerSlot);
}

void SetCodeWindowOwner(HWND codeWindow, HWND owner) {
  if (IsCodeWindow(codeWindow)) win::SetWindowPointer<HWND__>(codeWindow, kOwnerSlot, owner);
}

// Whatever class name a code window was opened with, its class runs our procedure.
bool IsCodeWindow(HWND window) {
  return window != nullptr &&
         ::GetClassLongPtrA(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(CodeWindowProc);
}

std::vector<HWND> CodeWindows() {
  std::vector<HWND> windows;
  AddCodeWindowsOf(gWorkspace.mdiClient, windows);
  AddCodeWindowsOf(gEditor.editorParent, windows);
  return windows;
}

int AddModule(HWND owner) {
  gWorkspace.moduleCounter += 1;
  OpenCodeModule(kModule, gWorkspace.moduleCounter, nullptr, owner, true);
  return 0;
}

int AddClassModule(HWND owner) {
  gWorkspace.classModuleCounter += 1;
  OpenCodeModule(kClassModule, gWorkspace.classModuleCounter, nullptr, owner, true);
  return 0;
}

HWND OpenCodeWindow(HWND parent, LPCSTR className, LPCSTR title, HWND owner, bool visible) {
  gEditor.editorParent = parent;
  PrepareEditor();
  gEditor.codeWindowIcon = ::LoadIconA(gWorkspace.libraryInstance, MAKEINTRESOURCEA(kCodeWindowIconId));

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = CodeWindowProc;
  windowClass.cbClsExtra = kClassExtraBytes;
  windowClass.cbWndExtra = kWindowExtraBytes;
  windowClass.hInstance = gWorkspace.libraryInstance;
  windowClass.hIcon = gEditor.codeWindowIcon;
  windowClass.hIconSm = gEditor.codeWindowIcon;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = kCodeWindowBackground;
  windowClass.lpszClassName = className;
  ::RegisterClassExA(&windowClass);  // fails harmlessly when already registered

  const DWORD style = visible ? kCodeWindowStyle : kCodeWindowStyle & ~WS_VISIBLE;
  const int place = kFirstCodeWindowPlace + gEditor.codeWindowsCascaded * kCascadeStep;
  HWND window = ::CreateWindowExA(kCodeWindowExStyle, className, title, style, place, place, kCodeWindowWidth,
                                  kCodeWindowHeight, parent, reinterpret_cast<HMENU>(kCodeWindowId),
                                  gWorkspace.libraryInstance, nullptr);
  if (window == nullptr) return nullptr;
  ::SetParent(window, parent);
  gEditor.lastCodeWindow = window;
  ++gEditor.codeWindowsCascaded;
  win::SetWindowPointer<HWND__>(window, kOwnerSlot, owner);
  if (HostWants(kOptionCodeTools)) FillCodeWindowLists(window);
  return window;
}

LRESULT CALLBACK CodeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CodeWindow_OnCreate(window);
      break;
    case WM_SIZE:
      CodeWindow_OnSize(window, LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_SETTEXT: {
      // The text is the code, not the caption. Whoever sends it (the host,
      // or the designer with a skeleton) says what the change was.
      PutExactText(EditorControlOf(window), reinterpret_cast<LPCSTR>(lParam));
      if (HostWants(kOptionCodeTools)) FillCodeWindowLists(window);
      return 0;
    }
    case WM_NCLBUTTONDOWN:
      ::SetFocus(EditorControlOf(window));
      break;
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lParam) == window && HostWants(kOptionCodeTools)) FillCodeWindowLists(window);
      break;
    case WM_COMMAND:
      CodeWindow_OnCommand(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      break;
    case WM_CLOSE:
      return ::ShowWindow(window, SW_HIDE);
    case WM_DESTROY:
      CodeWindow_OnDestroy(window);
      break;
    default:
      break;
  }
  return ::DefMDIChildProcA(window, message, wParam, lParam);
}

}  // namespace kelp

extern "C" HWND KELP_API InitRichEditBox(HWND parent, HINSTANCE /*instance*/, LPCSTR className, LPCSTR title,
                                         HWND owner) {
  return kelp::OpenCodeWindow(parent, className, title, owner, true);
}
