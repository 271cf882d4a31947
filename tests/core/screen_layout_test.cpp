// The Form Layout window's monitor: where its outline, stand, screen area and
// picture fall for a wide and for a tall client, and which band of the real
// screen is copied in.
#include <gtest/gtest.h>

#include "core/screen_layout.h"

namespace kelp {
namespace {

TEST(MonitorLayout, AWideClientSizesTheMonitorFromItsHeightTwiceReduced) {
  // The default window's 200 x 150: 150 - 15 = 135, 135 - 13 = 122.
  const MonitorLayout m = LayOutMonitor(200, 150);
  EXPECT_EQ(m.size, 122u);
  // Centred at (39, 14); top and bottom cut by 122 / 8 = 15.
  EXPECT_EQ(m.outline, (Rect{39, 29, 161, 121}));
  // The middle half of the monitor, from 2 pixels under its bottom edge
  // down by half a tenth of its height (92 / 10 / 2 = 4).
  EXPECT_EQ(m.stand, (Rect{69, 119, 129, 125}));
  EXPECT_EQ(m.inner, (Rect{39, 29, 160, 120}));
  // Bezel: a tenth of the inner height (9) and a 25th of its width (4).
  EXPECT_EQ(m.screen, (Rect{43, 38, 156, 111}));
  EXPECT_EQ(m.picture, (Rect{45, 40, 154, 109}));
}

TEST(MonitorLayout, ATallClientSizesTheMonitorFromItsWidthOnceReduced) {
  const MonitorLayout m = LayOutMonitor(100, 180);
  EXPECT_EQ(m.size, 90u);
  EXPECT_EQ(m.outline, (Rect{5, 56, 95, 124}));
  EXPECT_EQ(m.stand, (Rect{27, 122, 71, 127}));
  EXPECT_EQ(m.screen, (Rect{8, 62, 91, 117}));
  EXPECT_EQ(m.picture, (Rect{10, 64, 89, 115}));
}

TEST(MonitorLayout, ASquareClientCountsAsWide) {
  EXPECT_EQ(LayOutMonitor(150, 150).size, 122u);
  EXPECT_EQ(LayOutMonitor(150, 151).size, 135u);
}

TEST(MonitorLayout, TinyClientsGiveEmptyPicturesNotWrappedOnes) {
  for (std::uint32_t side : {0u, 1u, 3u, 7u}) {
    const MonitorLayout m = LayOutMonitor(side, side);
    EXPECT_LE(m.picture.Width(), m.screen.Width()) << side;
    EXPECT_GE(m.screen.left, 0) << side;
    EXPECT_LE(m.screen.right, static_cast<std::int32_t>(side) + 1) << side;
  }
}

TEST(ScreenBand, RunsFromFiveAboveTheMaximizedHeightToTheBottom) {
  EXPECT_EQ(BottomBand(1024, 1000).top, 995);
  EXPECT_EQ(BottomBand(1024, 1000).height, 29);
}

TEST(ScreenBand, StaysWithinTheScreen) {
  // Without a taskbar a maximized window is taller than the screen.
  EXPECT_EQ(BottomBand(768, 776).height, 0);
  EXPECT_EQ(BottomBand(768, 776).top, 768);
  EXPECT_EQ(BottomBand(100, 2).top, 0);
  EXPECT_EQ(BottomBand(100, 2).height, 100);
  EXPECT_EQ(BottomBand(0, 0).height, 0);
}

}  // namespace
}  // namespace kelp
