// The Form Layout window as a user sees it: the monitor on its stand drawn
// where the layout arithmetic puts it, for the default window and a tall
// one, repainted whole when the window shrinks, and a screen picture in the
// desktop colour.
#include <windows.h>

#include <string>

#include "core/screen_layout.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

COLORREF Sys(int index) {
  return ::GetSysColor(index);
}

class FormLayout : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ::MoveWindow(MdiClient(), 0, 0, 600, 640, TRUE);
    window_ = ScreenLayoutClass(MainFrame());
    ::SetWindowPos(window_, HWND_TOP, 620, 10, 0, 0, SWP_NOSIZE);
    PumpPending();
  }
  void TearDown() override {
    ::DestroyWindow(window_);
    ::MoveWindow(MdiClient(), 0, 0, 980, 640, TRUE);
    HostTest::TearDown();
  }

  SIZE Client() const {
    RECT r{};
    ::GetClientRect(window_, &r);
    return {r.right, r.bottom};
  }

  // Checks the monitor drawn in the window against the layout for its client.
  void ExpectMonitorDrawn() const {
    const SIZE client = Client();
    const MonitorLayout m = LayOutMonitor(client.cx, client.cy);
    const Pixels p = Pixels::OfClient(window_);
    SCOPED_TRACE(testing::Message() << "client " << client.cx << " x " << client.cy);
    const int midY = (m.outline.top + m.outline.bottom) / 2;
    const int midX = (m.outline.left + m.outline.right) / 2;

    EXPECT_EQ(p.At(0, 0), kWhite);
    EXPECT_EQ(p.At(client.cx - 1, client.cy - 1), kWhite);
    EXPECT_EQ(p.At(m.outline.left - 1, midY), kWhite) << "nothing left of the monitor";
    // The body: dark right and bottom edges with a shadow line inside them,
    // shadow left and top edges with a white line inside, the face between.
    EXPECT_EQ(p.At(m.outline.right - 1, midY), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(p.At(midX, m.outline.bottom - 1), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(p.At(m.outline.right - 2, midY), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(m.outline.left, midY), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(midX, m.outline.top), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(m.outline.left + 1, midY), kWhite);
    EXPECT_EQ(p.At(m.outline.left + 2, m.outline.top + 2), Sys(COLOR_BTNFACE));
    EXPECT_EQ(p.At(m.outline.right, midY), kWhite) << "nothing right of the monitor";
    // The stand under it: dark bottom edge, shadow above, face above that.
    const int standX = (m.stand.left + m.stand.right) / 2;
    EXPECT_EQ(p.At(standX, m.stand.bottom - 1), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(p.At(standX, m.stand.bottom - 2), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(standX, m.stand.bottom), kWhite);
    EXPECT_EQ(p.At(m.stand.left - 1, m.stand.bottom - 1), kWhite);
    // The screen area's bezel: shadow, then black, on the left; white, then
    // shadow, on the right.
    const Rect& a = m.screen;
    const int screenY = (a.top + a.bottom) / 2;
    EXPECT_EQ(p.At(a.left - 1, screenY), Sys(COLOR_BTNFACE));
    EXPECT_EQ(p.At(a.left, screenY), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At(a.left + 1, screenY), kBlack);
    EXPECT_EQ(p.At(a.right - 1, screenY), kWhite);
    EXPECT_EQ(p.At(a.right - 2, screenY), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(p.At((a.left + a.right) / 2, a.top + 1), kBlack);
    // The picture: the desktop colour at its top-left and centre.
    EXPECT_EQ(p.At(m.picture.left, m.picture.top), Sys(COLOR_BACKGROUND));
    EXPECT_EQ(p.At((m.picture.left + m.picture.right) / 2, (m.picture.top + m.picture.bottom) / 2),
              Sys(COLOR_BACKGROUND));
  }

  HWND window_ = nullptr;
};

TEST_F(FormLayout, IsASmallToolWindowThatRedrawsWholeOnEveryResize) {
  EXPECT_EQ(ClassNameOf(window_), "LayOut_Class");
  EXPECT_EQ(WindowText(window_), "Form Layout");
  const RECT bounds = ScreenRect(window_);
  EXPECT_EQ(bounds.right - bounds.left, 200);
  EXPECT_EQ(bounds.bottom - bounds.top, 150);
  EXPECT_EQ(::GetClassLongA(window_, GCL_STYLE),
            static_cast<DWORD>(CS_BYTEALIGNWINDOW | CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(::GetClassLongPtrA(window_, GCLP_HBRBACKGROUND), 0) << "the paint covers everything";
}

TEST_F(FormLayout, TheDefaultWindowShowsTheMonitorSizedFromItsHeight) {
  const SIZE client = Client();
  ASSERT_GT(client.cx, client.cy);
  const MonitorLayout m = LayOutMonitor(client.cx, client.cy);
  const unsigned reduced = client.cy - client.cy / 10;
  EXPECT_EQ(m.size, reduced - reduced / 10);
  ExpectMonitorDrawn();
}

TEST_F(FormLayout, ATallWindowShowsTheMonitorSizedFromItsWidth) {
  ::SetWindowPos(window_, nullptr, 0, 0, 150, 300, SWP_NOMOVE | SWP_NOZORDER);
  const SIZE client = Client();
  ASSERT_LT(client.cx, client.cy);
  EXPECT_EQ(LayOutMonitor(client.cx, client.cy).outline.Width(), client.cx - client.cx / 10);
  ExpectMonitorDrawn();
}

TEST_F(FormLayout, ShrinkingTheWindowRepaintsItWhole) {
  ExpectMonitorDrawn();
  const MonitorLayout before = LayOutMonitor(Client().cx, Client().cy);
  // Narrower and then shorter: nothing is uncovered, so only the class's
  // redraw styles bring a new paint.
  for (SIZE size : {SIZE{170, 150}, SIZE{170, 120}}) {
    ::SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    ExpectMonitorDrawn();
  }
  const MonitorLayout after = LayOutMonitor(Client().cx, Client().cy);
  ASSERT_LT(after.outline.right, before.outline.right);
  const Pixels p = Pixels::OfClient(window_);
  EXPECT_EQ(p.At(before.outline.right - 1, (after.outline.top + after.outline.bottom) / 2), kWhite)
      << "the old outline is gone";
}

TEST_F(FormLayout, ThePictureIsTheDesktopColourAboveTheScreensBottomBand) {
  const SIZE client = Client();
  const MonitorLayout m = LayOutMonitor(client.cx, client.cy);
  const ScreenBand band = BottomBand(::GetSystemMetrics(SM_CYSCREEN), ::GetSystemMetrics(SM_CYMAXIMIZED));
  const int bandRow = m.picture.top + band.top * m.picture.Height() / ::GetSystemMetrics(SM_CYSCREEN);
  const Pixels p = Pixels::OfClient(window_);
  const RECT above = {m.picture.left, m.picture.top, m.picture.right, bandRow - 1};
  const int area = (above.right - above.left) * (above.bottom - above.top);
  ASSERT_GT(area, 0);
  EXPECT_EQ(p.Count(Sys(COLOR_BACKGROUND), above), area);
}

TEST_F(FormLayout, RepeatedPaintsStillDrawTheSamePicture) {
  const Pixels first = Pixels::OfClient(window_);
  for (int i = 0; i < 500; ++i) {
    ::InvalidateRect(window_, nullptr, FALSE);
    ::UpdateWindow(window_);
  }
  EXPECT_EQ(Pixels::OfClient(window_), first) << "every brush, bitmap and DC of a paint is released";
}

}  // namespace
}  // namespace kelp::test
