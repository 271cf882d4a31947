#include "editor/child_controls.h"

#include <iterator>

#include "entry/workspace.h"

namespace kelp {
namespace {

constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPushButtonStyle = kVisibleChild | BS_PUSHBUTTON;
constexpr DWORD kBitmapButtonStyle = kVisibleChild | BS_BITMAP;
constexpr DWORD kCheckBoxStyle = kVisibleChild | BS_NOTIFY | BS_AUTOCHECKBOX;
static_assert(kPushButtonStyle == 0x50000000 && kBitmapButtonStyle == 0x50000080);
static_assert(kCheckBoxStyle == 0x50004003);

// A bit that edit controls do not define; the kinds have always carried it.
constexpr DWORD kEditBit200 = 0x200;

struct EditFieldKind {
  DWORD exStyle;
  DWORD style;
};
constexpr EditFieldKind kEditFieldKinds[] = {
    {0, kVisibleChild | ES_AUTOHSCROLL},
    {0, kVisibleChild | WS_HSCROLL | kEditBit200 | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE},
    {0, kVisibleChild | WS_VSCROLL | kEditBit200 | ES_AUTOVSCROLL | ES_MULTILINE},
    {0,
     kVisibleChild | WS_HSCROLL | WS_VSCROLL | kEditBit200 | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE},
    {0, kVisibleChild | WS_BORDER | kEditBit200 | ES_AUTOVSCROLL},
    {0,
     kVisibleChild | WS_BORDER | WS_HSCROLL | kEditBit200 | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE},
    {0, kVisibleChild | WS_BORDER | WS_VSCROLL | kEditBit200 | ES_AUTOVSCROLL | ES_MULTILINE},
    {0, kVisibleChild | WS_BORDER | WS_HSCROLL | WS_VSCROLL | kEditBit200 | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
            ES_MULTILINE},
    {WS_EX_CLIENTEDGE, kVisibleChild | kEditBit200 | ES_AUTOHSCROLL | ES_AUTOVSCROLL},
    {WS_EX_CLIENTEDGE, kVisibleChild | WS_HSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE},
    {WS_EX_CLIENTEDGE, kVisibleChild | WS_VSCROLL | ES_AUTOVSCROLL | ES_MULTILINE},
    {WS_EX_CLIENTEDGE,
     kVisibleChild | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE},
};
static_assert(kEditFieldKinds[0].style == 0x50000080 && kEditFieldKinds[1].style == 0x501002C4);
static_assert(kEditFieldKinds[2].style == 0x50200244 && kEditFieldKinds[3].style == 0x503002C4);
static_assert(kEditFieldKinds[4].style == 0x50800240 && kEditFieldKinds[5].style == 0x509002C4);
static_assert(kEditFieldKinds[6].style == 0x50A00244 && kEditFieldKinds[7].style == 0x50B002C4);
static_assert(kEditFieldKinds[8].style == 0x500002C0 && kEditFieldKinds[9].style == 0x501000C4);
static_assert(kEditFieldKinds[10].style == 0x50200044 && kEditFieldKinds[11].style == 0x503000C4);

HWND CreateChild(DWORD exStyle, const char* className, const char* text, DWORD style, HWND parent, int x,
                 int y, int width, int height, int identifier) {
  return ::CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                           ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

HWND CreatePushButton(HWND parent, int x, int y, int width, int height, const char* text, int identifier,
                      PushButtonKind kind) {
  const DWORD style = kind == PushButtonKind::kBitmap ? kBitmapButtonStyle : kPushButtonStyle;
  return CreateChild(0, "BUTTON", text, style, parent, x, y, width, height, identifier);
}

HWND CreateCheckBox(HWND parent, int x, int y, int width, int height, const char* text, int identifier) {
  return CreateChild(0, "BUTTON", text, kCheckBoxStyle, parent, x, y, width, height, identifier);
}

HWND CreateEditField(HWND parent, int x, int y, int width, int height, int kind, int identifier) {
  if (kind < 0 || kind >= static_cast<int>(std::size(kEditFieldKinds))) return nullptr;
  const EditFieldKind& field = kEditFieldKinds[kind];
  return CreateChild(field.exStyle, "EDIT", nullptr, field.style, parent, x, y, width, height, identifier);
}

void CenterWindow(HWND window) {
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
  const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
  ::MoveWindow(window, x, y, width, height, FALSE);
}

}  // namespace kelp

namespace kelp {
namespace {

LRESULT CALLBACK KeysToParentProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto saved = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(field, GWLP_USERDATA));
  if (message == WM_CHAR && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    const WORD command = wParam == VK_RETURN ? IDOK : IDCANCEL;
    ::SendMessageA(::GetParent(field), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    return 0;
  }
  return ::CallWindowProcA(saved, field, message, wParam, lParam);
}

}  // namespace

HWND CreateTextField(HWND parent, int x, int y, int width, int height, int identifier) {
  HWND field = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                 x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  if (field == nullptr) return nullptr;
  const LONG_PTR saved = ::SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeysToParentProc));
  ::SetWindowLongPtrA(field, GWLP_USERDATA, saved);
  ::SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(gWorkspace.defaultFont), TRUE);
  return field;
}

HWND CreateLabel(HWND parent, int x, int y, int width, int height, const char* text) {
  HWND label = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  if (label != nullptr) ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(gWorkspace.defaultFont), TRUE);
  return label;
}

HWND OpenToolWindow(const char* className, WNDPROC procedure, const char* title, int width, int height,
                    HWND owner) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = gWorkspace.libraryInstance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  ::RegisterClassExA(&windowClass);  // fails harmlessly when already registered
  return ::CreateWindowExA(0, className, title, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU, 0, 0, width, height,
                           owner, nullptr, gWorkspace.libraryInstance, nullptr);
}

}  // namespace kelp
