// Grab handles around a control: where they sit, how they look, and what a
// real-mouse drag of a handle does to the control; and the inverted outline.
#include "controls/design_control.h"
#include "designer/drag_frame.h"
#include "designer/grab_handles.h"
#include "harness.h"
#include "kelp32.h"
#include "win/gdi.h"

namespace kelp::test {
namespace {

using GrabHandles = HostTest;

// Creation order of the set: top-left, top-right, bottom-right, bottom-left,
// top, right, bottom, left.
enum HandleIndex { kTopLeft, kTopRight, kBottomRight, kBottomLeft, kTop, kRight, kBottom, kLeft };

HWND Handle(HandleIndex index) { return GrabHandleWindow(index); }

POINT CentreOfHandle(HandleIndex index) { return Centre(ScreenRect(Handle(index))); }

POINT SurfacePoint(HWND surface, POINT screen) {
  ::ScreenToClient(surface, &screen);
  return screen;
}

TEST_F(GrabHandles, SitJustOutsideTheControl) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 10, 20, 75, 23, "Button0");
  ShowGrabHandles(button, kGrabHandlesShow);
  const RECT bottomRight = RectInParent(Handle(kBottomRight));
  EXPECT_EQ(bottomRight.left, 85);
  EXPECT_EQ(bottomRight.top, 43);
  EXPECT_EQ(bottomRight.right - bottomRight.left, 7);
  const RECT top = RectInParent(Handle(kTop));
  EXPECT_EQ(top.left, 44);
  EXPECT_EQ(top.top, 13);
  const RECT left = RectInParent(Handle(kLeft));
  EXPECT_EQ(left.left, 3);
  EXPECT_EQ(left.top, 28);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(::GetParent(Handle(static_cast<HandleIndex>(i))), surface);
}

TEST_F(GrabHandles, AreDarkBlueSquaresFramedInWhite) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 30, 30, 75, 23, "Button0");
  ShowGrabHandles(button, kGrabHandlesShow);
  const Pixels handle = Pixels::OfClient(Handle(kRight));
  EXPECT_EQ(handle.At(3, 3), static_cast<COLORREF>(0x009F0000));
  EXPECT_EQ(handle.At(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(handle.At(6, 3), RGB(255, 255, 255));
}

TEST_F(GrabHandles, RemovingTheSetDestroysAllEight) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 30, 30, 75, 23, "Button0");
  ShowGrabHandles(button, kGrabHandlesShow);
  HWND any = Handle(kTop);
  ShowGrabHandles(button, kGrabHandlesRemove);
  EXPECT_FALSE(::IsWindow(any));
  EXPECT_EQ(Handle(kTop), nullptr);
  ShowGrabHandles(button, kGrabHandlesRemove);  // nothing left to remove
  ShowGrabHandles(button, 7);                   // unknown modes do nothing
  EXPECT_EQ(Handle(kTop), nullptr);
}

TEST_F(GrabHandles, DraggingTheRightHandleLeftStopsAtTheNarrowestOutline) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 40, 20, 75, 23, "Button0");
  ShowGrabHandles(button, kGrabHandlesShow);
  const POINT start = CentreOfHandle(kRight);
  Drag(start, {start.x - 200, start.y}, 200);  // pixel by pixel
  const RECT r = RectInParent(button);
  EXPECT_EQ(r.left, 40) << "the left edge stays";
  EXPECT_EQ(r.right - r.left, 6) << "an 8-pixel outline leaves the control 6 wide";
  EXPECT_EQ(RecordOfControl(button)->width, 6);
}

// An edit box whose scroll bar no longer fits keeps its client area as its
// window shrinks: no WM_SIZE comes, and the record follows all the same.
TEST_F(GrabHandles, AControlShrunkWithoutItsClientAreaChangingIsRecordedAsItIs) {
  HWND surface = NewSurface();
  HWND edit = CreateEditWin(surface, 40, 30, 7, 23, "Editbox0");
  RECT client{};
  ::GetClientRect(edit, &client);
  ShowGrabHandles(edit, kGrabHandlesShow);
  const POINT bottom = CentreOfHandle(kBottom);
  Drag(bottom, {bottom.x, bottom.y - 19});
  RECT now{};
  ::GetClientRect(edit, &now);
  ASSERT_EQ(now.bottom, client.bottom) << "the client area is as it was";
  const RECT r = RectInParent(edit);
  ASSERT_LT(r.bottom - r.top, 23);
  const int recorded = RecordOfControl(edit)->height;
  EXPECT_TRUE(recorded == r.bottom - r.top || recorded == now.bottom) << recorded;
}

TEST_F(GrabHandles, ACornerHandleMovesTwoEdgesAndAMiddleOneOne) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 40, 30, 75, 23, "Button0");
  ShowGrabHandles(button, kGrabHandlesShow);
  const POINT corner = CentreOfHandle(kBottomRight);
  const POINT cornerEnd = {corner.x + 20, corner.y + 15};
  Drag(corner, cornerEnd);
  RECT r = RectInParent(button);
  const POINT cornerInSurface = SurfacePoint(surface, cornerEnd);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.right, cornerInSurface.x - 1) << "the outline's edge went to the cursor";
  EXPECT_EQ(r.bottom, cornerInSurface.y - 1);

  const POINT top = CentreOfHandle(kTop);
  const POINT topEnd = {top.x + 30, top.y - 10};
  const RECT before = RectInParent(button);
  Drag(top, topEnd);
  r = RectInParent(button);
  EXPECT_EQ(r.top, SurfacePoint(surface, topEnd).y + 1);
  EXPECT_EQ(r.left, before.left);
  EXPECT_EQ(r.right, before.right);
  EXPECT_EQ(r.bottom, before.bottom);
  // The handles follow the control.
  EXPECT_EQ(RectInParent(Handle(kBottomRight)).left, r.right);
}

// Beneath the other controls, but above the group boxes: the designer keeps
// those lowest, and a saved form placed again stacks as it did.
TEST_F(GrabHandles, AResizedTimerStays28By28AtItsNewPlaceBeneathAllButTheGroupBoxes) {
  HWND surface = NewSurface();
  DWORD tool = 0;
  HWND group = CreateGroupBoxWin(surface, 150, 150, 150, 100, "Groupbox0", &tool);
  HWND timer = CreateTimerWin(surface, 60, 60, 28, 28, "timer0");
  HWND button = CreateButtonWin(surface, 200, 20, 75, 23, "Button0");
  ::SetWindowPos(group, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowGrabHandles(timer, kGrabHandlesShow);
  const POINT start = CentreOfHandle(kTopLeft);
  const POINT end = {start.x - 25, start.y - 20};
  Drag(start, end);
  const RECT r = RectInParent(timer);
  EXPECT_EQ(r.right - r.left, 28);
  EXPECT_EQ(r.bottom - r.top, 28);
  EXPECT_EQ(r.left, SurfacePoint(surface, end).x + 1);
  EXPECT_EQ(r.top, SurfacePoint(surface, end).y + 1);
  std::vector<HWND> topFirst;
  for (HWND w = ::GetWindow(surface, GW_CHILD); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    if (w == button || w == timer || w == group) topFirst.push_back(w);
  }
  EXPECT_EQ(topFirst, (std::vector<HWND>{button, timer, group})) << "the button above the timer, the group box lowest";
}

TEST_F(GrabHandles, AResizedGroupBoxStaysBeneathTheOtherControls) {
  HWND surface = NewSurface();
  DWORD tool = 0;
  HWND group = CreateGroupBoxWin(surface, 20, 20, 150, 100, "Groupbox0", &tool);
  HWND button = CreateButtonWin(surface, 40, 40, 75, 23, "Button0");
  ::SetWindowPos(group, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ShowGrabHandles(group, kGrabHandlesShow);
  const POINT start = CentreOfHandle(kRight);
  Drag(start, {start.x + 30, start.y});
  EXPECT_EQ(::GetWindow(group, GW_HWNDNEXT), nullptr) << "the group box is last in z-order";
  EXPECT_NE(::GetWindow(button, GW_HWNDNEXT), nullptr);
}

TEST_F(GrabHandles, AClickOnAControlSelectsItWithHandles) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 40, 40, 75, 23, "Button0");
  Click(Centre(ScreenRect(button)));
  ASSERT_NE(Handle(kBottomRight), nullptr);
  EXPECT_EQ(RectInParent(Handle(kBottomRight)).left, 115);
  EXPECT_EQ(RectInParent(button).left, 40) << "a click moves nothing";
}

TEST(DragFrame, DrawnTwiceLeavesThePixelsAsTheyWere) {
  HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 500, 300, 120, 90, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
  const Pixels before = Pixels::OfClient(window);
  const RECT outline = {10, 12, 80, 60};
  DrawDragFrame(window, outline, kDrawAndRemember);
  const Pixels drawn = Pixels::OfClient(window);
  EXPECT_NE(drawn.At(10, 30), before.At(10, 30)) << "the left band is inverted";
  EXPECT_NE(drawn.At(11, 30), before.At(11, 30));
  EXPECT_EQ(drawn.At(12, 30), before.At(12, 30)) << "the band is 2 pixels wide";
  EXPECT_NE(drawn.At(79, 59), before.At(79, 59)) << "corner inverted exactly once";
  EXPECT_EQ(LastDragFrame().left, 10);
  DrawDragFrame(window, outline, kDrawOnly);
  EXPECT_TRUE(Pixels::OfClient(window) == before);
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace kelp::test
