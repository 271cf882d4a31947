// The colour picker with the real mouse: the field's drop-down button, a
// drag onto a palette cell, the system colours, and the pop-up closing on a
// press elsewhere; and what a pick leaves behind.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "controls/design_control.h"
#include "core/colour_tables.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "properties/colour_picker.h"
#include "properties/properties.h"
#include "properties_fixture.h"
#include "win/colour_brushes.h"
#include "win/handles.h"
#include "win/rect.h"

namespace kelp::test {
namespace {

constexpr COLORREF kOrange = RGB(255, 128, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr int kOrangeCell = 18;
constexpr int kRedCell = 17;

class ColourPicker : public PropertiesTest {
 protected:
  // Opens the " BkColor" row's field for the selected object.
  HWND OpenField() {
    ClickRow(kRowBackColour);
    HWND field = ColourField();
    EXPECT_NE(field, nullptr);
    return field;
  }

  static POINT DropDownButtonOf(HWND field) {
    const RECT r = ScreenRect(field);
    return {r.right - (r.bottom - r.top) / 2, (r.top + r.bottom) / 2};
  }

  static ColourFieldState& StateOf(HWND field) {
    EXPECT_TRUE(::IsWindow(field));
    static ColourFieldState none{};
    ColourFieldState* state = ::IsWindow(field) ? FieldStateOf(field) : nullptr;
    return state != nullptr ? *state : none;
  }

  static POINT OnPalette(HWND field, int cell) {
    const Rect c = PaletteCell(cell);
    return ClientToScreenPoint(StateOf(field).palettePage, {(c.left + c.right) / 2, (c.top + c.bottom) / 2});
  }

  // Press on the drop-down button, drag onto the cell, release there.
  void PickFromPalette(HWND field, int cell) {
    const POINT from = DropDownButtonOf(field);
    PressLeft(from);
    ASSERT_NE(StateOf(field).popup, nullptr);
    ASSERT_TRUE(::IsWindowVisible(StateOf(field).popup));
    const POINT to = OnPalette(field, cell);
    for (int i = 1; i <= 6; ++i)
      MoveMouseTo({from.x + (to.x - from.x) * i / 6, from.y + (to.y - from.y) * i / 6});
    ReleaseLeft(to);
  }

  // Opens the pop-up with a click on the drop-down button.
  HWND OpenPopup(HWND field) {
    Click(DropDownButtonOf(field));
    HWND popup = StateOf(field).popup;
    EXPECT_TRUE(popup != nullptr && ::IsWindowVisible(popup));
    return popup;
  }

  static POINT TabCentre(HWND tabs, int index) {
    RECT r{};
    ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    ::MapWindowPoints(tabs, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return Centre(r);
  }
};

TEST_F(ColourPicker, TheFieldShowsThePresetColourAndItsText) {
  HWND label = Place(kKindLabel, {20, 20, 120, 40});
  ::SendMessageA(label, DCM_SETBACKCOLOUR, 0, kOrange);
  ClickOn(label);
  HWND field = OpenField();
  ASSERT_NE(field, nullptr);
  EXPECT_STREQ(StateOf(field).text, "000080FFh");
  EXPECT_EQ(StateOf(field).target, label);
  const Pixels pixels = Pixels::OfClient(field);
  EXPECT_EQ(pixels.At(6, pixels.Height() / 2), kOrange) << "the swatch";
  EXPECT_EQ(pixels.At(2, pixels.Height() / 2), RGB(0, 0, 0)) << "its frame";
  EXPECT_EQ(StateOf(field).popup, nullptr) << "no pop-up before the button is pressed";
}

TEST_F(ColourPicker, OpeningOnWhiteHighlightsTheLastWhiteCell) {
  HWND label = Place(kKindLabel, {20, 20, 120, 40});
  ::SendMessageA(label, DCM_SETBACKCOLOUR, 0, RGB(255, 255, 255));
  ClickOn(label);
  HWND field = OpenField();
  HWND popup = OpenPopup(field);
  const RECT expected = win::ToRECT(PopupPlace(win::FromRECT(ScreenRect(field))));
  const RECT at = ScreenRect(popup);
  EXPECT_EQ(at.left, expected.left);
  EXPECT_EQ(at.top, expected.top);
  EXPECT_EQ(at.right, expected.right);

  const ColourFieldState& state = StateOf(field);
  EXPECT_EQ(state.selectedCell.left, PaletteCell(63).left);
  EXPECT_EQ(state.selectedCell.top, PaletteCell(63).top);
  const Pixels palette = Pixels::OfClient(state.palettePage);
  const Rect last = PaletteCell(63);
  EXPECT_EQ(palette.At(last.left - 2, last.top + 7), RGB(255, 255, 255)) << "the white ring around cell 63";
  EXPECT_EQ(palette.At(last.left - 3, last.top + 7), RGB(0, 0, 0)) << "framed black";
  const Rect first = PaletteCell(0);
  EXPECT_EQ(palette.At(first.left - 1, first.top + 7), RGB(128, 128, 128)) << "cell 0 is not highlighted";
}

TEST_F(ColourPicker, DraggingFromTheButtonOntoACellPicksItForAControl) {
  HWND label = Place(kKindLabel, {20, 20, 140, 50});
  HWND field = OpenField();
  HWND popup = nullptr;
  {
    PressLeft(DropDownButtonOf(field));
    popup = StateOf(field).popup;
    ReleaseLeft(DropDownButtonOf(field));
  }
  ASSERT_NE(popup, nullptr);
  HWND palette = StateOf(field).palettePage;
  PickFromPalette(field, kOrangeCell);

  const ControlRecord* record = RecordOfControl(label);
  EXPECT_EQ(record->backColour, kOrange);
  LOGBRUSH brush{};
  ASSERT_NE(::GetObjectA(win::FromHandle32<HBRUSH>(record->hBackBrush), sizeof(brush), &brush), 0);
  EXPECT_EQ(brush.lbColor, kOrange);
  EXPECT_FALSE(::IsWindow(field));
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_FALSE(::IsWindow(palette));
  // The row is still selected; a repaint of it opens a new field, on the new colour.
  if (HWND now = ColourField()) {
    EXPECT_EQ(StateOf(now).colour, kOrange);
  }
  EXPECT_EQ(gWorkspace.selectedWindow, label);
  EXPECT_EQ(gWorkspace.selectedKind, kKindLabel);
  const Pixels pixels = Pixels::OfClient(label);
  EXPECT_EQ(pixels.At(pixels.Width() - 3, pixels.Height() - 3), kOrange)
      << "the label repaints in the colour";
}

TEST_F(ColourPicker, DraggingOntoACellRepaintsTheFormInItsColour) {
  HWND field = OpenField();
  HWND palette = nullptr;
  PressLeft(DropDownButtonOf(field));
  HWND popup = StateOf(field).popup;
  palette = StateOf(field).palettePage;
  const POINT to = OnPalette(field, kRedCell);
  MoveMouseTo({to.x, to.y - 30});
  MoveMouseTo(to);
  ReleaseLeft(to);

  EXPECT_EQ(FormRecordNow().backColour, kRed);
  EXPECT_FALSE(::IsWindow(field));
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_FALSE(::IsWindow(palette));
  EXPECT_EQ(gWorkspace.selectedWindow, Frame());
  const Pixels surface = Pixels::OfClient(Surface());
  EXPECT_GT(surface.Count(kRed, {0, 0, surface.Width(), surface.Height()}),
            surface.Width() * surface.Height() / 2);
  // The form selected itself again: its rows show the new colour.
  HWND reopened = ColourField();
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(StateOf(reopened).colour, kRed);
  EXPECT_STREQ(StateOf(reopened).text, "000000FFh");
}

TEST_F(ColourPicker, ButtonDarkShadowPicksTheButtonShadowColour) {
  HWND label = Place(kKindLabel, {20, 20, 140, 50});
  HWND field = OpenField();
  HWND popup = OpenPopup(field);
  const ColourFieldState& state = StateOf(field);
  Click(TabCentre(state.tabControl, 1));
  EXPECT_TRUE(::IsWindowVisible(state.systemPage));
  EXPECT_FALSE(::IsWindowVisible(state.palettePage));
  EXPECT_TRUE(::IsWindowVisible(popup)) << "a press on the tab control keeps the pop-up";
  HWND list = state.systemList;
  EXPECT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), kSystemColourRowCount);
  ::SendMessageA(list, LB_SETTOPINDEX, 19, 0);
  RECT row{};
  ::SendMessageA(list, LB_GETITEMRECT, 21, reinterpret_cast<LPARAM>(&row));
  ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
  Click(Centre(row));

  EXPECT_EQ(RecordOfControl(label)->backColour, ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_FALSE(::IsWindow(field));
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_FALSE(::IsWindow(list));
  PumpPending();
  EXPECT_EQ(gWorkspace.selectedWindow, label) << "the label stays selected";
  EXPECT_EQ(::GetActiveWindow(), MainFrame()) << "the pop-up never took the activation";
}

TEST_F(ColourPicker, APresetOfTheShadowColourSelectsButtonShadowNotTheDarkOne) {
  HWND label = Place(kKindLabel, {20, 20, 140, 50});
  ::SendMessageA(label, DCM_SETBACKCOLOUR, 0, ::GetSysColor(COLOR_BTNSHADOW));
  ClickOn(label);
  HWND field = OpenField();
  OpenPopup(field);
  const LRESULT row = ::SendMessageA(StateOf(field).systemList, LB_GETCURSEL, 0, 0);
  ASSERT_NE(row, LB_ERR);
  EXPECT_LE(row, 16);
  EXPECT_EQ(::GetSysColor(kSystemColours[static_cast<std::size_t>(row)].index),
            ::GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(ColourPicker, APressElsewhereHidesThePopupAndAPressInsideTheViewerDoesNot) {
  Place(kKindLabel, {20, 20, 140, 50});
  HWND field = OpenField();
  HWND popup = OpenPopup(field);
  const ColourFieldState& state = StateOf(field);

  Click(TabCentre(state.tabControl, 0));
  EXPECT_TRUE(::IsWindowVisible(popup)) << "the tab control";
  Click(ClientToScreenPoint(popup, {1, 100}));
  EXPECT_TRUE(::IsWindowVisible(popup)) << "the pop-up's own edge";
  Click(ClientToScreenPoint(state.tabControl, {90, 172}));
  EXPECT_TRUE(::IsWindowVisible(popup)) << "the tab control below its page";

  Click(Centre(ScreenRect(gProperties.objectBox)));
  EXPECT_FALSE(::IsWindowVisible(popup)) << "the object box is another window";
  EXPECT_TRUE(::IsWindow(field)) << "hidden, not closed";

  OpenPopup(field);
  EXPECT_TRUE(::IsWindowVisible(popup)) << "the same pop-up shows again";
  EXPECT_EQ(StateOf(field).popup, popup);
  RightClick(ClientToScreenPoint(MainFrame(), {5, 660}));
  EXPECT_FALSE(::IsWindowVisible(popup)) << "a right press on the main frame";

  OpenPopup(field);
  const RECT fieldRect = ScreenRect(field);
  Click({fieldRect.left + 8, (fieldRect.top + fieldRect.bottom) / 2});
  EXPECT_FALSE(::IsWindowVisible(popup)) << "a press on the field's swatch closes it too";
  EXPECT_TRUE(::IsWindow(field));
}

TEST_F(ColourPicker, ClosingTheFieldTakesThePopupAndStopsTheHook) {
  HWND label = Place(kKindLabel, {20, 20, 140, 50});
  HWND field = OpenField();
  HWND popup = OpenPopup(field);
  ClickRow(kRowName);
  EXPECT_FALSE(::IsWindow(field));
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_EQ(gColourPicker.current, nullptr);
  // Presses go on as usual without the field.
  ClickOn(label);
  EXPECT_EQ(gWorkspace.selectedWindow, label);
}

TEST_F(ColourPicker, AQuickSecondPressOnTheButtonOpensThePopupAgain) {
  Place(kKindLabel, {20, 20, 140, 50});
  HWND field = OpenField();
  HWND popup = OpenPopup(field);
  ::ShowWindow(popup, SW_HIDE);
  Click(DropDownButtonOf(field));  // the second click of a double click
  EXPECT_TRUE(::IsWindowVisible(popup));
}

TEST_F(ColourPicker, APopupClosedOnItsOwnIsMadeAgainAtTheNextPress) {
  HWND label = Place(kKindLabel, {20, 20, 140, 50});
  HWND field = OpenField();
  HWND popup = OpenPopup(field);
  ::SendMessageA(popup, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(popup));
  EXPECT_EQ(StateOf(field).popup, nullptr);
  EXPECT_EQ(StateOf(field).palettePage, nullptr);
  HWND again = OpenPopup(field);
  EXPECT_NE(again, nullptr);
  PickFromPalette(field, kRedCell);
  EXPECT_EQ(RecordOfControl(label)->backColour, kRed);
}

TEST_F(ColourPicker, PickingAThousandTimesLeaksNothing) {
  HWND label = Place(kKindLabel, {20, 20, 140, 50});
  const std::size_t brushesBefore = win::LiveColourBrushes();
  int brushesLeftAlive = 0;
  for (int i = 0; i < 1000; ++i) {
    ::SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ::SendMessageA(List(), LB_SETCURSEL, kRowBackColour, 0);
    HWND field = ColourField();
    ASSERT_NE(field, nullptr) << "pick " << i;
    const auto recordBrush = win::FromHandle32<HBRUSH>(RecordOfControl(label)->hBackBrush);
    const auto classBrush = reinterpret_cast<HBRUSH>(::GetClassLongPtrA(label, GCLP_HBRBACKGROUND));
    // The field's own handling of a press on its button, then a press and a
    // release on a cell: what the real mouse does, without its delays.
    ::SetCursorPos(DropDownButtonOf(field).x, DropDownButtonOf(field).y);
    ::SendMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    HWND page = StateOf(field).palettePage;
    const POINT cell = OnPalette(field, i % 2 == 0 ? kOrangeCell : kRedCell);
    ::SetCursorPos(cell.x, cell.y);
    ::SendMessageA(page, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageA(page, WM_LBUTTONUP, 0, 0);
    ASSERT_FALSE(::IsWindow(field)) << "pick " << i;
    // What the previous pick made is gone (the first one replaces values
    // the library did not make, which stay).
    if (i > 0) brushesLeftAlive += (::GetObjectType(recordBrush) != 0) + (::GetObjectType(classBrush) != 0);
  }
  PumpPending();
  EXPECT_EQ(brushesLeftAlive, 0) << "every replaced brush was deleted";
  EXPECT_LE(win::LiveColourBrushes(), brushesBefore + 2) << "the record's brush and the class's";
  EXPECT_EQ(RecordOfControl(label)->backColour, kRed);

  std::vector<HBRUSH> fresh;
  for (int i = 0; i < 200; ++i) fresh.push_back(::CreateSolidBrush(RGB(i, 0, 0)));
  for (HBRUSH b : fresh) {
    EXPECT_NE(b, nullptr);
    ::DeleteObject(b);
  }
  const Pixels painted = Pixels::OfClient(label);
  EXPECT_EQ(painted.At(painted.Width() - 3, painted.Height() - 3), kRed) << "beside the text";
  ::SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  HWND field = OpenField();
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(Pixels::OfClient(field).At(6, 6), kRed) << "the swatch still paints right";

  // Deleted, the label takes its own brush along; the class keeps its one.
  const auto lastBrush = win::FromHandle32<HBRUSH>(RecordOfControl(label)->hBackBrush);
  CloseEditor();
  ::SendMessageA(label, WM_COMMAND, IDM_DELETE, 0);
  PumpPending();
  EXPECT_FALSE(::IsWindow(label));
  EXPECT_EQ(::GetObjectType(lastBrush), 0u) << "the deleted label's brush";
  EXPECT_LE(win::LiveColourBrushes(), brushesBefore + 1) << "only the class's";
}

TEST_F(ColourPicker, ASystemColourValueIsNeverDeleted) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  EXPECT_EQ(RecordOfControl(button)->hBackBrush, static_cast<Handle32>(COLOR_BTNFACE + 1));
  HWND field = OpenField();
  PickFromPalette(field, kOrangeCell);
  EXPECT_GT(RecordOfControl(button)->hBackBrush, 31u) << "a brush of the picked colour";
  EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE) != nullptr, true);
  EXPECT_EQ(::GetObjectType(::GetSysColorBrush(COLOR_BTNFACE)), static_cast<DWORD>(OBJ_BRUSH));
}

TEST_F(ColourPicker, ATimersPictureBrushSurvivesAPickForATimer) {
  HWND timer = Place(kKindTimer, {20, 20, 48, 48});
  const auto picture = reinterpret_cast<HBRUSH>(::GetClassLongPtrA(timer, GCLP_HBRBACKGROUND));
  ASSERT_EQ(::GetObjectType(picture), static_cast<DWORD>(OBJ_BRUSH));
  HWND field = OpenField();
  PickFromPalette(field, kOrangeCell);
  EXPECT_EQ(RecordOfControl(timer)->backColour, kOrange);
  EXPECT_EQ(::GetObjectType(picture), static_cast<DWORD>(OBJ_BRUSH)) << "shared by every timer";
}

}  // namespace
}  // namespace kelp::test
