// The directory list box ("DirListBox_Class"): a tree of "C:\" and its
// folders, filled by a worker thread of its own. At design time the tree is
// inert: its mouse input goes to this window and the shared behaviour.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "controls/control_classes.h"
#include "controls/design_control.h"
#include "controls/inner_forwarder.h"
#include "core/text.h"
#include "entry/workspace.h"
#include "win/handles.h"

namespace kelp {
namespace {

constexpr DWORD kTreeExStyle = WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES | WS_EX_NOPARENTNOTIFY;  // 0x214
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | TVS_HASBUTTONS |
                             TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;  // 0x54010027
constexpr int kTreeChildId = 2300;
constexpr char kRootText[] = "C:\\";
constexpr char kRootPattern[] = "C:\\*";
constexpr UINT kItemMask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_SELECTEDIMAGE;

// The folder image list's images.
constexpr int kClosedFolderImage = 0;
constexpr int kOpenFolderImage = 1;
constexpr int kDriveImage = 2;
constexpr int kFolderIconIds[] = {502, 503, 506};
constexpr int kFolderIconSize = 16;

constexpr int kWorkSlot = 1;  // extra slot of the outer window: the worker's shared state

// What a worker and its window share: the worker stops at its next step once
// the window is going away. Freed by whichever lets go last.
struct TreeWork {
  HWND tree = nullptr;
  std::atomic<bool> cancelled{false};
  std::atomic<int> owners{2};  // the window and the worker
};

std::atomic<int> gRunningWorkers{0};
HIMAGELIST gFolderImages = nullptr;

void LetGo(TreeWork* work) {
  if (work->owners.fetch_sub(1) == 1) delete work;
}

// One list serves every directory list box: making one per control would
// spend three icons' worth of GDI objects at every placement.
HIMAGELIST FolderImages() {
  if (gFolderImages != nullptr) return gFolderImages;
  gFolderImages = ImageList_Create(kFolderIconSize, kFolderIconSize, ILC_COLOR32 | ILC_MASK, 10, 20);
  for (int id : kFolderIconIds) {
    HICON icon = static_cast<HICON>(::LoadImageA(gWorkspace.libraryInstance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                                 kFolderIconSize, kFolderIconSize, 0));
    ImageList_AddIcon(gFolderImages, icon);
    ::DestroyIcon(icon);
  }
  return gFolderImages;
}

bool IsSubfolder(const WIN32_FIND_DATAA& found) {
  return found.cFileName[0] != '.' && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Whether the pattern ("C:\Windows\*") finds a folder.
bool HasSubfolder(const std::string& pattern) {
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool any = false;
  do {
    any = IsSubfolder(found);
  } while (!any && ::FindNextFileA(search, &found));
  ::FindClose(search);
  return any;
}

// "C:\" with the drive image, at the root of the tree.
TVINSERTSTRUCTA RootInsert(HTREEITEM insertAfter) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = TVI_ROOT;
  insert.hInsertAfter = insertAfter;
  insert.item.mask = kItemMask;
  insert.item.pszText = const_cast<char*>(kRootText);
  insert.item.iImage = kDriveImage;
  insert.item.iSelectedImage = kDriveImage;
  insert.item.lParam = 1;
  return insert;
}

// Every step goes through here: nothing is sent once the window is going
// away or the tree is gone.
class TreeFiller {
 public:
  explicit TreeFiller(TreeWork& work) : work_(work) {}

  bool Stopped() const { return work_.cancelled.load() || !::IsWindow(work_.tree); }

  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return Stopped() ? 0 : ::SendMessageA(work_.tree, message, wParam, lParam);
  }

  void Repaint() const {
    if (Stopped()) return;
    ::InvalidateRect(work_.tree, nullptr, TRUE);
    ::UpdateWindow(work_.tree);
  }

  HTREEITEM InsertRoot() const {
    TVINSERTSTRUCTA insert = RootInsert(TVI_ROOT);
    return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }

  // One level of folders under the parent, sorted, with an expand button
  // where a folder has folders of its own.
  void AddSubfolders(const std::string& pattern, HTREEITEM parent) const {
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    const std::string folder = pattern.substr(0, pattern.size() - 1);  // without the final "*"
    do {
      if (!IsSubfolder(found)) continue;
      TVINSERTSTRUCTA insert{};
      insert.hParent = parent;
      insert.hInsertAfter = TVI_SORT;
      insert.item.mask = kItemMask | TVIF_CHILDREN;
      insert.item.pszText = found.cFileName;
      insert.item.iImage = kClosedFolderImage;
      insert.item.iSelectedImage = kOpenFolderImage;
      insert.item.cChildren = HasSubfolder(folder + found.cFileName + "\\*") ? 1 : 0;
      Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    } while (!Stopped() && ::FindNextFileA(search, &found));
    ::FindClose(search);
  }

 private:
  TreeWork& work_;
};

DWORD WINAPI FillTree(LPVOID parameter) {
  auto* work = static_cast<TreeWork*>(parameter);
  const TreeFiller filler(*work);
  ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  filler.Send(TVM_DELETEITEM, 0, 0);
  HTREEITEM root = filler.InsertRoot();
  filler.Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
  filler.Repaint();
  filler.AddSubfolders(kRootPattern, root);
  filler.Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
  filler.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  filler.Repaint();
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  LetGo(work);
  gRunningWorkers.fetch_sub(1);
  return 0;
}

HWND CreateTree(HWND outer) {
  RECT client{};
  ::GetClientRect(outer, &client);
  ::InitCommonControls();
  HWND tree = ::CreateWindowExA(kTreeExStyle, WC_TREEVIEWA, nullptr, kTreeStyle, 0, 0, client.right, client.bottom,
                                outer, reinterpret_cast<HMENU>(kTreeChildId), gWorkspace.libraryInstance, nullptr);
  ::SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FolderImages()));
  ::SendMessageA(tree, TVM_DELETEITEM, 0, 0);
  TVINSERTSTRUCTA insert = RootInsert(TVI_SORT);  // until the worker fills the tree
  ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
  ForwardMouseToParent(tree, true);
  return tree;
}

void DirList_OnCreate(HWND outer) {
  HWND tree = CreateTree(outer);
  win::SetWindowPointer(outer, 0, tree);
  auto* work = new (std::nothrow) TreeWork();
  if (work == nullptr) return;
  work->tree = tree;
  gRunningWorkers.fetch_add(1);
  HANDLE thread = ::CreateThread(nullptr, 0, FillTree, work, 0, nullptr);
  if (thread == nullptr) {
    gRunningWorkers.fetch_sub(1);
    delete work;
    return;
  }
  ::CloseHandle(thread);
  win::SetWindowPointer(outer, kWorkSlot, work);
}

// The worker stops at its next step; whoever lets go last frees the state.
void DirList_OnDestroy(HWND outer) {
  if (auto* work = win::WindowPointer<TreeWork>(outer, kWorkSlot)) {
    work->cancelled.store(true);
    win::SetWindowPointer<TreeWork>(outer, kWorkSlot, nullptr);
    LetGo(work);
  }
}

void FillClientWithTree(HWND outer, HWND tree) {
  RECT client{};
  ::GetClientRect(outer, &client);
  ::MoveWindow(tree, 0, 0, client.right, client.bottom, TRUE);
}

void RepaintTree(HWND tree) {
  ::InvalidateRect(tree, nullptr, TRUE);
  ::UpdateWindow(tree);
}

void DirList_OnSize(HWND outer) {
  RECT client{};
  ::GetClientRect(outer, &client);
  if (ControlRecord* record = RecordOfControl(outer)) {
    record->width = client.right;
    record->height = client.bottom;
  }
  FillClientWithTree(outer, InnerControlOf(outer));
}

void DirList_OnPaint(HWND outer) {
  RepaintTree(InnerControlOf(outer));
  ::DefWindowProcA(outer, WM_PAINT, 0, 0);  // validates
  FrameWhileDragged(outer);
}

}  // namespace

int RunningTreeWorkers() { return gRunningWorkers.load(); }

LRESULT CALLBACK DirListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      DirList_OnCreate(window);
      break;
    case WM_DESTROY:
      DirList_OnDestroy(window);
      break;
    case WM_SIZE:
      DirList_OnSize(window);
      break;
    case WM_NCPAINT:
      RepaintTree(InnerControlOf(window));
      FillClientWithTree(window, InnerControlOf(window));
      break;
    case WM_PAINT:
      DirList_OnPaint(window);
      return 0;
    default:
      break;
  }
  return DesignControlBehaviour(::DefWindowProcA, window, message, wParam, lParam);
}

}  // namespace kelp
