#include "core/program_include.h"

#include <cstdint>
#include <cstdio>

namespace kelp {
namespace {

struct Function {
  const char* library;
  const char* name;
  int arguments;      // -1: C calling convention with a format and VARARG
  const char* plain;  // the name without the A, or null
};

// clang-format off
constexpr Function kFunctions[] = {
    {"kernel32", "GetModuleHandleA", 1, "GetModuleHandle"},
    {"kernel32", "GetCommandLineA", 0, "GetCommandLine"},
    {"kernel32", "ExitProcess", 1, nullptr},
    {"kernel32", "GetLastError", 0, nullptr},
    {"kernel32", "Sleep", 1, nullptr},
    {"kernel32", "GetTickCount", 0, nullptr},
    {"kernel32", "lstrlenA", 1, "lstrlen"},
    {"kernel32", "lstrcpyA", 2, "lstrcpy"},
    {"kernel32", "lstrcatA", 2, "lstrcat"},
    {"kernel32", "lstrcmpA", 2, "lstrcmp"},
    {"kernel32", "lstrcmpiA", 2, "lstrcmpi"},
    {"kernel32", "GlobalAlloc", 2, nullptr},
    {"kernel32", "GlobalFree", 1, nullptr},
    {"user32", "RegisterClassExA", 1, "RegisterClassEx"},
    {"user32", "CreateWindowExA", 12, "CreateWindowEx"},
    {"user32", "DestroyWindow", 1, nullptr},
    {"user32", "DefWindowProcA", 4, "DefWindowProc"},
    {"user32", "DefFrameProcA", 5, "DefFrameProc"},
    {"user32", "DefMDIChildProcA", 4, "DefMDIChildProc"},
    {"user32", "TranslateMDISysAccel", 2, nullptr},
    {"user32", "GetMessageA", 4, "GetMessage"},
    {"user32", "PeekMessageA", 5, "PeekMessage"},
    {"user32", "TranslateMessage", 1, nullptr},
    {"user32", "DispatchMessageA", 1, "DispatchMessage"},
    {"user32", "PostQuitMessage", 1, nullptr},
    {"user32", "ShowWindow", 2, nullptr},
    {"user32", "UpdateWindow", 1, nullptr},
    {"user32", "LoadCursorA", 2, "LoadCursor"},
    {"user32", "LoadIconA", 2, "LoadIcon"},
    {"user32", "SendMessageA", 4, "SendMessage"},
    {"user32", "PostMessageA", 4, "PostMessage"},
    {"user32", "SetWindowTextA", 2, "SetWindowText"},
    {"user32", "GetWindowTextA", 3, "GetWindowText"},
    {"user32", "GetWindowTextLengthA", 1, "GetWindowTextLength"},
    {"user32", "MessageBoxA", 4, "MessageBox"},
    {"user32", "SetTimer", 4, nullptr},
    {"user32", "KillTimer", 2, nullptr},
    {"user32", "GetDlgCtrlID", 1, nullptr},
    {"user32", "GetDlgItem", 2, nullptr},
    {"user32", "SetDlgItemTextA", 3, "SetDlgItemText"},
    {"user32", "GetDlgItemTextA", 4, "GetDlgItemText"},
    {"user32", "SetDlgItemInt", 4, nullptr},
    {"user32", "GetDlgItemInt", 4, nullptr},
    {"user32", "CheckDlgButton", 3, nullptr},
    {"user32", "IsDlgButtonChecked", 2, nullptr},
    {"user32", "EnableWindow", 2, nullptr},
    {"user32", "IsWindowEnabled", 1, nullptr},
    {"user32", "IsWindow", 1, nullptr},
    {"user32", "IsWindowVisible", 1, nullptr},
    {"user32", "SetFocus", 1, nullptr},
    {"user32", "GetFocus", 0, nullptr},
    {"user32", "GetClientRect", 2, nullptr},
    {"user32", "GetWindowRect", 2, nullptr},
    {"user32", "MoveWindow", 6, nullptr},
    {"user32", "SetWindowPos", 7, nullptr},
    {"user32", "InvalidateRect", 3, nullptr},
    {"user32", "BeginPaint", 2, nullptr},
    {"user32", "EndPaint", 2, nullptr},
    {"user32", "GetDC", 1, nullptr},
    {"user32", "ReleaseDC", 2, nullptr},
    {"user32", "GetSysColor", 1, nullptr},
    {"user32", "GetSysColorBrush", 1, nullptr},
    {"user32", "BringWindowToTop", 1, nullptr},
    {"user32", "SetForegroundWindow", 1, nullptr},
    {"user32", "GetParent", 1, nullptr},
    {"user32", "SetWindowLongA", 3, "SetWindowLong"},
    {"user32", "GetWindowLongA", 2, "GetWindowLong"},
    {"user32", "CallWindowProcA", 5, "CallWindowProc"},
    {"user32", "FindWindowA", 2, "FindWindow"},
    {"user32", "wsprintfA", -1, "wsprintf"},
    {"gdi32", "CreateFontA", 14, "CreateFont"},
    {"gdi32", "CreateSolidBrush", 1, nullptr},
    {"gdi32", "DeleteObject", 1, nullptr},
    {"gdi32", "SetTextColor", 2, nullptr},
    {"gdi32", "SetBkColor", 2, nullptr},
    {"gdi32", "SetBkMode", 2, nullptr},
    {"gdi32", "SelectObject", 2, nullptr},
    {"gdi32", "TextOutA", 5, "TextOut"},
    {"gdi32", "GetStockObject", 1, nullptr},
    {"comctl32", "InitCommonControls", 0, nullptr},
    {"comctl32", "InitCommonControlsEx", 1, nullptr},
};

struct Constant {
  const char* name;
  std::int64_t value;
};

constexpr Constant kConstants[] = {
    {"NULL", 0}, {"FALSE", 0}, {"TRUE", 1},
    // Messages
    {"WM_NULL", 0x0}, {"WM_CREATE", 0x1}, {"WM_DESTROY", 0x2}, {"WM_MOVE", 0x3}, {"WM_SIZE", 0x5},
    {"WM_ACTIVATE", 0x6}, {"WM_SETFOCUS", 0x7}, {"WM_KILLFOCUS", 0x8}, {"WM_ENABLE", 0xA},
    {"WM_SETTEXT", 0xC}, {"WM_GETTEXT", 0xD}, {"WM_GETTEXTLENGTH", 0xE}, {"WM_PAINT", 0xF},
    {"WM_CLOSE", 0x10}, {"WM_QUIT", 0x12}, {"WM_ERASEBKGND", 0x14}, {"WM_SHOWWINDOW", 0x18},
    {"WM_SETFONT", 0x30}, {"WM_GETFONT", 0x31}, {"WM_NOTIFY", 0x4E}, {"WM_NCDESTROY", 0x82},
    {"WM_KEYDOWN", 0x100}, {"WM_KEYUP", 0x101}, {"WM_CHAR", 0x102}, {"WM_COMMAND", 0x111},
    {"WM_SYSCOMMAND", 0x112}, {"WM_TIMER", 0x113}, {"WM_HSCROLL", 0x114}, {"WM_VSCROLL", 0x115},
    {"WM_CTLCOLORMSGBOX", 0x132}, {"WM_CTLCOLOREDIT", 0x133}, {"WM_CTLCOLORLISTBOX", 0x134},
    {"WM_CTLCOLORBTN", 0x135}, {"WM_CTLCOLORDLG", 0x136}, {"WM_CTLCOLORSCROLLBAR", 0x137},
    {"WM_CTLCOLORSTATIC", 0x138}, {"WM_MOUSEMOVE", 0x200}, {"WM_LBUTTONDOWN", 0x201},
    {"WM_LBUTTONUP", 0x202}, {"WM_LBUTTONDBLCLK", 0x203}, {"WM_RBUTTONDOWN", 0x204},
    {"WM_RBUTTONUP", 0x205}, {"WM_MDICREATE", 0x220}, {"WM_MDIDESTROY", 0x221},
    {"WM_MDIACTIVATE", 0x222}, {"WM_MDITILE", 0x226}, {"WM_MDICASCADE", 0x227},
    {"WM_MDIGETACTIVE", 0x229}, {"WM_USER", 0x400},
    // Window styles
    {"WS_OVERLAPPED", 0x0}, {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000}, {"WS_VISIBLE", 0x10000000}, {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000}, {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000}, {"WS_GROUP", 0x00020000}, {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000}, {"WS_OVERLAPPEDWINDOW", 0x00CF0000},
    {"WS_EX_DLGMODALFRAME", 0x1}, {"WS_EX_TOPMOST", 0x8}, {"WS_EX_TRANSPARENT", 0x20},
    {"WS_EX_MDICHILD", 0x40}, {"WS_EX_TOOLWINDOW", 0x80}, {"WS_EX_WINDOWEDGE", 0x100},
    {"WS_EX_CLIENTEDGE", 0x200}, {"WS_EX_STATICEDGE", 0x20000}, {"WS_EX_APPWINDOW", 0x40000},
    {"CS_VREDRAW", 0x1}, {"CS_HREDRAW", 0x2}, {"CS_DBLCLKS", 0x8}, {"CW_USEDEFAULT", 0x80000000},
    {"SW_HIDE", 0}, {"SW_SHOWNORMAL", 1}, {"SW_SHOW", 5}, {"SW_MINIMIZE", 6}, {"SW_RESTORE", 9},
    {"SW_SHOWDEFAULT", 10}, {"IDC_ARROW", 32512}, {"IDI_APPLICATION", 32512},
    {"GWL_WNDPROC", -4}, {"GWL_ID", -12}, {"GWL_STYLE", -16}, {"GWL_EXSTYLE", -20},
    // System colours
    {"COLOR_SCROLLBAR", 0}, {"COLOR_BACKGROUND", 1}, {"COLOR_ACTIVECAPTION", 2}, {"COLOR_MENU", 4},
    {"COLOR_WINDOW", 5}, {"COLOR_WINDOWTEXT", 8}, {"COLOR_BTNFACE", 15}, {"COLOR_BTNSHADOW", 16},
    {"COLOR_GRAYTEXT", 17}, {"COLOR_BTNTEXT", 18}, {"COLOR_HIGHLIGHT", 13}, {"COLOR_HIGHLIGHTTEXT", 14},
    // Message boxes
    {"MB_OK", 0x0}, {"MB_OKCANCEL", 0x1}, {"MB_YESNOCANCEL", 0x3}, {"MB_YESNO", 0x4},
    {"MB_ICONERROR", 0x10}, {"MB_ICONQUESTION", 0x20}, {"MB_ICONWARNING", 0x30},
    {"MB_ICONINFORMATION", 0x40}, {"IDOK", 1}, {"IDCANCEL", 2}, {"IDYES", 6}, {"IDNO", 7},
    // Controls
    {"SS_LEFT", 0x0}, {"SS_CENTER", 0x1}, {"SS_RIGHT", 0x2}, {"SS_NOTIFY", 0x100}, {"SS_SUNKEN", 0x1000},
    {"ES_MULTILINE", 0x4}, {"ES_AUTOHSCROLL", 0x80}, {"ES_READONLY", 0x800},
    {"BS_PUSHBUTTON", 0x0}, {"BS_AUTOCHECKBOX", 0x3}, {"BS_GROUPBOX", 0x7}, {"BS_AUTORADIOBUTTON", 0x9},
    {"LBS_NOTIFY", 0x1}, {"LBS_SORT", 0x2}, {"CBS_DROPDOWN", 0x2}, {"CBS_DROPDOWNLIST", 0x3},
    {"SBS_HORZ", 0x0}, {"SBS_VERT", 0x1}, {"TBS_AUTOTICKS", 0x1},
    {"BN_CLICKED", 0}, {"BN_DBLCLK", 5}, {"STN_CLICKED", 0}, {"EN_SETFOCUS", 0x100},
    {"EN_KILLFOCUS", 0x200}, {"EN_CHANGE", 0x300}, {"LBN_SELCHANGE", 1}, {"LBN_DBLCLK", 2},
    {"CBN_SELCHANGE", 1}, {"CBN_EDITCHANGE", 5},
    {"BM_GETCHECK", 0xF0}, {"BM_SETCHECK", 0xF1}, {"BM_CLICK", 0xF5}, {"BST_UNCHECKED", 0},
    {"BST_CHECKED", 1}, {"LB_ADDSTRING", 0x180}, {"LB_RESETCONTENT", 0x184}, {"LB_SETCURSEL", 0x186},
    {"LB_GETCURSEL", 0x188}, {"LB_GETTEXT", 0x189}, {"LB_GETCOUNT", 0x18B}, {"LB_DIR", 0x18D},
    {"CB_ADDSTRING", 0x143}, {"CB_DIR", 0x145}, {"CB_GETCOUNT", 0x146}, {"CB_GETCURSEL", 0x147},
    {"CB_RESETCONTENT", 0x14B}, {"CB_SETCURSEL", 0x14E},
    {"DDL_READWRITE", 0x0}, {"DDL_DIRECTORY", 0x10}, {"DDL_DRIVES", 0x4000}, {"DDL_EXCLUSIVE", 0x8000},
    {"SBM_SETPOS", 0xE0}, {"SBM_GETPOS", 0xE1}, {"SBM_SETRANGE", 0xE2}, {"TBM_GETPOS", 0x400},
    {"TBM_SETPOS", 0x405}, {"TBM_SETRANGE", 0x406}, {"TBM_SETTICFREQ", 0x414}, {"PBM_SETRANGE", 0x401},
    {"PBM_SETPOS", 0x402}, {"PBM_DELTAPOS", 0x403}, {"PBM_SETSTEP", 0x404}, {"PBM_STEPIT", 0x405},
    {"SB_SETTEXTA", 0x401}, {"SB_GETTEXTA", 0x402}, {"MCN_SELECT", -746},
    {"ICC_BAR_CLASSES", 0x4}, {"ICC_WIN95_CLASSES", 0xFF}, {"ICC_DATE_CLASSES", 0x100},
    // Drawing
    {"FW_NORMAL", 400}, {"FW_BOLD", 700}, {"ANSI_CHARSET", 0}, {"DEFAULT_CHARSET", 1},
    {"TRANSPARENT", 1}, {"OPAQUE", 2},
};

constexpr const char* kStructures =
    "POINT STRUCT\r\n"
    "  x DWORD ?\r\n"
    "  y DWORD ?\r\n"
    "POINT ENDS\r\n"
    "RECT STRUCT\r\n"
    "  left DWORD ?\r\n"
    "  top DWORD ?\r\n"
    "  right DWORD ?\r\n"
    "  bottom DWORD ?\r\n"
    "RECT ENDS\r\n"
    "MSG STRUCT\r\n"
    "  hwnd DWORD ?\r\n"
    "  message DWORD ?\r\n"
    "  wParam DWORD ?\r\n"
    "  lParam DWORD ?\r\n"
    "  time DWORD ?\r\n"
    "  pt POINT <>\r\n"
    "MSG ENDS\r\n"
    "WNDCLASSEXA STRUCT\r\n"
    "  cbSize DWORD ?\r\n"
    "  style DWORD ?\r\n"
    "  lpfnWndProc DWORD ?\r\n"
    "  cbClsExtra DWORD ?\r\n"
    "  cbWndExtra DWORD ?\r\n"
    "  hInstance DWORD ?\r\n"
    "  hIcon DWORD ?\r\n"
    "  hCursor DWORD ?\r\n"
    "  hbrBackground DWORD ?\r\n"
    "  lpszMenuName DWORD ?\r\n"
    "  lpszClassName DWORD ?\r\n"
    "  hIconSm DWORD ?\r\n"
    "WNDCLASSEXA ENDS\r\n"
    "WNDCLASSEX TEXTEQU <WNDCLASSEXA>\r\n"
    "CLIENTCREATESTRUCT STRUCT\r\n"
    "  hWindowMenu DWORD ?\r\n"
    "  idFirstChild DWORD ?\r\n"
    "CLIENTCREATESTRUCT ENDS\r\n"
    "INITCOMMONCONTROLSEX STRUCT\r\n"
    "  dwSize DWORD ?\r\n"
    "  dwICC DWORD ?\r\n"
    "INITCOMMONCONTROLSEX ENDS\r\n"
    "NMHDR STRUCT\r\n"
    "  hwndFrom DWORD ?\r\n"
    "  idFrom DWORD ?\r\n"
    "  code DWORD ?\r\n"
    "NMHDR ENDS\r\n"
    "PAINTSTRUCT STRUCT\r\n"
    "  hdc DWORD ?\r\n"
    "  fErase DWORD ?\r\n"
    "  rcPaint RECT <>\r\n"
    "  fRestore DWORD ?\r\n"
    "  fIncUpdate DWORD ?\r\n"
    "  rgbReserved BYTE 32 dup(?)\r\n"
    "PAINTSTRUCT ENDS\r\n";

// clang-format on

constexpr const char* kStructureNames[] = {
    "POINT", "RECT",       "MSG", "WNDCLASSEXA", "WNDCLASSEX", "CLIENTCREATESTRUCT", "INITCOMMONCONTROLSEX",
    "NMHDR", "PAINTSTRUCT"};

std::string HexNumber(std::int64_t value) {
  if (value < 0) return std::to_string(value);
  char text[24];
  std::snprintf(text, sizeof text, "0%llXh", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

void AppendWindowsDeclarations(std::string& out) {
  out += "; Windows functions. JWasm and UASM name the DLLs they come from, so\r\n"
         "; that -pe makes the program with no linker; ml.exe (and JWasm given\r\n"
         "; -DKELP_IMPORT_LIBRARIES, as -Zne wants) finds them in import libraries.\r\n"
         "KELP_DLL_NAMES = 0\r\nIFDEF __JWASM__\r\nIFNDEF KELP_IMPORT_LIBRARIES\r\nKELP_DLL_NAMES = 1\r\n"
         "ENDIF\r\nENDIF\r\n";
  std::string_view library;
  for (const Function& function : kFunctions) {
    if (function.library != library) {
      library = function.library;
      out.append("IF KELP_DLL_NAMES\r\noption dllimport:<").append(library) += ".dll>\r\nELSE\r\n";
      out.append("includelib ").append(library) += ".lib\r\nENDIF\r\n";
    }
    out += function.name;
    if (function.arguments < 0) {
      out += " PROTO C :DWORD, :VARARG";
    } else {
      out += " PROTO";
      for (int i = 0; i < function.arguments; ++i) out += i == 0 ? " :DWORD" : ", :DWORD";
    }
    out += "\r\n";
    if (function.plain != nullptr)
      out.append(function.plain).append(" TEXTEQU <").append(function.name) += ">\r\n";
  }
  out += "IF KELP_DLL_NAMES\r\noption dllimport:none\r\nENDIF\r\n";
  out += "\r\n; Windows constants\r\n";
  for (const Constant& constant : kConstants) {
    out.append(constant.name).append(" equ ").append(HexNumber(constant.value)) += "\r\n";
  }
  out += "SB_SETTEXT TEXTEQU <SB_SETTEXTA>\r\nSB_GETTEXT TEXTEQU <SB_GETTEXTA>\r\n";
  out += "\r\n; Windows structures\r\n";
  out += kStructures;
}

const std::vector<std::string_view>& WindowsDeclaredNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const Function& function : kFunctions) {
      all.push_back(function.name);
      if (function.plain != nullptr) all.push_back(function.plain);
    }
    for (const Constant& constant : kConstants) all.push_back(constant.name);
    all.push_back("SB_SETTEXT");
    all.push_back("SB_GETTEXT");
    for (const char* name : kStructureNames) all.push_back(name);
    return all;
  }();
  return names;
}

const std::vector<std::string_view>& WindowsImportLibraries() {
  static const std::vector<std::string_view> libraries = [] {
    std::vector<std::string_view> all;
    for (const Function& function : kFunctions) {
      if (all.empty() || all.back() != function.library) all.push_back(function.library);
    }
    return all;
  }();
  return libraries;
}

}  // namespace kelp
