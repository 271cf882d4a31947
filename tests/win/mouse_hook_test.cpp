// mhook.dll as the colour picker uses it, loaded from beside the programs:
// presses anywhere in the thread are reported to the installed window.
#include <windows.h>

#include "harness.h"
#include "mhook.h"

namespace kelp::test {
namespace {

class MouseHook : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    library_ = ::LoadLibraryA("mhook.dll");
    ASSERT_NE(library_, nullptr);
    install_ = reinterpret_cast<decltype(&InstallHook)>(
        reinterpret_cast<void*>(::GetProcAddress(library_, "InstallHook")));
    uninstall_ = reinterpret_cast<decltype(&UninstallHook)>(
        reinterpret_cast<void*>(::GetProcAddress(library_, "UninstallHook")));
    ASSERT_NE(install_, nullptr);
    ASSERT_NE(uninstall_, nullptr);
  }
  void TearDown() override {
    if (uninstall_ != nullptr) uninstall_();
    ::FreeLibrary(library_);
    HostTest::TearDown();
  }

  static std::vector<Recorded> Reports(const StandInWindow& window) {
    return window.ReceivedBetween(MHOOK_PRESS, MHOOK_PRESS);
  }

  HMODULE library_ = nullptr;
  decltype(&InstallHook) install_ = nullptr;
  decltype(&UninstallHook) uninstall_ = nullptr;
};

TEST_F(MouseHook, ReportsEachPressWithTheWindowAndTheMessage) {
  StandInWindow field;
  EXPECT_TRUE(install_(field.Get()));
  const POINT onClient = ClientToScreenPoint(MdiClient(), {200, 200});
  Click(onClient);
  RightClick(onClient);
  MoveMouseTo({onClient.x + 20, onClient.y + 20});
  const std::vector<Recorded> reports = Reports(field);
  ASSERT_EQ(reports.size(), 2u) << "presses only: no releases, no moves";
  EXPECT_EQ(reports[0].wParam, reinterpret_cast<WPARAM>(MdiClient()));
  EXPECT_EQ(reports[0].lParam, WM_LBUTTONDOWN);
  EXPECT_EQ(reports[1].wParam, reinterpret_cast<WPARAM>(MdiClient()));
  EXPECT_EQ(reports[1].lParam, WM_RBUTTONDOWN);
}

TEST_F(MouseHook, ReportsPressesOnTheCaptionAsNonClientMessages) {
  StandInWindow field;
  install_(field.Get());
  HWND form = NewForm();
  const RECT frame = ScreenRect(form);
  // A press on a caption starts the move loop: the release is queued with it.
  ClickQueued({frame.left + 60, frame.top + 8});
  const std::vector<Recorded> reports = Reports(field);
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports[0].wParam, reinterpret_cast<WPARAM>(form));
  EXPECT_EQ(reports[0].lParam, WM_NCLBUTTONDOWN);
}

TEST_F(MouseHook, NothingIsReportedAfterUninstallAndUninstallAloneIsHarmless) {
  EXPECT_TRUE(uninstall_()) << "without InstallHook";
  StandInWindow field;
  install_(field.Get());
  EXPECT_TRUE(uninstall_());
  Click(ClientToScreenPoint(MdiClient(), {200, 200}));
  EXPECT_TRUE(Reports(field).empty());
  EXPECT_TRUE(uninstall_()) << "twice";
}

TEST_F(MouseHook, ASecondInstallMovesTheReportsToTheNewWindow) {
  StandInWindow first;
  StandInWindow second;
  install_(first.Get());
  install_(second.Get());
  Click(ClientToScreenPoint(MdiClient(), {200, 200}));
  EXPECT_TRUE(Reports(first).empty());
  EXPECT_EQ(Reports(second).size(), 1u);
}

}  // namespace
}  // namespace kelp::test
