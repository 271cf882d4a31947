// What the host hears, and only when it asked: a report for each change the
// user makes and none for what changes nothing; the question before "&Exit"
// and a close, whose "cancel" leaves everything as it was; and a host that
// sets no option hears neither, while "&Add MDI Form" stays its own.
#include <windows.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "editor_fixture.h"
#include "entry/workspace.h"
#include "host_project_fixture.h"
#include "properties_fixture.h"

namespace kelp::test {
namespace {

constexpr int kFileMenu = 0;

HWND SurfaceOf(HWND frame) {
  KELP32_FORM_INFO info{};
  GetFormInfo(frame, &info);
  return KELP32_HANDLE(HWND, info.hSurface);
}

int FormsOpen() {
  int count = 0;
  for (HWND f = GetNextForm(nullptr); f != nullptr; f = GetNextForm(f)) ++count;
  return count;
}

using HostExit = HostProjectTest;

TEST_F(HostExit, CancellingTheQuestionLeavesEverythingAsItWas) {
  HWND frame = AddFormByMenu();
  ASSERT_NE(frame, nullptr);
  HMENU bar = ::GetMenu(MainFrame());
  AnswerExitWith(KELP32_CANCEL_EXIT);

  // "&Exit" from the File menu: Up from the opened menu lands on it.
  ::SetForegroundWindow(MainFrame());
  ChooseFromBar(MainFrame(), kFileMenu, {VK_UP, VK_RETURN});
  ASSERT_EVENTUALLY(ExitQuestions().size() == 1u);
  EXPECT_EQ(ExitQuestions()[0], static_cast<WPARAM>(IDM_EXIT));
  EXPECT_EQ(DestroysHeard(), 0);
  EXPECT_EQ(::GetMenu(MainFrame()), bar);
  EXPECT_TRUE(::IsMenu(bar));
  EXPECT_TRUE(::IsWindow(frame));

  ::SendMessageA(MainFrame(), WM_CLOSE, 0, 0);
  ASSERT_EQ(ExitQuestions().size(), 2u);
  EXPECT_EQ(ExitQuestions()[1], static_cast<WPARAM>(WM_CLOSE));
  EXPECT_EQ(DestroysHeard(), 0);
  EXPECT_EQ(::GetMenu(MainFrame()), bar);
  EXPECT_TRUE(::IsWindow(frame));
  EXPECT_EQ(FormsOpen(), 1);

  // Going on shuts down as before: the menus go and the host hears WM_DESTROY.
  AnswerExitWith(0);
  ::SendMessageA(MainFrame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitQuestions().size(), 3u);
  EXPECT_EQ(DestroysHeard(), 1);
  EXPECT_FALSE(::IsMenu(bar));
  CreateMenuBar(0);
}

using HostNotifications = HostProjectTest;

TEST_F(HostNotifications, WhatChangesNothingIsNotReported) {
  HWND frame = AddFormByMenu();
  ::MoveWindow(frame, 0, 0, 560, 420, TRUE);
  HWND surface = SurfaceOf(frame);
  HWND group = Draw(surface, KIND_GROUPBOX, {10, 10, 200, 120});
  HWND button = Draw(surface, KIND_BUTTON, {20, 30, 120, 56});
  // Drawn from beside the button onto it: a press on the button would move it.
  HWND label = Draw(surface, KIND_LABEL, {180, 60, 60, 40});
  ASSERT_TRUE(group != nullptr && button != nullptr && label != nullptr);
  TakeChanges();

  ClickOn(button, {5, 5});      // raised above the label: selected, not changed
  ClickOn(group, {150, 100});   // goes beneath: the same
  ClickOn(surface, {400, 300});
  PickTool(KIND_CHECKBOX);
  ClickOn(surface, {400, 300});  // a click with a tool draws nothing
  PickTool(TOOL_POINTER);
  EXPECT_EQ(TakeChanges(), std::vector<Change>{});

  HWND module = AddModuleByMenu();
  TakeChanges();
  TypeCode(module, "mov eax, 1\n");
  EXPECT_EQ(TakeChanges().size(), 11u);
  HWND editor = ::GetDlgItem(module, IDC_CODE_EDITOR);
  for (WORD key : {VK_UP, VK_LEFT, VK_HOME, VK_END, VK_DOWN}) PressKey(key);
  Click(Centre(ScreenRect(editor)));
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "moving the caret changes no code";
  PressKey(VK_BACK);
  HoldKey(VK_CONTROL, true);
  PressKey('Z');
  HoldKey(VK_CONTROL, false);
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{KELP32_CHANGE_CODE, module}, {KELP32_CHANGE_CODE, module}}))
      << "a deletion and its undoing";
}

TEST_F(HostNotifications, AHostThatSetsNoOptionHearsNothing) {
  SetHostOptions(0);
  HWND frame = AddFormByMenu();
  ASSERT_NE(frame, nullptr);
  ::MoveWindow(frame, 0, 0, 560, 420, TRUE);
  HWND surface = SurfaceOf(frame);
  HWND button = Draw(surface, KIND_BUTTON, {20, 20, 120, 46});
  ASSERT_NE(button, nullptr);
  TypeIntoRow(kRowCaption, "Go");
  DoubleClickOn(button, {5, 5});
  KELP32_DESIGN_PROPERTIES properties{};
  GetDesignProperties(button, &properties);
  HWND code = KELP32_HANDLE(HWND, properties.hCodeWindow);
  ASSERT_NE(code, nullptr);
  HWND editor = ::GetDlgItem(code, IDC_CODE_EDITOR);
  EXPECT_EQ(::SendMessageA(editor, EM_GETEVENTMASK, 0, 0), ENM_MOUSEEVENTS) << "as it always was";
  TypeCode(code, "nop");
  EXPECT_EQ(AddMdiFormByMenu(), nullptr) << "\"&Add MDI Form\" stays the host's";
  ::SendMessageA(MainFrame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(TakeChanges(), std::vector<Change>{});
  EXPECT_EQ(ExitQuestions(), std::vector<WPARAM>{});
  EXPECT_EQ(DestroysHeard(), 1) << "closed without a question";
  CreateMenuBar(0);

  // Asking later: the editors already open report their changes too.
  SetHostOptions(KELP32_OPTION_NOTIFY_CHANGES);
  EXPECT_EQ(::SendMessageA(editor, EM_GETEVENTMASK, 0, 0), ENM_MOUSEEVENTS | ENM_CHANGE);
  TypeCode(code, "!");
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{KELP32_CHANGE_CODE, code}}));
}

}  // namespace
}  // namespace kelp::test
