// The Form Layout window ("LayOut_Class"): a drawing of a monitor on a stand
// whose screen shows the real screen scaled down: the desktop colour with
// the band along the real screen's bottom (where the taskbar sits) copied
// in. Drawn from scratch at every paint into an offscreen buffer; the class
// redraws the whole window on every resize, so the monitor stays centred.
#include <windows.h>

#include <algorithm>

#include "core/screen_layout.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/gdi.h"
#include "win/rect.h"

namespace kelp {
namespace {

constexpr char kLayoutClassName[] = "LayOut_Class";
constexpr char kLayoutTitle[] = "Form Layout";
constexpr DWORD kLayoutExStyle = WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
constexpr DWORD kLayoutStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(kLayoutExStyle == 0x280 && kLayoutStyle == 0x56000000);
constexpr int kLayoutWidth = 200;
constexpr int kLayoutHeight = 150;
constexpr DWORD kLayoutClassStyle = CS_BYTEALIGNWINDOW | CS_HREDRAW | CS_VREDRAW;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void Fill(HDC dc, const Rect& rect, COLORREF colour) {
  const RECT r = win::ToRECT(rect);
  const win::Brush brush = win::SolidBrush(colour);
  ::FillRect(dc, &r, brush.Get());
}

void Frame(HDC dc, const Rect& rect, COLORREF colour) {
  const RECT r = win::ToRECT(rect);
  const win::Brush brush = win::SolidBrush(colour);
  ::FrameRect(dc, &r, brush.Get());
}

// A raised grey block: face colour inside, a dark outer frame and a shadow
// frame one pixel in from the right and bottom.
void DrawBlock(HDC dc, const Rect& outer) {
  Fill(dc, {outer.left + 2, outer.top + 2, outer.right, outer.bottom}, ::GetSysColor(COLOR_BTNFACE));
  Frame(dc, outer, ::GetSysColor(COLOR_3DDKSHADOW));
  Frame(dc, {outer.left, outer.top, outer.right - 1, outer.bottom - 1}, ::GetSysColor(COLOR_BTNSHADOW));
}

// The real screen in miniature: the desktop colour, with the bottom band of
// the screen as it shows now.
void DrawScreenPicture(HDC target, const Rect& picture) {
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  const ScreenBand band = BottomBand(height, ::GetSystemMetrics(SM_CYMAXIMIZED));
  win::OffscreenBuffer screenCopy(target, width, height);
  Fill(screenCopy, {0, 0, width, height}, ::GetSysColor(COLOR_BACKGROUND));
  if (band.height > 0) {
    win::WindowDc screen(nullptr);
    ::BitBlt(screenCopy, 0, band.top, width, band.height, screen, 0, band.top, SRCCOPY);
  }
  // Shrinking in the default mode ANDs the dropped pixels together and
  // darkens the picture; keep the real colours instead.
  ::SetStretchBltMode(target, COLORONCOLOR);
  ::StretchBlt(target, picture.left, picture.top, picture.Width(), picture.Height(), screenCopy, 0, 0, width,
               height, SRCCOPY);
}

}  // namespace

void PaintScreenLayout(HWND window) {
  win::PaintDc paint(window);
  RECT client{};
  ::GetClientRect(window, &client);
  const int width = std::max<int>(client.right, 1);
  const int height = std::max<int>(client.bottom, 1);
  win::OffscreenBuffer buffer(paint, width, height);
  Fill(buffer, {0, 0, width, height}, kWhite);

  const MonitorLayout monitor =
      LayOutMonitor(static_cast<std::uint32_t>(client.right), static_cast<std::uint32_t>(client.bottom));
  DrawBlock(buffer, monitor.stand);
  DrawBlock(buffer, monitor.outline);

  const Rect& a = monitor.screen;
  Fill(buffer, a, ::GetSysColor(COLOR_BACKGROUND));
  Frame(buffer, {a.left + 1, a.top + 1, a.right, a.bottom}, kBlack);
  Frame(buffer, a, kWhite);
  Frame(buffer, {a.left, a.top, a.right - 1, a.bottom - 1}, ::GetSysColor(COLOR_BTNSHADOW));

  DrawScreenPicture(buffer, monitor.picture);
  ::BitBlt(paint, 0, 0, width, height, buffer, 0, 0, SRCCOPY);
}

namespace {

LRESULT CALLBACK LayoutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintScreenLayout(window);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace
}  // namespace kelp

extern "C" HWND KELP_API ScreenLayoutClass(HWND parent) {
  using namespace kelp;
  HWND window =
      CreateClassWindow(kLayoutExStyle, kLayoutStyle, kLayoutClassName, kLayoutTitle, 0, 0, kLayoutWidth,
                        kLayoutHeight, LayoutWindowProc, nullptr, nullptr, gWorkspace.hostInstance, parent);
  // Every change of width or height repaints the whole window.
  ::SetClassLongA(window, GCL_STYLE, kLayoutClassStyle);
  return window;
}
