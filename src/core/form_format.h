// The Format menu's commands on several controls at once: the first control
// is the one the others follow (its edge, centre or size); centring in the
// form moves them as one, keeping their places relative to each other. No
// control is left outside the form: one that would stick out past its right
// or bottom edge is pushed back in, and none goes past its left or top edge.
#pragma once

#include <cstdint>
#include <vector>

#include "core/geometry.h"

namespace kelp {

enum class FormatCommand : std::uint32_t {
  kAlignLefts,
  kAlignCenters,
  kAlignRights,
  kAlignTops,
  kAlignMiddles,
  kAlignBottoms,
  kSameWidth,
  kSameHeight,
  kSameSize,
  kCenterHorizontally,
  kCenterVertically,
};

inline constexpr std::uint32_t kFormatCommandCount = 11;

// The rectangles (surface coordinates) after the command, in the same order.
std::vector<Rect> FormatRects(const std::vector<Rect>& rects, FormatCommand command, std::int32_t formWidth,
                              std::int32_t formHeight);

// Whether the command needs two controls (aligning and sizing) or one
// (centring in the form).
bool NeedsTwo(FormatCommand command);

// The rectangles a band from one corner to the other touches (overlaps by
// at least a pixel, or holds), by index.
std::vector<std::size_t> TouchedBy(const Rect& band, const std::vector<Rect>& rects);

}  // namespace kelp
