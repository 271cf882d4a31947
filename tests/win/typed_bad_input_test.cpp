// Bad input typed into the property editors as a user types it: 300
// characters one keystroke at a time, then 100,000 pasted at once, into the
// name, identifier name, identifier value, caption, width and height of a
// control and of a form. Nothing crashes, nothing is written past a field,
// and each field keeps the longest text that fits it.
#include <windows.h>

#include <cstring>
#include <string>

#include "controls/design_control.h"
#include "core/grab_geometry.h"
#include "core/number_format.h"
#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "entry/workspace.h"
#include "harness.h"
#include "properties/properties.h"
#include "properties_fixture.h"

namespace kelp::test {
namespace {

constexpr std::size_t kTyped = 300;
constexpr std::size_t kPasted = 100000;
constexpr std::size_t kPastedStart = 3;  // the paste differs from what was typed
// What a 260-byte field keeps of a text, and what a control's caption keeps
// (its window text read back into 256 bytes).
constexpr std::size_t kFieldKeeps = kTextFieldSize - 1;
constexpr std::size_t kCaptionKeeps = 255;

// Letters (or digits) in an order that does not repeat soon; another start
// gives another text.
std::string LongText(std::size_t length, bool digits, std::size_t start = 0) {
  std::string text(length, ' ');
  for (std::size_t i = 0; i < length; ++i) {
    const std::size_t n = (i + start) * 7 + (i + start) / 26;
    text[i] = digits ? static_cast<char>('0' + n % 10) : static_cast<char>('a' + n % 26);
  }
  return text;
}

// A field holds exactly the first `kept` characters of the text and a zero.
::testing::AssertionResult Holds(const char* field, const std::string& text, std::size_t kept) {
  if (std::string(field, kept) != text.substr(0, kept)) return ::testing::AssertionFailure() << "not the text's start";
  if (field[kept] != '\0') return ::testing::AssertionFailure() << "no zero after " << kept;
  return ::testing::AssertionSuccess();
}

bool AllZero(const char* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

class TypedBadInput : public PropertiesTest {
 protected:
  // The row's editor, its text selected, then the text pasted over it with
  // Ctrl+V as a user pastes.
  void PasteOver(int row, const std::string& text) {
    ClickRow(row);
    FocusEditor();
    SelectAllByKeyboard();
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
    HoldKey(VK_CONTROL, true);
    PressKey('V');
    HoldKey(VK_CONTROL, false);
  }

  // Typed, then pasted: the field checked after each.
  template <typename Check>
  void TypeThenPaste(int row, bool digits, Check check) {
    const std::string typed = LongText(kTyped, digits);
    TypeOver(row, typed);
    {
      SCOPED_TRACE("typed");
      check(typed);
    }
    const std::string pasted = LongText(kPasted, digits, kPastedStart);
    PasteOver(row, pasted);
    SCOPED_TRACE("pasted");
    check(pasted);
  }
};

TEST_F(TypedBadInput, AControlsTextRowsKeepAsMuchAsTheirFieldsHold) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  ASSERT_NE(button, nullptr);
  const ControlRecord& record = *RecordOfControl(button);
  TypeThenPaste(kRowName, false, [&](const std::string& text) {
    EXPECT_TRUE(Holds(record.handleName, text, kFieldKeeps));
    EXPECT_STREQ(record.idName, "IDC_BUTTON0") << "the field before is untouched";
    EXPECT_EQ(std::string(record.caption), "Button0") << "the field after is untouched";
  });
  TypeThenPaste(kRowIdName, false, [&](const std::string& text) {
    EXPECT_TRUE(Holds(record.idName, text, kFieldKeeps));
    EXPECT_EQ(record.ctrlId, 2000u);
    EXPECT_TRUE(Holds(record.handleName, LongText(kPasted, false, kPastedStart), kFieldKeeps));
  });
  TypeThenPaste(kRowCaption, false, [&](const std::string& text) {
    EXPECT_EQ(WindowText(button), text.substr(0, kFieldKeeps)) << "the control shows what the editor held";
    EXPECT_TRUE(Holds(record.caption, text, kCaptionKeeps));
    EXPECT_TRUE(AllZero(record.reserved2, sizeof(record.reserved2))) << "nothing past the caption";
  });
  Pixels::OfClient(button);  // still paints
  Pixels::OfClient(List());
}

// The identifier value takes the number of the first 259 digits (wrapping
// as ParseDecimal does); a size takes it too, cut to what a window holds.
TEST_F(TypedBadInput, NumberRowsTakeTheNumberOfWhatFitsAndSizesStayWithinAWindowsReach) {
  HWND box = Place(kKindTextBox, {20, 20, 140, 60});
  ASSERT_NE(box, nullptr);
  const ControlRecord& record = *RecordOfControl(box);
  TypeThenPaste(kRowIdValue, true, [&](const std::string& digits) {
    EXPECT_EQ(record.ctrlId, static_cast<std::uint32_t>(ParseDecimal(digits.substr(0, kFieldKeeps).c_str())));
  });
  for (int row : {kRowWidth, kRowHeight}) {
    TypeThenPaste(row, true, [&](const std::string&) {
      const RECT r = RectInParent(box);
      const int extent = row == kRowWidth ? r.right - r.left : r.bottom - r.top;
      EXPECT_LE(extent, kLargestExtent);
      EXPECT_EQ(row == kRowWidth ? record.width : record.height, extent);
    });
  }
  Pixels::OfClient(box);
}

// A form's name retitles its frame: the title keeps "Project1 - ", as much
// of the name as fits, and " (Form)".
TEST_F(TypedBadInput, AFormsNameAndCaptionKeepAsMuchAsFits) {
  ControlRecord& record = FormRecordNow();
  TypeThenPaste(kRowName, false, [&](const std::string& text) {
    EXPECT_TRUE(Holds(record.handleName, text, kFieldKeeps));
    const std::string title = WindowText(Frame());
    EXPECT_EQ(title.size(), kFieldKeeps);
    EXPECT_EQ(title.substr(0, 11), "Project1 - ");
    EXPECT_EQ(title.substr(11, title.size() - 11 - 7), text.substr(0, kFieldKeeps - 11 - 7));
    EXPECT_EQ(title.substr(title.size() - 7), " (Form)");
  });
  TypeThenPaste(kRowCaption, false, [&](const std::string& text) {
    EXPECT_TRUE(Holds(record.caption, text, kFieldKeeps));
    EXPECT_EQ(WindowText(FormRecordOf(Frame())->backPanel), text.substr(0, kFieldKeeps));
    EXPECT_TRUE(AllZero(record.reserved2, sizeof(record.reserved2)));
  });
  EXPECT_EQ(gWorkspace.selectedWindow, Frame());
  Pixels::OfClient(Frame());
}

}  // namespace
}  // namespace kelp::test
