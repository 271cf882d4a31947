// The New Project window as a user meets it: seven kinds with their
// pictures, a kind chosen only by a mouse click, "Resource Dependent" and
// its message box, "OK" opening the first form for "Standard EXE" and
// "MDI", "Cancel", and two windows that keep their own choices.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

constexpr int kStandardExe = 0, kStandardDll = 1, kMdi = 4, kResourceDependent = 5, kSnippets = 6;

int FormsOpen(HWND client) {
  return CountChildren(client, "ClientForm_Class");
}

// The message box of "Resource Dependent", answered from inside its loop.
struct MessageBoxSeen {
  bool closed = false;
  std::string title;
  std::string text;
};
MessageBoxSeen gBox;

void CALLBACK AnswerMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = ::FindWindowA("#32770", nullptr);
  if (box == nullptr || !::IsWindowVisible(box)) return;  // not up yet
  ::KillTimer(nullptr, timer);
  gBox.title = WindowText(box);
  gBox.text = WindowText(::GetDlgItem(box, 0xFFFF));
  gBox.closed = true;
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

class NewProjectWindow : public HostTest {
 protected:
  void TearDown() override {
    for (HWND window : opened_) {
      if (::IsWindow(window)) ::DestroyWindow(window);
    }
    HostTest::TearDown();
  }

  HWND Open() {
    HWND window = NewProject(MainFrame());
    opened_.push_back(window);
    ::UpdateWindow(window);
    PumpPending();
    return window;
  }

  static HWND List(HWND window) { return ::FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr); }

  static RECT ItemRect(HWND window, int index, int part) {
    RECT r{};
    r.left = part;
    ::SendMessageA(List(window), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
  }

  static void ClickItem(HWND window, int index) {
    ClickQueued(ClientToScreenPoint(List(window), Centre(ItemRect(window, index, LVIR_ICON))));
    ASSERT_EVENTUALLY(SelectedItem(window) == index);
  }

  static int SelectedItem(HWND window) {
    return static_cast<int>(
        ::SendMessageA(List(window), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }

  static void ClickButton(HWND window, int id) { Click(Centre(ScreenRect(::GetDlgItem(window, id)))); }

  std::vector<HWND> opened_;
};

TEST_F(NewProjectWindow, ShowsTheSevenKindsInOrderWithTheirPicturesAndTwoButtons) {
  HWND window = Open();
  EXPECT_EQ(ClassNameOf(window), "NewProject_Class");
  EXPECT_EQ(WindowText(window), "Kelp32 - New Project");
  EXPECT_EQ(::GetWindow(window, GW_OWNER), MainFrame());
  EXPECT_NE(::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  const RECT bounds = ScreenRect(window);
  EXPECT_EQ(bounds.left, 100);
  EXPECT_EQ(bounds.top, 150);
  EXPECT_EQ(bounds.right - bounds.left, 350);
  EXPECT_EQ(bounds.bottom - bounds.top, 250);

  HWND list = List(window);
  ASSERT_NE(list, nullptr);
  const std::vector<std::string> kinds = {"Standard EXE",      "Standard DLL", "Console Application",
                                          "Static Library",    "MDI",          "Resource Dependent",
                                          "Snippet Store CODE"};
  ASSERT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 7);
  POINT previous = {-1, -1};
  for (int i = 0; i < 7; ++i) {
    char text[256] = {};
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = i;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(text, kinds[i]);
    EXPECT_EQ(item.iImage, i);
    // Reading order: right of the one before, or on a later row.
    POINT place{};
    ::SendMessageA(list, LVM_GETITEMPOSITION, i, reinterpret_cast<LPARAM>(&place));
    EXPECT_TRUE(place.y > previous.y || (place.y == previous.y && place.x > previous.x)) << kinds[i];
    previous = place;
  }

  // Six kinds show their picture; the seventh has none to show.
  const Pixels pixels = Pixels::OfClient(list);
  for (int i = 0; i < 7; ++i) {
    const RECT icon = ItemRect(window, i, LVIR_ICON);
    const int area = (icon.right - icon.left) * (icon.bottom - icon.top);
    const int blank = pixels.Count(RGB(255, 255, 255), icon);
    if (i < 6) {
      EXPECT_GT(area - blank, 100) << kinds[i];
    } else {
      EXPECT_EQ(blank, area) << kinds[i];
    }
  }

  HWND ok = ::GetDlgItem(window, 1001);
  HWND cancel = ::GetDlgItem(window, 1000);
  EXPECT_EQ(WindowText(ok), "OK");
  EXPECT_EQ(WindowText(cancel), "Cancel");
  EXPECT_EQ(RectInParent(ok).left, 225);
  EXPECT_EQ(RectInParent(ok).top, 165);
  EXPECT_EQ(RectInParent(cancel).top, 195);
  EXPECT_EQ(RectInParent(cancel).right - RectInParent(cancel).left, 100);
}

TEST_F(NewProjectWindow, OnlyAClickChoosesAKindAndOnlyTwoKindsOpenAForm) {
  const int forms = FormsOpen(MdiClient());
  HWND window = Open();

  // Nothing chosen yet.
  ClickButton(window, 1001);
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_EQ(FormsOpen(MdiClient()), forms);

  // "Standard EXE" selected from the keyboard alone is not chosen.
  ::SetForegroundWindow(window);
  ::SetFocus(List(window));
  PressKey(VK_HOME);
  ASSERT_EVENTUALLY(SelectedItem(window) == kStandardExe);
  ClickButton(window, 1001);
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_EQ(FormsOpen(MdiClient()), forms);

  // "Standard DLL" clicked, then "Standard EXE" selected by keyboard: the
  // choice stays "Standard DLL", which opens nothing.
  ClickItem(window, kStandardDll);
  PressKey(VK_HOME);
  ASSERT_EVENTUALLY(SelectedItem(window) == kStandardExe);
  ClickButton(window, 1001);
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_EQ(FormsOpen(MdiClient()), forms);

  // "Resource Dependent" says so in a box of that title; "OK" then does nothing.
  gBox = {};
  ::SetTimer(nullptr, 0, 20, AnswerMessageBox);
  ClickItem(window, kResourceDependent);
  ASSERT_EVENTUALLY(gBox.closed);
  EXPECT_EQ(gBox.title, "Resource Dependent");
  EXPECT_EQ(gBox.text, "Resource Dependent");
  ClickButton(window, 1001);
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_EQ(FormsOpen(MdiClient()), forms);

  // "Snippet Store CODE" opens nothing either; "Cancel" closes the window.
  ClickItem(window, kSnippets);
  ClickButton(window, 1001);
  EXPECT_TRUE(::IsWindow(window));
  ClickButton(window, 1000);
  EXPECT_EVENTUALLY(!::IsWindow(window));
  EXPECT_EQ(FormsOpen(MdiClient()), forms);
}

TEST_F(NewProjectWindow, MdiThenOkOpensOneFormAndCloses) {
  const int forms = FormsOpen(MdiClient());
  HWND window = Open();
  ClickItem(window, kMdi);
  ClickButton(window, 1001);
  EXPECT_EVENTUALLY(!::IsWindow(window));
  EXPECT_EQ(FormsOpen(MdiClient()), forms + 1);
  HWND form = ::GetWindow(MdiClient(), GW_CHILD);
  EXPECT_EQ(WindowText(form).rfind("Project1 - Form", 0), 0u) << WindowText(form);
}

TEST_F(NewProjectWindow, StandardExeStaysChosenAfterAClickOnEmptySpace) {
  const int forms = FormsOpen(MdiClient());
  HWND window = Open();
  ClickItem(window, kStandardExe);
  RECT client{};
  ::GetClientRect(List(window), &client);
  ClickQueued(ClientToScreenPoint(List(window), {client.right - 6, client.bottom - 6}));
  ASSERT_EVENTUALLY(SelectedItem(window) == -1);
  ClickButton(window, 1001);
  EXPECT_EVENTUALLY(!::IsWindow(window));
  EXPECT_EQ(FormsOpen(MdiClient()), forms + 1);
}

TEST_F(NewProjectWindow, TwoOpenWindowsKeepTheirOwnChoices) {
  const int forms = FormsOpen(MdiClient());
  HWND first = Open();
  HWND second = Open();
  ::SetWindowPos(second, nullptr, 500, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PumpPending();
  ClickItem(first, kStandardExe);
  ClickButton(second, 1001);
  EXPECT_TRUE(::IsWindow(second)) << "nothing was chosen in this one";
  EXPECT_EQ(FormsOpen(MdiClient()), forms);
  ClickButton(first, 1001);
  EXPECT_EVENTUALLY(!::IsWindow(first));
  EXPECT_EQ(FormsOpen(MdiClient()), forms + 1);
  EXPECT_TRUE(::IsWindow(second));
}

}  // namespace
}  // namespace kelp::test
