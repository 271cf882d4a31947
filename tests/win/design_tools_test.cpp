// The designer's tools a host asks for with KELP32_OPTION_DESIGN_TOOLS, as
// kelp.exe does: undo and redo of every design action, the keys, and the
// Edit menu, driven with real mouse and keyboard input. States are compared
// as kelp.exe saves them: the project's files, byte for byte.
#include <windows.h>
#include <commctrl.h>

#include <ostream>

#include "core/project_writer.h"
#include "core/property_rows.h"
#include "controls/design_control.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "designer/grab_handles.h"
#include "entry/workspace.h"
#include "host_project_fixture.h"
#include "project_snapshot.h"
#include "properties/properties.h"

namespace kelp {
// Saved files print as their names and texts when they differ.
inline void PrintTo(const ProjectFile& file, std::ostream* out) { *out << "\n" << file.path << ":\n" << file.bytes; }
}  // namespace kelp

namespace kelp::test {
namespace {

using Files = std::vector<ProjectFile>;

Files SavedFiles() { return WriteProject(host::TakeSnapshot(Project{}), "Designed.kproj"); }

HWND SurfaceOf(HWND frame) { return FormRecordOf(frame)->surface; }

RECT PlaceOf(HWND control) { return RectInParent(control); }

class DesignTools : public HostProjectTest {
 protected:
  void SetUp() override {
    HostProjectTest::SetUp();
    SetHostOptions(KELP32_OPTION_NOTIFY_CHANGES | KELP32_OPTION_ASK_BEFORE_EXIT | KELP32_OPTION_ADD_MDI_FORM |
                   KELP32_OPTION_DESIGN_TOOLS);
    form_ = AddFormByMenu();
    ASSERT_NE(form_, nullptr);
    surface_ = SurfaceOf(form_);
  }

  void CtrlKey(WORD key) {
    HoldKey(VK_CONTROL, true);
    PressKey(key);
    HoldKey(VK_CONTROL, false);
    PumpPending();
  }
  void ShiftKey(WORD key) {
    HoldKey(VK_SHIFT, true);
    PressKey(key);
    HoldKey(VK_SHIFT, false);
    PumpPending();
  }
  // Under Wine the mouse comes through the X server and the keys do not:
  // Ctrl is let go only once the press has been seen.
  // A click with Ctrl held. Under Wine a move of the mouse takes the
  // modifier keys from the X server, which never saw Ctrl (the keys come
  // straight to Wine): Ctrl goes down once the mouse is there.
  void CtrlClick(HWND control) {
    const POINT at = ClientToScreenPoint(surface_, {PlaceOf(control).left + 3, PlaceOf(control).top + 3});
    MoveMouseTo(at);
    HoldKey(VK_CONTROL, true);
    ClickInPlace();
    HoldKey(VK_CONTROL, false);
  }
  void Key(WORD key) {
    PressKey(key);
    PumpPending();
  }
  // Clicks the control where nothing else covers it: a click selects it
  // and gives its form the keys.
  void Select(HWND control) {
    const RECT r = PlaceOf(control);
    ::SetFocus(MainFrame());
    ClickOn(surface_, {r.left + 3, r.top + 3});
    EXPECT_EVENTUALLY(gWorkspace.selectedWindow == control && ::GetFocus() == form_);
  }

  HWND form_ = nullptr;
  HWND surface_ = nullptr;
};

// Every action a user takes, each undone back to the files saved before it
// and redone to the files after it, whatever the way the action came.
TEST_F(DesignTools, EveryActionIsOneStepThatUndoAndRedoWalkByteForByte) {
  std::vector<Files> states{SavedFiles()};
  auto acted = [&](const char* what) {
    PumpPending();
    states.push_back(SavedFiles());
    EXPECT_NE(states.back(), states[states.size() - 2]) << what << " changed nothing";
  };
  // A click that selects a control raises it above the others: a step when
  // that changes the stacking.
  auto selected = [&](HWND control) {
    Select(control);
    if (SavedFiles() != states.back()) states.push_back(SavedFiles());
  };
  HWND first = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  ASSERT_NE(first, nullptr);
  acted("drawing a button");
  HWND second = Draw(surface_, KIND_TEXTBOX, {16, 80, 160, 104});
  ASSERT_NE(second, nullptr);
  acted("drawing a text box");
  Drag(ClientToScreenPoint(surface_, {20, 20}), ClientToScreenPoint(surface_, {60, 140}));
  EXPECT_EVENTUALLY(PlaceOf(first).top == 136);
  acted("dragging the button");
  TypeIntoRow(kRowCaption, "Go");
  acted("typing a caption");
  PickPaletteColour(12);
  acted("picking a colour");
  selected(second);
  Key(VK_RIGHT);
  acted("moving by a grid step");
  CtrlKey(VK_DOWN);
  acted("moving by a pixel");
  ShiftKey(VK_RIGHT);
  acted("resizing by a grid step");
  selected(first);
  Key(VK_DELETE);
  EXPECT_EVENTUALLY(!::IsWindow(first));
  acted("deleting the button");
  ASSERT_EQ(gWorkspace.selectedWindow, form_);
  TypeIntoRow(kRowName, "Main");
  acted("typing the form's name");
  TypeIntoRow(kRowCaption, "Main window");
  acted("typing the form's caption");
  // Ctrl+Z in the properties window would undo the typing in its editor.
  ClickOn(surface_, {250, 150});
  ASSERT_EQ(::GetFocus(), form_);

  const std::size_t actions = states.size() - 1;
  ASSERT_EQ(DesignHistorySteps(form_), actions);
  for (std::size_t i = actions; i-- > 0;) {
    CtrlKey('Z');
    EXPECT_EQ(SavedFiles(), states[i]) << "after undoing action " << i + 1;
  }
  // One more Undo would take the form itself away (the user added it).
  EXPECT_FALSE(CanUndoDesign(form_));
  for (std::size_t i = 1; i <= actions; ++i) {
    CtrlKey('Y');
    EXPECT_EQ(SavedFiles(), states[i]) << "after redoing action " << i;
  }
  CtrlKey('Y');
  EXPECT_EQ(SavedFiles(), states.back()) << "nothing left to redo does nothing";

  // A new action after an undo clears what was left to redo.
  CtrlKey('Z');
  HWND third = Draw(surface_, KIND_LABEL, {200, 16, 280, 40});
  ASSERT_NE(third, nullptr);
  EXPECT_FALSE(CanRedoDesign(form_));
}

TEST_F(DesignTools, ADeletedButtonComesBackWithItsNameNumberStackingAndCodeWindow) {
  HWND under = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  HWND over = Draw(surface_, KIND_BUTTON, {140, 70, 40, 30});  // drawn from a corner clear of the first
  ASSERT_NE(over, nullptr);
  Select(under);
  DoubleClickOn(surface_, {PlaceOf(under).left + 3, PlaceOf(under).top + 3});
  KELP32_DESIGN_PROPERTIES before{};
  EXPECT_EVENTUALLY(GetDesignProperties(under, &before) && before.hCodeWindow != 0);
  HWND code = KELP32_HANDLE(HWND, before.hCodeWindow);
  TypeCode(code, "; mine\n");
  const std::string text = CodeText(code);
  // The code window is put aside, clear of the form's buttons, as a user would.
  ::MoveWindow(code, 420, 300, 200, 120, TRUE);
  const Files saved = SavedFiles();

  Select(under);
  Key(VK_DELETE);
  EXPECT_EVENTUALLY(!::IsWindow(under));
  EXPECT_TRUE(::IsWindow(code)) << "the code window and its text stay";
  CtrlKey('Z');
  // Clicked last, it was raised above the other button, and is there again.
  HWND back = GetNextControl(surface_, over);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(GetNextControl(surface_, nullptr), over);
  KELP32_DESIGN_PROPERTIES after{};
  ASSERT_TRUE(GetDesignProperties(back, &after));
  EXPECT_EQ(after.number, before.number);
  EXPECT_STREQ(after.handleName, before.handleName);
  EXPECT_EQ(after.ctrlId, before.ctrlId);
  EXPECT_EQ(KELP32_HANDLE(HWND, after.hCodeWindow), code) << "the code window is the button's again";
  EXPECT_EQ(CodeText(code), text);
  EXPECT_EQ(SavedFiles(), saved);
  // The next button is numbered as if nothing had happened.
  HWND next = Draw(surface_, KIND_BUTTON, {200, 100, 280, 130});
  KELP32_DESIGN_PROPERTIES nextProperties{};
  ASSERT_TRUE(GetDesignProperties(next, &nextProperties));
  EXPECT_EQ(nextProperties.number, 2u);
}

TEST_F(DesignTools, KeysMoveResizeAndWalkTheControlsAndTheHandlesAndPropertiesFollow) {
  HWND a = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  HWND b = Draw(surface_, KIND_LABEL, {16, 80, 112, 100});
  ASSERT_NE(b, nullptr);
  Select(a);
  const RECT start = PlaceOf(a);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(PlaceOf(a).left, start.left + 8);
  EXPECT_EQ(PlaceOf(a).top, start.top + 8);
  CtrlKey(VK_LEFT);
  EXPECT_EQ(PlaceOf(a).left, start.left + 7);
  ShiftKey(VK_DOWN);
  EXPECT_EQ(PlaceOf(a).bottom - PlaceOf(a).top, start.bottom - start.top + 8);
  EXPECT_EQ(GrabHandleTarget(), a);
  const RECT handle = RectInParent(GrabHandleWindow(0));
  EXPECT_LT(handle.left, PlaceOf(a).left) << "the handles surround the control where it is now";
  EXPECT_GE(handle.right, PlaceOf(a).left);
  KELP32_DESIGN_PROPERTIES shown{};
  GetDesignProperties(a, &shown);
  EXPECT_EQ(shown.left, start.left + 7);
  for (int i = 0; i < 40; ++i) ::SendMessageA(form_, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(PlaceOf(a).left, 0) << "the arrows keep the control on the form";

  Key(VK_TAB);
  EXPECT_EQ(gWorkspace.selectedWindow, b);
  Key(VK_TAB);
  EXPECT_EQ(gWorkspace.selectedWindow, a) << "Tab wraps";
  ShiftKey(VK_TAB);
  EXPECT_EQ(gWorkspace.selectedWindow, b);
  Key(VK_ESCAPE);
  EXPECT_EQ(gWorkspace.selectedWindow, form_);
  EXPECT_EQ(GrabHandleTarget(), nullptr);
}

// A grab handle's release raises its control above the others. A status bar
// docks again where it was, so only its stacking changed: that is a step too,
// and the ones before it stay to be undone.
TEST_F(DesignTools, AGrabHandleThatOnlyRaisesItsControlIsAStep) {
  ::MoveWindow(form_, 0, 0, 640, 480, TRUE);  // the whole form in view, its bottom with it
  HWND bar = Draw(surface_, KIND_STATUSBAR, {16, 16, 112, 48});
  ASSERT_NE(Draw(surface_, KIND_BUTTON, {16, 16, 112, 48}), nullptr);
  Key(VK_TAB);  // the keys select without raising
  ASSERT_EQ(GrabHandleTarget(), bar);
  const Files beneath = SavedFiles();
  const std::size_t steps = DesignHistorySteps(form_);
  const RECT top = ScreenRect(GrabHandleWindow(4));  // the top edge's
  const POINT handle = {(top.left + top.right) / 2, (top.top + top.bottom) / 2};
  Drag(handle, {handle.x, handle.y - 30});
  EXPECT_EVENTUALLY(GetNextControl(surface_, bar) == nullptr);  // on top now
  ASSERT_NE(SavedFiles(), beneath);
  EXPECT_EQ(DesignHistorySteps(form_), steps + 1);
  CtrlKey('Z');
  EXPECT_EQ(SavedFiles(), beneath);
  EXPECT_EQ(DesignHistorySteps(form_), steps) << "the steps before it are still there";
}

// A pasted status bar docks at its form's bottom, in the copied one's
// colour, as the one Redo brings back does.
TEST_F(DesignTools, APastedStatusBarDocksInItsColourAndComesBackSoWithRedo) {
  ::MoveWindow(form_, 0, 0, 640, 480, TRUE);
  HWND bar = Draw(surface_, KIND_STATUSBAR, {16, 16, 112, 48});
  ASSERT_NE(bar, nullptr);
  PickPaletteColour(12);
  KELP32_DESIGN_PROPERTIES copied{};
  ASSERT_TRUE(GetDesignProperties(bar, &copied));
  Select(bar);
  CtrlKey('C');
  CtrlKey('V');
  HWND pasted = GetNextControl(surface_, bar);
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(PlaceOf(pasted).bottom, PlaceOf(bar).bottom) << "docked at the bottom";
  KELP32_DESIGN_PROPERTIES shown{};
  ASSERT_TRUE(GetDesignProperties(pasted, &shown));
  EXPECT_EQ(shown.top, copied.top);
  EXPECT_EQ(shown.backColour, copied.backColour);
  const Files afterPaste = SavedFiles();
  CtrlKey('Z');
  CtrlKey('Y');
  EXPECT_EQ(SavedFiles(), afterPaste);
}

// A status bar selected with the others stays docked when they are dragged.
TEST_F(DesignTools, AStatusBarInADraggedSelectionStaysDocked) {
  ::MoveWindow(form_, 0, 0, 640, 480, TRUE);
  HWND bar = Draw(surface_, KIND_STATUSBAR, {16, 16, 112, 48});
  HWND button = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  ASSERT_NE(button, nullptr);
  const RECT docked = PlaceOf(bar);
  Select(button);
  CtrlKey('A');
  const Files before = SavedFiles();
  Drag(ClientToScreenPoint(surface_, {64, 32}), ClientToScreenPoint(surface_, {104, 112}));
  EXPECT_EVENTUALLY(PlaceOf(button).top == 96);
  const RECT now = PlaceOf(bar);
  EXPECT_TRUE(::EqualRect(&docked, &now)) << "the status bar did not move";
  const Files after = SavedFiles();
  CtrlKey('Z');
  EXPECT_EQ(SavedFiles(), before);
  CtrlKey('Y');
  EXPECT_EQ(SavedFiles(), after);
}

// A release over the form's frame whose press went elsewhere leaves the
// selected control and its rows in the properties window.
TEST_F(DesignTools, AStrayReleaseOverTheFrameLeavesTheSelectionAndItsRows) {
  HWND bar = Draw(surface_, KIND_HSCROLLBAR, {16, 16, 112, 40});
  ASSERT_NE(bar, nullptr);
  Select(bar);
  ::SendMessageA(form_, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(gWorkspace.selectedWindow, bar);
  EXPECT_EQ(gProperties.target, bar);
  EXPECT_EQ(::SendMessageA(gProperties.list, LB_GETCOUNT, 0, 0), RowCount(KIND_HSCROLLBAR));
}

TEST_F(DesignTools, TheEditMenuUndoesAndIsGreyedWhenThereIsNothingToDo) {
  HMENU edit = ::GetSubMenu(::GetMenu(MainFrame()), 1);
  HWND button = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  ASSERT_NE(button, nullptr);
  ChooseFromBar(MainFrame(), 1, Downs(1));
  EXPECT_EVENTUALLY(!::IsWindow(button)) << "\"&Undo\" takes the drawn button away";
  // Then the form the user added, and with no form left it is greyed.
  ::SendMessageA(MainFrame(), WM_COMMAND, IDM_EDITOR_UNDO, 0);
  EXPECT_FALSE(::IsWindow(form_));
  ::SendMessageA(MainFrame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_NE(::GetMenuState(edit, IDM_EDITOR_UNDO, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_EQ(::GetMenuState(edit, IDM_REDO, MF_BYCOMMAND) & MF_GRAYED, 0u) << "\"&Redo\" can bring it back";
  ::SendMessageA(MainFrame(), WM_COMMAND, IDM_REDO, 0);
  ::SendMessageA(MainFrame(), WM_COMMAND, IDM_REDO, 0);
  HWND back = GetNextForm(nullptr);
  ASSERT_NE(back, nullptr);
  EXPECT_NE(GetNextControl(SurfaceOf(back), nullptr), nullptr);
}

// A list box sizes itself to whole items of its font at every resize; the
// height it took when it was made, under the font it was made with, comes
// back with Undo all the same.
TEST_F(DesignTools, AListBoxMovedAndPutBackKeepsItsHeight) {
  HWND list = Draw(surface_, KIND_LISTBOX, {16, 16, 120, 51});
  ASSERT_NE(list, nullptr);
  const Files drawn = SavedFiles();
  Select(list);
  Key(VK_RIGHT);
  ShiftKey(VK_DOWN);
  CtrlKey('Z');
  CtrlKey('Z');
  EXPECT_EQ(SavedFiles(), drawn);
  EXPECT_TRUE(CanRedoDesign(form_)) << "Undo found the form as its history says, and kept it";
}

// Undo is ignored while the mouse drags a control, and the drag's end is a
// step of its own.
TEST_F(DesignTools, UndoWaitsForADragToEnd) {
  HWND button = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  ASSERT_NE(button, nullptr);
  const POINT from = ClientToScreenPoint(surface_, {20, 20});
  PressLeft(from);
  MoveMouseTo({from.x + 30, from.y + 30});
  PumpPending();
  ::SendMessageA(form_, WM_KEYDOWN, 'Z', 0);
  EXPECT_TRUE(UndoDesignStep(form_) == false) << "no undo under a drag";
  EXPECT_TRUE(::IsWindow(button));
  ReleaseLeft({from.x + 30, from.y + 30});
  PumpPending();
  EXPECT_EQ(DesignHistorySteps(form_), 2u) << "drawn, then moved";
}

// Several controls at once: Ctrl+click and the band select them, the first
// marked as the one the others follow; they move, align, delete and paste
// as one, each an undo step of its own.
TEST_F(DesignTools, SeveralControlsSelectedMoveAlignDeleteAndPasteAsOne) {
  HWND a = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  HWND b = Draw(surface_, KIND_BUTTON, {40, 80, 100, 104});
  HWND c = Draw(surface_, KIND_LABEL, {150, 140, 250, 160});
  ASSERT_NE(c, nullptr);
  Select(b);
  CtrlClick(a);
  EXPECT_EQ(SelectedGroup(form_), (std::vector<HWND>{b, a}));
  EXPECT_EQ(GrabHandleTarget(), nullptr) << "marks, not one control's handles";
  const Pixels marks = Pixels::OfClient(surface_);
  const RECT rb = PlaceOf(b);
  EXPECT_EQ(marks.At(rb.left - 4, rb.top - 4), RGB(0, 0, 0)) << "the first control's marks are filled";
  const RECT ra = PlaceOf(a);
  EXPECT_EQ(marks.At(ra.left - 4, ra.top - 4), RGB(255, 255, 255)) << "the others' are hollow";
  EXPECT_EQ(marks.At(ra.left - 7, ra.top - 4), RGB(0, 0, 0)) << "and framed";

  // Nudged as one, aligned on the first, each one step.
  const std::size_t steps = DesignHistorySteps(form_);
  Key(VK_DOWN);
  EXPECT_EQ(PlaceOf(a).top, ra.top + 8);
  EXPECT_EQ(PlaceOf(b).top, rb.top + 8);
  ::SendMessageA(MainFrame(), WM_COMMAND, IDM_FORMAT_ALIGN_LEFTS, 0);
  EXPECT_EQ(PlaceOf(a).left, PlaceOf(b).left);
  EXPECT_EQ(DesignHistorySteps(form_), steps + 2);

  // The band touches b and c; a stays out.
  Drag(ClientToScreenPoint(surface_, {256, 172}), ClientToScreenPoint(surface_, {60, 100}));
  EXPECT_EVENTUALLY(SelectedGroup(form_).size() == 2u);
  EXPECT_TRUE(IsInSelectedGroup(b) && IsInSelectedGroup(c) && !IsInSelectedGroup(a));

  // Copied and pasted as one, in the same places relative to each other.
  const std::vector<HWND> copied = SelectedGroup(form_);
  CtrlKey('C');
  CtrlKey('V');
  std::vector<HWND> pasted = SelectedGroup(form_);
  ASSERT_EQ(pasted.size(), 2u);
  EXPECT_EQ(PlaceOf(pasted[1]).left - PlaceOf(pasted[0]).left, PlaceOf(copied[1]).left - PlaceOf(copied[0]).left);
  EXPECT_EQ(PlaceOf(pasted[1]).top - PlaceOf(pasted[0]).top, PlaceOf(copied[1]).top - PlaceOf(copied[0]).top);
  const Files beforeDelete = SavedFiles();
  Key(VK_DELETE);
  EXPECT_FALSE(::IsWindow(pasted[0]) || ::IsWindow(pasted[1]));
  CtrlKey('Z');
  EXPECT_EQ(SavedFiles(), beforeDelete) << "both come back with one Undo";

  // Cut takes them away; a paste afterwards brings controls like them back.
  Select(c);
  TypeIntoRow(kRowCaption, "Cut me");
  const Files beforeCut = SavedFiles();
  Select(c);
  CtrlKey('X');
  EXPECT_FALSE(::IsWindow(c));
  CtrlKey('V');
  ASSERT_NE(gWorkspace.selectedWindow, form_);
  EXPECT_EQ(WindowText(gWorkspace.selectedWindow), "Cut me");
  CtrlKey('Z');
  CtrlKey('Z');
  EXPECT_EQ(SavedFiles(), beforeCut) << "the paste and the cut are a step each";
  c = SelectedControls(form_).front();

  // Ctrl+click takes one out again; Escape ends the selection.
  Select(a);
  CtrlKey('A');
  EXPECT_EQ(SelectedGroup(form_).size(), 5u);
  Key(VK_ESCAPE);
  EXPECT_TRUE(SelectedGroup(form_).empty());
  EXPECT_EQ(gWorkspace.selectedWindow, form_);
}

// The properties window shows what the selected controls share, and what is
// typed or picked there changes them all, in one step.
// The context menus share the keys' clipboard: a control's "&Copy" copies
// the selection it is in, and the form's "&Paste" pastes all of it, as
// Ctrl+V would.
TEST_F(DesignTools, TheContextMenusCopyAndPasteTheWholeSelection) {
  HWND a = Draw(surface_, KIND_BUTTON, {16, 16, 112, 48});
  HWND b = Draw(surface_, KIND_LABEL, {150, 40, 250, 60});
  ASSERT_NE(b, nullptr);
  Select(a);
  CtrlClick(b);
  RightClickThenKey(ClientToScreenPoint(surface_, {PlaceOf(b).left + 3, PlaceOf(b).top + 3}), 'C');
  const std::size_t steps = DesignHistorySteps(form_);
  ClickThenKeys(ClientToScreenPoint(surface_, {100, 120}), true, Downs(2));  // the form's "&Paste"
  std::vector<HWND> controls;
  for (HWND c = GetNextControl(surface_, nullptr); c != nullptr; c = GetNextControl(surface_, c)) controls.push_back(c);
  ASSERT_EQ(controls.size(), 4u) << "both copied controls pasted";
  EXPECT_EQ(DesignHistorySteps(form_), steps + 1) << "in one step";
  EXPECT_EQ(WindowText(controls[2]), WindowText(a));
  EXPECT_EQ(WindowText(controls[3]), WindowText(b));
  // What was cut is pasted from the menu too, though it is gone.
  Select(controls[3]);
  CtrlKey('X');
  EXPECT_EVENTUALLY(!::IsWindow(controls[3]));
  ClickThenKeys(ClientToScreenPoint(surface_, {100, 120}), true, Downs(2));
  std::size_t count = 0;
  for (HWND c = GetNextControl(surface_, nullptr); c != nullptr; c = GetNextControl(surface_, c)) ++count;
  EXPECT_EQ(count, 4u);
}

TEST_F(DesignTools, ThePropertiesOfSeveralControlsAreTheOnesTheyShare) {
  HWND a = Draw(surface_, KIND_CHECKBOX, {16, 16, 112, 48});
  HWND b = Draw(surface_, KIND_OPTIONBUTTON, {40, 80, 100, 104});
  Select(a);
  CtrlClick(b);
  ASSERT_EQ(SelectedGroup(form_).size(), 2u);
  HWND list = gWorkspace.propertyList;
  std::vector<std::string> rows;
  for (LRESULT i = 0; i < ::SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
    rows.emplace_back(reinterpret_cast<const char*>(::SendMessageA(list, LB_GETITEMDATA, i, 0)));
  }
  EXPECT_EQ(rows, (std::vector<std::string>{" Caption", " BkColor", " Enabled", " Width", " Height", " Font",
                                            " Ex Style", " WS Style", " Checked"}))
      << "no names or identifiers: each control has its own";

  const Files before = SavedFiles();
  TypeIntoRow(3, "72");
  EXPECT_EQ(PlaceOf(a).right - PlaceOf(a).left, 72);
  EXPECT_EQ(PlaceOf(b).right - PlaceOf(b).left, 72);
  EXPECT_EQ(SelectedGroup(form_).size(), 2u) << "still selected together";
  PickPaletteColour(12, 1);
  EXPECT_EQ(RecordOfControl(a)->backColour, RecordOfControl(b)->backColour);
  TypeIntoRow(0, "Either");
  EXPECT_EQ(WindowText(a), "Either");
  EXPECT_EQ(WindowText(b), "Either");
  const Files after = SavedFiles();
  for (int step = 0; step < 3; ++step) ::SendMessageA(MainFrame(), WM_COMMAND, IDM_EDITOR_UNDO, 0);
  EXPECT_EQ(SavedFiles(), before) << "the width typed is one step, the colour another, the caption a third";
  for (int step = 0; step < 3; ++step) ::SendMessageA(MainFrame(), WM_COMMAND, IDM_REDO, 0);
  EXPECT_EQ(SavedFiles(), after);
}

// Adding a form is a step too: Undo takes the added form away, with its item
// in the project window and its number, and Redo brings it back with what is
// left to redo on it.
TEST_F(DesignTools, AnAddedFormGoesWithUndoAndComesBackWithRedo) {
  auto formItems = [] {
    int count = 0;
    for (auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(gWorkspace.projectTree, TVM_GETNEXTITEM, TVGN_CHILD,
                                                                 reinterpret_cast<LPARAM>(gWorkspace.formsFolderItem)));
         item != nullptr; item = reinterpret_cast<HTREEITEM>(::SendMessageA(
                              gWorkspace.projectTree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      ++count;
    }
    return count;
  };
  auto edit = [this](UINT command) { ::SendMessageA(MainFrame(), WM_COMMAND, command, 0); };
  const Files before = SavedFiles();
  const int items = formItems();
  HWND added = AddFormByMenu();
  ASSERT_NE(added, nullptr);
  const std::string name = WindowText(added);
  ASSERT_NE(Draw(SurfaceOf(added), KIND_BUTTON, {16, 16, 112, 48}), nullptr);
  const Files after = SavedFiles();

  edit(IDM_EDITOR_UNDO);
  EXPECT_TRUE(::IsWindow(added)) << "the button goes first";
  edit(IDM_EDITOR_UNDO);
  EXPECT_FALSE(::IsWindow(added));
  EXPECT_EQ(gWorkspace.selectedWindow, form_) << "the form left is selected";
  EXPECT_EQ(formItems(), items);
  EXPECT_EQ(SavedFiles(), before);

  edit(IDM_REDO);
  HWND back = nullptr;
  for (HWND f = GetNextForm(nullptr); f != nullptr; f = GetNextForm(f)) back = f;
  ASSERT_NE(back, form_);
  EXPECT_EQ(WindowText(back), name);
  EXPECT_EQ(formItems(), items + 1);
  edit(IDM_REDO);
  EXPECT_EQ(SavedFiles(), after) << "with its button redone";

  // Taken away again, a form added anew has its name; nothing is left to redo.
  edit(IDM_EDITOR_UNDO);
  edit(IDM_EDITOR_UNDO);
  HWND again = AddFormByMenu();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(WindowText(again), name);
  EXPECT_FALSE(CanDoDesignEdit(again, DesignEdit::kRedo));

  // A form a host made (opening a project) is no step of the user's.
  KELP32_FORM_INFO info{};
  info.number = 9;
  HWND opened = CreateProjectForm(&info);
  ASSERT_NE(opened, nullptr);
  PumpPending();
  ::SendMessageA(gWorkspace.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(opened), 0);
  edit(IDM_EDITOR_UNDO);
  EXPECT_TRUE(::IsWindow(opened));
}

// A thousand controls selected and aligned at once stay on the form.
TEST_F(DesignTools, AThousandControlsAlignedStayOnTheForm) {
  for (int i = 0; i < LoopCount(1000); ++i) {
    ASSERT_NE(PlaceDesignControl(surface_, KIND_LABEL, i, nullptr, (i * 37) % 300, (i * 53) % 200, 40, 16),
              nullptr);
  }
  PumpPending();
  SelectAllControls(form_);
  FormatSelected(form_, FormatCommand::kAlignRights);
  FormatSelected(form_, FormatCommand::kCenterVertically);
  RECT client{};
  ::GetClientRect(surface_, &client);
  for (HWND c = GetNextControl(surface_, nullptr); c != nullptr; c = GetNextControl(surface_, c)) {
    const RECT r = PlaceOf(c);
    ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom);
  }
}

using DesignToolsOff = HostProjectTest;

TEST_F(DesignToolsOff, AHostThatDoesNotAskKeepsTheDesignerAsItWas) {
  HWND form = AddFormByMenu();
  ASSERT_NE(form, nullptr);
  HWND button = Draw(SurfaceOf(form), KIND_BUTTON, {16, 16, 112, 48});
  ASSERT_NE(button, nullptr);
  ::SendMessageA(form, WM_KEYDOWN, VK_DELETE, 0);
  ::SendMessageA(form, WM_KEYDOWN, VK_RIGHT, 0);
  PumpPending();
  EXPECT_TRUE(::IsWindow(button));
  EXPECT_EQ(PlaceOf(button).left, 16);
  EXPECT_FALSE(UndoDesignStep(form));
  HMENU edit = ::GetSubMenu(::GetMenu(MainFrame()), 1);
  ::SendMessageA(MainFrame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_NE(::GetMenuState(edit, IDM_EDITOR_UNDO, MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_EQ(::GetMenuState(edit, IDM_REDO, MF_BYCOMMAND), static_cast<UINT>(-1)) << "no \"&Redo\" item";
}

}  // namespace
}  // namespace kelp::test
