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

// Top-left corner of a handle around the target rectangle.
Point GrabHandlePlace(GrabHandleCode code, const Rect& target);

// Moves the edges that the handle controls to the cursor. An edge keeps its
// old place when the move would leave the outline 7 pixels or less across,
// or put it past the opposite edge, wherever the cursor is.
Rect DragHandleEdges(GrabHandleCode code, Rect outline, Point cursor);

}  // namespace kelp
