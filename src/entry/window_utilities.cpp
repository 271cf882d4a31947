#include "entry/window_utilities.h"

#include <richedit.h>

#include "core/text.h"

namespace kelp {
namespace {

constexpr int kClassExtraBytes = 20;
constexpr int kWindowExtraBytes = 20;

// The character set and pitch that the last RichEdit control reported; other
// controls ignore the character-format messages and so keep these.
CHARFORMAT2A gLastRichEditFormat{};

}  // namespace

HWND CreateClassWindow(DWORD exStyle, DWORD style, const char* className, const char* title,
                       int x, int y, int width, int height, WNDPROC procedure, HICON icon,
                       HBRUSH background, HINSTANCE instance, HWND parent) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS | CS_CLASSDC;
  windowClass.lpfnWndProc = procedure;
  windowClass.cbClsExtra = kClassExtraBytes;
  windowClass.cbWndExtra = kWindowExtraBytes;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = icon;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  ::RegisterClassExA(&windowClass);  // fails harmlessly when already registered
  return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                           instance, nullptr);
}

HFONT SetControlFont(HWND window, const char* face, int height, int width, int weight) {
  gLastRichEditFormat.cbSize = sizeof(gLastRichEditFormat);
  ::SendMessageA(window, EM_GETCHARFORMAT, SCF_SELECTION,
                 reinterpret_cast<LPARAM>(&gLastRichEditFormat));
  CHARFORMAT2A black{};
  black.cbSize = sizeof(black);
  black.dwMask = CFM_COLOR;
  black.crTextColor = RGB(0, 0, 0);
  ::SendMessageA(window, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&black));
  ::SendMessageA(window, EM_GETCHARFORMAT, SCF_SELECTION,
                 reinterpret_cast<LPARAM>(&gLastRichEditFormat));

  LOGFONTA logFont{};
  logFont.lfHeight = height;
  logFont.lfWidth = width;
  logFont.lfWeight = weight;
  logFont.lfCharSet = gLastRichEditFormat.bCharSet;
  logFont.lfPitchAndFamily = gLastRichEditFormat.bPitchAndFamily;
  CopyText(logFont.lfFaceName, face);
  HFONT font = ::CreateFontIndirectA(&logFont);
  ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return font;
}

BOOL CursorInRect(const RECT* rect) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return ::PtInRect(rect, cursor);
}

RECT RectInParent(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void DestroyMdiChild(HWND window) {
  HWND client = ::GetParent(window);
  if (client != nullptr) {
    ::SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  }
  if (::IsWindow(window)) ::DestroyWindow(window);
}

}  // namespace kelp
