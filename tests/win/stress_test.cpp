// No leaks under load: every window the library paints itself is painted
// over and over, every kind of control and code windows are created and
// deleted over and over; afterwards GDI objects can still be made, every
// window paints the same pixels as before, the library's records are all
// freed and the process has not grown past a bound. (Wine reports no GDI
// handle counts; a leak shows as exhaustion of its 65,536 handles or as
// growth.) Bounded here; KELP_STRESS=full runs the counts of the figures
// in docs/reliability.md: 100,000 paints and 10,000 cycles.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "canvas.h"
#include "controls/design_control.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "core/placement_table.h"
#include "designer/form_designer.h"
#include "designer/placement.h"
#include "editor/editor.h"
#include "editor_fixture.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "frame/menu_items.h"
#include "kelp32.h"
#include "properties/colour_picker.h"
#include "win/records.h"

namespace kelp::test {
namespace {

bool Full() {
  const char* stress = std::getenv("KELP_STRESS");
  return stress != nullptr && std::strcmp(stress, "full") == 0;
}
int Paints() { return Full() ? 100000 : LoopCount(2000); }
// KELP_STRESS_CYCLES sets the control cycles of a full run (each cycle of
// all nineteen kinds takes about 0.4 s here).
int Cycles() {
  const char* cycles = std::getenv("KELP_STRESS_CYCLES");
  if (Full() && cycles != nullptr) return std::atoi(cycles);
  return Full() ? 10000 : LoopCount(25);
}
int CodeWindowCycles() { return Full() ? 10000 : LoopCount(100); }
// What the process may grow by over the whole run, once warmed up.
constexpr std::size_t kGrowthBound = 16u << 20;

// The process's resident bytes. Wine reports no memory counters through
// psapi; its processes are the system's own, whose /proc it shows on Z:.
std::size_t ProcessBytes() {
  constexpr std::size_t kPageBytes = 4096;
  HANDLE file = ::CreateFileA("Z:\\proc\\self\\statm", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    char text[128] = {};
    DWORD read = 0;
    ::ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    ::CloseHandle(file);
    unsigned long long size = 0, resident = 0;
    if (std::sscanf(text, "%llu %llu", &size, &resident) == 2) return static_cast<std::size_t>(resident) * kPageBytes;
  }
  PROCESS_MEMORY_COUNTERS counters{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
  return counters.WorkingSetSize;
}

// Makes a thousand of each kind of GDI object and device context at once.
::testing::AssertionResult GdiObjectsCanStillBeMade() {
  constexpr int kEach = 1000;
  std::vector<HGDIOBJ> objects;
  std::vector<HDC> dcs;
  HDC screen = ::GetDC(nullptr);
  bool made = true;
  for (int i = 0; i < kEach && made; ++i) {
    HGDIOBJ brush = ::CreateSolidBrush(RGB(i, 0, 0));
    HGDIOBJ pen = ::CreatePen(PS_SOLID, 1, RGB(0, i, 0));
    HGDIOBJ bitmap = ::CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ region = ::CreateRectRgn(0, 0, i, i);
    HDC dc = ::CreateCompatibleDC(screen);
    made = brush && pen && bitmap && region && dc;
    for (HGDIOBJ object : {brush, pen, bitmap, region})
      if (object != nullptr) objects.push_back(object);
    if (dc != nullptr) dcs.push_back(dc);
  }
  for (HGDIOBJ object : objects) ::DeleteObject(object);
  for (HDC dc : dcs) ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  if (!made) return ::testing::AssertionFailure() << "GDI objects ran out after " << objects.size();
  return ::testing::AssertionSuccess();
}

// One line for docs/reliability.md.
void Report(const char* what, int count, std::size_t from, std::size_t to) {
  std::printf("stress: %d %s: process grew by %lld bytes after warming up\n", count, what,
              static_cast<long long>(to) - static_cast<long long>(from));
}

void Repaint(HWND window) {
  ::InvalidateRect(window, nullptr, TRUE);
  ::UpdateWindow(window);
}

HWND GrabHandleBeside(HWND control) {
  for (HWND sibling = ::GetWindow(::GetParent(control), GW_CHILD); sibling != nullptr;
       sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
    if (ClassNameOf(sibling) == "Boxs_Class" && ::IsWindowVisible(sibling)) return sibling;
  }
  return nullptr;
}

HWND Place(HWND surface, std::uint32_t kind, int x, int y, int width, int height) {
  gWorkspace.currentTool = kind;
  PlaceControl(surface, x, y, width, height);
  return gFormDesigner.newControl;
}

using Stress = EditorTest;

TEST_F(Stress, EveryWindowTheLibraryPaintsPaintsTheSamePixelsAfterManyPaints) {
  HWND surface = NewSurface();
  HWND frame = FrameOfSurface(surface);
  HWND timer = Place(surface, kKindTimer, 200, 150, 40, 40);
  HWND image = Place(surface, kKindImageBox, 250, 150, 60, 50);
  HWND button = Place(surface, kKindButton, 20, 20, 90, 30);  // selected: its grab handles show
  HWND handle = GrabHandleBeside(button);
  ASSERT_NE(handle, nullptr);
  HWND toolbox = Create_Tool_Bar(MainFrame());
  HWND code = OpenCodeWindow("Module1 (Code)",
                             "\tmov eax, ebx\t; copy\r\n    invoke SendMessage, hWnd, WM_CLOSE, 0, 0\r\n");
  ::MoveWindow(code, 440, 10, 500, 300, TRUE);
  HWND editor = EditorControlOf(code);
  const std::vector<HWND> painted = {surface, frame, timer, image, handle, toolbox, editor};
  for (int round = 0; round < Paints() / 10; ++round)
    for (HWND window : painted) Repaint(window);  // warm up
  PumpPending();
  std::vector<Pixels> before;
  for (HWND window : painted) before.push_back(Pixels::OfClient(window));
  const std::size_t grownFrom = ProcessBytes();
  for (int round = 0; round < Paints(); ++round) {
    for (HWND window : painted) Repaint(window);
    if (round % 256 == 0) PumpPending();
  }
  const std::size_t grownTo = ProcessBytes();

  EXPECT_TRUE(GdiObjectsCanStillBeMade());
  for (std::size_t i = 0; i < painted.size(); ++i) {
    EXPECT_TRUE(before[i] == Pixels::OfClient(painted[i])) << ClassNameOf(painted[i]) << " paints otherwise";
  }
  EXPECT_LT(grownTo, grownFrom + kGrowthBound) << "grew by " << (grownTo - grownFrom) << " bytes";
  Report("paints of each of 7 windows", Paints(), grownFrom, grownTo);
  ::DestroyWindow(toolbox);
}

TEST_F(Stress, EveryKindOfControlCreatedAndDeletedManyTimesLeavesNothingBehind) {
  HWND surface = NewSurface();
  HWND frame = FrameOfSurface(surface);
  const Pixels emptySurface = Pixels::OfClient(surface);
  const std::size_t recordsBefore = win::LiveRecordBytes();
  std::size_t grownFrom = 0;
  for (int cycle = 0; cycle < Cycles(); ++cycle) {
    if (cycle == Cycles() / 10) grownFrom = ProcessBytes();
    for (const KindRow& row : kKindRows) {
      HWND control = Place(surface, row.kind, 10, 10, 100, 40);
      ASSERT_NE(control, nullptr) << row.baseName << " in cycle " << cycle;
      ::SendMessageA(control, WM_COMMAND, IDM_DELETE, 0);
      ASSERT_FALSE(::IsWindow(control));
    }
    PumpPending();  // the directory list boxes' workers report through messages
  }
  // The directory list boxes' worker threads end on their own.
  PumpUntil([] { return false; }, 300);
  const std::size_t grownTo = ProcessBytes();

  EXPECT_EQ(win::LiveRecordBytes(), recordsBefore) << "every control's record is freed";
  for (const KindRow& row : kKindRows) EXPECT_EQ(NameTableOf(surface, row.kind)->Count(), 0u) << row.baseName;
  EXPECT_TRUE(GdiObjectsCanStillBeMade());
  ::InvalidateRect(surface, nullptr, TRUE);
  EXPECT_TRUE(emptySurface == Pixels::OfClient(surface));
  EXPECT_EQ(WindowText(Place(surface, kKindButton, 10, 10, 80, 20)), "Button0") << "numbers were all freed";
  EXPECT_LT(grownTo, grownFrom + kGrowthBound) << "grew by " << (grownTo - grownFrom) << " bytes";
  Report("create/delete cycles of each of the 19 kinds", Cycles(), grownFrom, grownTo);
  (void)frame;
}

// The windows that landed since: the properties window with its owner-drawn
// rows, the colour field and the palette of its pop-up, the project
// window's custom-drawn tree, the Form Layout window, and the owner-drawn
// menu items (drawn as Windows asks for them, into a memory DC: an open
// menu runs its own loop). The New Project window draws nothing itself.
TEST_F(Stress, EveryToolWindowPaintsTheSamePixelsAfterManyPaints) {
  HWND project = Create_Project_Window(MainFrame());
  HWND properties = Create_Prop_Window(MainFrame());
  HWND layout = ScreenLayoutClass(MainFrame());
  ::MoveWindow(project, 440, 330, 200, 150, TRUE);
  ::MoveWindow(layout, 440, 485, 200, 150, TRUE);
  ::MoveWindow(properties, 650, 330, 230, 320, TRUE);
  HWND surface = NewSurface();
  HWND label = Place(surface, kKindLabel, 20, 20, 90, 30);  // selected: its rows show
  HWND list = gWorkspace.propertyList;
  RECT row{};
  ::SendMessageA(list, LB_GETITEMRECT, kRowBackColour, reinterpret_cast<LPARAM>(&row));
  Click(ClientToScreenPoint(list, {kNameColumnWidth / 2, (row.top + row.bottom) / 2}));
  HWND field = ::FindWindowExA(list, nullptr, kColourFieldClassName, nullptr);
  ASSERT_NE(field, nullptr);
  const RECT fieldRect = ScreenRect(field);
  Click({fieldRect.right - (fieldRect.bottom - fieldRect.top) / 2, (fieldRect.top + fieldRect.bottom) / 2});
  const ColourFieldState* picker = FieldStateOf(field);
  ASSERT_TRUE(picker != nullptr && picker->palettePage != nullptr && ::IsWindowVisible(picker->popup));

  // The menu bar on the shared frame, taken off again at the end.
  const auto hostProc = ::GetWindowLongPtrA(MainFrame(), GWLP_WNDPROC);
  CreateMenuBar(0);
  Canvas menu(kMenuItemWidth, 5 * kMenuItemHeight, RGB(1, 2, 3));
  auto drawMenuItems = [&] {
    struct Item {
      UINT id;
      UINT action;
      UINT state;
      const char* text;
    };
    static constexpr Item kItems[] = {{1300, ODA_DRAWENTIRE, 0, "&Add Form"},
                                      {1302, ODA_SELECT, ODS_SELECTED, "&Add Module"},
                                      {1303, ODA_DRAWENTIRE, 0, "&Add Class Module"},
                                      {1003, ODA_DRAWENTIRE, ODS_GRAYED | ODS_DISABLED, "&Remove Project"},
                                      {1005, ODA_SELECT, ODS_SELECTED, "&Exit"}};
    for (int i = 0; i < 5; ++i) {
      DRAWITEMSTRUCT item{};
      item.CtlType = ODT_MENU;
      item.itemID = kItems[i].id;
      item.itemAction = kItems[i].action;
      item.itemState = kItems[i].state;
      item.hDC = menu.Dc();
      item.rcItem = {0, i * kMenuItemHeight, kMenuItemWidth, (i + 1) * kMenuItemHeight};
      item.itemData = reinterpret_cast<ULONG_PTR>(kItems[i].text);
      ::SendMessageA(MainFrame(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
  };

  const std::vector<HWND> painted = {properties, list, field, picker->palettePage, gWorkspace.projectTree, layout};
  for (int round = 0; round < Paints() / 10; ++round) {  // warm up
    for (HWND window : painted) Repaint(window);
    drawMenuItems();
  }
  PumpPending();
  std::vector<Pixels> before;
  for (HWND window : painted) before.push_back(Pixels::OfClient(window));
  const Pixels menuBefore = menu.Read();
  const std::size_t grownFrom = ProcessBytes();
  for (int round = 0; round < Paints(); ++round) {
    for (HWND window : painted) Repaint(window);
    drawMenuItems();
    if (round % 256 == 0) PumpPending();
  }
  const std::size_t grownTo = ProcessBytes();

  EXPECT_TRUE(GdiObjectsCanStillBeMade());
  for (std::size_t i = 0; i < painted.size(); ++i) {
    EXPECT_TRUE(before[i] == Pixels::OfClient(painted[i])) << ClassNameOf(painted[i]) << " paints otherwise";
  }
  EXPECT_TRUE(menuBefore == menu.Read()) << "the menu items draw otherwise";
  EXPECT_EQ(FieldStateOf(field), picker) << "the colour field is still the one opened";
  EXPECT_LT(grownTo, grownFrom + kGrowthBound) << "grew by " << (grownTo - grownFrom) << " bytes";
  Report("paints of each of 6 tool windows and 5 menu items", Paints(), grownFrom, grownTo);

  ::SetMenu(MainFrame(), nullptr);
  ::DestroyMenu(gWorkspace.menuBar);
  gWorkspace.menuBar = nullptr;
  ::SetWindowLongPtrA(MainFrame(), GWLP_WNDPROC, hostProc);
  for (HWND window : {properties, project, layout}) ::DestroyWindow(window);
  (void)label;
}

// Code windows are destroyed only with the MDI client that holds them: a
// host that closes a project destroys its MDI client and makes a new one.
TEST_F(Stress, CodeWindowsDestroyedWithTheirMdiClientManyTimesLeaveNothingBehind) {
  constexpr int kWindowsPerClient = 10;
  const std::uint32_t editorsBefore = gEditor.editorCount;
  HWND reference = OpenCodeWindow("Module1 (Code)", "mov eax, ebx ; copy\r\n");
  const Pixels referencePixels = Pixels::OfClient(EditorControlOf(reference));
  std::size_t grownFrom = 0;
  for (int cycle = 0; cycle < CodeWindowCycles() / kWindowsPerClient; ++cycle) {
    if (cycle == CodeWindowCycles() / kWindowsPerClient / 10) grownFrom = ProcessBytes();
    CLIENTCREATESTRUCT create{};
    HWND client = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 600, 400,
                                    MainFrame(), nullptr, ::GetModuleHandleA(nullptr), &create);
    ASSERT_NE(client, nullptr);
    for (int i = 0; i < kWindowsPerClient; ++i) {
      HWND window = InitRichEditBox(client, nullptr, kCodeWindowClassName, "Module (Code)", MainFrame());
      ASSERT_NE(window, nullptr);
      ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\tmov eax, ebx\t; copy\r\n"));
      ::UpdateWindow(EditorControlOf(window));
    }
    ::DestroyWindow(client);
    PumpPending();
  }
  const std::size_t grownTo = ProcessBytes();
  EXPECT_EQ(gEditor.editorCount, editorsBefore + 1) << "only the reference window's editor is left";
  EXPECT_TRUE(GdiObjectsCanStillBeMade());
  Repaint(EditorControlOf(reference));
  EXPECT_TRUE(referencePixels == Pixels::OfClient(EditorControlOf(reference)));
  EXPECT_LT(grownTo, grownFrom + kGrowthBound) << "grew by " << (grownTo - grownFrom) << " bytes";
  Report("code windows opened, filled, painted and destroyed", CodeWindowCycles(), grownFrom, grownTo);
  gEditor.editorParent = MdiClient();
  gEditor.codeWindowsCascaded = 0;
}

}  // namespace
}  // namespace kelp::test
