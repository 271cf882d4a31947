// Code windows as the designer, the menu bar and a user use them: where they
// open, what they hold, WM_SETTEXT, hiding on close, module numbering, what a
// destroyed code window takes along, the editor's activity message, its
// context menu and the current editor control, and the colours painted over
// the editor's text (pixels read back from the screen).
#include <richedit.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "core/keyword_table.h"
#include "editor/editor.h"
#include "editor_fixture.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp::test {
namespace {

using CodeWindows = EditorTest;

POINT PositionInParent(HWND window) {
  const RECT r = ScreenRect(window);
  POINT p{r.left, r.top};
  ::ScreenToClient(::GetParent(window), &p);
  return p;
}

RECT RectInParent(HWND window) {
  RECT r = ScreenRect(window);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof(name));
  return name;
}

TEST_F(CodeWindows, SuccessiveCodeWindowsOpen20PixelsFurtherRightAndDown) {
  gEditor.codeWindowsCascaded = 0;  // as in a fresh process
  auto open = [&] {
    return InitRichEditBox(MdiClient(), nullptr, "Editor_Class", "Module (Code)", MainFrame());
  };
  HWND first = open();
  HWND second = open();
  HWND third = open();
  EXPECT_EQ(PositionInParent(first).x, 20);
  EXPECT_EQ(PositionInParent(first).y, 20);
  EXPECT_EQ(PositionInParent(second).x, 40);
  EXPECT_EQ(PositionInParent(second).y, 40);
  EXPECT_EQ(PositionInParent(third).x, 60);
  EXPECT_EQ(PositionInParent(third).y, 60);
  // No wrap-around, however many open.
  for (int i = 0; i < 30; ++i) open();
  EXPECT_EQ(PositionInParent(open()).x, 20 + 33 * 20);
}

TEST_F(CodeWindows, TwoListsAlongTheTopAndTheEditorBelowFillTheWindow) {
  HWND window = OpenCodeWindow("Form1 (Code)");
  EXPECT_EQ(ClassOf(window), "Editor_Class");
  EXPECT_EQ(::GetParent(window), MdiClient());
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)) & 0x56CF0001u, 0x56CF0001u);
  EXPECT_NE(::GetClassLongPtrA(window, GCLP_HICON), 0) << "icon 501";

  HWND firstList = ::GetDlgItem(window, kFirstListBoxId);
  HWND secondList = ::GetDlgItem(window, kSecondListBoxId);
  ASSERT_NE(firstList, nullptr);
  ASSERT_NE(secondList, nullptr);
  EXPECT_EQ(ClassOf(firstList), "ComboBox");
  EXPECT_EQ(RectInParent(firstList).left, 0);
  EXPECT_EQ(RectInParent(firstList).right, 195);
  EXPECT_EQ(RectInParent(secondList).left, 200);
  EXPECT_EQ(RectInParent(secondList).right, 395);
  EXPECT_EQ(::SendMessageA(firstList, CB_GETCOUNT, 0, 0), 0) << "nothing fills them";

  HWND editor = EditorControlOf(window);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(ClassOf(editor), "RichEdit20A");
  EXPECT_EQ(::GetDlgCtrlID(editor), kEditorControlId);
  auto fillsBelowTheLists = [&] {
    RECT client{};
    ::GetClientRect(window, &client);
    const RECT r = RectInParent(editor);
    return r.left == 0 && r.top == 25 && r.right == client.right && r.bottom == client.bottom;
  };
  EXPECT_TRUE(fillsBelowTheLists());
  ::MoveWindow(window, 10, 10, 600, 420, TRUE);
  EXPECT_TRUE(fillsBelowTheLists()) << "the editor follows the window's size";

  LOGFONTA font{};
  ::GetObjectA(EditorFont(editor), sizeof(font), &font);
  EXPECT_STREQ(font.lfFaceName, "Courier New");
  EXPECT_EQ(font.lfHeight, -13);
}

TEST_F(CodeWindows, SetTextReplacesTheEditorTextAndKeepsTheCaption) {
  HWND window = OpenCodeWindow("Form1 (Code)", "first text");
  EXPECT_EQ(EditorText(EditorControlOf(window)), "first text");
  const char second[] = "Form1Proc proc hWin:DWORD";
  ::SendMessageA(window, WM_SETTEXT, reinterpret_cast<WPARAM>(second), reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(EditorText(EditorControlOf(window)), second);
  EXPECT_EQ(WindowText(window), "Form1 (Code)");
}

TEST_F(CodeWindows, ClosingHidesAndShowingAgainKeepsTheUsersText) {
  HWND window = OpenCodeWindow("Button0 (Code)", "");
  HWND editor = EditorControlOf(window);
  FocusEditor(editor);
  TypeText("push eax");
  EXPECT_EQ(EditorText(editor), "push eax");

  ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // what the close box sends
  EXPECT_TRUE(::IsWindow(window));
  EXPECT_FALSE(::IsWindowVisible(window));

  ::ShowWindow(window, SW_SHOW);
  ::BringWindowToTop(window);
  EXPECT_TRUE(::IsWindowVisible(window));
  EXPECT_EQ(EditorText(editor), "push eax");
}

TEST_F(CodeWindows, ModulesAndClassModulesAreNumberedAndAddedToTheProject) {
  StandInWindow project;
  gWorkspace.projectWindow = project.Get();
  std::vector<std::string> names;
  project.onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
    if (message == PRJ_ADDMODULE || message == PRJ_ADDCLASSMODULE)
      names.push_back(reinterpret_cast<const char*>(wParam));
  };
  gWorkspace.classModuleCounter = 0;  // as in a fresh process
  gWorkspace.moduleCounter = 0;

  EXPECT_EQ(AddClassModule(MainFrame()), 0);
  HWND firstClass = gEditor.lastCodeWindow;
  EXPECT_EQ(WindowText(firstClass), "Class1 (Code)");
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD), firstClass) << "brought to the top";
  EXPECT_EQ(EditorText(EditorControlOf(firstClass)), "") << "a new module is empty";
  ::DestroyWindow(firstClass);

  EXPECT_EQ(AddClassModule(MainFrame()), 0);
  HWND secondClass = gEditor.lastCodeWindow;
  EXPECT_EQ(WindowText(secondClass), "Class2 (Code)") << "numbers are never reused";
  EXPECT_EQ(AddModule(MainFrame()), 0);
  HWND module = gEditor.lastCodeWindow;
  EXPECT_EQ(WindowText(module), "Module1 (Code)");

  EXPECT_EQ(names, (std::vector<std::string>{"Class1", "Class2", "Module1"}));
  const auto sent = project.ReceivedBetween(PRJ_ADDMODULE, PRJ_ADDCLASSMODULE);
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].message, PRJ_ADDCLASSMODULE);
  EXPECT_EQ(sent[1].message, PRJ_ADDCLASSMODULE);
  EXPECT_EQ(sent[1].lParam, reinterpret_cast<LPARAM>(secondClass));
  EXPECT_EQ(sent[2].message, PRJ_ADDMODULE);
  EXPECT_EQ(sent[2].lParam, reinterpret_cast<LPARAM>(module));
}

TEST_F(CodeWindows, ModulesOpenWithoutAProjectWindow) {
  gWorkspace.projectWindow = nullptr;
  const unsigned modules = gWorkspace.moduleCounter;
  EXPECT_EQ(AddModule(MainFrame()), 0);
  EXPECT_EQ(WindowText(gEditor.lastCodeWindow), "Module" + std::to_string(modules + 1) + " (Code)");
}

TEST_F(CodeWindows, DestroyingACodeWindowTakesItsOwnChildrenAndNeverItsOwner) {
  HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_CHILD, 0, 0, 10, 10, MainFrame(), nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  const std::uint32_t editorsBefore = gEditor.editorCount;
  HWND window = OpenCodeWindow("Button0 (Code)", "mov eax, 1", owner);
  HWND editor = EditorControlOf(window);
  HWND firstList = ::GetDlgItem(window, kFirstListBoxId);
  HWND secondList = ::GetDlgItem(window, kSecondListBoxId);
  EXPECT_EQ(gEditor.editorCount, editorsBefore + 1);

  ::DestroyWindow(window);
  EXPECT_TRUE(::IsWindow(owner)) << "the control, surface or frame the code belongs to stays";
  EXPECT_FALSE(::IsWindow(editor));
  EXPECT_FALSE(::IsWindow(firstList));
  EXPECT_FALSE(::IsWindow(secondList));
  EXPECT_EQ(gEditor.editorCount, editorsBefore);
  EXPECT_NE(gEditor.currentEditor, editor) << "nothing acts on a control that is gone";
  ::DestroyWindow(owner);
}

TEST_F(CodeWindows, KeywordListsGoWithTheLastEditorAndComeBackWithTheNext) {
  OpenCodeWindow("A (Code)");
  OpenCodeWindow("B (Code)");
  EXPECT_EQ(FindKeyword(gEditor.keywords, "mov"), 1u) << "the syntax.fmt beside the program";
  while (HWND child = ::GetWindow(MdiClient(), GW_CHILD)) ::DestroyWindow(child);
  EXPECT_EQ(gEditor.editorCount, 0u);
  EXPECT_TRUE(IsEmpty(gEditor.keywords));

  OpenCodeWindow("C (Code)");
  EXPECT_EQ(FindKeyword(gEditor.keywords, "mov"), 1u);
}

TEST_F(CodeWindows, TheShippedKeywordFileColoursTheGeneratedSkeletons) {
  OpenCodeWindow("Form1 (Code)");
  // Words of the form and control skeletons, by the colour a user sees.
  for (const char* instruction : {"ret", "mov", "push", "call", "cmp", "jmp", "xor"}) {
    EXPECT_EQ(FindKeyword(gEditor.keywords, instruction), 1u) << instruction;
  }
  for (const char* directive : {"proc", "endp", "DWORD", ".data", ".code", "include", "end"}) {
    EXPECT_EQ(FindKeyword(gEditor.keywords, directive), 2u) << directive;
  }
  for (const char* syntax : {".if", ".endif", "invoke", "addr", "offset"}) {
    EXPECT_EQ(FindKeyword(gEditor.keywords, syntax), 3u) << syntax;
  }
  for (const char* api : {"DefWindowProc", "CreateWindowEx", "MessageBox", "ExitProcess"}) {
    EXPECT_EQ(FindKeyword(gEditor.keywords, api), 4u) << api;
  }
  for (const char* reg : {"eax", "EBX", "esp", "al"})
    EXPECT_EQ(FindKeyword(gEditor.keywords, reg), 5u) << reg;
  for (const char* constant : {"WM_CREATE", "WM_COMMAND", "NULL", "MB_OK"}) {
    EXPECT_EQ(FindKeyword(gEditor.keywords, constant), 6u) << constant;
  }
  for (const char* type : {"HWND", "wParam", "lParam", "uMsg", "hWin"}) {
    EXPECT_EQ(FindKeyword(gEditor.keywords, type), 7u) << type;
  }
  EXPECT_EQ(FindKeyword(gEditor.keywords, "fld"), 8u);
  EXPECT_EQ(FindKeyword(gEditor.keywords, "lowword"), 9u) << "the last word of C9 ends with a blank";
  EXPECT_EQ(FindKeyword(gEditor.keywords, "sizestr"), 10u) << "the file's last word";
  EXPECT_EQ(FindKeyword(gEditor.keywords, "IDC_BUTTON0"), 0u);
}

// ---------------------------------------------------------------------------
// The editor's own behaviour: activity message, context menu, current control.

using EditorControls = EditorTest;

TEST_F(EditorControls, KeyReleasesTabsAndLeftClicksTellTheEditorParent) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "mov eax, ebx"));
  FocusEditor(editor);
  MessageRecorder recorder({MdiClient()}, {kEditorActivityMessage});
  PressKey('A');
  EXPECT_EQ(recorder.Messages().size(), 1u) << "one key release";
  recorder.Clear();
  PressKey(VK_TAB);
  EXPECT_EQ(recorder.Messages().size(), 2u) << "the typed TAB and its key release";
  recorder.Clear();
  Click(ClientToScreenPoint(editor, {40, 8}));
  EXPECT_EQ(recorder.Messages().size(), 1u) << "the left-button release";
  for (const Recorded& r : recorder.Messages()) {
    EXPECT_EQ(r.wParam, 0u);
    EXPECT_EQ(r.lParam, 0);
  }
}

struct MenuItemSeen {
  UINT identifier;
  std::string text;
  bool operator==(const MenuItemSeen&) const = default;
};

std::vector<MenuItemSeen> ItemsOf(HMENU menu) {
  std::vector<MenuItemSeen> items;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
    items.push_back({::GetMenuItemID(menu, i), text});
  }
  return items;
}

TEST_F(EditorControls, EveryEditorHasItsOwnContextMenuOfFiveEditCommands) {
  HWND a = EditorControlOf(OpenCodeWindow("A (Code)"));
  HWND b = EditorControlOf(OpenCodeWindow("B (Code)"));
  HMENU menuA = win::FromHandle32<HMENU>(EditorBlockOf(a)->menu);
  HMENU menuB = win::FromHandle32<HMENU>(EditorBlockOf(b)->menu);
  EXPECT_NE(menuA, menuB);
  EXPECT_EQ(ItemsOf(menuA),
            (std::vector<MenuItemSeen>{
                {1100, "&Undo"}, {1101, "&Cut"}, {1102, "&Copy"}, {1103, "&Paste"}, {1104, "Delete"}}));
}

// While a right click's context menu runs its loop, notes that it is shown
// and closes it.
class ContextMenuCloser {
 public:
  ContextMenuCloser() {
    gSelf = this;
    timer_ = ::SetTimer(nullptr, 0, 20, Tick);
  }
  ~ContextMenuCloser() {
    ::KillTimer(nullptr, timer_);
    gSelf = nullptr;
  }
  int shown = 0;

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = ::FindWindowA("#32768", nullptr);
    if (gSelf == nullptr || menu == nullptr || !::IsWindowVisible(menu)) return;
    ++gSelf->shown;
    ::EndMenu();
  }
  static inline ContextMenuCloser* gSelf = nullptr;
  UINT_PTR timer_ = 0;
};

TEST_F(EditorControls, TheCurrentEditorFollowsTheNewestWindowAndARightClick) {
  HWND windowA = OpenCodeWindow("A (Code)", "in a");
  HWND a = EditorControlOf(windowA);
  HWND windowB = OpenCodeWindow("B (Code)", "in b");
  HWND b = EditorControlOf(windowB);
  ::MoveWindow(windowA, 0, 0, 400, 300, TRUE);
  ::MoveWindow(windowB, 420, 0, 400, 300, TRUE);
  EXPECT_EQ(gEditor.currentEditor, b);

  // Typing in A leaves B current: the commands of any code window act on B.
  FocusEditor(a);
  TypeText("x");
  EXPECT_EQ(gEditor.currentEditor, b);
  Select(b, 0, -1);
  ::SendMessageA(windowA, WM_COMMAND, IDM_EDITOR_DELETE, 0);
  EXPECT_EQ(EditorText(b), "");
  EXPECT_EQ(EditorText(a), "xin a");

  {
    ContextMenuCloser closer;
    RightClick(ClientToScreenPoint(a, {30, 8}));
    EXPECT_EVENTUALLY(closer.shown > 0);
  }
  EXPECT_EQ(gEditor.currentEditor, a);
  Select(a, 0, -1);
  ::SendMessageA(windowB, WM_COMMAND, IDM_EDITOR_DELETE, 0);
  EXPECT_EQ(EditorText(a), "");
}

TEST_F(EditorControls, EditCommandsActOnTheCurrentEditorAndPasteTakesPlainText) {
  HWND window = OpenCodeWindow("Module1 (Code)", "mov eax, ebx");
  HWND editor = EditorControlOf(window);
  auto command = [&](UINT identifier) { ::SendMessageA(window, WM_COMMAND, identifier, 0); };

  Select(editor, 0, -1);
  command(IDM_EDITOR_COPY);
  command(IDM_EDITOR_DELETE);
  EXPECT_EQ(EditorText(editor), "");
  command(IDM_EDITOR_UNDO);
  EXPECT_EQ(EditorText(editor), "mov eax, ebx");
  Select(editor, 0, 4);
  command(IDM_EDITOR_CUT);
  EXPECT_EQ(EditorText(editor), "eax, ebx");
  Select(editor, 0, 0);
  command(IDM_EDITOR_PASTE);
  EXPECT_EQ(EditorText(editor), "mov eax, ebx");

  // The clipboard holds the same words as rich text and as plain text.
  ASSERT_TRUE(::OpenClipboard(MainFrame()));
  ::EmptyClipboard();
  auto put = [](UINT format, const std::string& data) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, data.size() + 1);
    std::copy(data.c_str(), data.c_str() + data.size() + 1, static_cast<char*>(::GlobalLock(block)));
    ::GlobalUnlock(block);
    ::SetClipboardData(format, block);
  };
  put(::RegisterClipboardFormatA("Rich Text Format"), "{\\rtf1\\ansi {\\b rich}}");
  put(CF_TEXT, "plain");
  ::CloseClipboard();
  Select(editor, 0, -1);
  command(IDM_EDITOR_PASTE);
  EXPECT_EQ(EditorText(editor), "plain");
  CHARFORMAT2A format{};
  format.cbSize = sizeof(format);
  Select(editor, 0, 5);
  ::SendMessageA(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_FALSE(format.dwEffects & CFE_BOLD);
}

}  // namespace
}  // namespace kelp::test
