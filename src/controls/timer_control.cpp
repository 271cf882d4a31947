// The timer ("Timer_Class"): at design time a 28 x 28 stopwatch picture,
// framed in red while it is dragged.
#include <cstring>

#include "controls/control_classes.h"
#include "controls/design_control.h"
#include "win/gdi.h"

namespace kelp {
namespace {

#include "timer_picture.inc"

// Pixel (6, 6) lies in the picture's background, around the stopwatch.
constexpr int kBackgroundX = 6;
constexpr int kBackgroundY = 6;

HBRUSH gTimerBrush = nullptr;

HBRUSH MakeTimerBrush(HWND parent) {
  BITMAPFILEHEADER file{};
  std::memcpy(&file, kTimerPicture, sizeof(file));
  const auto* info = reinterpret_cast<const BITMAPINFO*>(kTimerPicture + sizeof(BITMAPFILEHEADER));
  const int width = info->bmiHeader.biWidth;
  const int height = info->bmiHeader.biHeight;

  win::WindowDc dc(parent);
  win::Bitmap stored(::CreateDIBitmap(dc, &info->bmiHeader, CBM_INIT, kTimerPicture + file.bfOffBits, info,
                                      DIB_RGB_COLORS));
  win::Bitmap picture(::CreateCompatibleBitmap(dc, width, height));
  {
    win::MemoryDc from(dc);
    win::MemoryDc to(dc);
    win::ScopedSelect fromSelection(from, stored.Get());
    win::ScopedSelect toSelection(to, picture.Get());
    ::BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
    const win::Brush face = win::SolidBrush(::GetSysColor(COLOR_BTNFACE));
    win::ScopedSelect brushSelection(to, face.Get());
    ::ExtFloodFill(to, kBackgroundX, kBackgroundY, ::GetPixel(to, kBackgroundX, kBackgroundY), FLOODFILLSURFACE);
  }
  // The brush keeps its own copy of the picture.
  return ::CreatePatternBrush(picture.Get());
}

void Timer_OnPaint(HWND window) {
  ::DefWindowProcA(window, WM_PAINT, 0, 0);  // erases with the picture and validates
  FrameWhileDragged(window);
}

}  // namespace

// Every timer shares one brush: making one per timer would spend a GDI
// object at every placement for as long as the process lives.
HBRUSH TimerPatternBrush(HWND parent) {
  if (gTimerBrush == nullptr) gTimerBrush = MakeTimerBrush(parent);
  return gTimerBrush;
}

LRESULT CALLBACK TimerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Timer_OnPaint(window);
    return 0;
  }
  return DesignControlBehaviour(::DefWindowProcA, window, message, wParam, lParam);
}

}  // namespace kelp
