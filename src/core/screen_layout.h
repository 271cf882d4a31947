// The arithmetic of the Form Layout window's picture: a monitor on a stand,
// centred in the window and sized from its shorter side, whose screen shows
// the real screen scaled down. All divisions are unsigned and truncate.
#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace kelp {

struct MonitorLayout {
  std::uint32_t size;  // S: the monitor's width
  Rect outline;        // the monitor's outer frame
  Rect stand;          // the foot below it, overlapping its bottom edge by 2 pixels
  Rect inner;          // the outline less one pixel at its right and bottom
  Rect screen;         // the desktop-coloured screen area inside the bezel
  Rect picture;        // the screen area inset by 2: where the real screen is drawn
};

// The monitor for a client of clientWidth x clientHeight (origin 0, 0). A
// client wider than tall sizes the monitor from its height less a tenth,
// less a tenth again; a taller one from its width less a tenth.
MonitorLayout LayOutMonitor(std::uint32_t clientWidth, std::uint32_t clientHeight);

// The band along the bottom of the real screen that is copied into the
// picture (where the taskbar sits): from 5 pixels above the height of a
// maximized window down to the screen's bottom, kept within the screen.
struct ScreenBand {
  std::int32_t top;
  std::int32_t height;  // 0: nothing to copy
};

ScreenBand BottomBand(std::int32_t screenHeight, std::int32_t maximizedHeight);

}  // namespace kelp
