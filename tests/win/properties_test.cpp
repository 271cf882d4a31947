// The property list as a user meets it: the rows each object shows, the
// row that stays selected from object to object, and the in-place editors
// that write every keystroke back into the object.
#include <windows.h>

#include <string>

#include "controls/design_control.h"
#include "core/grab_geometry.h"
#include "core/property_layout.h"
#include "designer/form_designer.h"
#include "designer/grab_handles.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "properties/properties.h"
#include "properties_fixture.h"
#include "win/gdi.h"

namespace kelp::test {
namespace {

using PropertyList = PropertiesTest;

TEST_F(PropertyList, EachKindShowsTheCommonRowsThenItsOwn) {
  EXPECT_EQ(RowCount(), 12) << "a form";
  EXPECT_EQ(RowName(0), " (Name)");
  EXPECT_EQ(RowName(4), " BkColor");
  EXPECT_EQ(RowName(10), " WS Style");
  EXPECT_EQ(RowName(11), " Icon");

  Place(kKindCheckBox, {20, 20, 120, 40});
  EXPECT_EQ(RowCount(), 12);
  EXPECT_EQ(RowName(11), " Checked");

  Place(kKindTrackBar, {20, 50, 160, 80});
  EXPECT_EQ(RowCount(), 14);
  EXPECT_EQ(RowName(11), " Tick Marks");
  EXPECT_EQ(RowName(12), " Tick Range");
  EXPECT_EQ(RowName(13), " Track Style");

  Place(kKindButton, {20, 90, 100, 115});
  EXPECT_EQ(RowCount(), 11);
  EXPECT_EQ(RowName(10), " WS Style");
  EXPECT_EQ(gProperties.target, gWorkspace.selectedWindow);
}

TEST_F(PropertyList, TheSelectedRowStaysWhereTheNextObjectHasIt) {
  HWND trackBar = Place(kKindTrackBar, {20, 20, 160, 50});
  HWND button = Place(kKindButton, {20, 60, 100, 85});
  HWND label = Place(kKindLabel, {20, 100, 120, 120});
  ClickOn(trackBar);
  ClickRow(13);
  EXPECT_EQ(SelectedRow(), 13);
  ClickOn(button);
  EXPECT_EQ(RowCount(), 11);
  EXPECT_EQ(SelectedRow(), LB_ERR) << "a command button has no row 13";

  ClickRow(3);
  ASSERT_NE(TextEditor(), nullptr);
  EXPECT_EQ(WindowText(TextEditor()), WindowText(button));
  ClickOn(label);
  EXPECT_EQ(SelectedRow(), 3);
  ASSERT_NE(TextEditor(), nullptr) << "the caption row of the label opens again";
  EXPECT_EQ(WindowText(TextEditor()), WindowText(label));
}

TEST_F(PropertyList, IdValueTypedAsMinusFiveIsShownSignedAndReopensUnsigned) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  ClickRow(2);
  EXPECT_EQ(WindowText(TextEditor()), "2000");
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("-5");
  EXPECT_EQ(RecordOfControl(button)->ctrlId, static_cast<std::uint32_t>(-5));

  ClickRow(1);
  EXPECT_TRUE(RowShowsValue(2, "-5"));
  ClickRow(2);
  EXPECT_EQ(WindowText(TextEditor()), "4294967291");
}

TEST_F(PropertyList, IdValueKeepsTheDigitsBeforeAnythingElse) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  ClickRow(2);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("12a");
  EXPECT_EQ(RecordOfControl(button)->ctrlId, 12u);
  SelectAllByKeyboard();
  TypeCharacters(" 5");
  EXPECT_EQ(RecordOfControl(button)->ctrlId, 0u);
}

TEST_F(PropertyList, TypingAFormsNameRetitlesItsFrameAtEachKeystroke) {
  const std::string title = WindowText(Frame());
  const std::string prefix = title.substr(0, title.find(" - ") + 3);
  ClickRow(0);
  EXPECT_EQ(WindowText(TextEditor()), std::string(FormRecordNow().handleName));
  EXPECT_EQ(WindowText(Frame()), title) << "opening the editor changes nothing";
  FocusEditor();
  SelectAllByKeyboard();
  for (const std::string typed : {"M", "Ma", "Mai", "Main"}) {
    TypeCharacters(typed.substr(typed.size() - 1));
    EXPECT_EQ(WindowText(Frame()), prefix + typed + " (Form)");
    EXPECT_EQ(std::string(FormRecordNow().handleName), typed);
  }
  EXPECT_EQ(title.substr(0, 11), "Project1 - ");
}

TEST_F(PropertyList, AControlsNameAndIdentifierNameChangeOnlyItsRecord) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  ClickRow(0);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("hOk");
  EXPECT_STREQ(RecordOfControl(button)->handleName, "hOk");
  EXPECT_EQ(WindowText(button), "Button0");
  ClickRow(1);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("IDC_OK");
  EXPECT_STREQ(RecordOfControl(button)->idName, "IDC_OK");
}

TEST_F(PropertyList, EditingTheCaptionChangesTheControlsTextAndRecord) {
  HWND label = Place(kKindLabel, {20, 20, 160, 40});
  ClickRow(3);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("Hello");
  EXPECT_EQ(WindowText(label), "Hello");
  EXPECT_STREQ(RecordOfControl(label)->caption, "Hello");
  ClickRow(0);
  ClickRow(3);
  EXPECT_EQ(WindowText(TextEditor()), "Hello");
}

TEST_F(PropertyList, EditingAFormsCaptionRetitlesItsPanel) {
  const std::string frameTitle = WindowText(Frame());
  ClickRow(3);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("Main window");
  EXPECT_EQ(WindowText(FormRecordOf(Frame())->backPanel), "Main window");
  EXPECT_STREQ(FormRecordNow().caption, "Main window");
  EXPECT_EQ(WindowText(Frame()), frameTitle);
}

TEST_F(PropertyList, RowsWithoutAnEditorOpenNoneAndCloseTheOpenOne) {
  Place(kKindCheckBox, {20, 20, 120, 40});
  for (int row : {5, 8, 9, 10, 11}) {
    ClickRow(0);
    ASSERT_NE(TextEditor(), nullptr);
    HWND open = TextEditor();
    ClickRow(row);
    EXPECT_EQ(SelectedRow(), row);
    EXPECT_FALSE(::IsWindow(open)) << "row " << row;
    EXPECT_EQ(TextEditor(), nullptr) << "row " << row;
    EXPECT_EQ(ColourField(), nullptr) << "row " << row;
  }
}

// The rows describe the selected object whatever a request names: a kind
// without rows, or the form while its check box is selected.
TEST_F(PropertyList, AKindWithoutRowsOrAnotherObjectsKindLeavesTheRowsAndTheTargetAsTheyWere) {
  HWND check = Place(kKindCheckBox, {20, 20, 120, 40});
  ClickRow(1);
  HWND open = TextEditor();
  ASSERT_NE(open, nullptr);
  for (LPARAM kind : {50, 49, 200, static_cast<int>(kKindForm)}) {
    EXPECT_EQ(::SendMessageA(Properties(), PWM_SHOWPROPERTIES, reinterpret_cast<WPARAM>(Frame()), kind), 0);
    EXPECT_EQ(RowCount(), 12);
    EXPECT_EQ(RowName(11), " Checked");
    EXPECT_EQ(gProperties.target, check);
  }
  EXPECT_FALSE(::IsWindow(open)) << "the editor closes all the same";
  ClickRow(0);
  ClickRow(1);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("IDC_AGREE");
  EXPECT_STREQ(RecordOfControl(check)->idName, "IDC_AGREE") << "edits still go to the check box";
}

TEST_F(PropertyList, WidthAndHeightResizeTheControlAtEachKeystroke) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  ClickRow(6);
  EXPECT_EQ(WindowText(TextEditor()), "80");
  FocusEditor();
  HWND editor = TextEditor();
  SelectAllByKeyboard();
  TypeCharacters("1");
  EXPECT_EQ(RectInParent(button).right - RectInParent(button).left, 1);
  TypeCharacters("20");
  EXPECT_EQ(RectInParent(button).right - RectInParent(button).left, 120);
  EXPECT_EQ(RecordOfControl(button)->width, 120);
  EXPECT_EQ(TextEditor(), editor) << "the editor stays while the control resizes";
  EXPECT_EQ(::GetFocus(), editor);

  SelectAllByKeyboard();
  TypeCharacters("0");
  EXPECT_EQ(RectInParent(button).right - RectInParent(button).left, 120) << "0 is no size";
  SelectAllByKeyboard();
  TypeCharacters("-");
  EXPECT_EQ(RecordOfControl(button)->width, 120);

  ClickRow(7);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("40");
  EXPECT_EQ(RectInParent(button).bottom - RectInParent(button).top, 40);
  EXPECT_EQ(RecordOfControl(button)->height, 40);
  EXPECT_EQ(RectInParent(button).right - RectInParent(button).left, 120);
}

TEST_F(PropertyList, AFormsHeightResizesItsPanelAndItsScrollRange) {
  HWND panel = FormRecordOf(Frame())->backPanel;
  SCROLLINFO before{sizeof(before), SIF_RANGE | SIF_PAGE};
  ::GetScrollInfo(Frame(), SB_VERT, &before);
  ClickRow(7);
  FocusEditor();
  SelectAllByKeyboard();
  TypeCharacters("600");
  EXPECT_EQ(ScreenRect(panel).bottom - ScreenRect(panel).top, 600);
  EXPECT_EQ(FormRecordNow().height, 600);
  SCROLLINFO after{sizeof(after), SIF_RANGE | SIF_PAGE};
  ::GetScrollInfo(Frame(), SB_VERT, &after);
  EXPECT_GT(after.nMax, before.nMax) << "the frame scrolls over the taller panel";
}

// A timer is its picture's size whatever is typed, as whatever is drawn.
TEST_F(PropertyList, ATypedSizeLeavesATimerItsPicturesSize) {
  HWND timer = Place(kKindTimer, {20, 20, 60, 60});
  TypeOver(6, "150");
  const RECT r = RectInParent(timer);
  EXPECT_EQ(r.right - r.left, kTimerSize);
  EXPECT_EQ(RecordOfControl(timer)->width, kTimerSize);
}

// No window is wider than its 16-bit coordinates hold: a size typed beyond
// them is cut to what the control and its grab handles can have, and the
// record says what the control became.
TEST_F(PropertyList, AnEnormousTypedSizeIsCutAndTheHandlesStillSurroundTheControl) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  TypeOver(6, "163177");
  const RECT r = RectInParent(button);
  EXPECT_EQ(r.right - r.left, kLargestExtent);
  EXPECT_EQ(RecordOfControl(button)->width, kLargestExtent);
  EXPECT_EQ(RectInParent(GrabHandleWindow(2)).left, r.right) << "the bottom-right handle sits at its corner";
}

// A control just given the focus (here by a press on its form's caption,
// which brings back the form's last selection) is resized from the
// property list: its grab handles move with it.
TEST_F(PropertyList, TheGrabHandlesFollowAControlResizedRightAfterItWasFocused) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  ClickQueued(ClientToScreenPoint(Frame(), {60, -8}));  // the frame's caption
  ASSERT_EQ(gWorkspace.selectedWindow, button);
  ASSERT_EQ(RecordOfControl(button)->settled, 0u);
  TypeOver(7, "70");
  const RECT r = RectInParent(button);
  ASSERT_EQ(r.bottom - r.top, 70);
  EXPECT_EQ(GrabHandleTarget(), button);
  EXPECT_EQ(RectInParent(GrabHandleWindow(2)).top, r.bottom) << "the bottom-right handle";
}

// A form holding a status bar: resizing the form makes the status bar dock
// again, which neither selects it nor lets the write-back take the form's
// frame for a control (it once wrote through its child identifier).
TEST_F(PropertyList, ResizingAFormWithAStatusBarKeepsTheFormSelected) {
  HWND status = Place(kKindStatusBar, {10, 10, 60, 30});
  ASSERT_NE(status, nullptr);
  ClickOn(Surface());
  ASSERT_EQ(gWorkspace.selectedWindow, Frame());
  TypeOver(7, "300");
  EXPECT_EQ(gWorkspace.selectedWindow, Frame());
  EXPECT_EQ(gWorkspace.selectedKind, kKindForm);
  EXPECT_EQ(gProperties.target, Frame());
  EXPECT_EQ(FormRecordNow().height, 300);
  RECT surface{};
  ::GetClientRect(Surface(), &surface);
  EXPECT_EQ(RectInParent(status).bottom, surface.bottom) << "the status bar docked again";
}

// A closed (hidden) form stays selected, and its size can still be typed:
// its status bar docks to the new size all the same, window and record.
TEST_F(PropertyList, AStatusBarFollowsTheWidthTypedForItsClosedForm) {
  HWND status = Place(kKindStatusBar, {10, 10, 60, 30});
  ASSERT_NE(status, nullptr);
  ClickOn(Surface());
  ASSERT_EQ(gWorkspace.selectedWindow, Frame());
  ::ShowWindow(Frame(), SW_HIDE);
  TypeOver(6, "233");
  RECT surface{};
  ::GetClientRect(Surface(), &surface);
  RECT bar{};
  ::GetClientRect(status, &bar);
  EXPECT_EQ(bar.right, surface.right) << "the window";
  EXPECT_EQ(RecordOfControl(status)->width, surface.right) << "the record";
  EXPECT_EQ(RecordOfControl(status)->top, surface.bottom - bar.bottom);
}

TEST_F(PropertyList, ARepaintKeepsTheOpenEditorAndWhatIsTyped) {
  HWND button = Place(kKindButton, {20, 20, 100, 45});
  ClickRow(1);
  FocusEditor();
  HWND editor = TextEditor();
  SelectAllByKeyboard();
  TypeCharacters("IDC_A");
  ::InvalidateRect(List(), nullptr, TRUE);
  ::UpdateWindow(List());
  EXPECT_EQ(TextEditor(), editor);
  TypeCharacters("B");
  EXPECT_STREQ(RecordOfControl(button)->idName, "IDC_AB");
  EXPECT_EQ(WindowText(editor), "IDC_AB");
}

TEST_F(PropertyList, RowsAreAGridWithTheSelectedNameHighlighted) {
  ClickRow(5);
  const Pixels list = Pixels::OfClient(List());
  const RECT selected = RowClientRect(5);
  const RECT normal = RowClientRect(6);
  const COLORREF grid = ::GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(list.At(kNameColumnWidth - 1, (normal.top + normal.bottom) / 2), grid) << "the column divider";
  EXPECT_EQ(list.At(150, normal.bottom - 1), grid) << "the line under a row";
  EXPECT_EQ(list.At(2, (selected.top + selected.bottom) / 2), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(list.At(2, (normal.top + normal.bottom) / 2), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(list.At(150, (selected.top + selected.bottom) / 2), ::GetSysColor(COLOR_WINDOW))
      << "only the name column of the selected row is highlighted";
  EXPECT_TRUE(RowShowsValue(6, std::to_string(FormRecordNow().width).c_str()));
}

TEST_F(PropertyList, BackColourShowsASwatchAndItsHexadecimalText) {
  HWND label = Place(kKindLabel, {20, 20, 120, 40});
  ::SendMessageA(label, DCM_SETBACKCOLOUR, 0, RGB(255, 128, 0));
  ClickOn(label);
  const Pixels list = Pixels::OfClient(List());
  const RECT row = RowClientRect(4);
  EXPECT_EQ(list.At(108, (row.top + row.bottom) / 2), RGB(255, 128, 0));
  EXPECT_EQ(list.At(kNameColumnWidth + 2, (row.top + row.bottom) / 2), RGB(0, 0, 0)) << "the swatch's frame";
  // The text, drawn where the list draws it.
  SIZE extent{};
  {
    win::MemoryDc dc(nullptr);
    win::ScopedSelect font(dc, gProperties.listFont);
    ::GetTextExtentPoint32A(dc, "000080FFh", 9, &extent);
  }
  const RECT text{120, row.top, 120 + extent.cx, row.bottom - 1};
  EXPECT_GT(list.Count(::GetSysColor(COLOR_MENUTEXT), text), 20);
}

TEST_F(PropertyList, LayoutFollowsTheWindowsSizeWithThePanelBelowTheList) {
  ::MoveWindow(Properties(), 580, 10, 260, 400, TRUE);
  PumpPending();
  RECT client{};
  ::GetClientRect(Properties(), &client);
  const RECT list = RectInParent(List());
  EXPECT_EQ(list.top, kPropertyListTop);
  EXPECT_EQ(list.right - list.left, client.right);
  EXPECT_EQ(list.bottom - list.top, client.bottom - kPropertyListHeightMargin);
  EXPECT_EQ(RectInParent(gProperties.objectBox).right, client.right);
  RECT listClient{};
  ::GetClientRect(List(), &listClient);
  const Pixels window = Pixels::OfClient(Properties());
  const int panelTop = listClient.bottom + kPanelGapBelowList;
  EXPECT_EQ(window.At(kPanelInset, panelTop + 10), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(window.At(client.right - kPanelInset - 1, panelTop + 10), ::GetSysColor(COLOR_3DLIGHT));
}

}  // namespace
}  // namespace kelp::test
