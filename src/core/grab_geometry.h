// Where the eight 7 x 7 grab handles sit around a control, and how dragging
// one moves the edges of the outline. Coordinates are the design surface's.
#pragma once

#include <cstdint>

#include "core/geometry.h"

namespace kelp {

inline constexpr int kGrabHandleSize = 7;

// Handle codes, in the order the handles are created.
enum GrabHandleCode : std::uint32_t {
  kHandleTop = 100,
  kHandleLeft = 101,
  kHandleRight = 102,
  kHandleBottom = 103,
  kHandleTopLeft = 104,
  kHandleBottomLeft = 105,
  kHandleTopRight = 106,
  kHandleBottomRight = 107,
};

inline constexpr GrabHandleCode kGrabHandleCreationOrder[8] = {
    kHandleTopLeft, kHandleTopRight, kHandleBottomRight, kHandleBottomLeft,
    kHandleTop,     kHandleRight,    kHandleBottom,      kHandleLeft};

// Windows keep their coordinates in 16 bits: nothing on a form reaches
// further than this.
inline constexpr std::int32_t kLargestCoordinate = 32767;
// The largest extent a control is given: half the coordinates, so that
// wherever it is dragged while some of it still shows on the screen, it and
// the grab handles around it stay within them.
inline constexpr std::int32_t kLargestExtent = kLargestCoordinate / 2;

// The largest extent a control whose near edge is at `origin` can take (0 or
// less when none is left there).
constexpr std::int32_t LargestExtentFrom(std::int32_t origin) {
  const std::int32_t room = kLargestCoordinate - kGrabHandleSize - origin;
  return room < kLargestExtent ? room : kLargestExtent;
}

// Top-left corner of a handle around the target rectangle.
Point GrabHandlePlace(GrabHandleCode code, const Rect& target);

// Moves the edges that the handle controls to the cursor. An edge keeps its
// old place when the move would leave the outline 7 pixels or less across,
// or put it past the opposite edge, wherever the cursor is.
Rect DragHandleEdges(GrabHandleCode code, Rect outline, Point cursor);

}  // namespace kelp
