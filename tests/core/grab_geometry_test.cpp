// Where grab handles sit and how dragging one moves the outline's edges.
#include <gtest/gtest.h>

#include "core/grab_geometry.h"

namespace kelp {
namespace {

TEST(GrabHandlePlaces, AroundA75By23ControlAt10_20) {
  const Rect control = {10, 20, 85, 43};
  EXPECT_EQ(GrabHandlePlace(kHandleBottomRight, control), (Point{85, 43}));
  EXPECT_EQ(GrabHandlePlace(kHandleTop, control), (Point{44, 13}));
  EXPECT_EQ(GrabHandlePlace(kHandleTopLeft, control), (Point{3, 13}));
  EXPECT_EQ(GrabHandlePlace(kHandleTopRight, control), (Point{85, 13}));
  EXPECT_EQ(GrabHandlePlace(kHandleBottomLeft, control), (Point{3, 43}));
  EXPECT_EQ(GrabHandlePlace(kHandleRight, control), (Point{85, 28}));
  EXPECT_EQ(GrabHandlePlace(kHandleBottom, control), (Point{44, 43}));
  EXPECT_EQ(GrabHandlePlace(kHandleLeft, control), (Point{3, 28}));
}

TEST(GrabHandleDrag, MiddleHandlesMoveOneEdgeAndCornersTwo) {
  const Rect outline = {9, 19, 86, 44};
  EXPECT_EQ(DragHandleEdges(kHandleRight, outline, {120, 0}), (Rect{9, 19, 120, 44}));
  EXPECT_EQ(DragHandleEdges(kHandleTop, outline, {0, 5}), (Rect{9, 5, 86, 44}));
  EXPECT_EQ(DragHandleEdges(kHandleBottomLeft, outline, {2, 60}), (Rect{2, 19, 86, 60}));
  EXPECT_EQ(DragHandleEdges(kHandleTopRight, outline, {100, 10}), (Rect{9, 10, 100, 44}));
}

TEST(GrabHandleDrag, AnEdgeStopsAtAnOutlineEightWide) {
  const Rect outline = {9, 19, 86, 44};
  EXPECT_EQ(DragHandleEdges(kHandleRight, outline, {17, 0}).right, 17);
  EXPECT_EQ(DragHandleEdges(kHandleRight, outline, {16, 0}).right, 86);
  EXPECT_EQ(DragHandleEdges(kHandleLeft, outline, {78, 0}).left, 78);
  EXPECT_EQ(DragHandleEdges(kHandleLeft, outline, {79, 0}).left, 9);
}

TEST(GrabHandleDrag, ACursorOffTheSurfaceNeverCrossesTheOtherEdge) {
  const Rect outline = {9, 19, 86, 44};
  EXPECT_EQ(DragHandleEdges(kHandleRight, outline, {-150, 0}).right, 86);
  EXPECT_EQ(DragHandleEdges(kHandleBottom, outline, {0, -40}).bottom, 44);
  // Where the cursor is far right, the left edge stays too.
  EXPECT_EQ(DragHandleEdges(kHandleLeft, outline, {5000, 0}).left, 9);
  // An outline that starts off the surface's edge is resized normally.
  EXPECT_EQ(DragHandleEdges(kHandleRight, {-5, 0, 30, 20}, {10, 0}).right, 10);
}

TEST(GrabHandleDrag, CornerMovesAreIndependent) {
  const Rect outline = {9, 19, 86, 44};
  // The horizontal move is refused, the vertical one kept.
  EXPECT_EQ(DragHandleEdges(kHandleBottomRight, outline, {12, 80}), (Rect{9, 19, 86, 80}));
}

// Half the 16-bit coordinates at most, and less where the control's far
// edge and its grab handles would pass the last coordinate.
TEST(GrabHandleRoom, AControlIsGivenAtMostHalfTheCoordinatesAndNeverPastTheLast) {
  EXPECT_EQ(LargestExtentFrom(0), kLargestExtent);
  EXPECT_EQ(LargestExtentFrom(-20000), kLargestExtent);
  EXPECT_EQ(LargestExtentFrom(20000), kLargestCoordinate - kGrabHandleSize - 20000);
  EXPECT_LE(LargestExtentFrom(kLargestCoordinate), 0);
}

}  // namespace
}  // namespace kelp
