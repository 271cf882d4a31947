// A 32-bit bitmap in a memory DC, filled with one colour, for drawing
// something outside any window and reading back what was drawn.
#pragma once

#include <windows.h>

#include "harness.h"
#include "win/gdi.h"

namespace kelp::test {

class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill)
      : width_(width),
        height_(height),
        bitmap_(MakeBitmap(width, height)),
        dc_(nullptr),
        select_(dc_, bitmap_.Get()) {
    const RECT all = {0, 0, width, height};
    const win::Brush brush = win::SolidBrush(fill);
    ::FillRect(dc_, &all, brush.Get());
  }
  HDC Dc() const { return dc_; }
  Pixels Read() const {
    ::GdiFlush();
    return Pixels::OfDc(dc_, width_, height_);
  }

 private:
  static HBITMAP MakeBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  }

  int width_;
  int height_;
  win::Bitmap bitmap_;
  win::MemoryDc dc_;
  win::ScopedSelect select_;  // last: deselects before the bitmap goes
};

}  // namespace kelp::test
