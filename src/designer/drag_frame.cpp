#include "designer/drag_frame.h"

#include "win/gdi.h"

namespace kelp {
namespace {

constexpr int kBand = 2;
RECT gLastDrawn{};

}  // namespace

void DrawDragFrame(HWND window, const RECT& r, int mode) {
  win::WindowDc dc(window);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  // Four bands that do not overlap, so each outline pixel is inverted once;
  // PATINVERT with the DC's default white brush inverts.
  ::BitBlt(dc, r.left + kBand, r.top, width - 2 * kBand, kBand, nullptr, 0, 0, PATINVERT);
  ::BitBlt(dc, r.left, r.top, kBand, height, nullptr, 0, 0, PATINVERT);
  ::BitBlt(dc, r.left + kBand, r.bottom - kBand, width - 2 * kBand, kBand, nullptr, 0, 0, PATINVERT);
  ::BitBlt(dc, r.right - kBand, r.top, kBand, height, nullptr, 0, 0, PATINVERT);
  if (mode == kDrawAndRemember) gLastDrawn = r;
}

RECT LastDragFrame() { return gLastDrawn; }

}  // namespace kelp
