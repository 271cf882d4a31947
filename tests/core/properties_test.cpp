// The properties window's platform-neutral rules: which rows each kind has,
// how values are shown and read back, and the colour picker's tables.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/colour_tables.h"
#include "core/number_format.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "core/text.h"

namespace kelp {
namespace {

std::string Hex(std::uint32_t colour) {
  char text[kHexColourTextSize];
  FormatHexColor(colour, text);
  return text;
}

std::vector<std::string> Rows(std::uint32_t kind) {
  std::vector<std::string> rows;
  for (int row = 0; row < RowCount(kind); ++row) rows.emplace_back(RowName(kind, row));
  return rows;
}

TEST(ParseDecimal, ReadsAnOptionalMinusThenDigitsUpToTheFirstOtherCharacter) {
  EXPECT_EQ(ParseDecimal("2000"), 2000);
  EXPECT_EQ(ParseDecimal("-5"), -5);
  EXPECT_EQ(ParseDecimal("12a"), 12);
  EXPECT_EQ(ParseDecimal("12a3"), 12);
  EXPECT_EQ(ParseDecimal(" 5"), 0);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("-"), 0);
  EXPECT_EQ(ParseDecimal("--5"), 0);
  EXPECT_EQ(ParseDecimal(nullptr), 0);
}

TEST(ParseDecimal, WrapsAtThirtyTwoBitsSoTheUnsignedFormReadsBackTheSame) {
  EXPECT_EQ(ParseDecimal("4294967291"), -5);
  EXPECT_EQ(ParseDecimal("4294967296"), 0);
  EXPECT_EQ(ParseDecimal("2147483648"), INT32_MIN);
  EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
  // Far more digits than fit: the value wraps, as the arithmetic does.
  EXPECT_EQ(ParseDecimal("99999999999999999999"), 1661992959);
}

TEST(FormatHexColor, EightUpperCaseDigitsMostSignificantFirstThenH) {
  EXPECT_EQ(Hex(Rgb(255, 128, 0)), "000080FFh");
  EXPECT_EQ(Hex(0x00C0C0FF), "00C0C0FFh");
  EXPECT_EQ(Hex(0), "00000000h");
  EXPECT_EQ(Hex(0xFFFFFFFF), "FFFFFFFFh");
  EXPECT_EQ(Hex(0x00ABCDEF), "00ABCDEFh");
}

TEST(PropertyRows, EveryObjectStartsWithTheElevenCommonRows) {
  const std::vector<std::string> common = {" (Name)",  " ID Name",  " ID Value", " Caption",
                                           " BkColor", " Enabled",  " Width",    " Height",
                                           " Font",    " Ex Style", " WS Style"};
  for (std::uint32_t kind : {48u, 51u, 54u, 65u, 71u}) {
    const std::vector<std::string> rows = Rows(kind);
    ASSERT_GE(rows.size(), common.size()) << kind;
    EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + 11), common) << kind;
  }
}

TEST(PropertyRows, KindsAddTheirOwnRowsAfterTheCommonOnes) {
  auto tail = [](std::uint32_t kind) {
    std::vector<std::string> rows = Rows(kind);
    return std::vector<std::string>(rows.begin() + kCommonRowCount, rows.end());
  };
  EXPECT_EQ(tail(48), (std::vector<std::string>{" Icon"}));
  EXPECT_EQ(tail(52), (std::vector<std::string>{" Scroll Bars"}));
  EXPECT_EQ(tail(55), (std::vector<std::string>{" Checked"}));
  EXPECT_EQ(tail(56), (std::vector<std::string>{" Checked"}));
  EXPECT_EQ(tail(69), (std::vector<std::string>{" Tick Marks", " Tick Range", " Track Style"}));
  EXPECT_EQ(tail(70), (std::vector<std::string>{" Step", " Range"}));
  EXPECT_EQ(tail(71), (std::vector<std::string>{" Parts"}));
  for (std::uint32_t kind : {51u, 53u, 54u, 57u, 58u, 59u, 60u, 61u, 62u, 63u, 64u, 65u, 66u, 67u, 68u}) {
    EXPECT_EQ(RowCount(kind), 11) << kind;
  }
  EXPECT_EQ(RowCount(55), 12);
  EXPECT_EQ(RowCount(69), 14);
  EXPECT_EQ(RowCount(48), 12);
}

TEST(PropertyRows, PointerPictureBoxAndUnknownKindsHaveNoRowList) {
  for (std::uint32_t kind : {0u, 47u, 49u, 50u, 72u, 0xFFFFFFFFu}) {
    EXPECT_FALSE(HasRowList(kind)) << kind;
    EXPECT_EQ(RowCount(kind), 0) << kind;
    EXPECT_EQ(RowName(kind, 0), nullptr) << kind;
  }
  EXPECT_EQ(RowName(54, 11), nullptr);
  EXPECT_EQ(RowName(54, -1), nullptr);
}

TEST(PropertyRows, NamesAreConstantsSharedByEveryList) {
  EXPECT_EQ(RowName(48, 3), RowName(54, 3));
  EXPECT_EQ(RowName(55, 11), RowName(56, 11));
}

TEST(PropertyRows, SeveralObjectsShareTheirCommonRowsButNamesAndTheKindRowsAllHave) {
  auto names = [](std::vector<std::uint32_t> kinds) {
    std::vector<std::string> shown;
    for (int row : SharedRows(kinds)) shown.emplace_back(RowName(kinds.front(), row));
    return shown;
  };
  const std::vector<std::string> common = {" Caption", " BkColor", " Enabled", " Width",
                                           " Height",  " Font",    " Ex Style", " WS Style"};
  EXPECT_EQ(names({54, 51}), common);
  std::vector<std::string> checked = common;
  checked.emplace_back(" Checked");
  EXPECT_EQ(names({55, 56}), checked) << "a check box and an option button both have Checked";
  EXPECT_EQ(names({55, 54}), common);
  EXPECT_EQ(names({69, 69}).size(), common.size() + 3);
  EXPECT_TRUE(SharedRows(std::vector<std::uint32_t>{54, 49}).empty()) << "a picture box has no rows";
  EXPECT_TRUE(SharedRows(std::vector<std::uint32_t>{}).empty());
}

TEST(PropertyRows, SeveralRecordsShowAValueOnlyWhereAllHaveIt) {
  ControlRecord a{}, b{};
  a.width = b.width = 40;
  a.height = 20;
  b.height = 30;
  CopyText(a.caption, "OK");
  CopyText(b.caption, "OK");
  const ControlRecord* both[] = {&a, &b};
  char text[kTextFieldSize];
  FormatSharedRowValue(both, kRowWidth, false, text);
  EXPECT_STREQ(text, "40");
  FormatSharedRowValue(both, kRowHeight, false, text);
  EXPECT_STREQ(text, "");
  FormatSharedRowValue(both, kRowCaption, true, text);
  EXPECT_STREQ(text, "OK");
  a.width = b.width = -1;
  FormatSharedRowValue(both, kRowWidth, false, text);
  EXPECT_STREQ(text, "-1");
  FormatSharedRowValue(both, kRowWidth, true, text);
  EXPECT_STREQ(text, "4294967295") << "an editor shows numbers as a single control's does";
}

TEST(PropertyRows, OnlyTheFirstRowsHaveEditors) {
  EXPECT_EQ(EditorOfRow(kRowName), RowEditor::kText);
  EXPECT_EQ(EditorOfRow(kRowIdName), RowEditor::kText);
  EXPECT_EQ(EditorOfRow(kRowIdValue), RowEditor::kText);
  EXPECT_EQ(EditorOfRow(kRowCaption), RowEditor::kText);
  EXPECT_EQ(EditorOfRow(kRowBackColour), RowEditor::kColour);
  EXPECT_EQ(EditorOfRow(kRowWidth), RowEditor::kText);
  EXPECT_EQ(EditorOfRow(kRowHeight), RowEditor::kText);
  for (int row : {5, 8, 9, 10, 11, 12, 13, -1}) EXPECT_EQ(EditorOfRow(row), RowEditor::kNone) << row;
  EXPECT_EQ(EditorIdOfRow(kRowWidth), 306);
  EXPECT_EQ(RowOfEditorId(303), kRowCaption);
}

TEST(PropertyRows, NumbersShowSignedInTheListAndUnsignedInTheEditor) {
  ControlRecord record{};
  record.ctrlId = static_cast<std::uint32_t>(-5);
  record.width = 120;
  record.height = -1;
  std::strcpy(record.handleName, "hButton0");
  char text[kTextFieldSize];
  FormatRowValue(record, kRowIdValue, text);
  EXPECT_STREQ(text, "-5");
  FormatEditorText(record, kRowIdValue, text);
  EXPECT_STREQ(text, "4294967291");
  FormatRowValue(record, kRowWidth, text);
  EXPECT_STREQ(text, "120");
  FormatRowValue(record, kRowHeight, text);
  EXPECT_STREQ(text, "-1");
  FormatEditorText(record, kRowHeight, text);
  EXPECT_STREQ(text, "4294967295");
  FormatRowValue(record, kRowName, text);
  EXPECT_STREQ(text, "hButton0");
  FormatRowValue(record, kRowEnabled, text);
  EXPECT_STREQ(text, "");
}

TEST(PropertyRows, RecordRowsWriteBackWhatIsTyped) {
  ControlRecord record{};
  EXPECT_TRUE(WriteBackRecordText(record, kRowName, "Main"));
  EXPECT_STREQ(record.handleName, "Main");
  EXPECT_TRUE(WriteBackRecordText(record, kRowIdName, "IDC_OK"));
  EXPECT_STREQ(record.idName, "IDC_OK");
  EXPECT_TRUE(WriteBackRecordText(record, kRowIdValue, "-5"));
  EXPECT_EQ(record.ctrlId, 4294967291u);
  EXPECT_FALSE(WriteBackRecordText(record, kRowCaption, "Text"));
  EXPECT_FALSE(WriteBackRecordText(record, kRowWidth, "10"));
  const std::string longName(400, 'x');
  EXPECT_TRUE(WriteBackRecordText(record, kRowName, longName.c_str()));
  EXPECT_EQ(std::strlen(record.handleName), kTextFieldSize - 1);
}

std::string Retitled(const char* title, const char* name) {
  char out[kTextFieldSize];
  ComposeRenamedFormTitle(title, name, out);
  return out;
}

TEST(RenamedFormTitle, KeepsThePartUpToTheSpaceAfterTheFirstDash) {
  EXPECT_EQ(Retitled("Project1 - Form1 (Form)", "M"), "Project1 - M (Form)");
  EXPECT_EQ(Retitled("Project1 - Form1 (Form)", "Main"), "Project1 - Main (Form)");
  EXPECT_EQ(Retitled("Project1 - Form1 (Form)", ""), "Project1 -  (Form)");
  EXPECT_EQ(Retitled("A-B-C", "x"), "A-Bx (Form)");
  EXPECT_EQ(Retitled("Ends with-", "x"), "Ends with-x (Form)");
}

TEST(RenamedFormTitle, ATitleWithoutADashKeepsNoPrefix) {
  EXPECT_EQ(Retitled("Form1", "Main"), "Main (Form)");
  EXPECT_EQ(Retitled("", "Main"), "Main (Form)");
}

TEST(RenamedFormTitle, NeverOverflowsCuttingTheNameFirst) {
  const std::string name(300, 'n');
  const std::string result = Retitled("Project1 - Form1 (Form)", name.c_str());
  EXPECT_EQ(result.size(), kTextFieldSize - 1);
  EXPECT_EQ(result.substr(0, 11), "Project1 - ");
  EXPECT_EQ(result.substr(result.size() - 7), " (Form)");

  const std::string prefix = std::string(258, 'p') + "- x";
  const std::string cut = Retitled(prefix.c_str(), "Main");
  EXPECT_EQ(cut.size(), kTextFieldSize - 1);
  EXPECT_EQ(cut.substr(cut.size() - 7), " (Form)");
}

TEST(RenamedFormTitle, TheMdiFormKeepsItsOwnSuffix) {
  char out[kTextFieldSize];
  ComposeRenamedFormTitle("Project1 - MDIForm2 (MDIForm)", "Main", out, " (MDIForm)");
  EXPECT_STREQ(out, "Project1 - Main (MDIForm)");
  const std::string name(300, 'n');
  ComposeRenamedFormTitle("Project1 - MDIForm2 (MDIForm)", name.c_str(), out, " (MDIForm)");
  EXPECT_EQ(std::strlen(out), kTextFieldSize - 1);
  EXPECT_EQ(std::string(out).substr(kTextFieldSize - 1 - 10), " (MDIForm)");
}

TEST(Palette, SixtyFourColoursRowByRowWithTheOffYellowsAndSixteenWhites) {
  EXPECT_EQ(kPalette[0], Rgb(255, 255, 255));
  EXPECT_EQ(kPalette[3], Rgb(254, 255, 192));
  EXPECT_EQ(kPalette[11], Rgb(253, 255, 128));
  EXPECT_EQ(kPalette[18], Rgb(255, 128, 0));
  EXPECT_EQ(kPalette[40], Rgb(0, 0, 0));
  EXPECT_EQ(kPalette[42], Rgb(128, 64, 64));
  for (int i = 48; i < 64; ++i) EXPECT_EQ(kPalette[static_cast<std::size_t>(i)], Rgb(255, 255, 255)) << i;
}

TEST(Palette, CellsAre15PixelsAtAPitchOf17) {
  EXPECT_EQ(PaletteCell(0), (Rect{4, 4, 19, 19}));
  EXPECT_EQ(PaletteCell(1), (Rect{21, 4, 36, 19}));
  EXPECT_EQ(PaletteCell(9), (Rect{21, 21, 36, 36}));
  EXPECT_EQ(PaletteCell(63), (Rect{123, 123, 138, 138}));
}

TEST(Palette, HitTestFindsTheCellUnderThePointAndNothingInTheGaps) {
  EXPECT_EQ(PaletteCellAt({4, 4}), 0);
  EXPECT_EQ(PaletteCellAt({18, 18}), 0);
  EXPECT_EQ(PaletteCellAt({19, 10}), std::nullopt);
  EXPECT_EQ(PaletteCellAt({20, 10}), std::nullopt);
  EXPECT_EQ(PaletteCellAt({21, 10}), 1);
  EXPECT_EQ(PaletteCellAt({130, 130}), 63);
  EXPECT_EQ(PaletteCellAt({3, 3}), std::nullopt);
  EXPECT_EQ(PaletteCellAt({-40, 200}), std::nullopt);
}

TEST(Palette, APresetSelectsTheLastCellOfItsColour) {
  EXPECT_EQ(LastPaletteCellOf(Rgb(255, 255, 255)), 63);
  EXPECT_EQ(LastPaletteCellOf(Rgb(255, 128, 0)), 18);
  EXPECT_EQ(LastPaletteCellOf(Rgb(1, 2, 3)), std::nullopt);
}

TEST(SystemColours, TwentyFiveNamesWithTheShadowRowsStandingForOtherIndices) {
  EXPECT_STREQ(kSystemColours[0].name, "Scroll Bars");
  EXPECT_STREQ(kSystemColours[13].name, "Hightlight");
  EXPECT_STREQ(kSystemColours[12].name, "Application workspace");
  EXPECT_STREQ(kSystemColours[21].name, "Button Dark Shadow");
  EXPECT_EQ(kSystemColours[21].index, 16);
  EXPECT_STREQ(kSystemColours[22].name, "Button Light Shadow");
  EXPECT_EQ(kSystemColours[22].index, 20);
  EXPECT_STREQ(kSystemColours[24].name, "ToolTip");
  EXPECT_EQ(kSystemColours[24].index, 24);
  for (int row = 0; row <= 20; ++row) EXPECT_EQ(kSystemColours[static_cast<std::size_t>(row)].index, row);
}

TEST(SystemColours, APresetMatchesTheFirstRowOfItsColour) {
  // Indices 16 and 17 share a colour here, as the shadow rows do everywhere.
  auto colours = [](int index) -> ColourRef {
    return index == 17 ? 160u : static_cast<ColourRef>(index * 10);
  };
  EXPECT_EQ(FirstSystemRowOf(160, colours), 16) << "Button Shadow, never Button Dark Shadow (21)";
  EXPECT_EQ(FirstSystemRowOf(230, colours), 23);
  EXPECT_EQ(FirstSystemRowOf(5, colours), std::nullopt);
}

TEST(PickerTabs, PaletteThenSystemWithTheirCommands) {
  EXPECT_STREQ(kPickerTabNames[0].text, "Palette");
  EXPECT_STREQ(kPickerTabNames[1].text, "System");
  EXPECT_EQ(TabCommandAt(kPickerTabCommands, 0), 2000u);
  EXPECT_EQ(TabCommandAt(kPickerTabCommands, 1), 2001u);
  EXPECT_EQ(TabCommandAt(kPickerTabCommands, 2), std::nullopt);
  EXPECT_EQ(TabCommandAt(kPickerTabCommands, -1), std::nullopt);
}

TEST(PropertyLayout, RowsDrawTheirGridAndValueColumnFromTheRowRectangle) {
  const Rect row{0, 32, 175, 48};
  EXPECT_EQ(RowFrame(row), (Rect{0, 31, 175, 48}));
  EXPECT_EQ(NameColumnFrame(row), (Rect{0, 31, 100, 48}));
  EXPECT_EQ(NameText(row), (Rect{4, 32, 104, 48}));
  EXPECT_EQ(ValueText(row), (Rect{100, 29, 175, 48}));
  EXPECT_EQ(ColourValueSwatch(row), (Rect{102, 34, 114, 45}));
  EXPECT_EQ(ColourValueText(row), (Rect{120, 32, 158, 47}));
  EXPECT_EQ(EditorPlace(row), (Rect{100, 32, 174, 47}));
}

TEST(PropertyLayout, PanelSitsBelowTheListAndThePopupUnderTheFieldsRightEdge) {
  EXPECT_EQ(DescriptionPanel(216, 200, 300), (Rect{5, 251, 195, 295}));
  const Rect field{500, 200, 574, 215};
  EXPECT_EQ(DropDownButton(field), (Rect{559, 200, 574, 215}));
  EXPECT_EQ(PopupPlace(field), (Rect{384, 215, 574, 400}));
  EXPECT_EQ(FieldButton(74, 15), (Rect{59, 0, 74, 15}));
  EXPECT_EQ(FieldColourText(74, 15), (Rect{20, 0, 59, 15}));
}

}  // namespace
}  // namespace kelp
