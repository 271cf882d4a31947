// Form windows as a host opens them and a user handles them: numbering and
// titles, the project messages, the frame's size and scroll bars, resizing
// by the markers with the real mouse, scrolling, hiding on close, and the
// order of the selection protocol.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "designer/form_designer.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "win/records.h"

namespace kelp::test {
namespace {

using FormWindows = HostTest;

// The number in "Project1 - Form<n> (Form)".
unsigned FormNumberOf(HWND frame) {
  unsigned project = 0, form = 0;
  std::sscanf(WindowText(frame).c_str(), "Project%u - Form%u", &project, &form);
  return form;
}

HWND BackPanelOf(HWND frame) { return FormRecordOf(frame)->backPanel; }
HWND SurfaceOf(HWND frame) { return FormRecordOf(frame)->surface; }

// A form whose frame is large enough to show the markers beside the back
// panel (a new frame is smaller than its panel).
HWND RoomyForm(HWND frame) {
  ::MoveWindow(frame, 20, 20, 450, 380, TRUE);
  ::UpdateWindow(frame);
  PumpPending();
  return frame;
}

SIZE SizeOf(HWND window) {
  const RECT r = ScreenRect(window);
  return {r.right - r.left, r.bottom - r.top};
}

TEST_F(FormWindows, SuccessiveFormsAreNumberedAndTitledAndNumbersAreNeverReused) {
  HWND first = NewForm();
  const unsigned n = FormNumberOf(first);
  ASSERT_GE(n, 1u);
  EXPECT_EQ(WindowText(first), "Project1 - Form" + std::to_string(n) + " (Form)");
  EXPECT_EQ(WindowText(BackPanelOf(first)), "Form" + std::to_string(n));
  EXPECT_EQ(WindowText(SurfaceOf(first)), "Form" + std::to_string(n));

  HWND second = NewForm();
  EXPECT_EQ(WindowText(second), "Project1 - Form" + std::to_string(n + 1) + " (Form)");

  ::SendMessageA(first, WM_CLOSE, 0, 0);
  HWND third = NewForm(2);
  EXPECT_EQ(WindowText(third), "Project2 - Form" + std::to_string(n + 2) + " (Form)");
}

TEST_F(FormWindows, FormRecordDescribesTheForm) {
  HWND frame = NewForm();
  const std::string name = "Form" + std::to_string(FormNumberOf(frame));
  const ControlRecord* record = FormControlRecord(frame);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->kind, kKindForm);
  EXPECT_EQ(std::string(record->caption), name);
  EXPECT_EQ(std::string(record->handleName), "h" + name);
  EXPECT_EQ(record->backColour, ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(record->width, 350);
  EXPECT_EQ(record->height, 250);
  EXPECT_EQ(record->ctrlId, 0u);
  EXPECT_EQ(record->hCodeWindow, 0u);

  const FormRecord* form = FormRecordOf(frame);
  EXPECT_EQ(form->frame, frame);
  EXPECT_EQ(form->rememberedWindow, frame);
  EXPECT_EQ(form->rememberedKind, kKindForm);
  EXPECT_EQ(gWorkspace.selectedWindow, frame);
  EXPECT_EQ(gWorkspace.selectedKind, kKindForm);
}

TEST_F(FormWindows, OnlyTheFirstFormAddsTheProjectRoot) {
  StandInWindow project;
  project.onMessage = [](UINT message, WPARAM, LPARAM) {
    // The project window makes the Forms folder when it adds the root.
    if (message == PRJ_ADDPROJECT) gWorkspace.formsFolderItem = reinterpret_cast<HTREEITEM>(1);
  };
  gWorkspace.projectWindow = project.Get();

  HWND first = NewForm();
  HWND second = NewForm();
  const auto added = project.ReceivedBetween(PRJ_ADDFORM, PRJ_ADDPROJECT);
  ASSERT_EQ(added.size(), 3u);
  EXPECT_EQ(added[0].message, PRJ_ADDPROJECT);
  EXPECT_EQ(added[1].message, PRJ_ADDFORM);
  EXPECT_EQ(added[1].lParam, reinterpret_cast<LPARAM>(first));
  EXPECT_EQ(added[2].message, PRJ_ADDFORM);
  EXPECT_EQ(added[2].lParam, reinterpret_cast<LPARAM>(second));
}

TEST_F(FormWindows, TheProjectRootCarriesTheFirstFramesTitleAndEachFormItsName) {
  StandInWindow project;
  std::string rootTitle, formName;
  project.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == PRJ_ADDPROJECT) rootTitle = reinterpret_cast<const char*>(wParam);
    if (message == PRJ_ADDFORM) formName = reinterpret_cast<const char*>(wParam);
  };
  gWorkspace.projectWindow = project.Get();
  HWND frame = NewForm();
  EXPECT_EQ(rootTitle, WindowText(frame));
  EXPECT_EQ(formName, WindowText(BackPanelOf(frame)));
}

TEST_F(FormWindows, FrameStartsAt300By250WithBothScrollBarsAndThePanelInside) {
  HWND frame = NewForm();
  const RECT frameRect = RectInParent(frame);
  EXPECT_EQ(frameRect.left, 20);
  EXPECT_EQ(frameRect.top, 20);
  EXPECT_EQ(SizeOf(frame).cx, 300);
  EXPECT_EQ(SizeOf(frame).cy, 250);
  EXPECT_EQ(::GetParent(frame), MdiClient());

  SCROLLBARINFO vertical{sizeof(vertical)};
  SCROLLBARINFO horizontal{sizeof(horizontal)};
  ASSERT_TRUE(::GetScrollBarInfo(frame, OBJID_VSCROLL, &vertical));
  ASSERT_TRUE(::GetScrollBarInfo(frame, OBJID_HSCROLL, &horizontal));
  EXPECT_FALSE(vertical.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(horizontal.rgstate[0] & STATE_SYSTEM_INVISIBLE);

  RECT client{};
  ::GetClientRect(frame, &client);
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE};
  ::GetScrollInfo(frame, SB_VERT, &info);
  EXPECT_EQ(info.nMax, 250 + ::GetSystemMetrics(SM_CYVSCROLL));
  EXPECT_EQ(info.nPage, static_cast<UINT>(client.bottom));
  ::GetScrollInfo(frame, SB_HORZ, &info);
  EXPECT_EQ(info.nMax, 350 + ::GetSystemMetrics(SM_CYHSCROLL));
  EXPECT_EQ(info.nPage, static_cast<UINT>(client.right));

  HWND panel = BackPanelOf(frame);
  const RECT panelRect = RectInParent(panel);
  EXPECT_EQ(panelRect.left, 7);
  EXPECT_EQ(panelRect.top, 7);
  EXPECT_EQ(SizeOf(panel).cx, 350);
  EXPECT_EQ(SizeOf(panel).cy, 250);

  RECT panelClient{};
  ::GetClientRect(panel, &panelClient);
  EXPECT_EQ(RectInParent(SurfaceOf(frame)).left, 0);
  EXPECT_EQ(SizeOf(SurfaceOf(frame)).cx, panelClient.right);
  EXPECT_EQ(SizeOf(SurfaceOf(frame)).cy, panelClient.bottom);
}

TEST_F(FormWindows, MarkersArePaintedDarkBlueBesideThePanel) {
  HWND frame = RoomyForm(NewForm());
  const Pixels pixels = Pixels::OfClient(frame);
  const RECT panel = PanelRectInFrame(frame, BackPanelOf(frame));
  const COLORREF blue = 0x00AA0000;
  const int my = panel.top + (panel.bottom - panel.top) / 2;
  // The filled right marker and the hollow top-left one.
  EXPECT_EQ(pixels.At(panel.right + 3, my + 2), blue);
  EXPECT_EQ(pixels.At(panel.left - 7, panel.top - 7), blue);
  EXPECT_EQ(pixels.At(panel.left - 4, panel.top - 4), RGB(255, 255, 255));
}

struct MarkerCase {
  const char* name;
  RECT FormRecord::*marker;
  int dx;
  int dy;
};

class MarkerDrag : public HostTest, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(MarkerDrag, ResizesTheBackPanelLiveAndStoresTheSizeAtRelease) {
  HWND frame = RoomyForm(NewForm());
  HWND panel = BackPanelOf(frame);
  const SIZE before = SizeOf(panel);
  const MarkerCase& c = GetParam();
  const POINT start = Centre(FormRecordOf(frame)->*(c.marker));

  const POINT end = {start.x + c.dx, start.y + c.dy};
  PressLeft(start);
  for (int step = 1; step <= 4; ++step) MoveMouseTo({start.x + c.dx * step / 4, start.y + c.dy * step / 4});
  // Live: while the button is held the dragged edges follow the cursor (on
  // a busy machine Wine may hand over the last move a little later).
  const int wantedRight = c.dx != 0 ? end.x : ScreenRect(panel).left + before.cx;
  const int wantedBottom = c.dy != 0 ? end.y : ScreenRect(panel).top + before.cy;
  EXPECT_EVENTUALLY(ScreenRect(panel).right == wantedRight && ScreenRect(panel).bottom == wantedBottom);
  EXPECT_EQ(ScreenRect(panel).right, wantedRight);
  EXPECT_EQ(ScreenRect(panel).bottom, wantedBottom);
  EXPECT_EQ(FormControlRecord(frame)->width, before.cx) << "the record changes at the release";
  ReleaseLeft(end);

  EXPECT_EQ(FormControlRecord(frame)->width, SizeOf(panel).cx);
  EXPECT_EQ(FormControlRecord(frame)->height, SizeOf(panel).cy);
  // The surface still fills the panel.
  RECT panelClient{};
  ::GetClientRect(panel, &panelClient);
  EXPECT_EQ(SizeOf(SurfaceOf(frame)).cx, panelClient.right);
  EXPECT_EQ(SizeOf(SurfaceOf(frame)).cy, panelClient.bottom);
}

INSTANTIATE_TEST_SUITE_P(EachMarker, MarkerDrag,
                         ::testing::Values(MarkerCase{"Right", &FormRecord::rightMarker, 40, 0},
                                           MarkerCase{"Bottom", &FormRecord::bottomMarker, 0, -30},
                                           MarkerCase{"Corner", &FormRecord::cornerMarker, -25, 35}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormWindows, BottomMarkerDragStopsBelowTheFrameCaption) {
  HWND frame = RoomyForm(NewForm());
  const RECT frameRect = ScreenRect(frame);
  const POINT start = Centre(FormRecordOf(frame)->bottomMarker);
  PressLeft(start);
  MoveMouseTo({start.x, frameRect.top - 40});
  EXPECT_EQ(CursorPosition().y, frameRect.top + 28);
  ReleaseLeft(CursorPosition());
  MoveMouseTo({start.x, frameRect.top - 40});
  EXPECT_EQ(CursorPosition().y, frameRect.top - 40) << "the clip ends at the release";
}

TEST_F(FormWindows, RightMarkerDragStopsRightOfTheFrameBorder) {
  HWND frame = RoomyForm(NewForm());
  const RECT frameRect = ScreenRect(frame);
  const POINT start = Centre(FormRecordOf(frame)->rightMarker);
  PressLeft(start);
  MoveMouseTo({frameRect.left - 10, start.y});
  EXPECT_EQ(CursorPosition().x, frameRect.left + 15);
  ReleaseLeft(CursorPosition());
}

TEST_F(FormWindows, CornerMarkerDragStaysInsideTheFrame) {
  HWND frame = RoomyForm(NewForm());
  const RECT frameRect = ScreenRect(frame);
  const POINT start = Centre(FormRecordOf(frame)->cornerMarker);
  PressLeft(start);
  MoveMouseTo({frameRect.right + 50, frameRect.bottom + 50});
  const POINT clipped = CursorPosition();
  EXPECT_LT(clipped.x, frameRect.right);
  EXPECT_LT(clipped.y, frameRect.bottom);
  ReleaseLeft(clipped);
}

TEST_F(FormWindows, LineDownScrollsThePanelFivePixels) {
  HWND frame = NewForm();
  HWND panel = BackPanelOf(frame);
  const int before = RectInParent(panel).top;
  ::SendMessageA(frame, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(RectInParent(panel).top, before - 5);
  EXPECT_EQ(::GetScrollPos(frame, SB_VERT), 5);
  ::SendMessageA(frame, WM_VSCROLL, SB_LINEUP, 0);
  ::SendMessageA(frame, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(RectInParent(panel).top, before) << "a line up at the top stays there";
  EXPECT_EQ(::GetScrollPos(frame, SB_VERT), 0);

  ::SendMessageA(frame, WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(RectInParent(panel).left, 7 - 5);
}

TEST_F(FormWindows, ThumbDragScrollsInStepsOfFive) {
  HWND frame = NewForm();
  HWND panel = BackPanelOf(frame);
  SCROLLBARINFO bar{sizeof(bar)};
  ASSERT_TRUE(::GetScrollBarInfo(frame, OBJID_VSCROLL, &bar));
  const POINT thumb = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                       bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2};
  DragQueued(thumb, {thumb.x, thumb.y + 30}, 6);
  const int position = ::GetScrollPos(frame, SB_VERT);
  EXPECT_GT(position, 0);
  EXPECT_EQ(position % 5, 0);
  EXPECT_EQ(RectInParent(panel).top, 7 - position);
}

TEST_F(FormWindows, CloseHidesTheFrameAndKeepsTheForm) {
  HWND frame = NewForm();
  ::SendMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(frame));
  EXPECT_FALSE(::IsWindowVisible(frame));
  EXPECT_NE(FormControlRecord(frame), nullptr);
  ::ShowWindow(frame, SW_SHOW);
  EXPECT_TRUE(::IsWindowVisible(frame));
}

TEST_F(FormWindows, PressingAFormDeselectsTheOldOneThenShowsPropertiesThenSelectsInTheProject) {
  StandInWindow properties, project;
  gWorkspace.propertiesWindow = properties.Get();
  gWorkspace.projectWindow = project.Get();
  HWND older = NewForm();
  HWND frame = NewForm();
  ::MoveWindow(older, 400, 20, 300, 250, TRUE);
  SelectForm(older);
  PumpPending();

  MessageRecorder recorder({older, properties.Get(), project.Get()},
                           {WM_KILLFOCUS, PWM_SHOWPROPERTIES, PRJ_SELECTWINDOW});
  // The frame's own client area lies left of the back panel.
  const RECT panel = PanelRectInFrame(frame, BackPanelOf(frame));
  const POINT margin = ClientToScreenPoint(frame, {panel.left - 3, panel.top + 60});
  Click(margin);

  const auto frameValue = reinterpret_cast<WPARAM>(frame);
  // The press deselects the old form, then has the frame select itself
  // through WM_SETFOCUS, which tells the old selection once more.
  const std::vector<Recorded> expected = {
      {older, WM_KILLFOCUS, 0, 0},
      {older, WM_KILLFOCUS, 0, 0},
      {properties.Get(), PWM_SHOWPROPERTIES, frameValue, kKindForm},
      {project.Get(), PRJ_SELECTWINDOW, frameValue, static_cast<LPARAM>(frameValue)},
      {properties.Get(), PWM_SHOWPROPERTIES, frameValue, kKindForm},  // the release shows it again
  };
  EXPECT_TRUE(SameSequence(expected, recorder.Messages()));
  EXPECT_EQ(gWorkspace.selectedWindow, frame);
  EXPECT_EQ(gWorkspace.selectedKind, kKindForm);
}

TEST_F(FormWindows, BackPanelCaptionNeitherMovesNorMaximisesThePanel) {
  HWND frame = NewForm();
  HWND panel = BackPanelOf(frame);
  const RECT before = RectInParent(panel);
  const RECT panelScreen = ScreenRect(panel);
  const POINT caption = {panelScreen.left + 60, panelScreen.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 3};
  Drag(caption, {caption.x + 40, caption.y + 30});
  EXPECT_EQ(RectInParent(panel).left, before.left);
  EXPECT_EQ(RectInParent(panel).top, before.top);
  DoubleClick(caption);
  EXPECT_FALSE(::IsZoomed(panel));
  EXPECT_EQ(SizeOf(panel).cx, 350);
  EXPECT_EQ(gWorkspace.selectedWindow, frame);
}

int CountFrames(HWND mdiClient) {
  int count = 0;
  for (HWND child = ::FindWindowExA(mdiClient, nullptr, kFrameClassName, nullptr); child != nullptr;
       child = ::FindWindowExA(mdiClient, child, kFrameClassName, nullptr)) {
    ++count;
  }
  return count;
}

TEST_F(FormWindows, NoFormIsCreatedWhenEitherRecordCannotBeAllocated) {
  const unsigned n = FormNumberOf(NewForm());
  // The form's control record is allocated first, the form record second.
  for (int successes : {0, 1}) {
    win::FailOneAllocation(successes);
    EXPECT_EQ(CreateFormWin(gWorkspace.libraryInstance, MainFrame(), MdiClient(), 1), nullptr);
    EXPECT_EQ(CountFrames(MdiClient()), 1);
  }
  EXPECT_EQ(FormNumberOf(NewForm()), n + 1) << "a form that was not created takes no number";
}

}  // namespace
}  // namespace kelp::test
