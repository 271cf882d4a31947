// The nineteen creators as a host calls them: the window each makes, the
// record behind it as DCM_GETRECORD hands it out, and what the record's
// private messages and the control's destruction do.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/design_control.h"
#include "entry/messages.h"
#include "harness.h"
#include "kelp32.h"
#include "win/handles.h"
#include "win/records.h"

namespace kelp::test {
namespace {

using Creator = HWND(KELP_API*)(HWND, int, int, int, int, LPCSTR);

HWND KELP_API GroupBoxWithSixArguments(HWND parent, int x, int y, int w, int h, LPCSTR text) {
  DWORD tool = 0;
  return CreateGroupBoxWin(parent, x, y, w, h, text, &tool);
}

struct Expected {
  const char* name;
  Creator create;
  std::uint32_t kind;
  const char* className;  // as GetClassNameA reports it (compared without case)
  bool caption;           // caption holds the text (copied, or read back after SetWindowTextA)
  int colourIndex;
  bool brush16;
  bool fontAndStyles;
  bool liveTopmost;       // WS_EX_TOPMOST on the window but not in the record
};

// clang-format off
const Expected kCreators[] = {
    {"Label", CreateStaticWin, kKindLabel, "Static", true, COLOR_BTNSHADOW, true, true, false},
    {"TextBox", CreateEditWin, kKindTextBox, "Edit", true, COLOR_WINDOW, false, true, false},
    {"GroupBox", GroupBoxWithSixArguments, kKindGroupBox, "Button", true, COLOR_BTNFACE, false, true, false},
    {"Button", CreateButtonWin, kKindButton, "Button", true, COLOR_BTNSHADOW, true, true, true},
    {"CheckBox", CreateCheckBoxWin, kKindCheckBox, "Button", true, COLOR_BTNSHADOW, true, true, true},
    {"OptionButton", CreateRadioBoxWin, kKindOptionButton, "Button", true, COLOR_BTNFACE, false, true, false},
    {"ComboBox", CreateComboBoxWin, kKindComboBox, "ComboBox", true, COLOR_WINDOW, false, true, false},
    {"ListBox", CreateListBoxWin, kKindListBox, "ListBox", true, COLOR_WINDOW, false, true, false},
    {"HScrollBar", CreateHScrollBarWin, kKindHScrollBar, "ScrollBar", false, COLOR_BTNFACE, false, false, false},
    {"VScrollBar", CreateVScrollBarWin, kKindVScrollBar, "ScrollBar", false, COLOR_BTNFACE, false, false, false},
    {"Timer", CreateTimerWin, kKindTimer, "Timer_Class", false, COLOR_MENU, false, false, false},
    {"DriveListBox", CreateDriveListBoxWin, kKindDriveListBox, "ComboBox", true, COLOR_WINDOW, false, true, false},
    {"DirListBox", CreateDirListBoxWin, kKindDirListBox, "DirListBox_Class", false, COLOR_WINDOW, false, false, false},
    {"FileListBox", CreateFileListBoxWin, kKindFileListBox, "FileListBox_Class", false, COLOR_WINDOW, false, false, false},
    {"ImageBox", CreateImageBoxWin, kKindImageBox, "Static_Class", false, COLOR_BTNFACE, false, false, false},
    {"Calendar", CreateCalWin, kKindCalendar, "SysMonthCal32", true, COLOR_BTNSHADOW, true, true, false},
    {"TrackBar", CreateTrackBarWin, kKindTrackBar, "msctls_trackbar32", false, COLOR_BTNSHADOW, true, false, false},
    {"ProgressBar", CreateProgressWin, kKindProgressBar, "msctls_progress32", true, COLOR_BTNFACE, false, false, false},
    {"StatusBar", CreateStatusWin, kKindStatusBar, "msctls_statusbar32", true, COLOR_BTNFACE, false, true, false},
};
// clang-format on

ControlRecord RecordVia(HWND control) {
  ControlRecord copy{};
  ::SendMessageA(control, DCM_GETRECORD, 0, reinterpret_cast<LPARAM>(&copy));
  return copy;
}

bool SameText(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

class EachCreator : public HostTest, public ::testing::WithParamInterface<Expected> {};

TEST_P(EachCreator, MakesItsWindowAndRecord) {
  const Expected& e = GetParam();
  HWND surface = NewSurface();
  HWND control = e.create(surface, 10, 20, 200, 100, "Command1");
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(::GetParent(control), surface);
  EXPECT_TRUE(SameText(ClassNameOf(control), e.className)) << ClassNameOf(control);

  const ControlRecord record = RecordVia(control);
  EXPECT_EQ(record.kind, e.kind);
  EXPECT_EQ(record.settled, 1u);
  EXPECT_EQ(record.dragging, 0u);
  EXPECT_EQ(win::FromHandle32<HWND>(record.hParent), surface);
  EXPECT_STREQ(record.handleName, "hCommand1");
  EXPECT_STREQ(record.caption, e.caption ? "Command1" : "");
  EXPECT_EQ(record.backColour, ::GetSysColor(e.colourIndex));
  EXPECT_EQ(record.hBackBrush, e.brush16 ? 16u : 0u);
  if (e.kind != kKindStatusBar) {  // a status bar docks itself at once
    EXPECT_EQ(record.left, 10);
    EXPECT_EQ(record.top, 20);
  }
  EXPECT_EQ(record.ctrlId, 0u);
  EXPECT_STREQ(record.idName, "");
  EXPECT_EQ(record.foreColour, 0u);
  EXPECT_EQ(record.hCodeWindow, 0u);
  EXPECT_EQ(record.codeOpen, 0u);
  EXPECT_TRUE(::IsMenu(win::FromHandle32<HMENU>(record.hPopupMenu)));
  if (e.fontAndStyles) {
    EXPECT_EQ(::GetObjectType(win::FromHandle32<HFONT>(record.hFont)), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(record.hFont, win::ToHandle32(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0))));
    EXPECT_EQ(record.style, static_cast<std::uint32_t>(::GetWindowLongPtrA(control, GWL_STYLE)));
    EXPECT_EQ(record.classStyle, static_cast<std::uint32_t>(::GetClassLongPtrA(control, GCL_STYLE)));
    EXPECT_EQ(record.exStyle & WS_EX_TOPMOST, 0u);
  } else {
    EXPECT_EQ(record.hFont, 0u);
    EXPECT_EQ(record.exStyle, 0u);
    EXPECT_EQ(record.style, 0u);
    EXPECT_EQ(record.classStyle, 0u);
  }
  const auto liveExStyle = static_cast<DWORD>(::GetWindowLongPtrA(control, GWL_EXSTYLE));
  EXPECT_EQ((liveExStyle & WS_EX_TOPMOST) != 0, e.liveTopmost);
  ::DestroyWindow(control);
}

INSTANTIATE_TEST_SUITE_P(Creators, EachCreator, ::testing::ValuesIn(kCreators),
                         [](const auto& info) { return std::string(info.param.name); });

using Creators = HostTest;

TEST_F(Creators, ButtonSitsWhereAskedShowingItsText) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 10, 20, 75, 23, "Command1");
  const RECT r = RectInParent(button);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 75);
  EXPECT_EQ(r.bottom - r.top, 23);
  EXPECT_EQ(WindowText(button), "Command1");
  EXPECT_EQ(RecordOfControl(button)->width, 75);
}

TEST_F(Creators, TimerIsAlways28By28WhileItsRecordKeepsTheDrawnSize) {
  HWND surface = NewSurface();
  HWND timer = CreateTimerWin(surface, 30, 40, 200, 100, "timer0");
  const RECT r = RectInParent(timer);
  EXPECT_EQ(r.right - r.left, 28);
  EXPECT_EQ(r.bottom - r.top, 28);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(RecordVia(timer).width, 200);
  EXPECT_EQ(RecordVia(timer).height, 100);
  // It shows its picture: a stopwatch on the button-face colour.
  const Pixels pixels = Pixels::OfClient(timer);
  EXPECT_EQ(pixels.At(6, 6), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(28 * 28 - pixels.Count(::GetSysColor(COLOR_BTNFACE), {0, 0, 28, 28}), 100);
}

TEST_F(Creators, DriveListBoxListsTheDrivesWithTheSecondSelected) {
  HWND surface = NewSurface();
  HWND drives = CreateDriveListBoxWin(surface, 10, 10, 150, 100, "drivelistbox0");
  const DWORD mask = ::GetLogicalDrives();
  int driveCount = 0;
  for (DWORD bits = mask; bits != 0; bits &= bits - 1) ++driveCount;
  EXPECT_EQ(::SendMessageA(drives, CB_GETCOUNT, 0, 0), driveCount);
  EXPECT_EQ(::SendMessageA(drives, CB_GETCURSEL, 0, 0), 1);
  char item[64] = {};
  ::SendMessageA(drives, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
  EXPECT_EQ(std::string(item).rfind("[-", 0), 0u) << item;
}

TEST_F(Creators, ProgressBarShowsOneStepOfTenOutOfFifty) {
  HWND surface = NewSurface();
  HWND progress = CreateProgressWin(surface, 10, 10, 150, 20, "progressbar0");
  EXPECT_EQ(::SendMessageA(progress, PBM_GETPOS, 0, 0), 10);
  EXPECT_EQ(::SendMessageA(progress, PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(::SendMessageA(progress, PBM_GETRANGE, FALSE, 0), 50);
}

TEST_F(Creators, TrackBarHasTicksEveryTen) {
  HWND surface = NewSurface();
  HWND track = CreateTrackBarWin(surface, 10, 10, 150, 30, "trackbar0");
  EXPECT_EQ(::SendMessageA(track, TBM_GETTIC, 0, 0), 10);
  EXPECT_EQ(::SendMessageA(track, TBM_GETNUMTICS, 0, 0), 11) << "nine set ticks and the two ends";
}

TEST_F(Creators, ComboEditFieldReachesTheSameRecord) {
  HWND surface = NewSurface();
  HWND combo = CreateComboBoxWin(surface, 10, 10, 150, 100, "Combobox0");
  HWND edit = ::GetWindow(combo, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(RecordOfControl(edit), RecordOfControl(combo));
}

TEST_F(Creators, StatusBarDocksToTheBottomOfTheSurface) {
  HWND surface = NewSurface();
  HWND status = CreateStatusWin(surface, 50, 50, 10, 10, "statusbar0");
  RECT client{};
  ::GetClientRect(surface, &client);
  const RECT r = RectInParent(status);
  EXPECT_EQ(r.bottom, client.bottom);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, client.right);
}

TEST_F(Creators, NoWindowWhenTheRecordCannotBeAllocated) {
  HWND surface = NewSurface();
  win::FailOneAllocation(0);
  EXPECT_EQ(CreateButtonWin(surface, 10, 10, 75, 23, "Button0"), nullptr);
  EXPECT_EQ(::GetWindow(surface, GW_CHILD), nullptr);
}

using ControlRecordMessages = HostTest;

TEST_F(ControlRecordMessages, GetThenPutLeavesTheRecordByteForByte) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 10, 10, 75, 23, "Button0");
  ::SendMessageA(button, DCM_SETIDNAME, 0, reinterpret_cast<LPARAM>("IDC_BUTTON0"));
  ::SendMessageA(button, DCM_SETID, 0, 2000);
  std::vector<unsigned char> before(sizeof(ControlRecord));
  std::memcpy(before.data(), RecordOfControl(button), before.size());

  std::vector<unsigned char> buffer(sizeof(ControlRecord), 0xCC);
  EXPECT_EQ(::SendMessageA(button, DCM_GETRECORD, 0, reinterpret_cast<LPARAM>(buffer.data())), 0);
  EXPECT_EQ(buffer, before);
  EXPECT_EQ(::SendMessageA(button, DCM_PUTRECORD, 0, reinterpret_cast<LPARAM>(buffer.data())), 0);
  EXPECT_EQ(std::memcmp(RecordOfControl(button), before.data(), before.size()), 0);

  const ControlRecord record = RecordVia(button);
  EXPECT_STREQ(record.idName, "IDC_BUTTON0");
  EXPECT_EQ(record.ctrlId, 2000u);
}

TEST_F(ControlRecordMessages, IdentifierNameIsCutToTheField) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 10, 10, 75, 23, "Button0");
  const std::string longName(100000, 'X');
  ::SendMessageA(button, DCM_SETIDNAME, 0, reinterpret_cast<LPARAM>(longName.c_str()));
  const ControlRecord record = RecordVia(button);
  EXPECT_EQ(std::strlen(record.idName), 259u);
  EXPECT_STREQ(record.handleName, "hButton0") << "the next field is untouched";
}

TEST_F(ControlRecordMessages, ExtendedStyleIsAddedRemovedOrLeftAlone) {
  HWND surface = NewSurface();
  HWND list = CreateListBoxWin(surface, 10, 10, 100, 100, "listbox0");
  const auto live = [&] { return static_cast<DWORD>(::GetWindowLongPtrA(list, GWL_EXSTYLE)); };
  const DWORD original = live();
  const std::uint32_t recorded = RecordVia(list).exStyle;

  ::SendMessageA(list, DCM_CHANGEEXSTYLE, WS_EX_ACCEPTFILES, 3);
  EXPECT_EQ(live(), original);
  EXPECT_EQ(RecordVia(list).exStyle, recorded);

  ::SendMessageA(list, DCM_CHANGEEXSTYLE, WS_EX_ACCEPTFILES, 1);
  EXPECT_TRUE(live() & WS_EX_ACCEPTFILES);
  EXPECT_EQ(RecordVia(list).exStyle, live());

  ::SendMessageA(list, DCM_CHANGEEXSTYLE, WS_EX_ACCEPTFILES, 2);
  EXPECT_FALSE(live() & WS_EX_ACCEPTFILES);
  EXPECT_EQ(RecordVia(list).exStyle, live());
}

TEST_F(ControlRecordMessages, BackColourIsStoredWithoutRepaint) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 10, 10, 75, 23, "Button0");
  ::SendMessageA(button, DCM_SETBACKCOLOUR, 0, RGB(1, 2, 3));
  EXPECT_EQ(RecordVia(button).backColour, RGB(1, 2, 3));
}

TEST_F(ControlRecordMessages, TextAndEnablingAreReadBack) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 10, 10, 75, 23, "Button0");
  ::SetWindowTextA(button, "OK");
  ::EnableWindow(button, FALSE);
  ControlRecord record = RecordVia(button);
  EXPECT_STREQ(record.caption, "OK");
  EXPECT_STREQ(record.handleName, "hButton0");
  EXPECT_EQ(record.enabled, 0u);
  ::EnableWindow(button, TRUE);
  EXPECT_EQ(RecordVia(button).enabled, 1u);
}

TEST_F(ControlRecordMessages, DestroyingAControlFreesItsRecordFontAndMenu) {
  HWND surface = NewSurface();
  HWND button = CreateButtonWin(surface, 10, 10, 75, 23, "Button0");
  ControlRecord* record = RecordOfControl(button);
  const auto memory = reinterpret_cast<HGLOBAL>(record);
  EXPECT_GE(::GlobalSize(memory), sizeof(ControlRecord));
  const ControlRecord copy = RecordVia(button);
  ::DestroyWindow(button);
  EXPECT_EQ(::GlobalSize(memory), 0u);
  EXPECT_EQ(::GetObjectType(win::FromHandle32<HFONT>(copy.hFont)), 0u);
  EXPECT_FALSE(::IsMenu(win::FromHandle32<HMENU>(copy.hPopupMenu)));
}

TEST_F(ControlRecordMessages, ComboBoxDestroyedWithItsEditFieldLeavesNothingBehind) {
  HWND surface = NewSurface();
  HWND combo = CreateComboBoxWin(surface, 10, 10, 150, 100, "Combobox0");
  HWND edit = ::GetWindow(combo, GW_CHILD);
  ::SendMessageA(edit, WM_MOUSEMOVE, 0, 0);  // the edit field forwards to the combo box
  ::DestroyWindow(combo);
  EXPECT_FALSE(::IsWindow(edit));
}

}  // namespace
}  // namespace kelp::test
