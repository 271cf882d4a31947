#include "core/form_geometry.h"

namespace kelp {

ResizeMarkers MarkersAround(const Rect& p) {
  const std::int32_t mx = p.left + (p.right - p.left) / 2;
  const std::int32_t my = p.top + (p.bottom - p.top) / 2;
  constexpr std::int32_t o = kMarkerOutlineSize;
  constexpr std::int32_t m = kMarkerSize;
  ResizeMarkers markers{};
  markers.hollow = {{
      {p.left - o, p.top - o, p.left, p.top},
      {mx, p.top - o, mx + o, p.top},
      {p.right, p.top - o, p.right + o, p.top},
      {p.left - o, p.bottom, p.left, p.bottom + o},
      {p.left - o, my, p.left, my + o},
  }};
  markers.right = {p.right + 1, my, p.right + 1 + m, my + m};
  markers.corner = {p.right, p.bottom + 1, p.right + m, p.bottom + 1 + m};
  markers.bottom = {mx, p.bottom + 1, mx + m, p.bottom + 1 + m};
  return markers;
}

Rect WidenRightMarker(Rect marker) {
  marker.left -= 1;
  return marker;
}

Rect WidenLowerMarker(Rect marker) {
  marker.top -= 1;
  return marker;
}

ScrollRange ScrollRangeFor(std::int32_t panelExtent, std::int32_t panelNear,
                           std::int32_t clientExtent, std::int32_t scrollBarSize) {
  ScrollRange range{panelExtent + scrollBarSize, static_cast<std::uint32_t>(clientExtent)};
  if (panelNear < 0 && static_cast<std::uint32_t>(range.max) <= range.page) {
    range.page = static_cast<std::uint32_t>(range.max - kMarkerOutlineSize);
  }
  return range;
}

ScrollMove ScrollLineUp(std::int32_t position) {
  const std::int32_t next = position - kScrollStep;
  if (next < 0) return {0, 0};
  return {next, kScrollStep};
}

ScrollMove ScrollLineDown(std::int32_t position, std::int32_t max, std::uint32_t page,
                          LineDownLimit limit) {
  const auto at = static_cast<std::uint32_t>(position);
  const std::uint32_t end = static_cast<std::uint32_t>(max) - page;
  const bool advance = limit == LineDownLimit::kInclusive ? at <= end : at < end;
  if (!advance) return {position, 0};
  return {position + kScrollStep, -kScrollStep};
}

ScrollMove ScrollThumbTo(std::int32_t position, std::int32_t trackPosition) {
  const std::int32_t next = trackPosition / kScrollStep * kScrollStep;
  return {next, position - next};
}

}  // namespace kelp
