// The directory and file list boxes as they show the file system, and as
// design-time controls that a user selects and drags.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/control_classes.h"
#include "controls/design_control.h"
#include "controls/inner_forwarder.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"

namespace kelp::test {
namespace {

using FileSystemControls = HostTest;

std::vector<std::string> SubfoldersOfDriveC() {
  std::vector<std::string> folders;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA("C:\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return folders;
  do {
    if (found.cFileName[0] != '.' && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      folders.push_back(found.cFileName);
    }
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  std::sort(folders.begin(), folders.end(),
            [](const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  return folders;
}

struct TreeItem {
  std::string text;
  int image;
  int selectedImage;
  int children;
  UINT state;
};

TreeItem ReadItem(HWND tree, HTREEITEM item) {
  char text[MAX_PATH] = {};
  TVITEMA read{};
  read.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
  read.hItem = item;
  read.pszText = text;
  read.cchTextMax = sizeof(text);
  read.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
  return {text, read.iImage, read.iSelectedImage, read.cChildren, read.state};
}

std::vector<std::string> ChildrenOf(HWND tree, HTREEITEM parent) {
  std::vector<std::string> texts;
  for (auto child = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD,
                                                                reinterpret_cast<LPARAM>(parent)));
       child != nullptr;
       child = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                          reinterpret_cast<LPARAM>(child)))) {
    texts.push_back(ReadItem(tree, child).text);
  }
  return texts;
}

HTREEITEM RootOf(HWND tree) {
  return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

// The worker has finished when the root is expanded with all its folders.
bool TreeComplete(HWND tree, std::size_t folders) {
  HTREEITEM root = RootOf(tree);
  return root != nullptr && (ReadItem(tree, root).state & TVIS_EXPANDED) && ChildrenOf(tree, root).size() == folders;
}

TEST_F(FileSystemControls, DirectoryListShowsDriveCExpandedWithItsFoldersInOrder) {
  HWND surface = NewSurface();
  const std::vector<std::string> expected = SubfoldersOfDriveC();
  ASSERT_FALSE(expected.empty());
  HWND box = CreateDirListBoxWin(surface, 10, 10, 200, 180, "dirlistbox0");
  HWND tree = InnerControlOf(box);
  ASSERT_NE(tree, nullptr);
  ASSERT_EVENTUALLY(TreeComplete(tree, expected.size()) && RunningTreeWorkers() == 0);
  HTREEITEM root = RootOf(tree);
  const TreeItem rootItem = ReadItem(tree, root);
  EXPECT_EQ(rootItem.text, "C:\\");
  EXPECT_EQ(rootItem.image, 2) << "the drive";
  EXPECT_TRUE(rootItem.state & TVIS_SELECTED);
  EXPECT_EQ(ChildrenOf(tree, root), expected);
  HTREEITEM first = reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
  EXPECT_EQ(ReadItem(tree, first).image, 0) << "a closed folder";
  EXPECT_EQ(ReadItem(tree, first).selectedImage, 1) << "an open folder when selected";
  // "windows" has folders of its own, so it shows an expand button.
  for (auto child = first; child != nullptr;
       child = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                                          reinterpret_cast<LPARAM>(child)))) {
    const TreeItem item = ReadItem(tree, child);
    if (::lstrcmpiA(item.text.c_str(), "windows") == 0) {
      EXPECT_EQ(item.children, 1);
    }
  }
}

TEST_F(FileSystemControls, TwoDirectoryListsEachEndComplete) {
  HWND surface = NewSurface();
  const std::size_t folders = SubfoldersOfDriveC().size();
  HWND first = CreateDirListBoxWin(surface, 10, 10, 150, 150, "dirlistbox0");
  HWND second = CreateDirListBoxWin(surface, 170, 10, 150, 150, "dirlistbox1");
  EXPECT_EVENTUALLY(TreeComplete(InnerControlOf(first), folders) &&
                    TreeComplete(InnerControlOf(second), folders) && RunningTreeWorkers() == 0);
}

TEST_F(FileSystemControls, ClickingTheTreeSelectsTheControlAndDraggingMovesIt) {
  HWND surface = NewSurface();
  HWND box = CreateDirListBoxWin(surface, 10, 10, 160, 120, "dirlistbox0");
  ASSERT_EVENTUALLY(RunningTreeWorkers() == 0);
  const POINT inside = Centre(ScreenRect(box));
  Click(inside);
  EXPECT_EQ(gWorkspace.selectedWindow, box);
  EXPECT_EQ(gWorkspace.selectedKind, static_cast<std::uint32_t>(kKindDirListBox));

  // Away from the click, so the press is not taken for a double click.
  const POINT start = {inside.x - 30, inside.y - 20};
  PressLeft(start);
  MoveMouseTo({start.x + 15, start.y + 10});
  MoveMouseTo({start.x + 30, start.y + 20});
  // While it is dragged, its client area is framed in red (the outline has
  // moved away from its top-left edges).
  const Pixels dragged = Pixels::OfClient(box);
  EXPECT_EQ(dragged.At(0, 50), RGB(255, 0, 0));
  EXPECT_EQ(dragged.At(80, 0), RGB(255, 0, 0));
  ReleaseLeft({start.x + 30, start.y + 20});
  const RECT r = RectInParent(box);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.top, 30);
  EXPECT_NE(Pixels::OfClient(box).At(0, 50), RGB(255, 0, 0)) << "no frame once dropped";
}

TEST_F(FileSystemControls, DestroyedWhileFillingNeitherCrashesNorLeavesWorkers) {
  HWND surface = NewSurface();
  for (int i = 0; i < 60; ++i) {
    HWND box = CreateDirListBoxWin(surface, 10, 10, 100, 100, "dirlistbox0");
    if (i % 2 == 0) PumpPending();
    ::DestroyWindow(box);
  }
  EXPECT_EVENTUALLY(RunningTreeWorkers() == 0);
  EXPECT_EQ(::GetWindow(surface, GW_CHILD), nullptr);
}

class FileList : public FileSystemControls {
 protected:
  void SetUp() override {
    FileSystemControls::SetUp();
    ::GetCurrentDirectoryA(sizeof(saved_), saved_);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof(temp), temp);
    folder_ = std::string(temp) + "kelp-file-list-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    ::SetCurrentDirectoryA(saved_);
    for (const std::string& file : made_) ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA((folder_ + "\\sub").c_str());
    ::RemoveDirectoryA(folder_.c_str());
    FileSystemControls::TearDown();
  }
  void MakeFile(const std::string& name) {
    const std::string path = folder_ + "\\" + name;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(file);
    made_.push_back(path);
  }
  std::vector<std::string> Listed(HWND box) const {
    HWND list = InnerControlOf(box);
    std::vector<std::string> names;
    const auto count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[MAX_PATH] = {};
      LVITEMA item{};
      item.iSubItem = 0;
      item.pszText = text;
      item.cchTextMax = sizeof(text);
      ::SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
      names.push_back(text);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  char saved_[MAX_PATH] = {};
  std::string folder_;
  std::vector<std::string> made_;
};

TEST_F(FileList, ListsExactlyTheFilesOfTheCurrentDirectory) {
  MakeFile("a.asm");
  MakeFile("b.inc");
  MakeFile("readme.txt");
  ::CreateDirectoryA((folder_ + "\\sub").c_str(), nullptr);
  ::SetCurrentDirectoryA(folder_.c_str());
  HWND surface = NewSurface();
  HWND box = CreateFileListBoxWin(surface, 10, 10, 250, 150, "filelistbox0");
  EXPECT_EQ(Listed(box), (std::vector<std::string>{"a.asm", "b.inc", "readme.txt"}));
  EXPECT_EQ(::GetWindowLongPtrA(InnerControlOf(box), GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
  EXPECT_NE(::SendMessageA(InnerControlOf(box), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0)
      << "the shell's large icons";
}

TEST_F(FileList, AnEmptyFolderGivesAnEmptyList) {
  ::SetCurrentDirectoryA(folder_.c_str());
  HWND surface = NewSurface();
  HWND box = CreateFileListBoxWin(surface, 10, 10, 250, 150, "filelistbox0");
  EXPECT_TRUE(Listed(box).empty());
  Click(Centre(ScreenRect(box)));
  EXPECT_EQ(gWorkspace.selectedWindow, box) << "a click on the list selects the control";
}

}  // namespace
}  // namespace kelp::test
