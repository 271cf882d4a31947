#include "core/screen_layout.h"

#include <algorithm>

namespace kelp {
namespace {

constexpr std::uint32_t kTenth = 10;
constexpr std::uint32_t kBezelCutDivisor = 8;     // top and bottom of the monitor lose an eighth of S
constexpr std::uint32_t kStandQuarter = 4;        // the stand spans the middle half of S
constexpr std::int32_t kStandOverlap = 2;         // the stand starts under the monitor's bottom edge
constexpr std::uint32_t kScreenSideDivisor = 25;  // bezel width: a 25th of the inner width
constexpr std::int32_t kPictureInset = 2;
constexpr std::int32_t kBandAboveMaximized = 5;

std::int32_t Signed(std::uint32_t value) {
  return static_cast<std::int32_t>(value);
}

// A tiny window leaves the inner rectangle inverted; it then has no extent.
std::uint32_t Extent(std::int32_t length) {
  return static_cast<std::uint32_t>(std::max(length, 0));
}

}  // namespace

MonitorLayout LayOutMonitor(std::uint32_t cw, std::uint32_t ch) {
  MonitorLayout layout{};
  std::uint32_t s = 0;
  if (ch <= cw) {
    const std::uint32_t s1 = ch - ch / kTenth;
    s = s1 - s1 / kTenth;
  } else {
    s = cw - cw / kTenth;
  }
  layout.size = s;

  const std::uint32_t x0 = (cw - s) / 2;
  const std::uint32_t y0 = (ch - s) / 2;
  const std::uint32_t e = s / kBezelCutDivisor;
  layout.outline = {Signed(x0), Signed(y0 + e), Signed(x0 + s), Signed(y0 + s - e)};
  const auto h = static_cast<std::uint32_t>(layout.outline.Height());

  const std::uint32_t q = s / kStandQuarter;
  layout.stand = {Signed(x0 + q), layout.outline.bottom - kStandOverlap, Signed(x0 + 3 * q),
                  layout.outline.bottom + Signed(h / kTenth / 2)};

  layout.inner = {layout.outline.left, layout.outline.top, layout.outline.right - 1,
                  layout.outline.bottom - 1};
  const std::uint32_t v = Extent(layout.inner.Height()) / kTenth;
  const std::uint32_t u = Extent(layout.inner.Width()) / kScreenSideDivisor;
  layout.screen = {layout.inner.left + Signed(u), layout.inner.top + Signed(v),
                   layout.inner.right - Signed(u), layout.inner.bottom - Signed(v)};
  layout.picture = {layout.screen.left + kPictureInset, layout.screen.top + kPictureInset,
                    layout.screen.right - kPictureInset, layout.screen.bottom - kPictureInset};
  return layout;
}

ScreenBand BottomBand(std::int32_t screenHeight, std::int32_t maximizedHeight) {
  const std::int32_t top = std::clamp(maximizedHeight - kBandAboveMaximized, 0, std::max(screenHeight, 0));
  return {top, std::max(screenHeight, 0) - top};
}

}  // namespace kelp
