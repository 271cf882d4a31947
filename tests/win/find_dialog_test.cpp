// Find Text as a user drives it: F2 in an editor, typing into the text box,
// the check boxes, "Find" and "Cancel", F3, and the "No further matches" box;
// and the small child-control creators the window is built from.
#include <richedit.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/child_controls.h"
#include "editor/editor.h"
#include "editor_fixture.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"

namespace kelp::test {
namespace {

// Stands between the editor controls and RichEdit's own procedure, to see
// which keys are passed on to it.
class RichEditSpy {
 public:
  RichEditSpy() : real_(gEditor.richEditProc) {
    gSpy = this;
    gEditor.richEditProc = Spy;
  }
  RichEditSpy(const RichEditSpy&) = delete;
  RichEditSpy& operator=(const RichEditSpy&) = delete;
  ~RichEditSpy() {
    gEditor.richEditProc = real_;
    gSpy = nullptr;
  }
  bool Saw(UINT message, WPARAM key) const {
    for (const auto& [m, k] : keys_) {
      if (m == message && k == key) return true;
    }
    return false;
  }

 private:
  static LRESULT CALLBACK Spy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_KEYUP) gSpy->keys_.emplace_back(message, wParam);
    return ::CallWindowProcA(gSpy->real_, window, message, wParam, lParam);
  }
  static inline RichEditSpy* gSpy = nullptr;
  WNDPROC real_;
  std::vector<std::pair<UINT, WPARAM>> keys_;
};

constexpr int kCaseBoxId = 100;
constexpr int kWordBoxId = 200;
constexpr int kTextBoxId = 4000;
constexpr int kFindButtonId = 3000;
constexpr int kCancelButtonId = 3001;

bool IsChecked(HWND find, int box) {
  return ::SendDlgItemMessageA(find, box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ClickItem(HWND find, int identifier) {
  Click(Centre(ScreenRect(::GetDlgItem(find, identifier))));
}

class FindTextWindow : public EditorTest {
 protected:
  // F2 in the editor; the new Find Text window.
  HWND PressF2(HWND editor) {
    FocusEditor(editor);
    const std::size_t before = FindWindows().size();
    PressKey(VK_F2);
    EXPECT_EVENTUALLY(FindWindows().size() == before + 1);
    return FindWindows().empty() ? nullptr : FindWindows().front();
  }
  // Sets the options by clicking the boxes, types the text and clicks Find.
  void Search(HWND editor, const char* text, bool matchCase, bool wholeWord) {
    HWND find = PressF2(editor);
    ASSERT_NE(find, nullptr);
    if (IsChecked(find, kCaseBoxId) != matchCase) ClickItem(find, kCaseBoxId);
    if (IsChecked(find, kWordBoxId) != wholeWord) ClickItem(find, kWordBoxId);
    ClickItem(find, kTextBoxId);
    TypeText(text);
    ClickItem(find, kFindButtonId);
    EXPECT_EVENTUALLY(!::IsWindow(find));
  }
};

::testing::AssertionResult Selects(HWND editor, LONG start, LONG end) {
  const CHARRANGE selection = Selection(editor);
  if (selection.cpMin == start && selection.cpMax == end) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "selection is " << selection.cpMin << ".." << selection.cpMax
                                       << ", expected " << start << ".." << end;
}

TEST_F(FindTextWindow, F2OpensTheFindTextWindowAndTheEditorNeverSeesTheKey) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "mov eax, ebx"));
  gEditor.matchCase = true;
  gEditor.wholeWord = false;
  RichEditSpy spy;
  MessageRecorder activity({MdiClient()}, {kEditorActivityMessage});
  HWND find = PressF2(editor);
  ASSERT_NE(find, nullptr);
  EXPECT_TRUE(spy.Saw(WM_KEYDOWN, VK_F2));
  EXPECT_FALSE(spy.Saw(WM_KEYUP, VK_F2)) << "the release of F2 is not passed on";
  EXPECT_TRUE(activity.Messages().empty()) << "and not announced";

  EXPECT_EQ(WindowText(find), " Find Text");
  const RECT bounds = ScreenRect(find);
  EXPECT_EQ(bounds.right - bounds.left, 400);
  EXPECT_EQ(bounds.bottom - bounds.top, 125);
  EXPECT_EQ(bounds.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - 200) << "centred on the screen";
  EXPECT_EQ(bounds.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 125 / 2);
  EXPECT_EQ(::GetWindow(find, GW_OWNER), MainFrame());
  EXPECT_EQ(WindowText(::GetDlgItem(find, kCaseBoxId)), "Case Sensitive.");
  EXPECT_EQ(WindowText(::GetDlgItem(find, kWordBoxId)), "Match Whole Word.");
  EXPECT_EQ(WindowText(::GetDlgItem(find, kFindButtonId)), "Find");
  EXPECT_EQ(WindowText(::GetDlgItem(find, kCancelButtonId)), "Cancel");
  EXPECT_EQ(WindowText(::GetDlgItem(find, kTextBoxId)), "");
  EXPECT_TRUE(IsChecked(find, kCaseBoxId));
  EXPECT_FALSE(IsChecked(find, kWordBoxId));

  ClickItem(find, kCancelButtonId);
  EXPECT_EVENTUALLY(!::IsWindow(find));
  EXPECT_TRUE(Selects(editor, 0, 0)) << "Cancel finds nothing";
}

TEST_F(FindTextWindow, WhatIsTypedRightAfterF2GoesIntoTheTextBox) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "mov eax, ebx"));
  HWND find = PressF2(editor);
  ASSERT_NE(find, nullptr);
  TypeText("ebx");
  EXPECT_EVENTUALLY(WindowText(::GetDlgItem(find, kTextBoxId)) == "ebx");
  EXPECT_EQ(WindowText(editor), "mov eax, ebx") << "the code is untouched";
  ClickItem(find, kFindButtonId);
  EXPECT_EVENTUALLY(!::IsWindow(find));
  EXPECT_TRUE(Selects(editor, 9, 12));
}

TEST_F(FindTextWindow, TheSearchStartsOneCharacterOnAndF3RepeatsItUntilNoFurtherMatches) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "aaaa"));
  Select(editor, 0, 0);
  Search(editor, "aa", true, false);
  EXPECT_TRUE(Selects(editor, 1, 3)) << "the occurrence at the caret is skipped";

  FocusEditor(editor);
  PressKey(VK_F3);
  EXPECT_TRUE(Selects(editor, 2, 4)) << "the overlapping one";

  MessageBoxCloser closer;
  PressKey(VK_F3);
  ASSERT_EQ(closer.closed.size(), 1u);
  EXPECT_EQ(closer.closed[0].title, "Alert!");
  EXPECT_EQ(closer.closed[0].text, "No further matches");
  EXPECT_TRUE(Selects(editor, 2, 4)) << "no wrap-around: the selection stays";
}

TEST_F(FindTextWindow, CaseAndWholeWordOptionsAreAppliedAndRemembered) {
  //                                                         0123456789012345
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "x MOV movzx mov"));
  Select(editor, 0, 0);
  Search(editor, "mov", true, false);
  EXPECT_TRUE(Selects(editor, 6, 9)) << "case-sensitive: not MOV; part of movzx";
  Select(editor, 0, 0);
  Search(editor, "mov", false, false);
  EXPECT_TRUE(Selects(editor, 2, 5)) << "any case: MOV";
  Select(editor, 0, 0);
  Search(editor, "mov", true, true);
  EXPECT_TRUE(Selects(editor, 12, 15)) << "whole word: not movzx";

  HWND find = PressF2(editor);
  EXPECT_TRUE(IsChecked(find, kCaseBoxId));
  EXPECT_TRUE(IsChecked(find, kWordBoxId));
  EXPECT_EQ(WindowText(::GetDlgItem(find, kTextBoxId)), "") << "the text box starts empty";
  ::SendMessageA(find, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(find));
}

TEST_F(FindTextWindow, ASearchTextOfAnyLengthIsKeptWhole) {
  const std::string needle = std::string(150, 'a') + std::string(150, 'b');
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", ("x " + needle + " y").c_str()));
  Select(editor, 0, 0);
  HWND find = PressF2(editor);
  ::SetWindowTextA(::GetDlgItem(find, kTextBoxId), needle.c_str());  // as pasted
  ClickItem(find, kFindButtonId);
  EXPECT_EVENTUALLY(!::IsWindow(find));
  EXPECT_TRUE(Selects(editor, 2, 302));
  EXPECT_EQ(std::string(gEditor.searchText), needle);
}

TEST_F(FindTextWindow, F3BeforeAnySearchDoesNothing) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "mov mov"));
  if (gEditor.searchText != nullptr) ::HeapFree(gEditor.heap, 0, gEditor.searchText);
  gEditor.searchText = nullptr;  // as in a fresh process
  gEditor.searchLength = 0;
  Select(editor, 1, 1);
  FocusEditor(editor);
  MessageBoxCloser closer;
  PressKey(VK_F3);
  EXPECT_TRUE(closer.closed.empty()) << "no message box";
  EXPECT_TRUE(Selects(editor, 1, 1));
}

TEST_F(FindTextWindow, FindWithAnEmptyTextKeepsTheWindowOpen) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "mov"));
  HWND find = PressF2(editor);
  ClickItem(find, kFindButtonId);
  PumpPending();
  EXPECT_TRUE(::IsWindow(find));
  EXPECT_TRUE(Selects(editor, 0, 0));
  ::SendMessageA(find, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  EXPECT_FALSE(::IsWindow(find));
}

TEST_F(FindTextWindow, FindActsOnTheCurrentEditorNotTheOneWhereF2WasPressed) {
  HWND a = EditorControlOf(OpenCodeWindow("A (Code)", "push push"));
  HWND b = EditorControlOf(OpenCodeWindow("B (Code)", "push push"));
  Select(a, 0, 0);
  Select(b, 0, 0);
  Search(a, "push", true, false);
  EXPECT_TRUE(Selects(b, 5, 9));
  EXPECT_TRUE(Selects(a, 0, 0));
}

TEST_F(FindTextWindow, TwoFindWindowsEachReadTheirOwnBoxes) {
  HWND editor = EditorControlOf(OpenCodeWindow("Module1 (Code)", "x MOV mov"));
  HWND older = PressF2(editor);
  HWND newer = PressF2(editor);
  ASSERT_NE(older, newer);
  ::SendDlgItemMessageA(older, kCaseBoxId, BM_SETCHECK, BST_UNCHECKED, 0);
  ::SendDlgItemMessageA(newer, kCaseBoxId, BM_SETCHECK, BST_CHECKED, 0);
  ::SetDlgItemTextA(older, kTextBoxId, "mov");
  ::SetDlgItemTextA(newer, kTextBoxId, "nothing like it");
  Select(editor, 0, 0);
  MessageBoxCloser closer;
  ::SendDlgItemMessageA(older, kFindButtonId, BM_CLICK, 0, 0);  // the newer one covers it
  EXPECT_TRUE(closer.closed.empty());
  EXPECT_FALSE(::IsWindow(older));
  EXPECT_TRUE(Selects(editor, 2, 5)) << "the older window's text, any case";
  EXPECT_TRUE(::IsWindow(newer));
}

// ---------------------------------------------------------------------------

using ChildControls = HostTest;

TEST_F(ChildControls, CreatorsMakeTheControlsTheFindTextWindowIsBuiltFrom) {
  HWND parent = MainFrame();
  HWND field = CreateEditField(parent, 1, 2, 30, 20, kEditFieldMultiLineEdged, 4000);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(::GetDlgCtrlID(field), 4000);
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrA(field, GWL_STYLE)) & 0xFFFF00FFu,
            0x501000C4u & 0xFFFF00FFu);
  EXPECT_TRUE(::GetWindowLongPtrA(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  ::SendMessageA(field, WM_CHAR, 'a', 0);
  ::SendMessageA(field, WM_CHAR, VK_RETURN, 0);
  ::SendMessageA(field, WM_CHAR, 'b', 0);
  EXPECT_EQ(WindowText(field), "a\r\nb") << "Enter breaks the line: the box is multi-line";

  HWND single = CreateEditField(parent, 1, 2, 30, 20, kEditFieldSingleLine, 7);
  EXPECT_FALSE(::GetWindowLongPtrA(single, GWL_STYLE) & ES_MULTILINE);
  EXPECT_EQ(CreateEditField(parent, 1, 2, 30, 20, 12, 8), nullptr) << "no such kind";

  HWND box = CreateCheckBox(parent, 1, 2, 30, 20, "Case Sensitive.", 100);
  EXPECT_EQ(WindowText(box), "Case Sensitive.");
  ::SendMessageA(box, BM_CLICK, 0, 0);
  EXPECT_EQ(::SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED) << "checks itself";

  HWND button = CreatePushButton(parent, 1, 2, 30, 20, "Find", 3000);
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongPtrA(button, GWL_STYLE)) & 0xFFFFu, 0u);
  HWND picture = CreatePushButton(parent, 1, 2, 30, 20, nullptr, 3002, PushButtonKind::kBitmap);
  EXPECT_TRUE(::GetWindowLongPtrA(picture, GWL_STYLE) & BS_BITMAP);
  for (HWND child : {field, single, box, button, picture}) ::DestroyWindow(child);
}

}  // namespace
}  // namespace kelp::test
