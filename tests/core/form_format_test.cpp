// The Format menu's arithmetic on several controls, and the rubber band.
#include "core/form_format.h"

#include <gtest/gtest.h>

#include <random>

namespace kelp {
namespace {

const std::vector<Rect> kThree = {{40, 20, 140, 50}, {10, 80, 60, 100}, {200, 150, 300, 230}};

TEST(FormFormat, AlignsEdgesAndCentresOnTheFirstControl) {
  auto lefts = FormatRects(kThree, FormatCommand::kAlignLefts, 400, 300);
  EXPECT_EQ(lefts[1], (Rect{40, 80, 90, 100}));
  EXPECT_EQ(lefts[2], (Rect{40, 150, 140, 230}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kAlignRights, 400, 300)[1], (Rect{90, 80, 140, 100}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kAlignCenters, 400, 300)[1], (Rect{65, 80, 115, 100}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kAlignTops, 400, 300)[2], (Rect{200, 20, 300, 100}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kAlignMiddles, 400, 300)[1], (Rect{10, 25, 60, 45}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kAlignBottoms, 400, 300)[1], (Rect{10, 30, 60, 50}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kAlignLefts, 400, 300)[0], kThree[0]) << "the first stays";
}

TEST(FormFormat, MakesSizesTheSameAsTheFirst) {
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kSameWidth, 400, 300)[1], (Rect{10, 80, 110, 100}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kSameHeight, 400, 300)[1], (Rect{10, 80, 60, 110}));
  EXPECT_EQ(FormatRects(kThree, FormatCommand::kSameSize, 400, 300)[2], (Rect{200, 150, 300, 180}));
}

TEST(FormFormat, CentringMovesTheSelectionAsOne) {
  const auto across = FormatRects(kThree, FormatCommand::kCenterHorizontally, 400, 300);
  // The box is 10..300 (290 wide): it goes to 55..345.
  EXPECT_EQ(across[1].left, 55);
  EXPECT_EQ(across[0].left - across[1].left, 30) << "places relative to each other are kept";
  const auto down = FormatRects({{10, 10, 30, 30}}, FormatCommand::kCenterVertically, 400, 300);
  EXPECT_EQ(down[0], (Rect{10, 140, 30, 160}));
}

TEST(FormFormat, NothingIsLeftOutsideTheForm) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::vector<Rect> rects;
    const int count = 1 + random() % 6;
    for (int i = 0; i < count; ++i) {
      const int left = static_cast<int>(random() % 500) - 50;
      const int top = static_cast<int>(random() % 400) - 50;
      rects.push_back({left, top, left + 1 + static_cast<int>(random() % 200), top + 1 + static_cast<int>(random() % 150)});
    }
    const auto command = static_cast<FormatCommand>(random() % kFormatCommandCount);
    for (const Rect& r : FormatRects(rects, command, 320, 240)) {
      EXPECT_GE(r.left, 0);
      EXPECT_GE(r.top, 0);
      if (r.Width() <= 320) {
        EXPECT_LE(r.right, 320);
      }
      if (r.Height() <= 240) {
        EXPECT_LE(r.bottom, 240);
      }
    }
  }
}

TEST(FormFormat, ABandSelectsWhatItTouchesFromEitherCorner) {
  EXPECT_EQ(TouchedBy({0, 0, 45, 25}, kThree), (std::vector<std::size_t>{0}));
  EXPECT_EQ(TouchedBy({250, 240, 0, 60}, kThree), (std::vector<std::size_t>{1, 2}));
  EXPECT_TRUE(TouchedBy({141, 0, 199, 79}, kThree).empty());
}

}  // namespace
}  // namespace kelp
