// The menu bar as a host installs it and a user chooses from it: the nine
// menus item by item, "&Exit" from two menus, "&Add Form" twice, WM_CLOSE,
// WM_MOVE passed to the selection first, and the items as they are drawn,
// in an open menu and for each drawing request.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "canvas.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

// What the host's own frame procedure received, in order.
struct HostEvent {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  int formsOpen;  // MDI children that were forms when it arrived
  friend bool operator==(const HostEvent&, const HostEvent&) = default;
};

std::vector<HostEvent> gHostEvents;
// Moves as they happened, the host's and the selection's, in one order.
std::vector<std::string> gMoves;
WNDPROC gHostProc = nullptr;
HWND gHostClient = nullptr;

int FormsOpen(HWND client) {
  return CountChildren(client, "ClientForm_Class");
}

// The host: records what reaches it and declines to close, so the frame
// that every test shares stays.
LRESULT CALLBACK RecordingHostProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_DESTROY:
    case WM_MOVE:
    case WM_CLOSE:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      gHostEvents.push_back({message, wParam, lParam, FormsOpen(gHostClient)});
      if (message == WM_MOVE) gMoves.push_back("host " + std::to_string(lParam));
      if (message == WM_CLOSE) return 0;
      break;
    default:
      break;
  }
  return ::CallWindowProcA(gHostProc, frame, message, wParam, lParam);
}

std::vector<HostEvent> EventsOf(UINT message) {
  std::vector<HostEvent> selected;
  for (const HostEvent& e : gHostEvents) {
    if (e.message == message) selected.push_back(e);
  }
  return selected;
}

class MenuBar : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    gHostEvents.clear();
    gHostClient = MdiClient();
    gHostProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(MainFrame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingHostProc)));
    EXPECT_EQ(CreateMenuBar(0), 0u);
    PumpPending();
  }
  void TearDown() override {
    ::SetMenu(MainFrame(), nullptr);
    if (gWorkspace.menuBar != nullptr) ::DestroyMenu(gWorkspace.menuBar);
    gWorkspace.menuBar = nullptr;
    ::SetWindowLongPtrA(MainFrame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gHostProc));
    HostTest::TearDown();
  }

  HMENU Bar() const { return ::GetMenu(MainFrame()); }

  RECT TitleRect(int index) const {
    RECT r{};
    ::GetMenuItemRect(MainFrame(), Bar(), index, &r);
    return r;
  }

  // Opens a menu of the bar with the mouse, then presses the keys (queued
  // first: the menu runs its own loop).
  void ChooseWithKeys(int menuIndex, std::vector<WORD> keys) {
    ::SetForegroundWindow(MainFrame());
    std::vector<INPUT> inputs;
    // Successive clicks alternate between two points of the title, so that
    // two choices in a row are never taken for a double-click.
    const RECT title = TitleRect(menuIndex);
    clicks_ += 1;
    const POINT at = {title.left + (title.right - title.left) * (clicks_ % 2 == 0 ? 1 : 2) / 3,
                      (title.top + title.bottom) / 2};
    ::SetCursorPos(at.x, at.y);
    for (DWORD flag : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flag;
      inputs.push_back(input);
    }
    for (WORD key : keys) {
      for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
      }
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpPending();
  }

  int clicks_ = 0;
};

struct ExpectedItem {
  UINT type;  // MFT_OWNERDRAW or MFT_SEPARATOR
  bool greyed;
  UINT id;
  const char* text;
};

constexpr UINT D = MFT_OWNERDRAW;
constexpr UINT S = MFT_SEPARATOR;
constexpr UINT kMinusOne = 0xFFFFFFFF;

std::vector<ExpectedItem> FileLike(UINT separator) {
  return {
      {D, false, 1000, "&New Project"},  {D, false, 1001, "&Open Project..."}, {S, false, separator, nullptr},
      {D, false, 1002, "&Add Project"},  {D, true, 1003, "&Remove Project"},   {S, false, separator, nullptr},
      {D, false, 1004, "&Save Project"}, {S, false, separator, nullptr},       {D, false, 1005, "&Exit"}};
}

TEST_F(MenuBar, NineMenusWithExactTextsIdentifiersAndFlags) {
  HMENU bar = Bar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar, gWorkspace.menuBar);
  const std::vector<std::string> titles = {"File",  "Edit",    "View", "Project", "Format",
                                           "Tools", "Add-Ins", "Help", "About"};
  const std::vector<ExpectedItem> edit = {{D, true, 1100, "&Undo"},
                                          {D, true, 1101, "Cu&t                Ctrl+X"},
                                          {D, true, 1102, "&Copy             Ctrl+C"},
                                          {D, true, 1103, "&Paste            Ctrl+V"},
                                          {D, true, 1104, "&Delete"},
                                          {S, false, kMinusOne, nullptr},
                                          {D, true, 1105, "&Find Text"},
                                          {D, true, 1106, "Find &Next"},
                                          {S, false, kMinusOne, nullptr},
                                          {D, true, 1107, "&Select All"}};
  const std::vector<ExpectedItem> project = {{D, false, 1300, "&Add Form"},
                                             {D, false, 1301, "&Add MDI Form"},
                                             {D, false, 1302, "&Add Module"},
                                             {D, false, 1303, "&Add Class Module"}};
  const std::vector<std::vector<ExpectedItem>> menus = {FileLike(8888),      edit,
                                                        FileLike(kMinusOne), project,
                                                        FileLike(kMinusOne), FileLike(kMinusOne),
                                                        FileLike(kMinusOne), FileLike(kMinusOne),
                                                        FileLike(kMinusOne)};
  ASSERT_EQ(::GetMenuItemCount(bar), 9);
  for (int m = 0; m < 9; ++m) {
    char title[64] = {};
    ::GetMenuStringA(bar, m, title, sizeof(title), MF_BYPOSITION);
    EXPECT_EQ(title, titles[m]);
    HMENU popup = ::GetSubMenu(bar, m);
    ASSERT_NE(popup, nullptr) << titles[m];
    ASSERT_EQ(::GetMenuItemCount(popup), static_cast<int>(menus[m].size())) << titles[m];
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
      const ExpectedItem& expected = menus[m][i];
      SCOPED_TRACE(testing::Message() << titles[m] << " item " << i);
      MENUITEMINFOA info{};
      info.cbSize = sizeof(info);
      info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
      ASSERT_TRUE(::GetMenuItemInfoA(popup, i, TRUE, &info));
      EXPECT_EQ(info.fType & (MFT_OWNERDRAW | MFT_SEPARATOR), expected.type);
      EXPECT_EQ(info.wID, expected.id);
      if (expected.type != S) {
        EXPECT_EQ((info.fState & MFS_GRAYED) == MFS_GRAYED, expected.greyed);
      }
      EXPECT_EQ(info.hSubMenu, nullptr);
      if (expected.text != nullptr) {
        ASSERT_NE(info.dwItemData, 0u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.dwItemData)), expected.text);
      }
    }
  }
}

TEST_F(MenuBar, ExitFromAboutBehavesLikeExitFromFile) {
  std::vector<std::vector<HostEvent>> runs;
  for (int menu : {0, 8}) {
    SCOPED_TRACE(menu == 0 ? "File" : "About");
    if (menu != 0) {
      gHostEvents.clear();
      CreateMenuBar(0);
    }
    HMENU bar = Bar();
    std::vector<HMENU> popups;
    for (int i = 0; i < 9; ++i) popups.push_back(::GetSubMenu(bar, i));
    // Up from an opened menu lands on its last item, "&Exit".
    ChooseWithKeys(menu, {VK_UP, VK_RETURN});
    ASSERT_EVENTUALLY(!EventsOf(WM_COMMAND).empty());
    EXPECT_EQ(Bar(), nullptr) << "the frame has no menu any more";
    EXPECT_EQ(gWorkspace.menuBar, nullptr);
    EXPECT_FALSE(::IsMenu(bar));
    for (HMENU popup : popups) EXPECT_FALSE(::IsMenu(popup));
    std::vector<HostEvent> seen;
    for (const HostEvent& e : gHostEvents) {
      if (e.message == WM_DESTROY || e.message == WM_COMMAND) seen.push_back(e);
    }
    runs.push_back(seen);
  }
  const std::vector<HostEvent> expected = {{WM_DESTROY, 0, 0, 0}, {WM_COMMAND, 1005, 0, 0}};
  EXPECT_EQ(runs[0], expected) << "the host hears WM_DESTROY, then the command itself";
  EXPECT_EQ(runs[1], runs[0]);
}

TEST_F(MenuBar, ClosingTheFrameShutsDownLikeExit) {
  HMENU bar = Bar();
  ::SendMessageA(MainFrame(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsMenu(bar));
  EXPECT_EQ(Bar(), nullptr);
  std::vector<UINT> heard;
  for (const HostEvent& e : gHostEvents) {
    if (e.message == WM_DESTROY || e.message == WM_CLOSE) heard.push_back(e.message);
  }
  EXPECT_EQ(heard, (std::vector<UINT>{WM_DESTROY, WM_CLOSE}));

  // A second close finds no menus left to destroy, and still tells the host.
  ::SendMessageA(MainFrame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(EventsOf(WM_DESTROY).size(), 2u);
}

TEST_F(MenuBar, AddFormTwiceOpensTwoFormsAndTheHostSeesBothCommands) {
  const int before = FormsOpen(MdiClient());
  for (int i = 1; i <= 2; ++i) {
    ChooseWithKeys(3, {VK_DOWN, VK_RETURN});  // "Project", its first item
    ASSERT_EVENTUALLY(EventsOf(WM_COMMAND).size() == static_cast<std::size_t>(i));
  }
  EXPECT_EQ(FormsOpen(MdiClient()), before + 2);
  const std::vector<HostEvent> commands = EventsOf(WM_COMMAND);
  EXPECT_EQ(commands[0].wParam, 1300u);
  EXPECT_EQ(commands[1].wParam, 1300u);
  EXPECT_EQ(commands[0].formsOpen, before + 1) << "the form exists before the host hears the command";
  EXPECT_EQ(commands[1].formsOpen, before + 2);
  EXPECT_NE(Bar(), nullptr);
}

TEST_F(MenuBar, AddModuleAndAddClassModuleOpenCodeWindowsBeforeTheHostHears) {
  gWorkspace.moduleCounter = 0;
  gWorkspace.classModuleCounter = 0;
  ChooseWithKeys(3, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // "&Add Module"
  ASSERT_EVENTUALLY(EventsOf(WM_COMMAND).size() == 1u);
  EXPECT_EQ(EventsOf(WM_COMMAND)[0].wParam, 1302u);
  HWND module = ::FindWindowExA(MdiClient(), nullptr, "Editor_Class", "Module1 (Code)");
  EXPECT_NE(module, nullptr);

  ChooseWithKeys(3, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // "&Add Class Module"
  ASSERT_EVENTUALLY(EventsOf(WM_COMMAND).size() == 2u);
  EXPECT_EQ(EventsOf(WM_COMMAND)[1].wParam, 1303u);
  EXPECT_NE(::FindWindowExA(MdiClient(), nullptr, "Editor_Class", "Class1 (Code)"), nullptr);
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD),
            ::FindWindowExA(MdiClient(), nullptr, "Editor_Class", "Class1 (Code)"))
      << "the new class module is on top";
}

TEST_F(MenuBar, TheHostsOwnCommandsAndControlNotificationsOnlyReachTheHost) {
  const int forms = FormsOpen(MdiClient());
  for (WPARAM command : {1000, 1001, 1002, 1004, 1301}) {
    ::SendMessageA(MainFrame(), WM_COMMAND, command, 0);
  }
  // A control of the host's numbered like "&Exit" or "&Add Form" is no menu choice.
  StandInWindow control;
  ::SendMessageA(MainFrame(), WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control.Get()));
  ::SendMessageA(MainFrame(), WM_COMMAND, MAKEWPARAM(1300, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control.Get()));
  EXPECT_EQ(EventsOf(WM_COMMAND).size(), 7u);
  EXPECT_TRUE(EventsOf(WM_DESTROY).empty());
  EXPECT_NE(Bar(), nullptr);
  EXPECT_EQ(FormsOpen(MdiClient()), forms);
}

TEST_F(MenuBar, BuildingTheBarAgainReplacesItAndPassesEachMessageOnOnce) {
  HMENU first = Bar();
  EXPECT_EQ(CreateMenuBar(0), 0u);
  EXPECT_FALSE(::IsMenu(first));
  EXPECT_NE(Bar(), nullptr);
  EXPECT_EQ(Bar(), gWorkspace.menuBar);
  ::SendMessageA(MainFrame(), WM_COMMAND, 1001, 0);
  EXPECT_EQ(EventsOf(WM_COMMAND).size(), 1u);
}

TEST_F(MenuBar, MovingTheFrameMovesTheSelectionFirst) {
  StandInWindow selected;
  selected.onMessage = [&](UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_MOVE) gMoves.push_back("selected " + std::to_string(lParam));
  };
  gWorkspace.selectedWindow = selected.Get();
  const RECT home = ScreenRect(MainFrame());
  gMoves.clear();
  ::SetWindowPos(MainFrame(), nullptr, home.left + 30, home.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const std::vector<Recorded> received = selected.ReceivedBetween(WM_MOVE, WM_MOVE);
  ASSERT_EQ(received.size(), 1u);
  const std::string moved = std::to_string(received[0].lParam);
  EXPECT_EQ(gMoves, (std::vector<std::string>{"selected " + moved, "host " + moved}));
  ::SetWindowPos(MainFrame(), nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  gWorkspace.selectedWindow = nullptr;
}

// Item drawing, one request at a time, into a 120 x 20 canvas that starts
// magenta (so what was not drawn shows).
constexpr COLORREF kUntouched = RGB(255, 0, 255);
constexpr RECT kIconBox = {3, 2, 19, 18};
constexpr RECT kTextBox = {20, 0, 120, 20};

COLORREF Sys(int index) {
  return ::GetSysColor(index);
}

struct DrawnItem {
  LRESULT result;
  Pixels pixels;
  int Count(COLORREF colour, const RECT& within) const { return pixels.Count(colour, within); }
  // The last row and column holding the colour, within the text box.
  POINT LastOf(COLORREF colour) const {
    POINT last = {-1, -1};
    for (int y = kTextBox.top; y < kTextBox.bottom; ++y) {
      for (int x = kTextBox.left; x < kTextBox.right; ++x) {
        if (pixels.At(x, y) == colour) last = {std::max(last.x, static_cast<LONG>(x)), y};
      }
    }
    return last;
  }
};

DrawnItem DrawItem(HWND frame, UINT id, const char* text, UINT action, UINT state) {
  Canvas canvas(120, 20, kUntouched);
  win::ScopedSelect font(canvas.Dc(), ::GetStockObject(DEFAULT_GUI_FONT));
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemID = id;
  item.itemAction = action;
  item.itemState = state;
  item.hDC = canvas.Dc();
  item.rcItem = {0, 0, 120, 20};
  item.itemData = reinterpret_cast<ULONG_PTR>(text);
  const LRESULT result = ::SendMessageA(frame, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  return {result, canvas.Read()};
}

constexpr int kIconArea = 16 * 16;

TEST_F(MenuBar, AnItemShowsItsIconAndTextOnTheMenuColour) {
  const DrawnItem module = DrawItem(MainFrame(), 1302, "&Add Module", ODA_DRAWENTIRE, 0);
  EXPECT_EQ(module.result, TRUE);
  EXPECT_EQ(module.pixels.At(1, 1), Sys(COLOR_MENU));
  EXPECT_EQ(module.pixels.At(119, 19), Sys(COLOR_MENU));
  EXPECT_LT(module.Count(Sys(COLOR_MENU), kIconBox), kIconArea - 40) << "the linked-nodes icon";
  EXPECT_GT(module.Count(Sys(COLOR_MENUTEXT), kTextBox), 20);
  EXPECT_EQ(module.Count(Sys(COLOR_MENU), {0, 0, 3, 20}), 60) << "the icon stands 3 pixels in";

  const DrawnItem classModule = DrawItem(MainFrame(), 1303, "&Add Class Module", ODA_DRAWENTIRE, 0);
  EXPECT_EQ(classModule.Count(Sys(COLOR_MENU), kIconBox), kIconArea) << "no icon";
  EXPECT_GT(classModule.Count(Sys(COLOR_MENUTEXT), kTextBox), 20);
}

TEST_F(MenuBar, GreyedItemsAreEmbossedAndHighlightedItemsInverted) {
  // Greyed and disabled: the text in the highlight colour, and over it in
  // grey two pixels up and to the left.
  const DrawnItem undo = DrawItem(MainFrame(), 1100, "&Undo", ODA_DRAWENTIRE, ODS_GRAYED | ODS_DISABLED);
  EXPECT_EQ(undo.pixels.At(1, 1), Sys(COLOR_MENU));
  EXPECT_EQ(undo.Count(Sys(COLOR_MENU), kIconBox), kIconArea);
  EXPECT_GT(undo.Count(Sys(COLOR_GRAYTEXT), kTextBox), 15);
  EXPECT_EQ(undo.Count(Sys(COLOR_MENUTEXT), kTextBox), 0);
  if (Sys(COLOR_BTNHIGHLIGHT) != Sys(COLOR_MENU)) {
    const POINT grey = undo.LastOf(Sys(COLOR_GRAYTEXT));
    const POINT light = undo.LastOf(Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(light.x - grey.x, 2);
    EXPECT_EQ(light.y - grey.y, 2);
  }
  // Leaving a greyed item looks the same.
  const DrawnItem left = DrawItem(MainFrame(), 1100, "&Undo", ODA_SELECT, ODS_GRAYED | ODS_DISABLED);
  EXPECT_EQ(left.pixels, undo.pixels);

  const DrawnItem exit = DrawItem(MainFrame(), 1005, "&Exit", ODA_SELECT, ODS_SELECTED);
  EXPECT_EQ(exit.pixels.At(1, 1), Sys(COLOR_HIGHLIGHT));
  EXPECT_GT(exit.Count(Sys(COLOR_HIGHLIGHTTEXT), kTextBox), 10);
  EXPECT_LT(exit.Count(Sys(COLOR_HIGHLIGHT), kIconBox), kIconArea - 40) << "the door icon";
  const DrawnItem released = DrawItem(MainFrame(), 1005, "&Exit", ODA_SELECT, 0);
  EXPECT_EQ(released.pixels, DrawItem(MainFrame(), 1005, "&Exit", ODA_DRAWENTIRE, 0).pixels);

  const DrawnItem remove =
      DrawItem(MainFrame(), 1003, "&Remove Project", ODA_SELECT, ODS_SELECTED | ODS_GRAYED | ODS_DISABLED);
  EXPECT_EQ(remove.pixels.At(1, 1), Sys(COLOR_HIGHLIGHT));
  EXPECT_GT(remove.Count(Sys(COLOR_GRAYTEXT), kTextBox), 15);
  EXPECT_LT(remove.Count(Sys(COLOR_HIGHLIGHT), kIconBox), kIconArea - 40) << "the burning bin";
}

TEST_F(MenuBar, ItemsHighlightedWhenTheMenuOpensAreDrawnToo) {
  // A menu opened from the keyboard paints its highlighted first item whole.
  const DrawnItem selected = DrawItem(MainFrame(), 1000, "&New Project", ODA_DRAWENTIRE, ODS_SELECTED);
  EXPECT_EQ(selected.pixels, DrawItem(MainFrame(), 1000, "&New Project", ODA_SELECT, ODS_SELECTED).pixels);
  const DrawnItem greyed =
      DrawItem(MainFrame(), 1100, "&Undo", ODA_DRAWENTIRE, ODS_SELECTED | ODS_GRAYED | ODS_DISABLED);
  EXPECT_EQ(
      greyed.pixels,
      DrawItem(MainFrame(), 1100, "&Undo", ODA_SELECT, ODS_SELECTED | ODS_GRAYED | ODS_DISABLED).pixels);
  // Keyboard cues in the state change nothing.
  EXPECT_EQ(DrawItem(MainFrame(), 1302, "&Add Module", ODA_DRAWENTIRE, ODS_NOACCEL).pixels,
            DrawItem(MainFrame(), 1302, "&Add Module", ODA_DRAWENTIRE, 0).pixels);
}

TEST_F(MenuBar, FocusRequestsAndItemsWithoutIdentifierDrawNothing) {
  const DrawnItem focus = DrawItem(MainFrame(), 1302, "&Add Module", ODA_FOCUS, ODS_FOCUS);
  EXPECT_EQ(focus.result, TRUE);
  EXPECT_EQ(focus.Count(kUntouched, {0, 0, 120, 20}), 120 * 20);
  const DrawnItem none = DrawItem(MainFrame(), 0, "&Add Module", ODA_DRAWENTIRE, 0);
  EXPECT_EQ(none.result, TRUE);
  EXPECT_EQ(none.Count(kUntouched, {0, 0, 120, 20}), 120 * 20);
}

TEST_F(MenuBar, MenuItemsMeasure120By20AndTheHostsControlsAreTheHostsToDraw) {
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = 1302;
  EXPECT_EQ(::SendMessageA(MainFrame(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), TRUE);
  EXPECT_EQ(measure.itemWidth, 120u);
  EXPECT_EQ(measure.itemHeight, 20u);
  EXPECT_TRUE(EventsOf(WM_MEASUREITEM).empty());

  // An owner-drawn list box of the host's, on the host's frame.
  MEASUREITEMSTRUCT listMeasure{};
  listMeasure.CtlType = ODT_LISTBOX;
  listMeasure.CtlID = 7;
  ::SendMessageA(MainFrame(), WM_MEASUREITEM, 7, reinterpret_cast<LPARAM>(&listMeasure));
  DRAWITEMSTRUCT listDraw{};
  listDraw.CtlType = ODT_LISTBOX;
  listDraw.CtlID = 7;
  ::SendMessageA(MainFrame(), WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&listDraw));
  EXPECT_EQ(EventsOf(WM_MEASUREITEM).size(), 1u);
  EXPECT_EQ(EventsOf(WM_DRAWITEM).size(), 1u);
}

// An open menu, photographed from inside its loop by a timer.
struct OpenMenuShot {
  HMENU popup = nullptr;
  RECT window = {};
  std::vector<RECT> items;  // in the shot's coordinates
  Pixels pixels;
  bool taken = false;
};
OpenMenuShot gShot;

void CALLBACK PhotographOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menuWindow = ::FindWindowA("#32768", nullptr);
  if (menuWindow == nullptr || !::IsWindowVisible(menuWindow)) return;  // not open yet
  ::KillTimer(nullptr, timer);
  gShot.window = ScreenRect(menuWindow);
  // Its items are drawn by now; the X screen may not show them all yet.
  ::UpdateWindow(menuWindow);
  gShot.pixels = Pixels::OfWindowAsDrawn(menuWindow);
  for (int i = 0; i < ::GetMenuItemCount(gShot.popup); ++i) {
    RECT r{};
    ::GetMenuItemRect(nullptr, gShot.popup, i, &r);
    ::OffsetRect(&r, -gShot.window.left, -gShot.window.top);
    gShot.items.push_back(r);
  }
  gShot.taken = true;
  ::EndMenu();
}

TEST_F(MenuBar, AnOpenMenuShowsItsItemsAsDrawn) {
  for (int menu : {3, 1}) {  // "Project", then "Edit"
    gShot = {};
    gShot.popup = ::GetSubMenu(Bar(), menu);
    ::SetTimer(nullptr, 0, 20, PhotographOpenMenu);
    ChooseWithKeys(menu, {});
    ASSERT_EVENTUALLY(gShot.taken);
    ASSERT_EQ(gShot.items.size(), static_cast<std::size_t>(::GetMenuItemCount(gShot.popup)));
    auto iconOf = [](const RECT& item) {
      return RECT{item.left + 3, item.top + 2, item.left + 19, item.top + 18};
    };
    auto textOf = [](const RECT& item) { return RECT{item.left + 20, item.top, item.right, item.bottom}; };
    if (menu == 3) {
      const RECT module = gShot.items[2];
      const RECT classModule = gShot.items[3];
      EXPECT_EQ(module.bottom - module.top, 20);
      EXPECT_GE(module.right - module.left, 120);
      EXPECT_LT(gShot.pixels.Count(Sys(COLOR_MENU), iconOf(module)), kIconArea - 40)
          << "\"&Add Module\" has its icon";
      EXPECT_EQ(gShot.pixels.Count(Sys(COLOR_MENU), iconOf(classModule)), kIconArea)
          << "\"&Add Class Module\" has none";
      EXPECT_GT(gShot.pixels.Count(Sys(COLOR_MENUTEXT), textOf(classModule)), 20);
    } else {
      for (int i : {0, 1, 2, 3, 4, 6, 7, 9}) {
        EXPECT_GT(gShot.pixels.Count(Sys(COLOR_GRAYTEXT), textOf(gShot.items[i])), 10) << "Edit item " << i;
        EXPECT_EQ(gShot.pixels.Count(Sys(COLOR_MENUTEXT), textOf(gShot.items[i])), 0) << "Edit item " << i;
      }
    }
  }
}

}  // namespace
}  // namespace kelp::test
