// The code tools a host asks for with KELP32_OPTION_CODE_TOOLS, driven with
// real keys and clicks: Ctrl+G and the Go to Line window, Ctrl+H and the
// Replace Text window (Find Next, Replace, Replace All, and Ctrl+Z taking a
// Replace All back in one step); and a host that did not ask sees neither.
#include <richedit.h>

#include <string>
#include <vector>

#include "editor/editor.h"
#include "editor_fixture.h"
#include "entry/host_options.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

constexpr int kNumberBoxId = 4000;
constexpr int kGoButtonId = 3000;
constexpr int kFindBoxId = 4000;
constexpr int kWithBoxId = 4001;
constexpr int kFindNextButtonId = 3000;
constexpr int kReplaceButtonId = 3002;
constexpr int kReplaceAllButtonId = 3003;
constexpr int kCancelButtonId = 3001;

std::vector<HWND> WindowsOfClass(const char* className) {
  std::vector<HWND> windows;
  for (HWND w = ::FindWindowExA(nullptr, nullptr, className, nullptr); w != nullptr;
       w = ::FindWindowExA(nullptr, w, className, nullptr)) {
    windows.push_back(w);
  }
  return windows;
}

void PressControlAnd(WORD key) {
  HoldKey(VK_CONTROL, true);
  PressKey(key);
  HoldKey(VK_CONTROL, false);
}

void ClickItem(HWND window, int identifier) { Click(Centre(ScreenRect(::GetDlgItem(window, identifier)))); }

void TypeInto(HWND window, int identifier, const char* text) {
  ClickItem(window, identifier);
  TypeText(text);
}

class CodeTools : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    previous_ = SetHostOptions(KELP32_OPTION_CODE_TOOLS);
  }
  void TearDown() override {
    for (const char* name : {kReplaceWindowClassName, kGoToLineWindowClassName}) {
      for (HWND w : WindowsOfClass(name)) ::DestroyWindow(w);
    }
    SetHostOptions(previous_);
    EditorTest::TearDown();
  }
  // Ctrl+key in the editor; the window of that class it opened.
  HWND Open(HWND editor, WORD key, const char* className) {
    FocusEditor(editor);
    PressControlAnd(key);
    EXPECT_EVENTUALLY(!WindowsOfClass(className).empty());
    return WindowsOfClass(className).empty() ? nullptr : WindowsOfClass(className).front();
  }

 private:
  DWORD previous_ = 0;
};

LONG LineOfCaret(HWND editor) {
  return static_cast<LONG>(::SendMessageA(editor, EM_EXLINEFROMCHAR, 0, Selection(editor).cpMin));
}

TEST_F(CodeTools, CtrlGGoesToTheStartOfALineAndRefusesWhatIsNoNumber) {
  std::string text;
  for (int i = 1; i <= 300; ++i) text += "    mov eax, " + std::to_string(i) + "\r\n";
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", text.c_str()));

  const std::string shown = EditorText(editor);
  HWND goTo = Open(editor, 'G', kGoToLineWindowClassName);
  ASSERT_NE(goTo, nullptr);
  EXPECT_EQ(EditorText(editor), shown) << "Ctrl+G typed nothing";
  TypeText("250");
  PressKey(VK_RETURN);
  EXPECT_EVENTUALLY(!::IsWindow(goTo));
  EXPECT_EQ(LineOfCaret(editor), 249);
  EXPECT_EQ(Selection(editor).cpMin, ::SendMessageA(editor, EM_LINEINDEX, 249, 0)) << "at the line's start";
  const LONG first = static_cast<LONG>(::SendMessageA(editor, EM_GETFIRSTVISIBLELINE, 0, 0));
  EXPECT_TRUE(first <= 249 && first > 200) << "scrolled into view, first visible line " << first;
  EXPECT_EQ(::GetFocus(), editor);

  goTo = Open(editor, 'G', kGoToLineWindowClassName);
  TypeText("99999");
  ClickItem(goTo, kGoButtonId);
  EXPECT_EVENTUALLY(!::IsWindow(goTo));
  EXPECT_EQ(LineOfCaret(editor), static_cast<LONG>(::SendMessageA(editor, EM_GETLINECOUNT, 0, 0)) - 1)
      << "past the end: the last line";

  goTo = Open(editor, 'G', kGoToLineWindowClassName);
  const CHARRANGE before = Selection(editor);
  {
    MessageBoxCloser closer;
    TypeText("x 1");
    PressKey(VK_RETURN);
    EXPECT_EVENTUALLY(!closer.closed.empty());
    ASSERT_FALSE(closer.closed.empty());
    EXPECT_NE(closer.closed.front().text.find("\"x 1\" is not a line number"), std::string::npos)
        << closer.closed.front().text;
  }
  EXPECT_TRUE(::IsWindow(goTo)) << "the window stays for another try";
  EXPECT_EQ(Selection(editor).cpMin, before.cpMin) << "the caret did not move";
}

TEST_F(CodeTools, CtrlHReplacesOneByOneOrAllAndCtrlZTakesReplaceAllBackInOneStep) {
  const std::string text = "mov eax, ebx\r\nadd eax, eax\nmov eax_count, 1\r\n";
  HWND codeWindow = OpenCodeWindow("Module1 (Code)", text.c_str());
  HWND editor = EditorControlOf(codeWindow);

  HWND replace = Open(editor, 'H', kReplaceWindowClassName);
  ASSERT_NE(replace, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(replace, kReplaceAllButtonId)), "Replace All");
  TypeText("eax");  // the search field has the focus
  TypeInto(replace, kWithBoxId, "ecx");
  ::SendDlgItemMessageA(replace, 100, BM_SETCHECK, BST_CHECKED, 0);    // case sensitive
  ::SendDlgItemMessageA(replace, 200, BM_SETCHECK, BST_UNCHECKED, 0);  // whole word, by a click
  ClickItem(replace, 200);
  ClickItem(replace, kFindNextButtonId);
  EXPECT_EVENTUALLY(Selection(editor).cpMin == 4 && Selection(editor).cpMax == 7);
  ClickItem(replace, kReplaceButtonId);
  EXPECT_EVENTUALLY(EditorText(editor).rfind("mov ecx, ebx", 0) == 0);
  EXPECT_EQ(Selection(editor).cpMin, 17) << "the next match selected";
  ClickItem(replace, kReplaceAllButtonId);
  // The code window has a new editor control holding the new text, where
  // the host finds it, with the selection as it was.
  EXPECT_EVENTUALLY(!::IsWindow(editor));
  editor = EditorControlOf(codeWindow);
  EXPECT_EQ(::GetDlgItem(codeWindow, kEditorControlId), editor);
  EXPECT_EQ(EditorText(editor).find("eax,"), std::string::npos);
  EXPECT_NE(EditorText(editor).find("add ecx, ecx"), std::string::npos);
  EXPECT_NE(EditorText(editor).find("eax_count"), std::string::npos) << "another word kept";
  EXPECT_EQ(CodeText(codeWindow), "mov ecx, ebx\r\nadd ecx, ecx\nmov eax_count, 1\r\n") << "line ends kept";
  EXPECT_EQ(Selection(editor).cpMin, 17);
  EXPECT_NE(::SendMessageA(editor, EM_GETMODIFY, 0, 0), 0);
  EXPECT_NE(::SendMessageA(editor, EM_CANUNDO, 0, 0), 0);

  ClickItem(replace, kCancelButtonId);
  EXPECT_EVENTUALLY(!::IsWindow(replace));
  EXPECT_EQ(::GetFocus(), editor) << "back in the editor";
  ::SendMessageA(editor, EM_SETSEL, 0, 0);
  TypeText("x");
  // What was typed after Replace All goes first, then Replace All in one
  // step: the text before it, line ends and all; the single Replace before
  // it stays.
  EXPECT_EQ(EditorText(editor).find("xmov ecx, ebx"), 0u);
  PressControlAnd('Z');
  EXPECT_EQ(EditorText(editor).find("mov ecx, ebx"), 0u);
  EXPECT_NE(EditorText(editor).find("add ecx, ecx"), std::string::npos) << "only the typing undone";
  PressControlAnd('Z');
  EXPECT_EVENTUALLY(!::IsWindow(editor));
  editor = EditorControlOf(codeWindow);
  EXPECT_EQ(CodeText(codeWindow), "mov ecx, ebx\r\nadd eax, eax\nmov eax_count, 1\r\n");
  EXPECT_EQ(::SendMessageA(editor, EM_CANUNDO, 0, 0), 0) << "Replace All was the one step";
  EXPECT_EQ(::GetFocus(), editor);
}

std::vector<std::string> Items(HWND list) {
  std::vector<std::string> items;
  const auto count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string text(static_cast<std::size_t>(::SendMessageA(list, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

// Opens a list with a click and picks the entry at `index` with the keys,
// as a user does.
void Pick(HWND list, int index) {
  Click(Centre(ScreenRect(list)));
  EXPECT_EVENTUALLY(::SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) != 0);
  PressKey(VK_HOME);
  for (int i = 0; i < index; ++i) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_EVENTUALLY(::SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0) == 0);
}

TEST_F(CodeTools, TheListsOfAFormsCodeWindowFollowTheCodeAndTakeTheCaretThere) {
  HWND surface = NewSurface();
  HWND button = PlaceDesignControl(surface, KIND_BUTTON, 0, nullptr, 10, 10, 80, 24);
  ASSERT_NE(button, nullptr);
  Click(Centre(ScreenRect(button)));  // selected: its grab handles are children of the surface too
  std::string code = "Form1Proc proc hWin:DWORD,uMsg:DWORD,wParam:DWORD,lParam:DWORD\r\n";
  for (int i = 0; i < 60; ++i) code += "    nop\r\n";
  code += "    .if uMsg == WM_CREATE\r\n    .elseif uMsg == WM_COMMAND\r\n";
  code += "        .if wParam == IDC_BUTTON0\r\n        .endif\r\n    .endif\r\nForm1Proc endp\r\n";
  HWND codeWindow = OpenCodeWindow("Form1 (Code)", code.c_str(), surface);
  HWND editor = EditorControlOf(codeWindow);
  HWND objects = ::GetDlgItem(codeWindow, kFirstListBoxId);
  HWND entries = ::GetDlgItem(codeWindow, kSecondListBoxId);
  Click(Centre(ScreenRect(objects)));  // opening a list reads the code
  EXPECT_EVENTUALLY(::SendMessageA(objects, CB_GETDROPPEDSTATE, 0, 0) != 0);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(Items(objects), std::vector<std::string>({"(General)", WindowText(surface), "Button0"}));
  EXPECT_EQ(WindowText(objects), WindowText(surface)) << "the form's own window shows the form";
  EXPECT_EQ(Items(entries), std::vector<std::string>({"Form1Proc", "WM_CREATE", "WM_COMMAND"}));

  Pick(entries, 2);
  EXPECT_EQ(LineOfCaret(editor), 62) << "WM_COMMAND's line";
  EXPECT_EQ(::GetFocus(), editor);

  // The user types a new procedure; the list has it when opened again.
  ::SendMessageA(editor, EM_SETSEL, 0, 0);
  TypeText("helper proc");
  PressKey(VK_RETURN);
  Pick(objects, 2);
  EXPECT_EQ(Items(entries), std::vector<std::string>({"IDC_BUTTON0"})) << "the button's handler block";
  Pick(entries, 0);
  EXPECT_EQ(LineOfCaret(editor), 64);
  Pick(objects, 0);
  EXPECT_EQ(Items(entries).front(), "helper") << Items(entries).size() << " entries";
  EXPECT_EQ(Items(entries).size(), 5u);
}

// A 20,000-line module with a line of 100,000 characters: Replace All of
// that line by another as long, then of a text by a replacement holding
// it, which ends and replaces each match once; Undo goes back step by step.
// The emulated 32-bit processor is ten times slower: 5,000 lines there.
TEST_F(CodeTools, ReplaceAllTakesABigModuleALongLineAndAReplacementHoldingTheSearch) {
  constexpr int kLines = sizeof(void*) == 8 ? 20000 : 5000;
  const std::string longLine(100000, 'a');
  std::string text;
  for (int i = 0; i < kLines; ++i) text += "    mov eax, ebx\r\n";
  text += longLine;
  HWND codeWindow = OpenCodeWindow("Module1 (Code)", text.c_str());
  HWND replace = Open(EditorControlOf(codeWindow), 'H', kReplaceWindowClassName);
  ASSERT_NE(replace, nullptr);
  ::SetDlgItemTextA(replace, kFindBoxId, longLine.c_str());
  ::SetDlgItemTextA(replace, kWithBoxId, std::string(100000, 'b').c_str());
  ClickItem(replace, kReplaceAllButtonId);
  EXPECT_EVENTUALLY(WindowText(replace) == " Replace Text: 1 match replaced");
  std::string expected = text.substr(0, text.size() - longLine.size()) + std::string(100000, 'b');
  EXPECT_TRUE(CodeText(codeWindow) == expected) << "the long line replaced";

  ::SetDlgItemTextA(replace, kFindBoxId, "eax");
  ::SetDlgItemTextA(replace, kWithBoxId, "eax, eax");
  ClickItem(replace, kReplaceAllButtonId);
  EXPECT_EVENTUALLY(WindowText(replace) == " Replace Text: " + std::to_string(kLines) + " matches replaced");
  const std::string twice = CodeText(codeWindow);
  EXPECT_EQ(twice.substr(0, 23), "    mov eax, eax, ebx\r\n");
  EXPECT_EQ(twice.size(), expected.size() + kLines * 5);

  ClickItem(replace, kCancelButtonId);
  EXPECT_EVENTUALLY(!::IsWindow(replace));
  PressControlAnd('Z');
  EXPECT_EVENTUALLY(CodeText(codeWindow) == expected);  // the second Replace All undone
  EXPECT_EQ(::SendMessageA(EditorControlOf(codeWindow), EM_CANUNDO, 0, 0), 0) << "one step kept, the last";
}

TEST_F(CodeTools, AnEmptySearchReplacesNothingAndAHostThatDidNotAskGetsNoWindows) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "mov eax, 1"));
  HWND replace = Open(editor, 'H', kReplaceWindowClassName);
  ASSERT_NE(replace, nullptr);
  ClickItem(replace, kReplaceAllButtonId);
  ClickItem(replace, kReplaceButtonId);
  EXPECT_EQ(EditorText(editor), "mov eax, 1");
  ClickItem(replace, kCancelButtonId);
  EXPECT_EVENTUALLY(!::IsWindow(replace));

  SetHostOptions(0);
  FocusEditor(editor);
  PressControlAnd('G');
  PressControlAnd('H');
  PumpPending();
  EXPECT_TRUE(WindowsOfClass(kReplaceWindowClassName).empty());
  EXPECT_TRUE(WindowsOfClass(kGoToLineWindowClassName).empty());
}

}  // namespace
}  // namespace kelp::test
