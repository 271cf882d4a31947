// Where a form's markers sit, how its scroll bars are ranged and how scroll
// requests move it, and the dots of the design grid.
#include <gtest/gtest.h>

#include <vector>

#include "core/form_geometry.h"
#include "core/surface_grid.h"

namespace kelp {
namespace {

TEST(FormMarkers, SitBesideThePanelAtFixedOffsets) {
  // A new form: the panel at (7, 7), 350 x 250.
  const ResizeMarkers markers = MarkersAround({7, 7, 357, 257});
  EXPECT_EQ(markers.hollow[0], (Rect{0, 0, 7, 7}));        // top-left
  EXPECT_EQ(markers.hollow[1], (Rect{182, 0, 189, 7}));    // top-middle
  EXPECT_EQ(markers.hollow[2], (Rect{357, 0, 364, 7}));    // top-right
  EXPECT_EQ(markers.hollow[3], (Rect{0, 257, 7, 264}));    // bottom-left
  EXPECT_EQ(markers.hollow[4], (Rect{0, 132, 7, 139}));    // left-middle
  EXPECT_EQ(markers.right, (Rect{358, 132, 363, 137}));
  EXPECT_EQ(markers.corner, (Rect{357, 258, 362, 263}));
  EXPECT_EQ(markers.bottom, (Rect{182, 258, 187, 263}));
}

TEST(FormMarkers, OddExtentsHalveDownwards) {
  const ResizeMarkers markers = MarkersAround({0, 0, 11, 9});
  EXPECT_EQ(markers.right.top, 4);
  EXPECT_EQ(markers.bottom.left, 5);
}

TEST(FormMarkers, HitRectanglesReachOnePixelTowardsThePanel) {
  EXPECT_EQ(WidenRightMarker({358, 132, 363, 137}), (Rect{357, 132, 363, 137}));
  EXPECT_EQ(WidenLowerMarker({357, 258, 362, 263}), (Rect{357, 257, 362, 263}));
}

TEST(FormScrollBars, RangeIsThePanelPlusTheBarAndAPageIsTheClient) {
  const ScrollRange range = ScrollRangeFor(250, 7, 190, 16);
  EXPECT_EQ(range.max, 266);
  EXPECT_EQ(range.page, 190u);
}

TEST(FormScrollBars, ScrolledPastAndAllFittingShortensThePage) {
  // Scrolled so that the panel starts above the client, with everything
  // fitting: the page is made smaller than the range, so the bar stays.
  const ScrollRange range = ScrollRangeFor(100, -5, 300, 16);
  EXPECT_EQ(range.max, 116);
  EXPECT_EQ(range.page, 109u);
  EXPECT_EQ(ScrollRangeFor(100, 0, 300, 16).page, 300u);
}

TEST(FormScrolling, LineUpStopsAtZeroWithoutScrolling) {
  EXPECT_EQ(ScrollLineUp(10).position, 5);
  EXPECT_EQ(ScrollLineUp(10).scrollBy, 5);
  EXPECT_EQ(ScrollLineUp(0).position, 0);
  EXPECT_EQ(ScrollLineUp(0).scrollBy, 0);
}

TEST(FormScrolling, VerticalLineDownReachesTheEndAndHorizontalStopsBeforeIt) {
  // max 266, page 190: the last position is 76.
  EXPECT_EQ(ScrollLineDown(75, 266, 190, LineDownLimit::kInclusive).position, 80);
  EXPECT_EQ(ScrollLineDown(75, 266, 190, LineDownLimit::kExclusive).position, 80);
  EXPECT_EQ(ScrollLineDown(76, 266, 190, LineDownLimit::kInclusive).scrollBy, -5);
  EXPECT_EQ(ScrollLineDown(76, 266, 190, LineDownLimit::kExclusive).scrollBy, 0);
  EXPECT_EQ(ScrollLineDown(80, 266, 190, LineDownLimit::kInclusive).position, 80);
}

TEST(FormScrolling, ThumbLandsOnTheMultipleOfFiveBelow) {
  EXPECT_EQ(ScrollThumbTo(0, 13).position, 10);
  EXPECT_EQ(ScrollThumbTo(0, 13).scrollBy, -10);
  EXPECT_EQ(ScrollThumbTo(20, 13).scrollBy, 10);
  EXPECT_EQ(ScrollThumbTo(10, 14).scrollBy, 0);
}

TEST(SurfaceGrid, FirstRowStartsAtZeroAndLaterRowsAtOne) {
  std::vector<std::pair<int, int>> dots;
  ForEachGridDot(17, 17, [&](int x, int y) { dots.emplace_back(x, y); });
  const std::vector<std::pair<int, int>> expected = {{0, 1}, {8, 1}, {16, 1}, {1, 9}, {9, 9}, {17, 9},
                                                     {1, 17}, {9, 17}, {17, 17}};
  EXPECT_EQ(dots, expected);
}

}  // namespace
}  // namespace kelp
