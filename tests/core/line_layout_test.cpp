// Where the line layout puts characters: one line below another, advance
// widths summed along a line, TABs to even stops or to the stops the
// control gives, and nothing measured past the right edge.
#include <gtest/gtest.h>

#include <string>

#include "core/line_layout.h"

namespace kelp {
namespace {

AdvanceWidths EightEach() {
  AdvanceWidths widths{};
  widths.fill(8);
  return widths;
}

class AskedStops final : public TabStopSource {
 public:
  std::optional<int> After(std::size_t, int fromX) override {
    ++asked;
    return (fromX / 50 + 1) * 50;
  }
  int asked = 0;
};

TEST(LineLayout, LinesLieOneHeightApartAndCharactersAtTheirSummedAdvances) {
  AskedStops tabs;
  const AdvanceWidths widths = EightEach();
  LineLayout layout("mov eax\rpush ebx", widths, {10, 4, 15}, 1000, tabs, 0);
  EXPECT_EQ(layout.PositionOf(0).at.x, 10);
  EXPECT_EQ(layout.PositionOf(4).at.x, 10 + 4 * 8);
  const LineLayout::Result push = layout.PositionOf(8);
  EXPECT_EQ(push.place, LineLayout::Place::kAt);
  EXPECT_EQ(push.at.x, 10);
  EXPECT_EQ(push.at.y, 4 + 15);
  EXPECT_EQ(layout.PositionOf(13).at.x, 10 + 5 * 8);
  EXPECT_EQ(tabs.asked, 0);
}

TEST(LineLayout, TabsGoToEvenStopsOrAreAskedOncePerStartingPoint) {
  const AdvanceWidths widths = EightEach();
  AskedStops unused;
  LineLayout even("\tmov\teax\r\tpop", widths, {0, 0, 15}, 1000, unused, 48);
  EXPECT_EQ(even.PositionOf(1).at.x, 48);
  EXPECT_EQ(even.PositionOf(5).at.x, 96);  // from 48 + 24
  EXPECT_EQ(even.PositionOf(10).at.x, 48);
  const LineLayout::Result pop = even.PositionOf(10);
  EXPECT_EQ(pop.lastTabStop, 48);
  EXPECT_EQ(unused.asked, 0);

  AskedStops tabs;
  LineLayout asked("\tmov\r\tpop\r\tand", widths, {0, 0, 15}, 1000, tabs, 0);
  EXPECT_EQ(asked.PositionOf(1).at.x, 50);
  EXPECT_EQ(asked.PositionOf(6).at.x, 50);
  EXPECT_EQ(asked.PositionOf(11).at.x, 50);
  EXPECT_EQ(tabs.asked, 1) << "the same starting x is asked once";
}

TEST(LineLayout, NothingIsMeasuredPastTheRightEdge) {
  const AdvanceWidths widths = EightEach();
  AskedStops tabs;
  const std::string text = std::string(100000, 'x') + " mov\rmov";
  LineLayout layout(text, widths, {0, 0, 15}, 80, tabs, 48);
  const LineLayout::Result far = layout.PositionOf(100001);
  EXPECT_EQ(far.place, LineLayout::Place::kBeyondRightEdge);
  EXPECT_EQ(far.edgeOffset, 10u) << "the first character found at the edge";
  EXPECT_EQ(far.at.x, 80);
  EXPECT_EQ(layout.PositionOf(100005).place, LineLayout::Place::kAt) << "the next line starts over";
}

TEST(LineLayout, PackedHalvesWidenTowardsAKnownValue) {
  EXPECT_EQ(UnwrapNear(100, 0), 100);
  EXPECT_EQ(UnwrapNear(static_cast<std::uint16_t>(-20), 5), -20);
  EXPECT_EQ(UnwrapNear(static_cast<std::uint16_t>(70000 & 0xFFFF), 69000), 70000);
  EXPECT_EQ(UnwrapNear(static_cast<std::uint16_t>(-40000 & 0xFFFF), -39990), -40000);
}

TEST(LineLayout, LinesAreCountedAndFoundByTheirCarriageReturns) {
  EXPECT_EQ(LineLayout::LineCount("a\rb\r"), 3u);
  EXPECT_EQ(LineLayout::LineStart("ab\rcd\ref", 2), 6u);
  EXPECT_EQ(LineLayout::LineStart("ab", 5), 2u);
}

}  // namespace
}  // namespace kelp
