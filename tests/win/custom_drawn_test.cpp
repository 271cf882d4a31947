// The controls that draw themselves or need help to be handled at design
// time: labels, group boxes, image boxes, timers, progress bars, trackbars
// grown far past their form.
#include <windows.h>
#include <commctrl.h>

#include "controls/design_control.h"
#include "designer/form_designer.h"
#include "designer/grab_handles.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

using CustomDrawn = HostTest;

TEST_F(CustomDrawn, ALabelAndAGroupBoxAreSelectedByAClick) {
  HWND surface = NewSurface();
  HWND label = CreateStaticWin(surface, 20, 20, 100, 20, "Static0");
  DWORD tool = 0;
  HWND group = CreateGroupBoxWin(surface, 20, 60, 150, 100, "Groupbox0", &tool);
  gWorkspace.currentTool = kToolPointer;
  Click(Centre(ScreenRect(label)));
  EXPECT_EQ(gWorkspace.selectedWindow, label);
  EXPECT_NE(GrabHandleWindow(0), nullptr);
  const RECT groupRect = ScreenRect(group);
  Click({groupRect.left + 40, groupRect.top + 40});
  EXPECT_EQ(gWorkspace.selectedWindow, group);
  // Away from the click, so the press is not taken for a double click.
  const POINT start = {groupRect.left + 80, groupRect.top + 60};
  Drag(start, {start.x + 10, start.y + 5});
  EXPECT_EQ(RectInParent(group).left, 30) << "a drag moves it";
}

TEST_F(CustomDrawn, WithAPlacingToolADragOnAGroupBoxDrawsOnTheForm) {
  HWND surface = NewSurface();
  DWORD tool = 0;
  HWND group = CreateGroupBoxWin(surface, 20, 20, 200, 150, "Groupbox0", &tool);
  const RECT before = RectInParent(group);
  gWorkspace.currentTool = kKindButton;
  gFormDesigner.newControl = nullptr;
  Drag(ClientToScreenPoint(surface, {50, 50}), ClientToScreenPoint(surface, {130, 80}));
  HWND button = gFormDesigner.newControl;
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(::GetParent(button), surface);
  const RECT r = RectInParent(button);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right, 130);
  const RECT after = RectInParent(group);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(::GetWindow(group, GW_HWNDNEXT), nullptr) << "the group box stays beneath";
}

TEST_F(CustomDrawn, AnImageBoxPaintsBlackWithRedEdgesWhileDragged) {
  HWND surface = NewSurface();
  HWND image = CreateImageBoxWin(surface, 20, 20, 120, 90, "Imagebox0");
  const Pixels still = Pixels::OfClient(image);
  EXPECT_EQ(still.Count(RGB(0, 0, 0), {0, 0, still.Width(), still.Height()}), still.Width() * still.Height());
  const POINT start = Centre(ScreenRect(image));
  PressLeft(start);
  MoveMouseTo({start.x + 40, start.y + 30});
  const Pixels dragged = Pixels::OfClient(image);
  EXPECT_EQ(dragged.At(0, 40), RGB(255, 0, 0)) << "left edge";
  EXPECT_EQ(dragged.At(50, 0), RGB(255, 0, 0)) << "top edge";
  EXPECT_EQ(dragged.At(dragged.Width() - 1, 5), RGB(0, 0, 0)) << "no right edge";
  ReleaseLeft({start.x + 40, start.y + 30});
}

TEST_F(CustomDrawn, ATimerShowsItsPictureAndARedFrameWhileDragged) {
  HWND surface = NewSurface();
  HWND timer = CreateTimerWin(surface, 40, 40, 28, 28, "timer0");
  const POINT start = Centre(ScreenRect(timer));
  PressLeft(start);
  MoveMouseTo({start.x + 40, start.y + 40});
  const Pixels dragged = Pixels::OfClient(timer);
  EXPECT_EQ(dragged.At(0, 14), RGB(255, 0, 0));
  EXPECT_EQ(dragged.At(27, 14), RGB(255, 0, 0));
  ReleaseLeft({start.x + 40, start.y + 40});
  EXPECT_EQ(Pixels::OfClient(timer).At(0, 14), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(CustomDrawn, AProgressBarShows30Of100AfterAnyResize) {
  HWND surface = NewSurface();
  HWND progress = CreateProgressWin(surface, 10, 10, 150, 20, "progressbar0");
  EXPECT_EQ(::SendMessageA(progress, PBM_GETPOS, 0, 0), 10);
  ::MoveWindow(progress, 10, 10, 180, 24, TRUE);
  EXPECT_EQ(::SendMessageA(progress, PBM_GETPOS, 0, 0), 30);
  EXPECT_EQ(::SendMessageA(progress, PBM_GETRANGE, FALSE, 0), 100);
  ::MoveWindow(progress, 10, 10, 120, 24, TRUE);
  EXPECT_EQ(::SendMessageA(progress, PBM_GETPOS, 0, 0), 30);
}

// The common control would draw the whole trackbar off-screen, a gigabyte,
// at every paint of its form; the designer draws the part shown, where the
// control says its channel, thumb and ticks are.
TEST_F(CustomDrawn, ATrackbarFarLargerThanItsFormShowsItsChannelThumbAndTicks) {
  HWND surface = NewSurface();
  HWND trackBar = CreateTrackBarWin(surface, 0, 0, 2500, 16000, "trackbar0");
  ASSERT_EQ(RectInParent(trackBar).bottom, 16000);
  RECT channel{};
  RECT thumb{};
  ::SendMessageA(trackBar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  ::SendMessageA(trackBar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const int secondTick = static_cast<int>(::SendMessageA(trackBar, TBM_GETTICPOS, 0, 0));
  ASSERT_GT(secondTick, thumb.right + 2);
  ASSERT_LT(secondTick, 300) << "shown on the form";
  const Pixels shown = Pixels::OfClient(surface);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const int tickY = thumb.bottom + 2;
  EXPECT_EQ(shown.At((thumb.left + thumb.right) / 2, tickY), ::GetSysColor(COLOR_BTNTEXT)) << "the first tick";
  EXPECT_EQ(shown.At(secondTick, tickY), ::GetSysColor(COLOR_BTNTEXT)) << "the second";
  EXPECT_EQ(shown.At(secondTick - 2, tickY), face) << "between them";
  EXPECT_EQ(shown.At(secondTick, channel.top), ::GetSysColor(COLOR_BTNSHADOW)) << "the channel's sunken edge";
  EXPECT_NE(shown.At(thumb.left, (thumb.top + thumb.bottom) / 2), face) << "the thumb's raised edge";
  EXPECT_EQ(shown.At(secondTick, tickY + 40), face) << "beneath, the control's background";
}

}  // namespace
}  // namespace kelp::test
