#include "core/grab_geometry.h"

namespace kelp {
namespace {

constexpr std::int32_t kSize = kGrabHandleSize;
constexpr std::int32_t kMinimumExtent = 7;

bool MovesTop(GrabHandleCode c) { return c == kHandleTop || c == kHandleTopLeft || c == kHandleTopRight; }
bool MovesBottom(GrabHandleCode c) {
  return c == kHandleBottom || c == kHandleBottomLeft || c == kHandleBottomRight;
}
bool MovesLeft(GrabHandleCode c) { return c == kHandleLeft || c == kHandleTopLeft || c == kHandleBottomLeft; }
bool MovesRight(GrabHandleCode c) {
  return c == kHandleRight || c == kHandleTopRight || c == kHandleBottomRight;
}

// The far edge stays beyond the near one and the outline wider than 7.
// Compared signed: a cursor dragged off the surface's left or top has a
// negative coordinate and must not count as far beyond the other edge.
bool Spans(std::int32_t nearEdge, std::int32_t farEdge) {
  return static_cast<std::int64_t>(farEdge) - nearEdge > kMinimumExtent;
}

}  // namespace

Point GrabHandlePlace(GrabHandleCode code, const Rect& r) {
  // Halves are unsigned divisions of the extent, as the handles have always sat.
  const auto halfWidth = static_cast<std::int32_t>(static_cast<std::uint32_t>(r.Width()) / 2);
  const auto halfHeight = static_cast<std::int32_t>(static_cast<std::uint32_t>(r.Height()) / 2);
  switch (code) {
    case kHandleTopLeft: return {r.left - kSize, r.top - kSize};
    case kHandleTopRight: return {r.right, r.top - kSize};
    case kHandleBottomRight: return {r.right, r.bottom};
    case kHandleBottomLeft: return {r.left - kSize, r.bottom};
    case kHandleTop: return {r.left + halfWidth - 3, r.top - kSize};
    case kHandleRight: return {r.right, r.top + halfHeight - 3};
    case kHandleBottom: return {r.left + halfWidth - 3, r.bottom};
    case kHandleLeft: return {r.left - kSize, r.top + halfHeight - 3};
  }
  return {r.left, r.top};
}

Rect DragHandleEdges(GrabHandleCode code, Rect outline, Point cursor) {
  if (MovesTop(code) && Spans(cursor.y, outline.bottom)) outline.top = cursor.y;
  if (MovesBottom(code) && Spans(outline.top, cursor.y)) outline.bottom = cursor.y;
  if (MovesLeft(code) && Spans(cursor.x, outline.right)) outline.left = cursor.x;
  if (MovesRight(code) && Spans(outline.left, cursor.x)) outline.right = cursor.x;
  return outline;
}

}  // namespace kelp
