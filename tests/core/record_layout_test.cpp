// The control record is a host-visible layout: a record filled through its
// fields must put each value at the byte offset hosts read it from.
#include <gtest/gtest.h>

#include <cstring>

#include "core/control_record.h"

namespace kelp {
namespace {

std::uint32_t WordAt(const ControlRecord& record, std::size_t offset) {
  std::uint32_t word;
  std::memcpy(&word, reinterpret_cast<const unsigned char*>(&record) + offset, sizeof(word));
  return word;
}

TEST(ControlRecord, FieldsLieAtTheirPublishedOffsets) {
  ControlRecord record{};
  ASSERT_EQ(sizeof(record), 1928u);
  record.settled = 1;
  record.hParent = 0x11111111;
  record.dragging = 1;
  record.kind = kKindButton;
  record.left = -3;
  record.top = 20;
  record.width = 75;
  record.height = 23;
  record.ctrlId = 2000;
  record.hFont = 0x22222222;
  record.hPopupMenu = 0x33333333;
  record.exStyle = 0x200;
  record.style = 0x56000000;
  record.classStyle = 0x8;
  record.enabled = 1;
  record.backColour = 0x00C0C0C0;
  record.hBackBrush = 16;
  record.foreColour = 0x000000FF;
  record.hCodeWindow = 0x44444444;
  record.codeOpen = 1;
  std::strcpy(record.idName, "IDC_BUTTON0");
  std::strcpy(record.handleName, "hButton0");
  std::strcpy(record.caption, "Button0");

  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
  EXPECT_EQ(WordAt(record, 0), 1u);
  EXPECT_EQ(WordAt(record, 4), 0x11111111u);
  EXPECT_EQ(WordAt(record, 8), 1u);
  EXPECT_EQ(WordAt(record, 16), 54u);
  EXPECT_EQ(WordAt(record, 20), 0xFFFFFFFDu);
  EXPECT_EQ(WordAt(record, 24), 20u);
  EXPECT_EQ(WordAt(record, 28), 75u);
  EXPECT_EQ(WordAt(record, 32), 23u);
  EXPECT_EQ(WordAt(record, 36), 2000u);
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 40), "IDC_BUTTON0");
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 300), "hButton0");
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 560), "Button0");
  EXPECT_EQ(WordAt(record, 1096), 0x22222222u);
  EXPECT_EQ(WordAt(record, 1100), 0x33333333u);
  EXPECT_EQ(WordAt(record, 1884), 0x200u);
  EXPECT_EQ(WordAt(record, 1888), 0x56000000u);
  EXPECT_EQ(WordAt(record, 1892), 0x8u);
  EXPECT_EQ(WordAt(record, 1896), 1u);
  EXPECT_EQ(WordAt(record, 1900), 0x00C0C0C0u);
  EXPECT_EQ(WordAt(record, 1904), 16u);
  EXPECT_EQ(WordAt(record, 1908), 0xFFu);
  EXPECT_EQ(WordAt(record, 1912), 0x44444444u);
  EXPECT_EQ(WordAt(record, 1924), 1u);
}

TEST(ControlRecord, ReservedAreasStayZero) {
  ControlRecord record{};
  std::memset(record.idName, 'x', sizeof(record.idName));
  std::memset(record.caption, 'x', sizeof(record.caption));
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
  for (std::size_t i = 820; i < 1096; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;
  for (std::size_t i = 1104; i < 1884; ++i) ASSERT_EQ(bytes[i], 0) << "offset " << i;
}

}  // namespace
}  // namespace kelp
