// The project window ("Project_Class", titled "Projects"): the open project
// as a tree (a root item, its "Forms" folder, and "Modules" and "Class
// Modules" folders once the first of each is opened) under a three-button
// toolbar. Form, module and class module items carry their windows; a
// double-click shows the window again. Other windows fill the tree with the
// PRJ_ messages.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "entry/messages.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "project/image_toolbar.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/records.h"

namespace kelp {
namespace {

#include "project_strip.inc"

constexpr char kProjectClassName[] = "Project_Class";
constexpr char kProjectTitle[] = "Projects";
constexpr DWORD kProjectStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr int kProjectX = 500, kProjectY = 0, kProjectWidth = 200, kProjectHeight = 150;
constexpr int kStateSlot = 0;

// The toolbar: View Code, View Object, a separator and Toggle Folders, from
// the three 25 x 25 tiles of the project strip. The buttons only look the
// part: the window carries out no command of theirs.
constexpr int kTileSize = 25;
constexpr int kStripImageCount = 3;
constexpr int kViewCodeCommand = 49;
constexpr int kViewObjectCommand = 50;
constexpr int kToggleFoldersCommand = 51;
constexpr std::array<ToolbarButtonRow, 4> kButtonRows = {{
    {kViewCodeCommand, 0, BTNS_BUTTON},
    {kViewObjectCommand, 1, BTNS_BUTTON},
    {0, 0, BTNS_SEP},
    {kToggleFoldersCommand, 2, BTNS_CHECK},
}};

// The tree sits under the toolbar and fills the rest of the window.
constexpr int kTreeTop = 35;
constexpr int kTreeId = 2400;
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | TVS_HASBUTTONS |
                             TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_RTLREADING |
                             TVS_NOTOOLTIPS;
static_assert(kTreeStyle == 0x528000E7);
constexpr int kTreeControlVersion = 5;

// The tree's images, in image-list order; index 2 (the open folder again)
// is not used by any item.
constexpr int kIconSize = 16;
constexpr int kImageListGrowth = 10;
constexpr std::array<int, 7> kTreeIconIds = {502, 503, 503, 504, 500, 1302, 505};
constexpr int kFolderImage = 0;
constexpr int kOpenFolderImage = 1;
constexpr int kProjectImage = 3;
constexpr int kFormImage = 4;
constexpr int kModuleImage = 5;
constexpr int kClassModuleImage = 6;

constexpr char kFormsFolderText[] = "Forms";
constexpr char kModulesFolderText[] = "Modules";
constexpr char kClassModulesFolderText[] = "Class Modules";

// The project root is drawn in bold Arial.
constexpr int kBoldFontHeight = 14;

struct ProjectWindowState {
  HFONT boldFont;
  HWND toolbar;
  HBITMAP strip;
  HIMAGELIST images;
  HTREEITEM projectRoot;
  HTREEITEM modulesFolder;
  HTREEITEM classModulesFolder;
};

ProjectWindowState* StateOf(HWND window) {
  return win::WindowPointer<ProjectWindowState>(window, kStateSlot);
}

HIMAGELIST MakeTreeImages() {
  HIMAGELIST images = ::ImageList_Create(kIconSize, kIconSize, ILC_COLOR4 | ILC_MASK, 1, kImageListGrowth);
  for (int id : kTreeIconIds) {
    auto icon = static_cast<HICON>(::LoadImageA(gWorkspace.libraryInstance, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                                kIconSize, kIconSize, LR_DEFAULTCOLOR));
    ::ImageList_AddIcon(images, icon);
    if (icon != nullptr) ::DestroyIcon(icon);
  }
  return images;
}

// Every item is inserted expanded. Items land after their earlier siblings,
// except the "Forms" folder, which is sorted in.
HTREEITEM InsertItem(HTREEITEM parent, HTREEITEM after, const char* text, int image, int selectedImage,
                     LPARAM data) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_STATE | TVIF_SELECTEDIMAGE;
  insert.item.state = TVIS_EXPANDED;
  insert.item.stateMask = TVIS_EXPANDED;
  insert.item.pszText = const_cast<char*>(text != nullptr ? text : "");
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(gWorkspace.projectTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Expand(HTREEITEM item) {
  ::SendMessageA(gWorkspace.projectTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

LPARAM ItemData(HTREEITEM item) {
  TVITEMA query{};
  query.mask = TVIF_PARAM;
  query.hItem = item;
  ::SendMessageA(gWorkspace.projectTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return query.lParam;
}

HTREEITEM NextItem(HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(gWorkspace.projectTree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The item carrying `data`, searched depth first from `first` and its siblings.
HTREEITEM FindItemWithData(HTREEITEM first, LPARAM data) {
  for (HTREEITEM item = first; item != nullptr; item = NextItem(item, TVGN_NEXT)) {
    if (ItemData(item) == data) return item;
    if (HTREEITEM found = FindItemWithData(NextItem(item, TVGN_CHILD), data)) return found;
  }
  return nullptr;
}

LRESULT Project_OnCreate(HWND window) {
  auto* state = win::AllocateRecord<ProjectWindowState>();
  if (state == nullptr) return -1;
  win::SetWindowPointer(window, kStateSlot, state);

  state->boldFont = ::CreateFontA(kBoldFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEVICE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_MODERN, "Arial");
  {
    win::WindowDc dc(window);
    state->strip = BitmapFromFileImage(dc, kProjectStrip);
  }
  state->toolbar = BuildImageToolbar(window, kTileSize, kTileSize, kButtonRows, kStripImageCount,
                                     kImageToolbarStyle, state->strip);
  ::SendMessageA(state->toolbar, TB_CHECKBUTTON, kToggleFoldersCommand, TRUE);

  ::InitCommonControls();
  RECT client{};
  ::GetClientRect(window, &client);
  gWorkspace.projectTree = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, nullptr, kTreeStyle, 0, kTreeTop,
                                             client.right, client.bottom - kTreeTop, window,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)),
                                             gWorkspace.libraryInstance, nullptr);
  ::SendMessageA(gWorkspace.projectTree, CCM_SETVERSION, kTreeControlVersion, 0);
  state->images = MakeTreeImages();
  ::SendMessageA(gWorkspace.projectTree, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(state->images));
  ::SendMessageA(gWorkspace.projectTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  return 0;
}

// The tree and toolbar are gone by now; what they used goes with the window.
void Project_OnNcDestroy(HWND window) {
  ProjectWindowState* state = StateOf(window);
  if (state == nullptr) return;
  win::SetWindowPointer<ProjectWindowState>(window, kStateSlot, nullptr);
  if (state->boldFont != nullptr) ::DeleteObject(state->boldFont);
  if (state->strip != nullptr) ::DeleteObject(state->strip);
  if (state->images != nullptr) ::ImageList_Destroy(state->images);
  win::FreeRecord(state);
  if (gWorkspace.projectWindow == window) {
    gWorkspace.projectWindow = nullptr;
    gWorkspace.projectTree = nullptr;
    gWorkspace.formsFolderItem = nullptr;
  }
}

void Project_OnSize(HWND window, int width, int height) {
  const ProjectWindowState* state = StateOf(window);
  if (state == nullptr) return;
  ::SendMessageA(state->toolbar, TB_AUTOSIZE, 0, 0);
  HWND tree = ::GetDlgItem(window, kTreeId);
  ::SetWindowPos(tree, nullptr, 0, kTreeTop, width, height > kTreeTop ? height - kTreeTop : 0, 0);
  ::InvalidateRect(tree, nullptr, TRUE);
  ::UpdateWindow(tree);
}

void Project_OnAddProject(HWND window, const char* title) {
  ProjectWindowState* state = StateOf(window);
  if (state == nullptr) return;
  state->projectRoot = InsertItem(TVI_ROOT, TVI_LAST, title, kProjectImage, kProjectImage, 0);
  gWorkspace.formsFolderItem =
      InsertItem(state->projectRoot, TVI_SORT, kFormsFolderText, kFolderImage, kOpenFolderImage, 0);
  Expand(state->projectRoot);
}

// Names the project: the root item takes the title, or is added with it
// (and its "Forms" folder) when the project has none yet.
void Project_OnSetTitle(HWND window, const char* title) {
  ProjectWindowState* state = StateOf(window);
  if (state == nullptr) return;
  if (state->projectRoot == nullptr) {
    Project_OnAddProject(window, title);
    return;
  }
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = state->projectRoot;
  item.pszText = const_cast<char*>(title != nullptr ? title : "");
  ::SendMessageA(gWorkspace.projectTree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

LRESULT Project_OnGetTitle(HWND window, char* buffer, int size) {
  const ProjectWindowState* state = StateOf(window);
  if (buffer == nullptr || size <= 0) return 0;
  buffer[0] = '\0';
  if (state == nullptr || state->projectRoot == nullptr) return 0;
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = state->projectRoot;
  item.pszText = buffer;
  item.cchTextMax = size;
  ::SendMessageA(gWorkspace.projectTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return lstrlenA(buffer);
}

// A new project begins: no root, no folders, no items.
void Project_OnClear(HWND window) {
  ProjectWindowState* state = StateOf(window);
  if (gWorkspace.projectTree != nullptr) {
    ::SendMessageA(gWorkspace.projectTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  }
  if (state != nullptr) state->projectRoot = state->modulesFolder = state->classModulesFolder = nullptr;
  gWorkspace.formsFolderItem = nullptr;
}

void Project_OnAddForm(const char* name, HWND frame) {
  InsertItem(gWorkspace.formsFolderItem, TVI_LAST, name, kFormImage, kFormImage,
             reinterpret_cast<LPARAM>(frame));
  Expand(gWorkspace.formsFolderItem);
}

// Modules and class modules stay in the folders of the project that had the
// first of them.
void AddCodeItem(HTREEITEM projectRoot, HTREEITEM& folder, const char* folderText, const char* name,
                 int image, HWND codeWindow) {
  if (folder == nullptr) {
    folder = InsertItem(projectRoot, TVI_LAST, folderText, kFolderImage, kOpenFolderImage, 0);
    Expand(folder);
  }
  InsertItem(folder, TVI_LAST, name, image, image, reinterpret_cast<LPARAM>(codeWindow));
  Expand(folder);
}

void Project_OnAddModule(HWND window, const char* name, HWND codeWindow) {
  if (ProjectWindowState* state = StateOf(window)) {
    AddCodeItem(state->projectRoot, state->modulesFolder, kModulesFolderText, name, kModuleImage, codeWindow);
  }
}

void Project_OnAddClassModule(HWND window, const char* name, HWND codeWindow) {
  if (ProjectWindowState* state = StateOf(window)) {
    AddCodeItem(state->projectRoot, state->classModulesFolder, kClassModulesFolderText, name,
                kClassModuleImage, codeWindow);
  }
}

// Folders and the root carry no window: asking for "no window" selects nothing.
void Project_OnSelectWindow(HWND target) {
  if (target == nullptr || gWorkspace.projectTree == nullptr) return;
  if (HTREEITEM item = FindItemWithData(NextItem(nullptr, TVGN_ROOT), reinterpret_cast<LPARAM>(target))) {
    ::SendMessageA(gWorkspace.projectTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
}

void Project_OnRemoveWindow(HWND target) {
  if (target == nullptr || gWorkspace.projectTree == nullptr) return;
  if (HTREEITEM item = FindItemWithData(NextItem(nullptr, TVGN_ROOT), reinterpret_cast<LPARAM>(target))) {
    ::SendMessageA(gWorkspace.projectTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  }
}

// The item under the double-click, not merely the selected one: a
// double-click on empty space opens nothing.
HTREEITEM ItemUnderLastClick(HWND tree) {
  const DWORD position = ::GetMessagePos();
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<SHORT>(LOWORD(position)), static_cast<SHORT>(HIWORD(position))};
  ::ScreenToClient(tree, &hit.pt);
  ::SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & TVHT_ONITEM) != 0 ? hit.hItem : nullptr;
}

// Shows the item's window on top; a code window answers the non-client
// press by giving its editor the focus.
void Project_OnDoubleClick(HWND tree) {
  HTREEITEM item = ItemUnderLastClick(tree);
  if (item == nullptr) return;
  auto* target = reinterpret_cast<HWND>(ItemData(item));
  if (target == nullptr || !::IsWindow(target)) return;
  ::ShowWindow(target, SW_SHOW);
  ::BringWindowToTop(target);
  ::SendMessageA(target, WM_NCLBUTTONDOWN, 0, 0);
  ::SendMessageA(target, WM_NCLBUTTONUP, 0, 0);
}

// The project root in bold; other selected items in the highlight colours
// even while the tree does not have the focus.
LRESULT Project_OnCustomDraw(HWND window, NMTVCUSTOMDRAW* draw) {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const ProjectWindowState* state = StateOf(window);
      if (draw->iLevel == 0) {
        if (state != nullptr) ::SelectObject(draw->nmcd.hdc, state->boldFont);
      } else if (draw->nmcd.uItemState == CDIS_SELECTED ||
                 draw->nmcd.uItemState == (CDIS_SELECTED | CDIS_FOCUS)) {
        draw->clrTextBk = ::GetSysColor(COLOR_HIGHLIGHT);
        draw->clrText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
      }
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

LRESULT Project_OnNotify(HWND window, NMHDR* header) {
  if (header->hwndFrom == nullptr || header->hwndFrom != ::GetDlgItem(window, kTreeId)) return 0;
  switch (header->code) {
    case NM_DBLCLK:
      Project_OnDoubleClick(header->hwndFrom);
      return 0;
    case NM_CUSTOMDRAW:
      return Project_OnCustomDraw(window, reinterpret_cast<NMTVCUSTOMDRAW*>(header));
    default:
      return 0;
  }
}

LRESULT CALLBACK ProjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return Project_OnCreate(window);
    case WM_NCDESTROY:
      Project_OnNcDestroy(window);
      break;
    case WM_SIZE:
      Project_OnSize(window, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_NOTIFY:
      return Project_OnNotify(window, reinterpret_cast<NMHDR*>(lParam));
    case PRJ_ADDPROJECT:
      Project_OnAddProject(window, reinterpret_cast<const char*>(wParam));
      return 0;
    case PRJ_ADDFORM:
      Project_OnAddForm(reinterpret_cast<const char*>(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case PRJ_ADDMODULE:
      Project_OnAddModule(window, reinterpret_cast<const char*>(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case PRJ_ADDCLASSMODULE:
      Project_OnAddClassModule(window, reinterpret_cast<const char*>(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case PRJ_SELECTWINDOW:
      Project_OnSelectWindow(reinterpret_cast<HWND>(lParam));
      return 0;
    case PRJ_SETTITLE:
      Project_OnSetTitle(window, reinterpret_cast<const char*>(wParam));
      return 0;
    case PRJ_GETTITLE:
      return Project_OnGetTitle(window, reinterpret_cast<char*>(wParam), static_cast<int>(lParam));
    case PRJ_CLEAR:
      Project_OnClear(window);
      return 0;
    case PRJ_REMOVEWINDOW:
      Project_OnRemoveWindow(reinterpret_cast<HWND>(lParam));
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace
}  // namespace kelp

extern "C" HWND KELP_API Create_Project_Window(HWND parent) {
  using namespace kelp;
  gWorkspace.projectWindow =
      CreateClassWindow(WS_EX_TOOLWINDOW, kProjectStyle, kProjectClassName, kProjectTitle, kProjectX,
                        kProjectY, kProjectWidth, kProjectHeight, ProjectWindowProc, nullptr,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), gWorkspace.hostInstance, parent);
  return gWorkspace.projectWindow;
}
