// The toolbox as a user meets it: the Pointer Tool checked at the start,
// clicking picks a tool, tooltips name each tool, and it wraps on resize.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "core/tools.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "project/image_toolbar.h"
#include "win/gdi.h"

namespace kelp::test {
namespace {

class Toolbox : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    toolbox_ = Create_Tool_Bar(MainFrame());
    toolbar_ = gWorkspace.toolboxToolbar;
    ::UpdateWindow(toolbox_);
    PumpPending();
  }
  void TearDown() override {
    ::DestroyWindow(toolbox_);
    HostTest::TearDown();
  }

  bool Checked(std::uint32_t tool) const { return ::SendMessageA(toolbar_, TB_ISBUTTONCHECKED, tool, 0) != 0; }

  RECT ButtonScreenRect(std::uint32_t tool) const {
    RECT r{};
    ::SendMessageA(toolbar_, TB_GETRECT, tool, reinterpret_cast<LPARAM>(&r));
    ::MapWindowPoints(toolbar_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  std::string ToolTipAnswer(UINT_PTR tool) const {
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = toolbar_;
    info.hdr.idFrom = tool;
    info.hdr.code = TTN_NEEDTEXTA;
    ::SendMessageA(toolbox_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return info.lpszText != nullptr ? info.lpszText : "(none)";
  }

  HWND toolbox_ = nullptr;
  HWND toolbar_ = nullptr;
};

TEST_F(Toolbox, StartsOnThePointerToolWithOnlyItsButtonChecked) {
  EXPECT_EQ(WindowText(toolbox_), "Tools");
  EXPECT_EQ(ClassNameOf(toolbox_), "Toolbar_Class");
  EXPECT_EQ(gWorkspace.currentTool, kToolPointer);
  EXPECT_EQ(::SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0), 23);
  for (std::uint32_t tool = kFirstTool; tool <= kLastTool; ++tool) {
    EXPECT_EQ(Checked(tool), tool == kToolPointer) << "tool " << tool;
  }
}

TEST_F(Toolbox, ClickingAButtonMakesItTheToolAndReleasesTheOld) {
  Click(Centre(ButtonScreenRect(kKindButton)));
  EXPECT_EQ(gWorkspace.currentTool, kKindButton);
  EXPECT_TRUE(Checked(kKindButton));
  EXPECT_FALSE(Checked(kToolPointer));

  Click(Centre(ButtonScreenRect(kKindStatusBar)));
  EXPECT_EQ(gWorkspace.currentTool, kKindStatusBar);
  EXPECT_TRUE(Checked(kKindStatusBar));
  EXPECT_FALSE(Checked(kKindButton));

  // The current tool's own button toggles off; the tool stays.
  Click(Centre(ButtonScreenRect(kKindStatusBar)));
  EXPECT_EQ(gWorkspace.currentTool, kKindStatusBar);
  EXPECT_FALSE(Checked(kKindStatusBar));
}

TEST_F(Toolbox, EachToolTipTextIsExact) {
  for (const ToolTip& tip : kToolTips) EXPECT_EQ(ToolTipAnswer(tip.tool), tip.text);
  EXPECT_EQ(ToolTipAnswer(68), "Calander Control");
  EXPECT_EQ(ToolTipAnswer(200), "(none)") << "an unknown identifier gets no text";
}

TEST_F(Toolbox, HoveringShowsTheToolTip) {
  MoveMouseTo(Centre(ButtonScreenRect(kKindCheckBox)));
  HWND tip = reinterpret_cast<HWND>(::SendMessageA(toolbar_, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tip, nullptr);
  EXPECT_EVENTUALLY(::IsWindowVisible(tip));
  EXPECT_EQ(WindowText(tip), "Checkbox Control");
}

TEST_F(Toolbox, EveryTileShowsOnItsButton) {
  const Pixels pixels = Pixels::OfClient(toolbar_);
  for (std::uint32_t tool = kFirstTool; tool <= kLastTool; ++tool) {
    RECT r{};
    ::SendMessageA(toolbar_, TB_GETRECT, tool, reinterpret_cast<LPARAM>(&r));
    const int drawn = (r.right - r.left) * (r.bottom - r.top) - pixels.Count(::GetSysColor(COLOR_BTNFACE), r);
    EXPECT_GT(drawn, 20) << "tool " << tool << " shows its picture";
  }
}

TEST(ImageStrip, BackgroundConnectedToTheCornerTakesTheButtonFace) {
  // A 10 x 6 strip of the strip background colour with a closed ring whose
  // inside is the same colour: only the outside is the strip's background.
  win::WindowDc screen(nullptr);
  win::Bitmap strip(::CreateCompatibleBitmap(screen, 10, 6));
  const COLORREF background = RGB(192, 192, 192);
  {
    win::MemoryDc memory(screen);
    win::ScopedSelect selection(memory, strip.Get());
    const RECT all = {0, 0, 10, 6};
    win::Brush fill = win::SolidBrush(background);
    ::FillRect(memory, &all, fill.Get());
    const RECT ring = {4, 1, 9, 5};
    win::Brush black = win::SolidBrush(RGB(0, 0, 0));
    ::FrameRect(memory, &ring, black.Get());
  }
  EXPECT_EQ(FillStripBackground(strip.Get()), strip.Get());
  win::MemoryDc memory(screen);
  win::ScopedSelect selection(memory, strip.Get());
  EXPECT_EQ(::GetPixel(memory, 1, 1), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(::GetPixel(memory, 9, 5), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(::GetPixel(memory, 6, 3), background) << "enclosed background keeps its colour";
  EXPECT_EQ(::GetPixel(memory, 4, 1), RGB(0, 0, 0));
}

TEST_F(Toolbox, ResizingReflowsTheButtons) {
  const LRESULT narrowRows = ::SendMessageA(toolbar_, TB_GETROWS, 0, 0);
  ::MoveWindow(toolbox_, 0, 0, 300, 495, TRUE);
  PumpPending();
  EXPECT_LT(::SendMessageA(toolbar_, TB_GETROWS, 0, 0), narrowRows);
}

}  // namespace
}  // namespace kelp::test
