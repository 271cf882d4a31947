// Placing controls on a form as a user does: pick a tool, drag a rectangle,
// then move, copy, paste and delete them, with the real mouse.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

#include "controls/design_control.h"
#include "designer/form_designer.h"
#include "designer/grab_handles.h"
#include "designer/placement.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

class Placement : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    toolbox_ = Create_Tool_Bar(MainFrame());
    ::MoveWindow(MdiClient(), 80, 0, 900, 640, TRUE);
    surface_ = NewSurface();
    frame_ = FrameOfSurface(surface_);
  }
  void TearDown() override {
    ::DestroyWindow(toolbox_);
    gFormDesigner.copiedControl = nullptr;
    HostTest::TearDown();
  }

  void PickTool(std::uint32_t tool) {
    RECT r{};
    ::SendMessageA(gWorkspace.toolboxToolbar, TB_GETRECT, tool, reinterpret_cast<LPARAM>(&r));
    ::MapWindowPoints(gWorkspace.toolboxToolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    Click(Centre(r));
    ASSERT_EQ(gWorkspace.currentTool, tool);
  }

  POINT OnSurface(int x, int y) const { return ClientToScreenPoint(surface_, {x, y}); }

  // Picks the tool and drags its rectangle; returns the control placed.
  HWND Draw(std::uint32_t tool, RECT r) {
    PickTool(tool);
    gFormDesigner.newControl = nullptr;
    Drag(OnSurface(r.left, r.top), OnSurface(r.right, r.bottom));
    return gFormDesigner.newControl;
  }

  int ControlCount() const {
    int count = 0;
    for (HWND child = ::GetWindow(surface_, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (RecordOfControl(child) != nullptr) ++count;
    }
    return count;
  }

  HWND toolbox_ = nullptr;
  HWND surface_ = nullptr;
  HWND frame_ = nullptr;
};

TEST_F(Placement, FirstAndSecondButtonAreNumberedFromZero) {
  HWND first = Draw(kKindButton, {20, 20, 100, 45});
  ASSERT_NE(first, nullptr);
  const ControlRecord* record = RecordOfControl(first);
  EXPECT_EQ(WindowText(first), "Button0");
  EXPECT_STREQ(record->idName, "IDC_BUTTON0");
  EXPECT_EQ(record->ctrlId, 2000u);
  EXPECT_STREQ(record->handleName, "hButton0");
  EXPECT_EQ(gWorkspace.currentTool, kToolPointer) << "back to the Pointer Tool";
  EXPECT_TRUE(::SendMessageA(gWorkspace.toolboxToolbar, TB_ISBUTTONCHECKED, kToolPointer, 0));
  EXPECT_FALSE(::SendMessageA(gWorkspace.toolboxToolbar, TB_ISBUTTONCHECKED, kKindButton, 0));
  EXPECT_EQ(gWorkspace.selectedWindow, first);
  EXPECT_EQ(gWorkspace.selectedKind, kKindButton);
  EXPECT_NE(GrabHandleWindow(0), nullptr);
  const RECT r = RectInParent(first);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right, 100);
  EXPECT_EQ(r.bottom, 45);

  HWND second = Draw(kKindButton, {20, 60, 100, 85});
  EXPECT_EQ(WindowText(second), "Button1");
  EXPECT_EQ(RecordOfControl(second)->ctrlId, 2001u);
}

TEST_F(Placement, ADeletedNumberIsGivenToTheNextControl) {
  HWND first = Draw(kKindButton, {20, 20, 100, 45});
  Draw(kKindButton, {20, 60, 100, 85});
  // The context menu's "&Delete", chosen by its accelerator.
  RightClickThenKey(Centre(ScreenRect(first)), 'D');
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_EQ(gWorkspace.selectedWindow, frame_);
  HWND again = Draw(kKindButton, {120, 20, 200, 45});
  EXPECT_EQ(WindowText(again), "Button0");
  EXPECT_EQ(RecordOfControl(again)->ctrlId, 2000u);
}

TEST_F(Placement, ADragUpAndLeftGivesTheSameControlAsDownAndRight) {
  HWND reversed = Draw(kKindTextBox, {150, 90, 40, 30});
  ASSERT_NE(reversed, nullptr);
  const RECT r = RectInParent(reversed);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right, 150);
  EXPECT_EQ(r.bottom, 90);
}

TEST_F(Placement, AClickWithAToolCreatesNothingAndKeepsTheTool) {
  PickTool(kKindCheckBox);
  Click(OnSurface(50, 50));
  EXPECT_EQ(ControlCount(), 0);
  EXPECT_EQ(gWorkspace.currentTool, kKindCheckBox);
  EXPECT_EQ(gWorkspace.selectedWindow, frame_);
}

TEST_F(Placement, ADragWithThePointerCreatesNothing) {
  StandInWindow properties;
  gWorkspace.propertiesWindow = properties.Get();
  Drag(OnSurface(30, 30), OnSurface(120, 90));
  EXPECT_EQ(ControlCount(), 0);
  ASSERT_FALSE(properties.ReceivedBetween(PWM_SHOWPROPERTIES, PWM_SHOWPROPERTIES).empty());
  EXPECT_EQ(properties.ReceivedBetween(PWM_SHOWPROPERTIES, PWM_SHOWPROPERTIES).back().lParam, kKindForm);
}

TEST_F(Placement, ATimerIs28By28WhateverWasDragged) {
  HWND timer = Draw(kKindTimer, {30, 30, 200, 150});
  ASSERT_NE(timer, nullptr);
  const RECT r = RectInParent(timer);
  EXPECT_EQ(r.right - r.left, 28);
  EXPECT_EQ(r.bottom - r.top, 28);
  EXPECT_EQ(WindowText(timer), "timer0");
}

// Some controls do not take the rectangle drawn: the record says what the
// form shows, as the properties window then does.
TEST_F(Placement, TheRecordHoldsThePlaceAndSizeTheControlReallyTook) {
  for (auto [tool, r] : {std::pair{kKindTimer, RECT{30, 30, 34, 77}}, std::pair{kKindListBox, RECT{60, 30, 74, 63}},
                         std::pair{kKindComboBox, RECT{100, 30, 180, 130}}}) {
    HWND control = Draw(tool, r);
    ASSERT_NE(control, nullptr) << tool;
    const RECT took = RectInParent(control);
    const ControlRecord* record = RecordOfControl(control);
    EXPECT_EQ(record->left, took.left) << tool;
    EXPECT_EQ(record->top, took.top) << tool;
    EXPECT_EQ(record->width, took.right - took.left) << tool;
    EXPECT_EQ(record->height, took.bottom - took.top) << tool;
  }
}

// A status bar docks itself again inside the resize that moved it; the
// record keeps the size it ends with, not the one first announced.
TEST_F(Placement, AStatusBarsRecordFollowsItAsItDocksAgain) {
  HWND status = Draw(kKindStatusBar, {20, 20, 100, 40});
  ASSERT_NE(status, nullptr);
  const POINT start = Centre(ScreenRect(status));
  Drag(start, {start.x - 40, start.y - 60});
  RECT client{};
  ::GetClientRect(status, &client);
  EXPECT_EQ(RecordOfControl(status)->width, client.right);
  EXPECT_EQ(RecordOfControl(status)->height, client.bottom);
  EXPECT_GT(client.right, 0);
}

// A release over the form, its caption or its status bar whose press went
// elsewhere ends no drag there: what was selected stays selected, with its
// kind, its grab handles around it and its own rows in the properties window
// (the status bar docks itself again, which is no resize by the user).
TEST_F(Placement, AReleaseOverTheFormAfterAPressElsewhereChangesNothing) {
  HWND status = Draw(kKindStatusBar, {20, 20, 100, 40});
  HWND button = Draw(kKindButton, {20, 20, 100, 45});
  ASSERT_EQ(gWorkspace.selectedWindow, button);
  const RECT panel = ScreenRect(FormRecordOf(frame_)->backPanel);
  const POINT panelCaption{panel.left + 60, panel.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
  StandInWindow properties;
  gWorkspace.propertiesWindow = properties.Get();
  for (POINT over : {OnSurface(200, 150), Centre(ScreenRect(status)), panelCaption}) {
    properties.received.clear();
    PressLeft(ClientToScreenPoint(MdiClient(), {880, 620}));  // the MDI client's empty corner
    ReleaseLeft(over);
    EXPECT_EQ(gWorkspace.selectedWindow, button);
    EXPECT_EQ(gWorkspace.selectedKind, kKindButton);
    ASSERT_NE(GrabHandleWindow(0), nullptr);
    EXPECT_EQ(GrabHandleTarget(), button);
    for (const Recorded& shown : properties.ReceivedBetween(PWM_SHOWPROPERTIES, PWM_SHOWPROPERTIES)) {
      EXPECT_NE(shown.lParam, kKindForm) << "the button's rows stay, not the form's";
    }
  }
}

TEST_F(Placement, AGroupBoxLiesBeneathTheControlsItCovers) {
  HWND button = Draw(kKindButton, {40, 40, 120, 65});
  HWND group = Draw(kKindGroupBox, {20, 20, 220, 160});
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(::GetWindow(group, GW_HWNDNEXT), nullptr) << "last in z-order, beneath everything";
  HWND label = Draw(kKindLabel, {60, 90, 160, 110});
  EXPECT_EQ(::GetWindow(group, GW_HWNDNEXT), nullptr) << "still beneath after a later placement";
  EXPECT_NE(button, nullptr);
  EXPECT_NE(label, nullptr);
}

TEST_F(Placement, AControlDraggedMovesExactlyWithThePositionInTheCaption) {
  HWND button = Draw(kKindButton, {20, 20, 100, 45});
  const std::string saved = WindowText(frame_);
  const POINT start = Centre(ScreenRect(button));
  PressLeft(start);
  for (int step = 1; step <= 5; ++step) MoveMouseTo({start.x + 6 * step, start.y + 2 * step});
  EXPECT_EQ(WindowText(frame_), saved + " - 50,30") << "the outline's top-left while the button is held";
  HoldKey(VK_SHIFT, true);
  MoveMouseTo({start.x + 31, start.y + 11});
  EXPECT_EQ(WindowText(frame_), saved + " - 50,30") << "with Shift held the caption stays";
  MoveMouseTo({start.x + 30, start.y + 10});
  HoldKey(VK_SHIFT, false);
  ReleaseLeft({start.x + 30, start.y + 10});
  EXPECT_EQ(WindowText(frame_), saved);
  const RECT r = RectInParent(button);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right - r.left, 80);
  EXPECT_EQ(RecordOfControl(button)->left, 50);
}

TEST_F(Placement, AStatusBarDroppedInTheMiddleReturnsToTheBottom) {
  HWND status = Draw(kKindStatusBar, {20, 20, 100, 40});
  ASSERT_NE(status, nullptr);
  RECT client{};
  ::GetClientRect(surface_, &client);
  EXPECT_EQ(RectInParent(status).bottom, client.bottom);
  const POINT start = Centre(ScreenRect(status));
  Drag(start, {start.x, start.y - 100});
  EXPECT_EQ(RectInParent(status).bottom, client.bottom);
}

TEST_F(Placement, PasteWithNothingCopiedDoesNothing) {
  ::SendMessageA(surface_, WM_COMMAND, IDM_PASTE, 0);
  EXPECT_EQ(ControlCount(), 0);
}

TEST_F(Placement, APastedControlHasTheCopiedTextAndItsOwnNumbers) {
  HWND button = Draw(kKindButton, {40, 40, 140, 70});
  ::SetWindowTextA(button, "OK");
  RightClickThenKey(Centre(ScreenRect(button)), 'C');  // "&Copy"
  EXPECT_EQ(gFormDesigner.copiedControl, button);
  EXPECT_EQ(::GetMenuState(gWorkspace.formContextMenu, IDM_PASTE, MF_BYCOMMAND) & MF_GRAYED, 0u);
  RightClickThenKey(OnSurface(300, 150), 'P');  // the form's "&Paste"
  HWND pasted = gFormDesigner.newControl;
  ASSERT_NE(pasted, button);
  EXPECT_EQ(WindowText(pasted), "OK");
  EXPECT_STREQ(RecordOfControl(pasted)->idName, "IDC_BUTTON1");
  EXPECT_EQ(RecordOfControl(pasted)->ctrlId, 2001u);
  const RECT r = RectInParent(pasted);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(gWorkspace.currentTool, kToolPointer);
  EXPECT_EQ(gWorkspace.selectedWindow, pasted);

  // Deleting the copied control greys Paste again.
  RightClickThenKey(Centre(ScreenRect(button)), 'D');
  EXPECT_EQ(gFormDesigner.copiedControl, nullptr);
  EXPECT_EQ(::GetMenuState(gWorkspace.formContextMenu, IDM_PASTE, MF_BYCOMMAND) & MF_GRAYED,
            static_cast<UINT>(MF_GRAYED));
}

TEST_F(Placement, RightClickingAnUnselectedControlLeavesTheSelection) {
  HWND first = Draw(kKindButton, {20, 20, 100, 45});
  HWND second = Draw(kKindButton, {20, 60, 100, 85});
  ASSERT_EQ(gWorkspace.selectedWindow, second);
  RightClickThenKey(Centre(ScreenRect(first)), VK_ESCAPE);
  EXPECT_EQ(gWorkspace.selectedWindow, second);
  EXPECT_EQ(RectInParent(GrabHandleWindow(2)).left, 100) << "the handles stay around the second button";
}

TEST_F(Placement, PressingAControlFollowsTheSelectionProtocol) {
  StandInWindow properties;
  gWorkspace.propertiesWindow = properties.Get();
  HWND first = Draw(kKindButton, {20, 20, 100, 45});
  HWND second = Draw(kKindLabel, {20, 60, 100, 85});
  ASSERT_EQ(gWorkspace.selectedWindow, second);
  MessageRecorder recorder({first, second, properties.Get()}, {WM_KILLFOCUS, PWM_SHOWPROPERTIES});
  PressLeft(Centre(ScreenRect(first)));
  const std::vector<Recorded> expected = {
      {second, WM_KILLFOCUS, 0, 0},
      {properties.Get(), PWM_SHOWPROPERTIES, reinterpret_cast<WPARAM>(first), kKindButton},
  };
  EXPECT_TRUE(SameSequence(expected, recorder.Messages()));
  ReleaseLeft(Centre(ScreenRect(first)));
  EXPECT_EQ(FormRecordOf(frame_)->rememberedWindow, first);
}

TEST_F(Placement, EveryKindCanBePlacedAndNamed) {
  const std::uint32_t kinds[] = {kKindLabel, kKindTextBox, kKindCheckBox, kKindOptionButton, kKindComboBox,
                                 kKindListBox, kKindHScrollBar, kKindVScrollBar, kKindDriveListBox,
                                 kKindDirListBox, kKindFileListBox, kKindImageBox, kKindCalendar,
                                 kKindTrackBar, kKindProgressBar};
  int slot = 0;
  for (std::uint32_t kind : kinds) {
    // Two columns of 28-pixel rows: a combo box is taller than it is drawn.
    const int x = slot < 8 ? 10 : 170;
    const int y = 5 + (slot % 8) * 28;
    ++slot;
    HWND control = Draw(kind, {x, y, x + 140, y + 20});
    ASSERT_NE(control, nullptr) << "kind " << kind << " tool " << gWorkspace.currentTool;
    EXPECT_EQ(RecordOfControl(control)->kind, kind);
    const NameTable* table = NameTableOf(surface_, kind);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->At(0), reinterpret_cast<NameTable::Owner>(control));
  }
}

TEST_F(Placement, AKindWithAll65536NumbersTakenPlacesNothing) {
  NameTable* buttons = NameTableOf(surface_, kKindButton);
  ASSERT_NE(buttons, nullptr);
  // Stand-in owners: the table only needs every number taken.
  for (std::uint32_t n = 0; n < NameTable::kCapacity; ++n) buttons->Take(n, 0x100000 + n);
  PickTool(kKindButton);
  gFormDesigner.newControl = nullptr;
  Drag(OnSurface(20, 20), OnSurface(100, 45));
  EXPECT_EQ(gFormDesigner.newControl, nullptr);
  EXPECT_EQ(ControlCount(), 0);
  EXPECT_EQ(gWorkspace.currentTool, kToolPointer) << "the toolbox returns to the Pointer Tool";
  EXPECT_EQ(gWorkspace.selectedWindow, frame_) << "the form stays selected";
  for (std::uint32_t n = 0; n < NameTable::kCapacity; ++n) buttons->Release(0x100000 + n);
}

TEST_F(Placement, ColoursOfControlsComeFromTheirRecords) {
  HWND label = Draw(kKindLabel, {20, 20, 120, 40});
  HDC dc = ::GetDC(label);
  const LRESULT brush = ::SendMessageA(surface_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(brush, COLOR_BTNFACE + 1) << "a label's background is the button-face system colour";
  EXPECT_EQ(::GetBkColor(dc), ::GetSysColor(COLOR_BTNSHADOW));
  HWND list = Draw(kKindListBox, {20, 50, 120, 120});
  const LRESULT listBrush = ::SendMessageA(surface_, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(::GetObjectType(reinterpret_cast<HGDIOBJ>(listBrush)), static_cast<DWORD>(OBJ_BRUSH))
      << "list boxes and buttons get a real brush";
  ::ReleaseDC(label, dc);
}

}  // namespace
}  // namespace kelp::test
