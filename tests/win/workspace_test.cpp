// The library's entry state and the small routines its windows share: the
// default font, the register-and-create utility, the control font, the
// cursor test, the context menus, and the drawing wrappers.
#include <richedit.h>

#include <string>

#include "controls/context_menus.h"
#include "entry/messages.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "win/gdi.h"

namespace kelp::test {
namespace {

using Workspace = HostTest;

TEST_F(Workspace, InitDllRemembersTheHostAndMakesThe12PixelArialFont) {
  EXPECT_EQ(gWorkspace.mdiClient, MdiClient());
  EXPECT_EQ(gWorkspace.mainFrame, MainFrame());
  EXPECT_EQ(gWorkspace.hostInstance, ::GetModuleHandleA(nullptr));
  LOGFONTA font{};
  ASSERT_TRUE(::GetObjectA(gWorkspace.defaultFont, sizeof(font), &font));
  EXPECT_EQ(font.lfHeight, 12);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
  EXPECT_EQ(font.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
  EXPECT_STREQ(font.lfFaceName, "Arial");
}

TEST_F(Workspace, ASecondInitDllReplacesTheHostFieldsAndTheFont) {
  CLIENTCREATESTRUCT clientCreate{};
  HWND otherClient = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD, 0, 0, 100, 100, MainFrame(), nullptr,
                                       ::GetModuleHandleA(nullptr), &clientCreate);
  HFONT before = gWorkspace.defaultFont;
  HFONT font = Init_DLL(nullptr, otherClient);
  EXPECT_EQ(gWorkspace.mdiClient, otherClient);
  EXPECT_EQ(gWorkspace.hostInstance, nullptr);
  EXPECT_EQ(gWorkspace.mainFrame, MainFrame());
  EXPECT_EQ(gWorkspace.defaultFont, font);
  EXPECT_NE(font, before);
  EXPECT_EQ(::GetObjectType(before), static_cast<DWORD>(OBJ_FONT)) << "windows may still use the old font";
  Init_DLL(::GetModuleHandleA(nullptr), MdiClient());
  ::DestroyWindow(otherClient);
}

TEST_F(Workspace, FormsFollowTheMdiClientTheyAreGiven) {
  CLIENTCREATESTRUCT clientCreate{};
  HWND otherClient = ::CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 300, 300,
                                       MainFrame(), nullptr, ::GetModuleHandleA(nullptr), &clientCreate);
  HWND form = CreateFormWin(gWorkspace.libraryInstance, MainFrame(), otherClient, 1);
  EXPECT_EQ(::GetParent(form), otherClient);
  EXPECT_EQ(gWorkspace.mdiClient, otherClient);
  ::DestroyWindow(otherClient);
}

LRESULT CALLBACK FirstProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return m == WM_USER ? 1 : ::DefWindowProcA(w, m, wp, lp);
}
LRESULT CALLBACK SecondProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return m == WM_USER ? 2 : ::DefWindowProcA(w, m, wp, lp);
}

TEST_F(Workspace, ClassWindowsKeepTheFirstRegistrationOfTheirClass) {
  const auto face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HWND first = CreateClassWindow(0, WS_CHILD, "KelpTestClassWindow_Class", "one", 0, 0, 10, 10, FirstProcedure,
                                 nullptr, face, ::GetModuleHandleA(nullptr), MainFrame());
  HWND second = CreateClassWindow(0, WS_CHILD, "KelpTestClassWindow_Class", "two", 0, 0, 10, 10,
                                  SecondProcedure, nullptr, face, ::GetModuleHandleA(nullptr), MainFrame());
  EXPECT_EQ(::SendMessageA(first, WM_USER, 0, 0), 1);
  EXPECT_EQ(::SendMessageA(second, WM_USER, 0, 0), 1);
  EXPECT_EQ(::GetClassLongA(first, GCL_STYLE), CS_DBLCLKS | CS_CLASSDC);
  EXPECT_EQ(::GetClassLongA(first, GCL_CBWNDEXTRA), 20);
  ::DestroyWindow(first);
  ::DestroyWindow(second);
}

TEST_F(Workspace, ControlFontGivesAPushButtonTheFaceAndKeepsItsText) {
  HWND button = ::CreateWindowExA(0, "BUTTON", "Command1", WS_CHILD | WS_VISIBLE, 10, 10, 75, 23, MainFrame(),
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
  win::Font font(SetControlFont(button, "Arial", -13, 0, 5));
  EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(button, WM_GETFONT, 0, 0)), font.Get());
  LOGFONTA logFont{};
  ::GetObjectA(font.Get(), sizeof(logFont), &logFont);
  EXPECT_EQ(logFont.lfHeight, -13);
  EXPECT_STREQ(logFont.lfFaceName, "Arial");
  EXPECT_EQ(WindowText(button), "Command1");
  ::DestroyWindow(button);
}

TEST_F(Workspace, ControlFontTurnsRichEditTextBlack) {
  ::LoadLibraryA("riched20.dll");
  HWND editor = ::CreateWindowExA(0, "RichEdit20A", "mov eax, ebx", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0,
                                  200, 50, MainFrame(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(editor, nullptr);
  CHARFORMAT2A red{};
  red.cbSize = sizeof(red);
  red.dwMask = CFM_COLOR;
  red.crTextColor = RGB(255, 0, 0);
  ::SendMessageA(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&red));
  win::Font font(SetControlFont(editor, "Courier New", -13, 0, 5));
  ::SendMessageA(editor, EM_SETSEL, 0, -1);
  CHARFORMAT2A now{};
  now.cbSize = sizeof(now);
  ::SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&now));
  EXPECT_EQ(now.crTextColor, RGB(0, 0, 0));
  ::DestroyWindow(editor);
}

TEST_F(Workspace, CursorInRectFollowsTheRealCursor) {
  const RECT area = {100, 100, 120, 110};
  MoveMouseTo({105, 105});
  EXPECT_TRUE(CursorInRect(&area));
  MoveMouseTo({120, 105});
  EXPECT_FALSE(CursorInRect(&area)) << "right edge is outside";
}

std::string ItemText(HMENU menu, int index) {
  char text[64] = {};
  ::GetMenuStringA(menu, index, text, sizeof(text), MF_BYPOSITION);
  return text;
}

TEST(ContextMenus, ControlMenuItemsInOrder) {
  HMENU menu = BuildControlContextMenu();
  ASSERT_EQ(::GetMenuItemCount(menu), 4);
  const UINT ids[] = {IDM_VIEWCODE, IDM_COPY, IDM_DELETE, IDM_PROPERTIES};
  const char* texts[] = {"&View Code", "&Copy", "&Delete", "&Properties"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(::GetMenuItemID(menu, i), ids[i]);
    EXPECT_EQ(ItemText(menu, i), texts[i]);
    EXPECT_EQ(::GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), 0u);
  }
  ::DestroyMenu(menu);
}

TEST(ContextMenus, FormMenuHasPasteGreyedUntilACopy) {
  HMENU menu = BuildFormContextMenu();
  ASSERT_EQ(::GetMenuItemCount(menu), 4);
  const UINT ids[] = {IDM_VIEWCODE, IDM_PASTE, IDM_DELETE, IDM_PROPERTIES};
  const char* texts[] = {"&View Code", "&Paste", "&Delete", "&Properties"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(::GetMenuItemID(menu, i), ids[i]);
    EXPECT_EQ(ItemText(menu, i), texts[i]);
  }
  EXPECT_EQ(::GetMenuState(menu, 1, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED), MF_GRAYED | MF_DISABLED);
  ::DestroyMenu(menu);
}

TEST_F(Workspace, EachNewFormReplacesTheFormContextMenu) {
  NewForm();
  HMENU first = gWorkspace.formContextMenu;
  EXPECT_TRUE(::IsMenu(first));
  NewForm();
  EXPECT_TRUE(::IsMenu(gWorkspace.formContextMenu));
  EXPECT_NE(gWorkspace.formContextMenu, first);
  EXPECT_EQ(::GetMenuItemCount(gWorkspace.formContextMenu), 4);
}

TEST(DrawingWrappers, OwnedObjectIsDeletedAndAMovedOneOnlyOnce) {
  HBRUSH raw = ::CreateSolidBrush(RGB(1, 2, 3));
  {
    win::Brush owner(raw);
    win::Brush moved(std::move(owner));
    EXPECT_EQ(owner.Get(), nullptr);
    EXPECT_EQ(moved.Get(), raw);
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
  }
  EXPECT_EQ(::GetObjectType(raw), 0u);

  win::Brush kept = win::SolidBrush(RGB(4, 5, 6));
  HBRUSH released = kept.Release();
  EXPECT_EQ(::GetObjectType(released), static_cast<DWORD>(OBJ_BRUSH));
  ::DeleteObject(released);
}

TEST(DrawingWrappers, ScopedSelectPutsThePreviousObjectBack) {
  win::WindowDc screen(nullptr);
  win::MemoryDc memory(screen);
  HGDIOBJ original = ::GetCurrentObject(memory, OBJ_BRUSH);
  win::Brush brush = win::SolidBrush(RGB(10, 20, 30));
  {
    win::ScopedSelect selection(memory, brush.Get());
    EXPECT_EQ(::GetCurrentObject(memory, OBJ_BRUSH), brush.Get());
  }
  EXPECT_EQ(::GetCurrentObject(memory, OBJ_BRUSH), original);
}

TEST(DrawingWrappers, OffscreenBufferPaintsWhatIsCopiedOut) {
  win::WindowDc screen(nullptr);
  win::OffscreenBuffer buffer(screen, 8, 8);
  const RECT all = {0, 0, 8, 8};
  win::Brush red = win::SolidBrush(RGB(255, 0, 0));
  ::FillRect(buffer, &all, red.Get());
  EXPECT_EQ(::GetPixel(buffer, 3, 3), RGB(255, 0, 0));
}

}  // namespace
}  // namespace kelp::test
