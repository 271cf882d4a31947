// The arithmetic of a form's frame window: where its resize markers sit
// around the back panel, the ranges of its scroll bars, and how a scroll
// request moves the 5-pixel scroll position.
#pragma once

#include <array>
#include <cstdint>

#include "core/geometry.h"

namespace kelp {

inline constexpr std::int32_t kMarkerOutlineSize = 7;
inline constexpr std::int32_t kMarkerSize = 5;
inline constexpr std::int32_t kScrollStep = 5;

// Markers around the back panel rectangle P (frame client coordinates):
// five hollow 7 x 7 squares that only decorate, and three filled 5 x 5
// squares (right, corner, bottom) that the user drags to resize the form.
struct ResizeMarkers {
  std::array<Rect, 5> hollow;
  Rect right;
  Rect corner;
  Rect bottom;
};

ResizeMarkers MarkersAround(const Rect& panel);

// The hit rectangles of the active markers are one pixel wider towards the
// panel, so the pixel between the panel edge and the marker still grabs it.
Rect WidenRightMarker(Rect marker);
Rect WidenLowerMarker(Rect marker);  // corner and bottom markers

struct ScrollRange {
  std::int32_t max;
  std::uint32_t page;
};

// One scroll bar's range: the panel's extent plus the scroll bar's own size,
// a page of the client's extent. panelNear is the panel's top (or left) edge
// in client coordinates; once scrolled past it with everything fitting, the
// page is shortened so the bar stays usable to scroll back.
ScrollRange ScrollRangeFor(std::int32_t panelExtent, std::int32_t panelNear,
                           std::int32_t clientExtent, std::int32_t scrollBarSize);

// The result of one scroll request: the new position and how far the
// window's contents move (0: the bar is set, nothing is scrolled).
struct ScrollMove {
  std::int32_t position;
  std::int32_t scrollBy;
};

ScrollMove ScrollLineUp(std::int32_t position);

// The vertical bar advances while position <= max - page, the horizontal
// one only while position < max - page (both compared unsigned).
enum class LineDownLimit { kInclusive, kExclusive };
ScrollMove ScrollLineDown(std::int32_t position, std::int32_t max, std::uint32_t page,
                          LineDownLimit limit);

// A thumb drag lands on the multiple of 5 at or below the track position.
ScrollMove ScrollThumbTo(std::int32_t position, std::int32_t trackPosition);

}  // namespace kelp
