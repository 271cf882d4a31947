#include "host_project_fixture.h"

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "core/colour_tables.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "entry/workspace.h"
#include "properties/colour_picker.h"
#include "properties_fixture.h"
#include "win/rect.h"

namespace kelp::test {
namespace {

// Where the host puts its windows in the shared 1000 x 700 frame.
constexpr int kToolboxWidth = 72;
constexpr int kClientWidth = 600;
constexpr int kClientHeight = 660;
constexpr int kStripLeft = kToolboxWidth + kClientWidth;
constexpr int kStripWidth = 300;
constexpr int kProjectHeight = 190;
constexpr int kPropertiesHeight = 470;

// The Project menu: "&Add Form", "&Add MDI Form", "&Add Module", "&Add Class Module".
constexpr int kProjectMenu = 3;

struct HostState {
  WNDPROC previousProc = nullptr;
  std::vector<Change> changes;
  LRESULT exitAnswer = 0;
  std::vector<WPARAM> exitQuestions;
  int destroys = 0;
};

HostState gHost;

// The host's frame behind the menu bar's subclass: it hears the changes,
// answers the exit question, and keeps the frame every test shares.
LRESULT CALLBACK HostFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case KELP32_PROJECT_CHANGED:
      gHost.changes.push_back({wParam, reinterpret_cast<HWND>(lParam)});
      return 0;
    case KELP32_QUERY_EXIT:
      gHost.exitQuestions.push_back(wParam);
      return gHost.exitAnswer;
    case WM_DESTROY:
      gHost.destroys += 1;
      return 0;
    case WM_CLOSE:
      return 0;
    default:
      return ::CallWindowProcA(gHost.previousProc, frame, message, wParam, lParam);
  }
}

bool IsShown(HWND window) { return (::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

HWND NewestCodeModuleWindow() {
  HWND last = nullptr;
  for (HWND m = GetNextCodeModule(nullptr); m != nullptr; m = GetNextCodeModule(m)) last = m;
  return last;
}

HWND LastForm() {
  HWND last = nullptr;
  for (HWND f = GetNextForm(nullptr); f != nullptr; f = GetNextForm(f)) last = f;
  return last;
}

void ReadCode(DWORD handle, bool& hasCode, std::string& code, bool& visible) {
  HWND window = KELP32_HANDLE(HWND, handle);
  hasCode = window != nullptr;
  code = hasCode ? CodeText(window) : std::string();
  visible = hasCode && IsShown(window);
}

DWORD CodeFlags(bool visible) { return visible ? KELP32_CODE_VISIBLE : 0; }

}  // namespace

SavedProject SaveProject() {
  SavedProject project{};
  GetProjectInfo(&project.info);
  for (HWND frame = GetNextForm(nullptr); frame != nullptr; frame = GetNextForm(frame)) {
    SavedForm form{};
    EXPECT_TRUE(GetFormInfo(frame, &form.info));
    EXPECT_TRUE(GetDesignProperties(frame, &form.properties));
    ReadCode(form.info.hCodeWindow, form.hasCode, form.code, form.codeVisible);
    HWND surface = KELP32_HANDLE(HWND, form.info.hSurface);
    for (HWND control = GetNextControl(surface, nullptr); control != nullptr;
         control = GetNextControl(surface, control)) {
      SavedControl saved{};
      EXPECT_TRUE(GetDesignProperties(control, &saved.properties));
      ReadCode(saved.properties.hCodeWindow, saved.hasCode, saved.code, saved.codeVisible);
      form.controls.push_back(saved);
    }
    project.forms.push_back(form);
  }
  for (HWND window = GetNextCodeModule(nullptr); window != nullptr; window = GetNextCodeModule(window)) {
    SavedModule module{};
    EXPECT_TRUE(GetCodeModuleInfo(window, &module.info));
    module.code = CodeText(window);
    project.modules.push_back(module);
  }
  return project;
}

void RebuildProject(const SavedProject& project) {
  CloseProject(project.info.formCounter, project.info.moduleCounter, project.info.classModuleCounter);
  ::SendMessageA(gWorkspace.projectWindow, PRJ_SETTITLE, reinterpret_cast<WPARAM>(project.info.projectTitle), 0);
  for (const SavedForm& saved : project.forms) {
    KELP32_FORM_INFO info = saved.info;
    HWND frame = CreateProjectForm(&info);
    ASSERT_NE(frame, nullptr) << "form " << saved.info.formName;
    KELP32_DESIGN_PROPERTIES properties = saved.properties;
    properties.fields = KELP32_SET_SAVED;
    EXPECT_TRUE(SetDesignProperties(frame, &properties));
    HWND surface = KELP32_HANDLE(HWND, info.hSurface);
    for (const SavedControl& control : saved.controls) {
      const KELP32_DESIGN_PROPERTIES& p = control.properties;
      HWND placed = PlaceDesignControl(surface, p.kind, p.number, nullptr, p.windowLeft, p.windowTop, p.windowWidth,
                                       p.windowHeight);
      ASSERT_NE(placed, nullptr) << p.handleName;
      KELP32_DESIGN_PROPERTIES again = p;
      again.fields = KELP32_SET_SAVED;
      EXPECT_TRUE(SetDesignProperties(placed, &again));
      if (control.hasCode) SetCodeText(placed, control.code.c_str(), CodeFlags(control.codeVisible));
    }
    if (saved.hasCode) SetCodeText(frame, saved.code.c_str(), CodeFlags(saved.codeVisible));
  }
  for (const SavedModule& module : project.modules) {
    EXPECT_NE(CreateCodeModule(module.info.kind, module.info.number, module.info.moduleName, module.code.c_str(),
                               module.info.flags),
              nullptr);
  }
}

void HostProjectTest::SetUp() {
  HostTest::SetUp();
  gHost = {};
  gHost.previousProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(MainFrame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostFrameProc)));
  toolbox_ = Create_Tool_Bar(MainFrame());
  project_ = Create_Project_Window(MainFrame());
  properties_ = Create_Prop_Window(MainFrame());
  CreateMenuBar(0);
  ::MoveWindow(toolbox_, 0, 0, kToolboxWidth, kClientHeight, TRUE);
  ::MoveWindow(MdiClient(), kToolboxWidth, 0, kClientWidth, kClientHeight, TRUE);
  ::MoveWindow(project_, kStripLeft, 0, kStripWidth, kProjectHeight, TRUE);
  ::MoveWindow(properties_, kStripLeft, kProjectHeight, kStripWidth, kPropertiesHeight, TRUE);
  // Every test begins with a project of its own: Form1 comes first.
  CloseProject(0, 0, 0);
  SetHostOptions(KELP32_OPTION_NOTIFY_CHANGES | KELP32_OPTION_ASK_BEFORE_EXIT | KELP32_OPTION_ADD_MDI_FORM);
  ::SetForegroundWindow(MainFrame());
  ::UpdateWindow(MainFrame());
  PumpPending();
  gHost.changes.clear();
}

void HostProjectTest::TearDown() {
  SetHostOptions(0);
  CloseProject(0, 0, 0);
  ::SetMenu(MainFrame(), nullptr);
  if (gWorkspace.menuBar != nullptr) ::DestroyMenu(gWorkspace.menuBar);
  gWorkspace.menuBar = nullptr;
  ::SetWindowLongPtrA(MainFrame(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gHost.previousProc));
  for (HWND tool : {toolbox_, project_, properties_}) ::DestroyWindow(tool);
  gWorkspace.toolboxToolbar = nullptr;
  ::MoveWindow(MdiClient(), 0, 0, 980, 640, TRUE);
  HostTest::TearDown();
}

std::vector<Change> HostProjectTest::TakeChanges() {
  PumpPending();
  std::vector<Change> taken;
  taken.swap(gHost.changes);
  return taken;
}

std::vector<Change> HostProjectTest::AwaitChanges(std::size_t count) {
  PumpUntil([&] { return gHost.changes.size() >= count; });
  return TakeChanges();
}

void HostProjectTest::AnswerExitWith(LRESULT answer) { gHost.exitAnswer = answer; }
std::vector<WPARAM> HostProjectTest::ExitQuestions() const { return gHost.exitQuestions; }
int HostProjectTest::DestroysHeard() const { return gHost.destroys; }

void HostProjectTest::ChooseFromProjectMenu(int item) {
  ::SetForegroundWindow(MainFrame());
  RECT title{};
  ::GetMenuItemRect(MainFrame(), ::GetMenu(MainFrame()), kProjectMenu, &title);
  // Two choices in a row click two points of the title, so that the second
  // click is never taken for a double-click, also when the second is the
  // next test's first.
  static int choices = 0;
  choices += 1;
  const LONG x = title.left + (title.right - title.left) * (choices % 2 == 0 ? 1 : 2) / 3;
  ClickThenKeys({x, (title.top + title.bottom) / 2}, false, Downs(item));
}

HWND HostProjectTest::AddFormByMenu() {
  HWND before = LastForm();
  ChooseFromProjectMenu(1);
  PumpUntil([&] { return LastForm() != before; });
  HWND added = LastForm();
  return added != before ? added : nullptr;
}

HWND HostProjectTest::AddMdiFormByMenu() {
  HWND before = LastForm();
  ChooseFromProjectMenu(2);
  PumpUntil([&] { return LastForm() != before; }, 1000);
  HWND added = LastForm();
  return added != before ? added : nullptr;
}

HWND HostProjectTest::AddModuleByMenu() {
  HWND before = NewestCodeModuleWindow();
  ChooseFromProjectMenu(3);
  PumpUntil([&] { return NewestCodeModuleWindow() != before; });
  return NewestCodeModuleWindow();
}

HWND HostProjectTest::AddClassModuleByMenu() {
  HWND before = NewestCodeModuleWindow();
  ChooseFromProjectMenu(4);
  PumpUntil([&] { return NewestCodeModuleWindow() != before; });
  return NewestCodeModuleWindow();
}

void HostProjectTest::PickTool(UINT tool) {
  RECT button{};
  ::SendMessageA(gWorkspace.toolboxToolbar, TB_GETRECT, tool, reinterpret_cast<LPARAM>(&button));
  ::MapWindowPoints(gWorkspace.toolboxToolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
  Click(Centre(button));
  EXPECT_EQ(gWorkspace.currentTool, tool);
}

HWND HostProjectTest::Draw(HWND surface, UINT kind, RECT r) {
  PickTool(kind);
  gFormDesigner.newControl = nullptr;
  Drag(ClientToScreenPoint(surface, {r.left, r.top}), ClientToScreenPoint(surface, {r.right, r.bottom}));
  PumpPending();
  return gFormDesigner.newControl;
}

void HostProjectTest::ClickOn(HWND window, POINT client) {
  Click(ClientToScreenPoint(window, client));
  PumpPending();
}

void HostProjectTest::TypeIntoRow(int row, const std::string& text) {
  HWND list = gWorkspace.propertyList;
  RECT r{};
  ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
  Click(ClientToScreenPoint(list, {kNameColumnWidth / 2, (r.top + r.bottom) / 2}));
  HWND editor = ::FindWindowExA(list, nullptr, "EDIT", nullptr);
  ASSERT_NE(editor, nullptr) << "row " << row << " has a text editor";
  Click(Centre(ScreenRect(editor)));
  ASSERT_EQ(::GetFocus(), editor);
  SelectAllByKeyboard();
  TypeCharacters(text);
  PumpPending();
}

void HostProjectTest::PickPaletteColour(int cell, int item) {
  HWND list = gWorkspace.propertyList;
  RECT r{};
  ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
  Click(ClientToScreenPoint(list, {kNameColumnWidth / 2, (r.top + r.bottom) / 2}));
  HWND field = ::FindWindowExA(list, nullptr, kColourFieldClassName, nullptr);
  ASSERT_NE(field, nullptr) << "the colour field opened";
  Click(Centre(win::ToRECT(DropDownButton(win::FromRECT(ScreenRect(field))))));
  const ColourFieldState* state = FieldStateOf(field);
  ASSERT_TRUE(state != nullptr && state->popup != nullptr && ::IsWindowVisible(state->popup));
  const Rect c = PaletteCell(cell);
  Click(ClientToScreenPoint(state->palettePage, {(c.left + c.right) / 2, (c.top + c.bottom) / 2}));
  PumpPending();
}

void HostProjectTest::DoubleClickOn(HWND window, POINT client) {
  DoubleClick(ClientToScreenPoint(window, client));
  PumpPending();
}

void HostProjectTest::TypeCode(HWND codeWindow, const std::string& text) {
  HWND editor = ::GetDlgItem(codeWindow, IDC_CODE_EDITOR);
  ::ShowWindow(codeWindow, SW_SHOW);
  ::BringWindowToTop(codeWindow);
  ::SetForegroundWindow(MainFrame());
  PumpPending();
  RECT client{};
  ::GetClientRect(editor, &client);
  // Below the last line: the caret goes to the end of the text.
  Click(ClientToScreenPoint(editor, {client.right / 2, client.bottom - 8}));
  PressKey(VK_END);
  HoldKey(VK_CONTROL, true);
  PressKey(VK_END);
  HoldKey(VK_CONTROL, false);
  std::string run;
  auto flush = [&] {
    if (!run.empty()) TypeCharacters(run);
    run.clear();
  };
  for (char c : text) {
    if (c == '\n' || c == '\t') {
      flush();
      PressKey(c == '\n' ? VK_RETURN : VK_TAB);
    } else {
      run += c;
    }
  }
  flush();
  PumpPending();
}

}  // namespace kelp::test
