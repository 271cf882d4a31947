// Code windows (Editor_Class): MDI children of the host's MDI client holding
// two drop-down lists along the top and an editor control below them. A code
// window is never destroyed by closing it, only hidden, so that its opener
// can show the same window, with the user's text, again.
#include <richedit.h>

#include "core/form_names.h"
#include "editor/editor.h"
#include "entry/messages.h"
#include "entry/selection.h"
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

void CodeWindow_OnCommand(int identifier) {
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
}

int OpenModuleWindow(const char* prefix, std::uint32_t& counter, UINT projectMessage, HWND owner) {
  counter += 1;
  char name[kTextFieldSize];
  char title[kTextFieldSize];
  ComposeNumberedName(prefix, counter, name);
  ComposeCodeTitle(name, title);
  HWND window =
      ::InitRichEditBox(gWorkspace.mdiClient, gWorkspace.hostInstance, kCodeWindowClassName, title, owner);
  SendToWorkspaceWindow(gWorkspace.projectWindow, projectMessage, reinterpret_cast<WPARAM>(name),
                        reinterpret_cast<LPARAM>(window));
  ::BringWindowToTop(window);
  return 0;
}

}  // namespace

HWND EditorControlOf(HWND codeWindow) {
  return win::WindowPointer<HWND__>(codeWindow, kEditorSlot);
}

int AddModule(HWND owner) {
  return OpenModuleWindow("Module", gWorkspace.moduleCounter, PRJ_ADDMODULE, owner);
}

int AddClassModule(HWND owner) {
  return OpenModuleWindow("Class", gWorkspace.classModuleCounter, PRJ_ADDCLASSMODULE, owner);
}

LRESULT CALLBACK CodeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CodeWindow_OnCreate(window);
      break;
    case WM_SIZE:
      CodeWindow_OnSize(window, LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_SETTEXT:
      // The text is the code, not the caption.
      ::SetWindowTextA(EditorControlOf(window), reinterpret_cast<LPCSTR>(lParam));
      return 0;
    case WM_NCLBUTTONDOWN:
      ::SetFocus(EditorControlOf(window));
      break;
    case WM_COMMAND:
      CodeWindow_OnCommand(LOWORD(wParam));
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

using kelp::gEditor;
using kelp::gWorkspace;

extern "C" HWND KELP_API InitRichEditBox(HWND parent, HINSTANCE /*instance*/, LPCSTR className, LPCSTR title,
                                         HWND owner) {
  gEditor.editorParent = parent;
  kelp::PrepareEditor();
  gEditor.codeWindowIcon = ::LoadIconA(gWorkspace.libraryInstance, MAKEINTRESOURCEA(kelp::kCodeWindowIconId));

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = kelp::CodeWindowProc;
  windowClass.cbClsExtra = kelp::kClassExtraBytes;
  windowClass.cbWndExtra = kelp::kWindowExtraBytes;
  windowClass.hInstance = gWorkspace.libraryInstance;
  windowClass.hIcon = gEditor.codeWindowIcon;
  windowClass.hIconSm = gEditor.codeWindowIcon;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = kelp::kCodeWindowBackground;
  windowClass.lpszClassName = className;
  ::RegisterClassExA(&windowClass);  // fails harmlessly when already registered

  HWND window =
      ::CreateWindowExA(kelp::kCodeWindowExStyle, className, title, kelp::kCodeWindowStyle, gEditor.cascadeX,
                        gEditor.cascadeY, kelp::kCodeWindowWidth, kelp::kCodeWindowHeight, parent,
                        reinterpret_cast<HMENU>(kelp::kCodeWindowId), gWorkspace.libraryInstance, nullptr);
  if (window == nullptr) return nullptr;
  ::SetParent(window, parent);
  gEditor.lastCodeWindow = window;
  gEditor.cascadeX += kelp::kCascadeStep;
  gEditor.cascadeY += kelp::kCascadeStep;
  kelp::win::SetWindowPointer<HWND__>(window, kelp::kOwnerSlot, owner);
  return window;
}
