// Naming and numbering of placed controls: lowest free number per kind,
// names and identifiers, the 65,536 limit.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "core/name_table.h"
#include "core/placement_table.h"

namespace kelp {
namespace {

TEST(NameTable, NumbersStartAtZeroAndTheLowestFreeComesBack) {
  NameTable table;
  EXPECT_EQ(table.FindFreeSlot(), 0);
  table.Take(0, 100);
  EXPECT_EQ(table.FindFreeSlot(), 1);
  table.Take(1, 101);
  table.Take(2, 102);
  EXPECT_TRUE(table.Release(100));
  EXPECT_EQ(table.FindFreeSlot(), 0);
  table.Take(0, 103);
  EXPECT_EQ(table.FindFreeSlot(), 3);
  EXPECT_TRUE(table.Release(102));
  EXPECT_TRUE(table.Release(101));
  EXPECT_EQ(table.FindFreeSlot(), 1);
  EXPECT_EQ(table.Count(), 1u);
  EXPECT_FALSE(table.Release(101)) << "an owner holds one number once";
}

TEST(NameTable, AReleasedOwnerIsFoundWhereverItSits) {
  NameTable table;
  for (std::uint32_t n = 0; n < 10; ++n) table.Take(n, 1000 + n);
  EXPECT_TRUE(table.Release(1009));
  EXPECT_TRUE(table.Release(1003));
  EXPECT_EQ(table.At(3), 0u);
  EXPECT_EQ(table.FindFreeSlot(), 3);
  EXPECT_EQ(table.Owners(), (std::vector<NameTable::Owner>{1000, 1001, 1002, 1004, 1005, 1006, 1007, 1008}));
}

TEST(NameTable, AnOwnerKnowsItsNumberUntilItIsReleased) {
  NameTable table;
  table.Take(4, 204);  // a rebuilt form takes numbers out of order
  table.Take(0, 200);
  EXPECT_EQ(table.NumberOf(204), 4);
  EXPECT_EQ(table.NumberOf(200), 0);
  EXPECT_EQ(table.NumberOf(999), NameTable::kFull);
  EXPECT_EQ(table.FindFreeSlot(), 1) << "the numbers below a taken one stay free";
  table.Take(4, 205);  // taken already: refused
  EXPECT_EQ(table.At(4), 204u);
  EXPECT_EQ(table.NumberOf(205), NameTable::kFull);
  EXPECT_TRUE(table.Release(204));
  EXPECT_EQ(table.NumberOf(204), NameTable::kFull);
}

TEST(NameTable, RefusesCleanlyWhenAll65536NumbersAreTaken) {
  NameTable table;
  for (std::uint32_t n = 0; n < NameTable::kCapacity; ++n) table.Take(n, n + 1);
  EXPECT_EQ(table.FindFreeSlot(), NameTable::kFull);
  table.Take(70000, 5);  // out of range: ignored
  EXPECT_EQ(table.Count(), NameTable::kCapacity);
  EXPECT_TRUE(table.Release(40001));
  EXPECT_EQ(table.FindFreeSlot(), 40000);
}

TEST(NameTable, AgreesWithAPlainScanUnderRandomUse) {
  NameTable table;
  std::set<std::uint32_t> taken;
  std::mt19937 random(7);
  for (int step = 0; step < 3000; ++step) {
    std::uint32_t lowest = 0;
    while (taken.count(lowest) != 0) ++lowest;
    ASSERT_EQ(table.FindFreeSlot(), static_cast<std::int32_t>(lowest)) << "step " << step;
    if (taken.empty() || random() % 3 != 0) {
      table.Take(lowest, lowest + 1);
      taken.insert(lowest);
    } else {
      auto victim = taken.begin();
      std::advance(victim, random() % taken.size());
      ASSERT_TRUE(table.Release(*victim + 1));
      taken.erase(victim);
    }
  }
}

TEST(PlacementNames, FirstButtonIsButton0WithIdc_Button0And2000) {
  const KindRow* button = KindRowFor(kKindButton);
  ASSERT_NE(button, nullptr);
  const PlacedNames names = NamesFor(*button, 0);
  EXPECT_STREQ(names.name, "Button0");
  EXPECT_STREQ(names.idName, "IDC_BUTTON0");
  EXPECT_EQ(names.id, 2000u);
  EXPECT_STREQ(NamesFor(*KindRowFor(kKindProgressBar), 12).idName, "IDC_PROGRES12");
  EXPECT_STREQ(NamesFor(*KindRowFor(kKindCalendar), 3).name, "calender3");
  EXPECT_EQ(NamesFor(*KindRowFor(kKindGroupBox), 65535).id, 86535u);
}

TEST(PlacementNames, ToolsThatPlaceNothingHaveNoRow) {
  for (std::uint32_t tool : {49u, 50u, 65u, 66u, 48u, 72u}) EXPECT_EQ(KindRowFor(tool), nullptr) << tool;
  for (const KindRow& row : kKindRows) EXPECT_EQ(KindRowFor(row.kind), &row);
}

}  // namespace
}  // namespace kelp
