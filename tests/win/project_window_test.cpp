// The project window as a host fills it and a user handles it: the tree
// after the first form, modules and class modules in their folders, a
// second project, double-clicks that show an item's window, the selection
// kept in step, the highlight and the bold root, and the toolbar.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "designer/form_designer.h"
#include "editor/editor.h"
#include "entry/messages.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "project_tree.h"
#include "win/gdi.h"

namespace kelp::test {
namespace {

constexpr int kProjectImage = 3;
constexpr int kFormImage = 4;
constexpr int kModuleImage = 5;
constexpr int kClassModuleImage = 6;
constexpr int kToggleFolders = 51;

class ProjectWindow : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    MakeRoom();
    window_ = Create_Project_Window(MainFrame());
    ::MoveWindow(window_, 610, 0, 300, 400, TRUE);
    tree_ = ProjectTree{gWorkspace.projectTree};
    PumpPending();
  }
  void TearDown() override {
    ::DestroyWindow(window_);
    ::MoveWindow(MdiClient(), 0, 0, 980, 640, TRUE);
    HostTest::TearDown();
  }

  // The MDI client leaves room for the project window beside it (the
  // frame's default processing fills its client with it at every resize).
  void MakeRoom() const { ::MoveWindow(MdiClient(), 0, 0, 600, 640, TRUE); }

  void AddModule(const char* name, HWND window) {
    ::SendMessageA(window_, PRJ_ADDMODULE, reinterpret_cast<WPARAM>(name), reinterpret_cast<LPARAM>(window));
  }
  void AddClassModule(const char* name, HWND window) {
    ::SendMessageA(window_, PRJ_ADDCLASSMODULE, reinterpret_cast<WPARAM>(name),
                   reinterpret_cast<LPARAM>(window));
  }
  HWND Toolbar() const { return ::FindWindowExA(window_, nullptr, TOOLBARCLASSNAMEA, nullptr); }
  bool ToggleFoldersChecked() const {
    return ::SendMessageA(Toolbar(), TB_ISBUTTONCHECKED, kToggleFolders, 0) != 0;
  }
  POINT ButtonCentre(int command) const {
    RECT r{};
    ::SendMessageA(Toolbar(), TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
    return ClientToScreenPoint(Toolbar(), Centre(r));
  }

  HWND window_ = nullptr;
  ProjectTree tree_;
};

// The library's menu bar on the host's frame for one test: its commands
// are the ones a user chooses.
class ScopedMenuBar {
 public:
  explicit ScopedMenuBar(HWND frame)
      : frame_(frame), hostProc_(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame, GWLP_WNDPROC))) {
    CreateMenuBar(0);
  }
  ScopedMenuBar(const ScopedMenuBar&) = delete;
  ScopedMenuBar& operator=(const ScopedMenuBar&) = delete;
  ~ScopedMenuBar() {
    ::SetMenu(frame_, nullptr);
    if (gWorkspace.menuBar != nullptr) ::DestroyMenu(gWorkspace.menuBar);
    gWorkspace.menuBar = nullptr;
    ::SetWindowLongPtrA(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProc_));
  }
  void Choose(WORD command) const { ::SendMessageA(frame_, WM_COMMAND, command, 0); }

 private:
  HWND frame_;
  WNDPROC hostProc_;
};

constexpr WORD kAddModuleCommand = 1302;
constexpr WORD kAddClassModuleCommand = 1303;

// The MDI children shown, in z-order: what double-clicks and buttons may change.
std::vector<HWND> ShownChildren(HWND client) {
  std::vector<HWND> shown;
  for (HWND child = ::GetWindow(client, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child)) shown.push_back(child);
  }
  return shown;
}

TEST_F(ProjectWindow, IsASmallToolWindowWithItsTreeUnderTheToolbar) {
  EXPECT_EQ(ClassNameOf(window_), "Project_Class");
  EXPECT_EQ(WindowText(window_), "Projects");
  EXPECT_EQ(gWorkspace.projectWindow, window_);
  EXPECT_EQ(::GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  ASSERT_NE(tree_.tree, nullptr);
  EXPECT_EQ(::GetDlgCtrlID(tree_.tree), 2400);
  RECT client{};
  ::GetClientRect(window_, &client);
  const RECT tree = RectInParent(tree_.tree);
  EXPECT_EQ(tree.top, 35);
  EXPECT_EQ(tree.right - tree.left, client.right);
  EXPECT_EQ(tree.bottom, client.bottom);
  EXPECT_EQ(tree_.Root(), nullptr) << "the tree is empty until a project is added";

  // Resizing keeps the tree filling the window under the toolbar.
  ::MoveWindow(window_, 610, 0, 240, 300, TRUE);
  PumpPending();
  ::GetClientRect(window_, &client);
  EXPECT_EQ(RectInParent(tree_.tree).bottom, client.bottom);
  EXPECT_EQ(RectInParent(tree_.tree).right, client.right);
}

TEST_F(ProjectWindow, TheToolbarShowsItsThreeTilesWithToggleFoldersChecked) {
  HWND toolbar = Toolbar();
  ASSERT_NE(toolbar, nullptr);
  EXPECT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 4) << "three buttons and a separator";
  EXPECT_TRUE(ToggleFoldersChecked());
  const Pixels pixels = Pixels::OfClient(toolbar);
  for (int command : {49, 50, 51}) {
    RECT r{};
    ::SendMessageA(toolbar, TB_GETRECT, command, reinterpret_cast<LPARAM>(&r));
    const int area = (r.right - r.left) * (r.bottom - r.top);
    EXPECT_GT(area - pixels.Count(::GetSysColor(COLOR_BTNFACE), r), 60) << "button " << command;
  }
}

TEST_F(ProjectWindow, AfterTheFirstFormTheRootHoldsAnExpandedFormsFolderWithTheForm) {
  HWND frame = NewForm();
  const TreeEntry root = tree_.Entry(tree_.Root());
  EXPECT_EQ(root.text, WindowText(frame)) << "the root carries the first frame's title";
  EXPECT_EQ(root.image, kProjectImage);
  EXPECT_TRUE(root.expanded);
  EXPECT_EQ(tree_.Next(tree_.Root()), nullptr) << "one project";

  const std::vector<HTREEITEM> folders = tree_.Children(tree_.Root());
  ASSERT_EQ(folders.size(), 1u);
  const TreeEntry forms = tree_.Entry(folders[0]);
  EXPECT_EQ(forms.text, "Forms");
  EXPECT_EQ(forms.image, 0);
  EXPECT_EQ(forms.selectedImage, 1);
  EXPECT_TRUE(forms.expanded);
  EXPECT_EQ(folders[0], gWorkspace.formsFolderItem);

  const std::vector<HTREEITEM> formItems = tree_.Children(folders[0]);
  ASSERT_EQ(formItems.size(), 1u);
  const TreeEntry form = tree_.Entry(formItems[0]);
  EXPECT_EQ(form.text, WindowText(FormRecordOf(frame)->backPanel));
  EXPECT_EQ(form.image, kFormImage);
  EXPECT_EQ(form.window, frame);
  EXPECT_TRUE(tree_.IsVisible(formItems[0])) << "the form is in view, not folded away";

  HWND second = NewForm();
  const std::vector<HTREEITEM> both = tree_.Children(folders[0]);
  ASSERT_EQ(both.size(), 2u) << "later forms join the same folder";
  EXPECT_EQ(tree_.Entry(both[1]).window, second);
}

TEST_F(ProjectWindow, TheRootIsDrawnInBoldArial) {
  NewForm();
  const RECT text = tree_.TextRect(tree_.Root());
  const Pixels pixels = Pixels::OfClient(tree_.tree);
  const int drawn = InkWidth(pixels, text.left, text.top, text.bottom);
  const std::string title = tree_.Entry(tree_.Root()).text;

  win::Font bold(::CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEVICE_PRECIS,
                               CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_MODERN, "Arial"));
  const auto treeFont = reinterpret_cast<HFONT>(::SendMessageA(tree_.tree, WM_GETFONT, 0, 0));
  const int boldWidth = InkWidthOfText(title, bold.Get());
  const int plainWidth = InkWidthOfText(
      title, treeFont != nullptr ? treeFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_NEAR(drawn, boldWidth, 2) << "bold " << boldWidth << ", plain " << plainWidth;
  EXPECT_GT(std::abs(drawn - plainWidth), 4);

  // A form item is in the tree's own font.
  const HTREEITEM formItem = tree_.Children(gWorkspace.formsFolderItem)[0];
  const RECT formText = tree_.TextRect(formItem);
  const int formWidth = InkWidth(pixels, formText.left, formText.top, formText.bottom);
  EXPECT_NEAR(
      formWidth,
      InkWidthOfText(tree_.Entry(formItem).text,
                     treeFont != nullptr ? treeFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))),
      2);
}

TEST_F(ProjectWindow, ModulesGoToOneModulesFolderAndClassModulesToTheirOwn) {
  HWND frame = NewForm();
  StandInWindow first, second, klass;
  AddModule("Module1", first.Get());
  AddModule("Module2", second.Get());
  AddClassModule("Class1", klass.Get());

  const std::vector<HTREEITEM> folders = tree_.Children(tree_.Root());
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(tree_.Entry(folders[0]).text, "Forms");
  EXPECT_EQ(tree_.Entry(folders[1]).text, "Modules");
  EXPECT_EQ(tree_.Entry(folders[2]).text, "Class Modules");
  for (HTREEITEM folder : folders) {
    EXPECT_EQ(tree_.Entry(folder).image, 0);
    EXPECT_TRUE(tree_.Entry(folder).expanded);
  }
  const std::vector<HTREEITEM> modules = tree_.Children(folders[1]);
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(tree_.Entry(modules[0]).text, "Module1");
  EXPECT_EQ(tree_.Entry(modules[0]).window, first.Get());
  EXPECT_EQ(tree_.Entry(modules[0]).image, kModuleImage);
  EXPECT_EQ(tree_.Entry(modules[1]).text, "Module2");
  EXPECT_EQ(tree_.Entry(modules[1]).window, second.Get());
  const std::vector<HTREEITEM> classes = tree_.Children(folders[2]);
  ASSERT_EQ(classes.size(), 1u);
  EXPECT_EQ(tree_.Entry(classes[0]).text, "Class1");
  EXPECT_EQ(tree_.Entry(classes[0]).image, kClassModuleImage);
  EXPECT_EQ(tree_.Entry(classes[0]).window, klass.Get());
  EXPECT_TRUE(tree_.IsVisible(classes[0]));
  EXPECT_EQ(tree_.Children(folders[0]).size(), 1u);
  (void)frame;
}

TEST_F(ProjectWindow, TwoAddModulesGiveModule1AndModule2InOneModulesFolder) {
  gWorkspace.moduleCounter = 0;
  gWorkspace.classModuleCounter = 0;
  NewForm();
  ScopedMenuBar menu(MainFrame());
  menu.Choose(kAddModuleCommand);
  menu.Choose(kAddModuleCommand);
  menu.Choose(kAddClassModuleCommand);

  const std::vector<HTREEITEM> folders = tree_.Children(tree_.Root());
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(tree_.Entry(folders[1]).text, "Modules");
  const std::vector<HTREEITEM> modules = tree_.Children(folders[1]);
  ASSERT_EQ(modules.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const TreeEntry module = tree_.Entry(modules[i]);
    const std::string name = "Module" + std::to_string(i + 1);
    EXPECT_EQ(module.text, name);
    EXPECT_EQ(module.image, kModuleImage);
    EXPECT_EQ(ClassNameOf(module.window), kCodeWindowClassName);
    EXPECT_EQ(WindowText(module.window), name + " (Code)");
  }
  EXPECT_EQ(tree_.Entry(folders[2]).text, "Class Modules");
  ASSERT_EQ(tree_.Children(folders[2]).size(), 1u);
  EXPECT_EQ(tree_.Entry(tree_.Children(folders[2])[0]).text, "Class1");
  EXPECT_EQ(tree_.Entry(tree_.Children(folders[2])[0]).image, kClassModuleImage);
}

TEST_F(ProjectWindow, DoubleClickingAHiddenCodeWindowsItemShowsItWithItsEditorFocused) {
  NewForm();
  ScopedMenuBar menu(MainFrame());
  MakeRoom();
  menu.Choose(kAddModuleCommand);
  menu.Choose(kAddModuleCommand);
  const std::vector<HTREEITEM> modules = tree_.Children(tree_.Find("Modules"));
  ASSERT_EQ(modules.size(), 2u);
  HWND code = tree_.Entry(modules[0]).window;
  ::SendMessageA(code, WM_CLOSE, 0, 0);
  ASSERT_FALSE(::IsWindowVisible(code));
  ::SetFocus(MainFrame());

  DoubleClickQueued(ClientToScreenPoint(tree_.tree, Centre(tree_.TextRect(modules[0]))));
  EXPECT_EVENTUALLY(::IsWindowVisible(code));
  EXPECT_EVENTUALLY(::GetFocus() == EditorControlOf(code));
  EXPECT_NE(EditorControlOf(code), nullptr);
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD), code) << "on top of the other windows";
}

TEST_F(ProjectWindow, ASecondProjectHasItsOwnFormsFolderWhileModulesStayWithTheFirst) {
  NewForm();
  StandInWindow module1, module2, class1, class2;
  AddModule("Module1", module1.Get());
  AddClassModule("Class1", class1.Get());
  const HTREEITEM firstRoot = tree_.Root();

  ::SendMessageA(window_, PRJ_ADDPROJECT, reinterpret_cast<WPARAM>("Project2"), 0);
  const HTREEITEM secondRoot = tree_.Next(firstRoot);
  ASSERT_NE(secondRoot, nullptr) << "a second root beside the first";
  EXPECT_EQ(tree_.Entry(secondRoot).text, "Project2");
  const std::vector<HTREEITEM> secondFolders = tree_.Children(secondRoot);
  ASSERT_EQ(secondFolders.size(), 1u);
  EXPECT_EQ(tree_.Entry(secondFolders[0]).text, "Forms");
  EXPECT_EQ(secondFolders[0], gWorkspace.formsFolderItem);

  HWND laterForm = NewForm();
  AddModule("Module2", module2.Get());
  AddClassModule("Class2", class2.Get());
  ASSERT_EQ(tree_.Children(secondFolders[0]).size(), 1u) << "the later form joins the new project";
  EXPECT_EQ(tree_.Entry(tree_.Children(secondFolders[0])[0]).window, laterForm);
  EXPECT_EQ(tree_.Children(secondRoot).size(), 1u) << "no module folders under the second project";

  const std::vector<HTREEITEM> firstFolders = tree_.Children(firstRoot);
  ASSERT_EQ(firstFolders.size(), 3u);
  EXPECT_EQ(tree_.Children(firstFolders[0]).size(), 1u);
  EXPECT_EQ(tree_.Children(firstFolders[1]).size(), 2u) << "modules keep to the first project";
  EXPECT_EQ(tree_.Children(firstFolders[2]).size(), 2u) << "class modules keep to the first project";
}

TEST_F(ProjectWindow, DoubleClickingAHiddenFormsItemShowsItOnTop) {
  HWND first = NewForm();
  HWND second = NewForm();
  ::SendMessageA(first, WM_CLOSE, 0, 0);
  ASSERT_FALSE(::IsWindowVisible(first));
  const HTREEITEM item = tree_.Children(gWorkspace.formsFolderItem)[0];
  DoubleClickQueued(ClientToScreenPoint(tree_.tree, Centre(tree_.TextRect(item))));
  EXPECT_EVENTUALLY(::IsWindowVisible(first));
  EXPECT_EQ(::GetWindow(MdiClient(), GW_CHILD), first) << "shown on top of the other form";
  (void)second;
}

TEST_F(ProjectWindow, DoubleClickingAFolderTheRootOrEmptySpaceShowsNothing) {
  HWND first = NewForm();
  ::SendMessageA(first, WM_CLOSE, 0, 0);
  const std::vector<HWND> shown = ShownChildren(MdiClient());
  const HTREEITEM formItem = tree_.Children(gWorkspace.formsFolderItem)[0];

  // The tree itself folds a double-clicked folder: that shows the
  // double-click has been handled.
  for (HTREEITEM item : {gWorkspace.formsFolderItem, tree_.Root()}) {
    ASSERT_TRUE(tree_.Entry(item).expanded);
    DoubleClickQueued(ClientToScreenPoint(tree_.tree, Centre(tree_.TextRect(item))));
    ASSERT_EVENTUALLY(!tree_.Entry(item).expanded);
    EXPECT_FALSE(::IsWindowVisible(first)) << tree_.Entry(item).text;
    EXPECT_EQ(ShownChildren(MdiClient()), shown);
    ::SendMessageA(tree_.tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  }

  // The form's item selected, then double-clicks right of the folder's
  // text and below every item: they land on no item (a click there selects
  // none), so no window is shown, though the form's item is still selected.
  ::SendMessageA(tree_.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(formItem));
  RECT client{};
  ::GetClientRect(tree_.tree, &client);
  const RECT folderText = tree_.TextRect(gWorkspace.formsFolderItem);
  DoubleClickQueued(ClientToScreenPoint(tree_.tree, {client.right - 8, Centre(folderText).y}));
  DoubleClickQueued(ClientToScreenPoint(tree_.tree, {client.right / 2, client.bottom - 10}));
  const HTREEITEM folder = gWorkspace.formsFolderItem;
  DoubleClickQueued(ClientToScreenPoint(tree_.tree, Centre(tree_.TextRect(folder))));
  ASSERT_EVENTUALLY(!tree_.Entry(folder).expanded);
  EXPECT_FALSE(::IsWindowVisible(first));
}

TEST_F(ProjectWindow, SelectingAFormSelectsItsItemAndAWindowWithoutAnItemChangesNothing) {
  HWND first = NewForm();
  HWND second = NewForm();
  const std::vector<HTREEITEM> forms = tree_.Children(gWorkspace.formsFolderItem);
  ::SendMessageA(window_, PRJ_SELECTWINDOW, reinterpret_cast<WPARAM>(first), reinterpret_cast<LPARAM>(first));
  EXPECT_EQ(tree_.Selected(), forms[0]);

  // Pressing on the second frame's client area keeps the tree in step.
  Click(ClientToScreenPoint(second, {2, 2}));
  EXPECT_EVENTUALLY(tree_.Selected() == forms[1]);

  StandInWindow unknown;
  for (HWND target : {unknown.Get(), static_cast<HWND>(nullptr)}) {
    ::SendMessageA(window_, PRJ_SELECTWINDOW, reinterpret_cast<WPARAM>(target),
                   reinterpret_cast<LPARAM>(target));
    EXPECT_EQ(tree_.Selected(), forms[1]) << "folders carry no window and are never selected for one";
  }
}

TEST_F(ProjectWindow, TheSelectedItemKeepsTheHighlightWhenTheTreeHasNoFocus) {
  HWND frame = NewForm();
  const HTREEITEM item = tree_.Children(gWorkspace.formsFolderItem)[0];
  ::SendMessageA(window_, PRJ_SELECTWINDOW, reinterpret_cast<WPARAM>(frame), reinterpret_cast<LPARAM>(frame));
  ::SetFocus(MainFrame());
  PumpPending();
  ASSERT_NE(::GetFocus(), tree_.tree);
  const RECT text = tree_.TextRect(item);
  const Pixels pixels = Pixels::OfClient(tree_.tree);
  const int area = (text.right - text.left) * (text.bottom - text.top);
  EXPECT_GT(pixels.Count(::GetSysColor(COLOR_HIGHLIGHT), text), area / 2);
  EXPECT_GT(pixels.Count(::GetSysColor(COLOR_HIGHLIGHTTEXT), text), 10);
}

TEST_F(ProjectWindow, ToggleFoldersTogglesAndChangesNothingElse) {
  HWND frame = NewForm();
  ::SendMessageA(frame, WM_CLOSE, 0, 0);
  StandInWindow module;
  AddModule("Module1", module.Get());
  PumpPending();
  const std::vector<TreeEntry> before = tree_.Snapshot();
  const std::vector<HWND> shown = ShownChildren(MdiClient());
  const int children = static_cast<int>(ShownChildren(MdiClient()).size());
  const std::uint32_t tool = gWorkspace.currentTool;

  Click(ButtonCentre(kToggleFolders));
  EXPECT_EVENTUALLY(!ToggleFoldersChecked());
  EXPECT_EQ(tree_.Snapshot(), before);
  EXPECT_EQ(ShownChildren(MdiClient()), shown);
  EXPECT_EQ(gWorkspace.currentTool, tool) << "the toolbox's tool is not the project toolbar's business";

  Click(ButtonCentre(kToggleFolders));
  EXPECT_EVENTUALLY(ToggleFoldersChecked());
  // View Code and View Object carry no action either.
  Click(ButtonCentre(49));
  Click(ButtonCentre(50));
  PumpPending();
  EXPECT_EQ(tree_.Snapshot(), before);
  EXPECT_EQ(static_cast<int>(ShownChildren(MdiClient()).size()), children);
  EXPECT_EQ(gWorkspace.currentTool, tool);
}

TEST_F(ProjectWindow, ItemsWithoutAProjectGoToTheTopLevel) {
  StandInWindow module;
  ::SendMessageA(window_, PRJ_ADDFORM, reinterpret_cast<WPARAM>("Loose"),
                 reinterpret_cast<LPARAM>(module.Get()));
  AddModule("Module1", module.Get());
  ::SendMessageA(window_, PRJ_ADDFORM, 0, 0);  // no name: an empty item, not a crash
  EXPECT_EQ(tree_.Entry(tree_.Root()).text, "Loose");
  EXPECT_EQ(tree_.Entry(tree_.Next(tree_.Root())).text, "Modules");
  EXPECT_EQ(tree_.Children(tree_.Next(tree_.Root())).size(), 1u);
}

TEST_F(ProjectWindow, LateMessagesAfterDestructionAreHarmless) {
  NewForm();
  HWND window = window_;
  ::DestroyWindow(window);
  window_ = nullptr;
  EXPECT_EQ(gWorkspace.projectWindow, nullptr) << "the workspace forgets a destroyed project window";
  EXPECT_EQ(gWorkspace.projectTree, nullptr);
  NewForm();  // sends nothing to the gone window
  ::SendMessageA(window, PRJ_ADDMODULE, reinterpret_cast<WPARAM>("Module1"), 0);
}

}  // namespace
}  // namespace kelp::test
