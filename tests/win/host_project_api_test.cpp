// The project exports one by one, as a host meets them: a code window's
// text exactly as it was given (CR LF, lone LF, lone CR, TABs) while the
// user edits around it; closing a project leaves nothing behind; what is
// refused (a number taken, a second MDI form, a window that is no form or
// control); and the stacking a rebuild puts back.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/control_record.h"
#include "designer/form_designer.h"
#include "designer/grab_handles.h"
#include "editor_fixture.h"
#include "entry/workspace.h"
#include "host_project_fixture.h"
#include "properties_fixture.h"
#include "win/colour_brushes.h"
#include "win/records.h"

namespace kelp::test {
namespace {

HWND EditorOf(HWND codeWindow) { return ::GetDlgItem(codeWindow, IDC_CODE_EDITOR); }

bool IsShown(HWND window) { return (::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

void PutCaret(HWND editor, LONG at) {
  CHARRANGE caret{at, at};
  ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

KELP32_FORM_INFO FormNumbered(DWORD number, DWORD flags = 0) {
  KELP32_FORM_INFO info{};
  info.number = number;
  info.flags = flags;
  return info;
}

HWND NewFormSurface(HWND& frame, DWORD number) {
  KELP32_FORM_INFO info = FormNumbered(number);
  info.left = 0;
  info.top = 0;
  info.frameWidth = 560;
  info.frameHeight = 420;
  frame = CreateProjectForm(&info);
  return KELP32_HANDLE(HWND, info.hSurface);
}

std::vector<std::string> StackOf(HWND surface) {
  std::vector<std::string> names;
  for (HWND c = GetNextControl(surface, nullptr); c != nullptr; c = GetNextControl(surface, c)) {
    KELP32_DESIGN_PROPERTIES p{};
    GetDesignProperties(c, &p);
    names.push_back(p.handleName);
  }
  return names;
}

using HostCodeText = HostProjectTest;

TEST_F(HostCodeText, EveryLineEndComesBackAsItWasGiven) {
  HWND module = CreateCodeModule(KELP32_MODULE, 1, nullptr, "", KELP32_CODE_VISIBLE);
  ASSERT_NE(module, nullptr);
  const std::string given = "mov eax, 1\r\n\tret\nlabel:\r\rend\n\r\n; last line, no end";
  ASSERT_EQ(SetCodeText(module, given.c_str(), KELP32_CODE_VISIBLE), module);
  EXPECT_EQ(CodeText(module), given);
  HWND editor = EditorOf(module);
  EXPECT_EQ(::SendMessageA(editor, EM_CANUNDO, 0, 0), 0) << "nothing to undo";
  EXPECT_EQ(::SendMessageA(editor, EM_GETMODIFY, 0, 0), 0) << "not modified";
  EXPECT_EQ(CodeText(module), given) << "reading changes nothing";

  // The user types a word at the end of "label:" (a lone CR) and a new
  // line after "mov eax, 1": the lines the user makes end in CR LF, the
  // others keep their ends.
  FocusEditor(editor);
  PutCaret(editor, static_cast<LONG>(std::string("mov eax, 1\r\tret\rlabel:").size()));
  TypeCharacters(" nop");
  PutCaret(editor, static_cast<LONG>(std::string("mov eax, 1").size()));
  PressKey(VK_RETURN);
  TypeCharacters("inc eax");
  EXPECT_EQ(CodeText(module), "mov eax, 1\r\ninc eax\r\n\tret\nlabel: nop\r\rend\n\r\n; last line, no end");
  EXPECT_NE(::SendMessageA(editor, EM_GETMODIFY, 0, 0), 0) << "the user's typing marks it modified";

  // A buffer too small takes what fits, and the whole length is told.
  char small[6] = {};
  const DWORD length = GetCodeText(module, small, sizeof(small));
  EXPECT_EQ(length, CodeText(module).size());
  EXPECT_STREQ(small, "mov e");
  EXPECT_EQ(GetCodeText(MainFrame(), small, sizeof(small)), 0u) << "no code window";
  EXPECT_STREQ(small, "");
}

// A big module goes in as a stream of many chunks: every line end, of
// every kind, on whichever side of a chunk's edge it falls, comes back.
TEST_F(HostCodeText, ABigModuleComesBackByteForByte) {
  HWND module = CreateCodeModule(KELP32_MODULE, 1, nullptr, "", KELP32_CODE_VISIBLE);
  ASSERT_NE(module, nullptr);
  const char* const ends[] = {"\r\n", "\n", "\r\n", "\r"};
  std::string given;
  for (int line = 0; given.size() < 300000; ++line) {
    given += "    mov eax, " + std::to_string(line) + std::string(line % 37, ' ') + "; line";
    given += ends[line % 4];
  }
  ASSERT_EQ(SetCodeText(module, given.c_str(), KELP32_CODE_VISIBLE), module);
  EXPECT_TRUE(CodeText(module) == given) << "the text differs";
  HWND editor = EditorOf(module);
  EXPECT_EQ(::SendMessageA(editor, EM_CANUNDO, 0, 0), 0) << "nothing to undo";
  EXPECT_EQ(::SendMessageA(editor, EM_GETMODIFY, 0, 0), 0) << "not modified";
  CHARRANGE selection{-1, -1};
  ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  EXPECT_EQ(selection.cpMin, 0);
  EXPECT_EQ(selection.cpMax, 0) << "the caret at the start";

  // In a module whose lines end in LF, a line the user makes does too.
  ASSERT_EQ(SetCodeText(module, "push eax\npop eax\r\nret\n", KELP32_CODE_VISIBLE), module);
  FocusEditor(editor);
  PutCaret(editor, static_cast<LONG>(std::string("push eax").size()));
  PressKey(VK_RETURN);
  TypeCharacters("nop");
  EXPECT_EQ(CodeText(module), "push eax\nnop\npop eax\r\nret\n");
}

TEST_F(HostCodeText, AFormsAndAControlsCodeWindowsAreMadeWithoutASkeleton) {
  HWND frame = nullptr;
  HWND surface = NewFormSurface(frame, 1);
  HWND button = PlaceDesignControl(surface, KIND_BUTTON, 0, nullptr, 10, 10, 80, 24);
  ASSERT_NE(button, nullptr);
  HWND buttonCode = SetCodeText(button, "\t.if wParam == IDC_BUTTON0\n\t.endif\n", 0);
  ASSERT_NE(buttonCode, nullptr);
  EXPECT_FALSE(IsShown(buttonCode)) << "hidden, as asked";
  EXPECT_EQ(WindowText(buttonCode), "Button0 (Code)");
  EXPECT_EQ(CodeText(buttonCode), "\t.if wParam == IDC_BUTTON0\n\t.endif\n") << "no skeleton over it";

  // The user's double-click shows that window, and gives it no skeleton.
  DoubleClickOn(button, {5, 5});
  EXPECT_TRUE(IsShown(buttonCode));
  EXPECT_EQ(CodeText(buttonCode), "\t.if wParam == IDC_BUTTON0\n\t.endif\n");
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "no new code: nothing changed";

  HWND formCode = SetCodeText(frame, "Form1Proc proc\r\n", KELP32_CODE_VISIBLE);
  ASSERT_NE(formCode, nullptr);
  EXPECT_TRUE(IsShown(formCode));
  KELP32_FORM_INFO info{};
  GetFormInfo(frame, &info);
  EXPECT_EQ(KELP32_HANDLE(HWND, info.hCodeWindow), formCode);
  DoubleClickOn(surface, {300, 300});
  EXPECT_EQ(CodeText(formCode), "Form1Proc proc\r\n");

  // Given again: the same window, its text replaced, hidden now.
  EXPECT_EQ(SetCodeText(frame, "", 0), formCode);
  EXPECT_EQ(CodeText(formCode), "");
  EXPECT_FALSE(IsShown(formCode));
  EXPECT_EQ(SetCodeText(MainFrame(), "x", 0), nullptr) << "the frame has no code";
}

// It used to keep the destroyed window's handle, so that a double-click
// showed nothing and the host's text went nowhere.
TEST_F(HostCodeText, AControlWhoseCodeWindowWasDestroyedGetsANewOne) {
  HWND frame = nullptr;
  HWND surface = NewFormSurface(frame, 1);
  HWND button = PlaceDesignControl(surface, KIND_BUTTON, 0, nullptr, 10, 10, 80, 24);
  HWND first = SetCodeText(button, "old", 0);
  ASSERT_NE(first, nullptr);
  ::SendMessageA(MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(first), 0);
  ASSERT_FALSE(::IsWindow(first));
  KELP32_DESIGN_PROPERTIES properties{};
  GetDesignProperties(button, &properties);
  EXPECT_EQ(properties.hCodeWindow, 0u) << "no code window any more";

  DoubleClickOn(button, {5, 5});
  GetDesignProperties(button, &properties);
  HWND second = KELP32_HANDLE(HWND, properties.hCodeWindow);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(IsShown(second));
  EXPECT_NE(CodeText(second).find(".if wParam == IDC_BUTTON0"), std::string::npos) << "a skeleton, afresh";
  EXPECT_EQ(TakeChanges(), (std::vector<Change>{{KELP32_CHANGE_CODE, second}}));
  ::SendMessageA(MdiClient(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
  HWND third = SetCodeText(button, "new", 0);
  ASSERT_NE(third, nullptr);
  EXPECT_TRUE(::IsWindow(third));
  EXPECT_EQ(CodeText(third), "new");
}

using HostCloseProject = HostProjectTest;

TEST_F(HostCloseProject, NothingOfTheProjectIsLeftAndTheNextFormIsForm1) {
  const std::size_t recordsBefore = win::LiveRecordBytes();
  const std::size_t brushesBefore = win::LiveColourBrushes();
  HWND frame = AddFormByMenu();
  ASSERT_NE(frame, nullptr);
  ::MoveWindow(frame, 0, 0, 560, 420, TRUE);
  KELP32_FORM_INFO info{};
  GetFormInfo(frame, &info);
  HWND surface = KELP32_HANDLE(HWND, info.hSurface);
  HWND button = Draw(surface, KIND_BUTTON, {20, 20, 120, 50});
  HWND label = Draw(surface, KIND_LABEL, {20, 70, 120, 90});
  ASSERT_NE(button, nullptr);
  ASSERT_NE(label, nullptr);
  ClickOn(button, {5, 5});
  PickPaletteColour(12);  // a brush for the record, another for the class
  DoubleClickOn(label, {5, 5});
  AddModuleByMenu();
  AddMdiFormByMenu();
  // The form comes up again over the windows just opened.
  ::SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  PumpPending();
  ClickOn(surface, {300, 300});
  RightClickThenKey(Centre(ScreenRect(label)), 'C');  // the copied control
  ClickOn(label, {5, 5});                           // grab handles around it
  ASSERT_NE(GrabHandleWindow(0), nullptr);

  KELP32_DESIGN_PROPERTIES read{};
  GetDesignProperties(button, &read);
  const ControlRecord* record = reinterpret_cast<const ControlRecord*>(::GetWindowLongPtrA(button, GWLP_ID));
  const HFONT font = KELP32_HANDLE(HFONT, record->hFont);
  const HMENU menu = KELP32_HANDLE(HMENU, record->hPopupMenu);
  const HBRUSH brush = KELP32_HANDLE(HBRUSH, record->hBackBrush);
  const HMENU formMenu = gWorkspace.formContextMenu;
  ASSERT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  ASSERT_TRUE(::IsMenu(menu));
  ASSERT_EQ(::GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
  TakeChanges();

  EXPECT_TRUE(CloseProject(0, 0, 0));
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "closing is the host's doing";
  EXPECT_EQ(GetNextForm(nullptr), nullptr);
  EXPECT_EQ(GetNextCodeModule(nullptr), nullptr);
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD), nullptr) << "no form and no code window";
  EXPECT_EQ(::SendMessageA(gWorkspace.projectTree, TVM_GETCOUNT, 0, 0), 0) << "no project item";
  EXPECT_EQ(gWorkspace.selectedWindow, nullptr);
  EXPECT_EQ(gWorkspace.selectedKind, 0u);
  EXPECT_EQ(GrabHandleWindow(0), nullptr);
  EXPECT_EQ(::SendMessageA(gWorkspace.propertyList, LB_GETCOUNT, 0, 0), 0) << "the properties window shows nothing";
  EXPECT_EQ(gFormDesigner.copiedControl, nullptr);
  // Records, fonts, menus and the record's brush are gone; the one brush
  // kept is the button class's background, which stays for the class.
  EXPECT_EQ(win::LiveRecordBytes(), recordsBefore);
  EXPECT_EQ(::GetObjectType(font), 0u);
  EXPECT_FALSE(::IsMenu(menu));
  EXPECT_FALSE(::IsMenu(formMenu));
  EXPECT_EQ(::GetObjectType(brush), 0u);
  EXPECT_LE(win::LiveColourBrushes(), brushesBefore + 1);
  KELP32_PROJECT_INFO project{};
  GetProjectInfo(&project);
  EXPECT_EQ(project.formCounter, 0u);
  EXPECT_EQ(project.moduleCounter, 0u);
  EXPECT_EQ(project.hMdiForm, 0u);
  EXPECT_STREQ(project.projectTitle, "");

  HWND first = AddFormByMenu();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(WindowText(first), "Project1 - Form1 (Form)");
  EXPECT_EQ(AddModuleByMenu() != nullptr, true);
  KELP32_MODULE_INFO module{};
  GetCodeModuleInfo(GetNextCodeModule(nullptr), &module);
  EXPECT_STREQ(module.moduleName, "Module1");
  HWND code = GetNextCodeModule(nullptr);
  RECT place = RectInParent(code);
  EXPECT_EQ(place.left, 20) << "the first code window opens where a session's first does";

  // Closed again with the counters a saved project had.
  CloseProject(7, 3, 2);
  EXPECT_EQ(WindowText(AddFormByMenu()), "Project1 - Form8 (Form)");
  EXPECT_EQ(WindowText(AddModuleByMenu()), "Module4 (Code)");
  EXPECT_EQ(WindowText(AddClassModuleByMenu()), "Class3 (Code)");
}

using HostRebuild = HostProjectTest;

TEST_F(HostRebuild, TakenNumbersASecondMdiFormAndStrangersAreRefused) {
  HWND frame = nullptr;
  HWND surface = NewFormSurface(frame, 4);
  ASSERT_NE(frame, nullptr);
  KELP32_FORM_INFO again = FormNumbered(4);
  EXPECT_EQ(CreateProjectForm(&again), nullptr) << "Form4 exists";
  KELP32_FORM_INFO zero = FormNumbered(0);
  EXPECT_EQ(CreateProjectForm(&zero), nullptr);
  KELP32_FORM_INFO mdi = FormNumbered(2, KELP32_FORM_MDI);
  HWND mdiForm = CreateProjectForm(&mdi);
  ASSERT_NE(mdiForm, nullptr);
  EXPECT_EQ(WindowText(mdiForm), "Project1 - MDIForm2 (MDIForm)");
  KELP32_FORM_INFO secondMdi = FormNumbered(3, KELP32_FORM_MDI);
  EXPECT_EQ(CreateProjectForm(&secondMdi), nullptr);
  EXPECT_EQ(CreateMdiFormWin(gWorkspace.libraryInstance, MainFrame(), MdiClient(), 1), nullptr);
  KELP32_PROJECT_INFO project{};
  GetProjectInfo(&project);
  EXPECT_EQ(KELP32_HANDLE(HWND, project.hMdiForm), mdiForm);
  EXPECT_EQ(project.formCounter, 4u) << "on from the highest number";
  EXPECT_EQ(WindowText(AddFormByMenu()), "Project1 - Form5 (Form)");
  TakeChanges();  // the user's "&Add Form"; from here on the host builds

  EXPECT_NE(PlaceDesignControl(surface, KIND_BUTTON, 3, nullptr, 10, 10, 80, 24), nullptr);
  EXPECT_EQ(PlaceDesignControl(surface, KIND_BUTTON, 3, nullptr, 10, 40, 80, 24), nullptr) << "Button3 exists";
  EXPECT_EQ(PlaceDesignControl(surface, KIND_BUTTON, 65536, nullptr, 10, 40, 80, 24), nullptr);
  EXPECT_EQ(PlaceDesignControl(surface, TOOL_POINTER, 0, nullptr, 10, 40, 80, 24), nullptr);
  EXPECT_EQ(PlaceDesignControl(frame, KIND_BUTTON, 0, nullptr, 10, 40, 80, 24), nullptr) << "not a surface";
  EXPECT_EQ(CreateCodeModule(KELP32_MODULE, 2, nullptr, "", 0) != nullptr, true);
  EXPECT_EQ(CreateCodeModule(KELP32_MODULE, 2, nullptr, "", 0), nullptr) << "Module2 exists";
  EXPECT_EQ(CreateCodeModule(KELP32_CLASS_MODULE, 2, nullptr, "", 0) != nullptr, true) << "Class2 is another";
  EXPECT_EQ(CreateCodeModule(7, 1, nullptr, "", 0), nullptr);

  KELP32_DESIGN_PROPERTIES properties{};
  EXPECT_FALSE(GetDesignProperties(MainFrame(), &properties));
  EXPECT_FALSE(GetDesignProperties(surface, &properties));
  EXPECT_FALSE(SetDesignProperties(MdiClient(), &properties));
  KELP32_FORM_INFO info{};
  EXPECT_FALSE(GetFormInfo(surface, &info));
  KELP32_MODULE_INFO module{};
  EXPECT_FALSE(GetCodeModuleInfo(frame, &module));
  EXPECT_EQ(TakeChanges(), std::vector<Change>{}) << "the host's building is never reported";
}

TEST_F(HostRebuild, ControlsPlacedInTheSavedOrderStackAsTheyDidAndGroupBoxesStayBeneath) {
  HWND frame = nullptr;
  HWND surface = NewFormSurface(frame, 1);
  PlaceDesignControl(surface, KIND_LABEL, 0, nullptr, 10, 10, 100, 20);
  PlaceDesignControl(surface, KIND_BUTTON, 0, nullptr, 10, 10, 100, 24);
  PlaceDesignControl(surface, KIND_GROUPBOX, 0, nullptr, 5, 5, 200, 100);
  PlaceDesignControl(surface, KIND_CHECKBOX, 0, nullptr, 10, 40, 100, 20);
  PlaceDesignControl(surface, KIND_GROUPBOX, 1, nullptr, 220, 5, 200, 100);
  ShowGrabHandles(GetNextControl(surface, nullptr), kGrabHandlesShow);  // handles are no controls
  EXPECT_EQ(StackOf(surface), (std::vector<std::string>{"hGroupbox0", "hGroupbox1", "hStatic0", "hButton0",
                                                         "hCheckbox0"}))
      << "bottom to top";

  // The user presses the label: it comes up, and the host reads it so.
  Click(ClientToScreenPoint(surface, {12, 12}));
  Click(ClientToScreenPoint(surface, {300, 300}));
  const std::vector<std::string> stack = StackOf(surface);
  KELP32_FORM_INFO info{};
  GetFormInfo(frame, &info);
  const SavedProject saved = SaveProject();
  RebuildProject(saved);
  HWND rebuilt = KELP32_HANDLE(HWND, SaveProject().forms[0].info.hSurface);
  EXPECT_EQ(StackOf(rebuilt), stack);
}

TEST_F(HostRebuild, PropertiesAreSetAsThePropertiesWindowSetsThemAndNothingIsSelected) {
  HWND frame = nullptr;
  HWND surface = NewFormSurface(frame, 1);
  HWND label = PlaceDesignControl(surface, KIND_LABEL, 0, nullptr, 10, 10, 100, 24);
  HWND button = PlaceDesignControl(surface, KIND_BUTTON, 0, nullptr, 10, 60, 100, 24);
  Click(Centre(ScreenRect(button)));
  ASSERT_EQ(gWorkspace.selectedWindow, button);
  KELP32_DESIGN_PROPERTIES properties{};
  GetDesignProperties(label, &properties);
  properties.fields = KELP32_SET_CAPTION | KELP32_SET_NAME | KELP32_SET_SIZE | KELP32_SET_BACKCOLOUR;
  std::strcpy(properties.caption, "Apply");
  std::strcpy(properties.handleName, "hApply");
  properties.width = 140;
  properties.height = 30;
  properties.backColour = RGB(255, 128, 0);
  properties.brushKind = KELP32_BRUSH_PICKED;
  ASSERT_TRUE(SetDesignProperties(label, &properties));
  EXPECT_EQ(WindowText(label), "Apply");
  const RECT place = RectInParent(label);
  EXPECT_EQ(place.right - place.left, 140) << "sized as the properties window sizes";
  KELP32_DESIGN_PROPERTIES read{};
  GetDesignProperties(label, &read);
  EXPECT_STREQ(read.handleName, "hApply");
  EXPECT_STREQ(read.caption, "Apply");
  EXPECT_EQ(read.width, 140);
  EXPECT_EQ(read.height, 30);
  EXPECT_EQ(read.brushKind, static_cast<DWORD>(KELP32_BRUSH_PICKED));
  EXPECT_EQ(gWorkspace.selectedWindow, button) << "the selection stays where the user left it";
  EXPECT_EVENTUALLY(Pixels::OfClient(label).At(137, 27) == RGB(255, 128, 0)) << "painted in the colour";

  // Back to a system colour: the brush made for the picked one goes.
  const HBRUSH picked = KELP32_HANDLE(HBRUSH, reinterpret_cast<const ControlRecord*>(
                                                  ::GetWindowLongPtrA(label, GWLP_ID))->hBackBrush);
  properties.fields = KELP32_SET_BACKCOLOUR;
  properties.backColour = ::GetSysColor(COLOR_BTNSHADOW);
  properties.brushKind = KELP32_BRUSH_SYSTEM;
  properties.brushSystemColour = COLOR_BTNFACE;
  ASSERT_TRUE(SetDesignProperties(label, &properties));
  GetDesignProperties(label, &read);
  EXPECT_EQ(read.brushKind, static_cast<DWORD>(KELP32_BRUSH_SYSTEM));
  EXPECT_EQ(read.brushSystemColour, static_cast<DWORD>(COLOR_BTNFACE));
  EXPECT_EQ(::GetObjectType(picked), 0u);
  EXPECT_EQ(TakeChanges(), std::vector<Change>{});
}

// A status bar docks itself at its form's bottom: a place given for it that
// the form no longer has (a form made smaller since) leaves the record
// where the bar docked, never where it was said to be.
TEST_F(HostRebuild, AStatusBarGivenAPlaceOffItsDockKeepsItsRecordWhereItDocked) {
  HWND frame = nullptr;
  HWND surface = NewFormSurface(frame, 1);
  HWND bar = PlaceDesignControl(surface, KIND_STATUSBAR, 0, nullptr, 0, 0, 100, 20);
  ASSERT_NE(bar, nullptr);
  KELP32_DESIGN_PROPERTIES properties{};
  GetDesignProperties(bar, &properties);
  properties.fields = KELP32_SET_PLACE;
  properties.left = properties.windowLeft = 0;
  properties.top = properties.windowTop = 600;
  properties.width = properties.windowWidth = 900;
  ASSERT_TRUE(SetDesignProperties(bar, &properties));
  KELP32_DESIGN_PROPERTIES read{};
  GetDesignProperties(bar, &read);
  const RECT place = RectInParent(bar);
  RECT client{};
  ::GetClientRect(surface, &client);
  EXPECT_EQ(place.bottom, client.bottom) << "docked at the bottom";
  EXPECT_EQ(place.right - place.left, client.right);
  EXPECT_EQ(read.top, place.top);
  EXPECT_EQ(read.width, place.right - place.left);
}

}  // namespace
}  // namespace kelp::test
