// The New Project window ("NewProject_Class", "Kelp32 - New Project"): a
// top-most pop-up, not a modal dialog, in which the user clicks one of seven
// project kinds. "OK" on "Standard EXE" or "MDI" opens the project's first
// form and closes the window; the other kinds start nothing in the library.
// Only a mouse click chooses a kind: selecting one with the keyboard does not.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstring>

#include "editor/child_controls.h"
#include "entry/host_options.h"
#include "entry/workspace.h"
#include "frame/frame_commands.h"
#include "kelp32.h"

namespace kelp {
namespace {

constexpr char kNewProjectClassName[] = "NewProject_Class";
constexpr char kNewProjectTitle[] = "Kelp32 - New Project";
constexpr DWORD kNewProjectExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr DWORD kNewProjectStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
static_assert(kNewProjectExStyle == 9 && kNewProjectStyle == 0x90C80000);
constexpr int kNewProjectX = 100, kNewProjectY = 150, kNewProjectWidth = 350, kNewProjectHeight = 250;

constexpr int kListId = 0;
constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
static_assert(kListStyle == 0x5000004C);
constexpr int kListWidth = 345, kListHeight = 160;
constexpr COLORREF kListText = RGB(0, 0, 0);
constexpr COLORREF kListBackground = RGB(255, 255, 255);

// Bitmap 800: six 32 x 32 kind images side by side.
constexpr int kKindBitmapId = 800;
constexpr int kKindImageSize = 32;
constexpr int kKindImageCount = 6;
constexpr int kImageListGrowth = 10;
constexpr int kItemTextSize = 256;

constexpr int kButtonX = 225, kOkY = 165, kCancelY = 195, kButtonWidth = 100, kButtonHeight = 25;

constexpr std::uint32_t kNoKind = 0;
constexpr std::uint32_t kStandardExe = 1;
constexpr std::uint32_t kMdi = 3;
constexpr std::uint32_t kResourceDependent = 4;
constexpr char kResourceDependentText[] = "Resource Dependent";

struct ProjectKind {
  const char* text;
  int image;  // "Snippet Store CODE" asks for a seventh image, which there is not
  std::uint32_t value;
};

constexpr std::array<ProjectKind, 7> kProjectKinds = {{
    {"Standard EXE", 0, kStandardExe},
    {"Standard DLL", 1, 2},
    {"Console Application", 2, 6},
    {"Static Library", 3, 5},
    {"MDI", 4, kMdi},
    {kResourceDependentText, 5, kResourceDependent},
    {"Snippet Store CODE", 6, 7},
}};

// Each window keeps its own choice (in its user data), so that two open
// New Project windows never answer for each other.
std::uint32_t ChosenKind(HWND window) {
  return static_cast<std::uint32_t>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}
void SetChosenKind(HWND window, std::uint32_t kind) {
  ::SetWindowLongPtrA(window, GWLP_USERDATA, kind);
}

HWND ListOf(HWND window) {
  return ::GetDlgItem(window, kListId);
}

void SetDefaultFont(HWND control) {
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(gWorkspace.defaultFont), FALSE);
}

void AttachKindImages(HWND list) {
  HIMAGELIST images = ::ImageList_Create(kKindImageSize, kKindImageSize, ILC_COLOR24, 0, kImageListGrowth);
  ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
  auto strip = static_cast<HBITMAP>(::LoadImageA(gWorkspace.libraryInstance, MAKEINTRESOURCEA(kKindBitmapId),
                                                 IMAGE_BITMAP, kKindImageSize * kKindImageCount,
                                                 kKindImageSize, LR_DEFAULTCOLOR));
  ::ImageList_Add(images, strip, nullptr);
  if (strip != nullptr) ::DeleteObject(strip);
}

// Appended in table order, so the list's order and the icon view's places
// both follow the table.
void AddKinds(HWND list) {
  for (std::size_t i = 0; i < kProjectKinds.size(); ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(kProjectKinds[i].text);
    item.cchTextMax = kItemTextSize;
    item.iImage = kProjectKinds[i].image;
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

LRESULT NewProject_OnCreate(HWND window) {
  SetChosenKind(window, kNoKind);
  ::InitCommonControls();
  HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr, kListStyle, 0, 0, kListWidth,
                                kListHeight, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
                                gWorkspace.libraryInstance, nullptr);
  SetDefaultFont(list);
  AttachKindImages(list);
  ::SetFocus(list);
  ::SendMessageA(list, LVM_SETTEXTCOLOR, 0, kListText);
  ::SendMessageA(list, LVM_SETBKCOLOR, 0, kListBackground);
  ::SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, kListBackground);
  ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  AddKinds(list);
  SetDefaultFont(
      CreatePushButton(window, kButtonX, kCancelY, kButtonWidth, kButtonHeight, "Cancel", kNewProjectCancelId));
  SetDefaultFont(CreatePushButton(window, kButtonX, kOkY, kButtonWidth, kButtonHeight, "OK", kNewProjectOkId));
  return 0;
}

// The list shares its image list, so the window frees it.
void NewProject_OnDestroy(HWND window) {
  HWND list = ListOf(window);
  auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
  ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
  if (images != nullptr) ::ImageList_Destroy(images);
}

// A click on empty space selects nothing and leaves the choice as it was.
void NewProject_OnListClick(HWND window, HWND list) {
  const auto selected =
      static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected < 0) return;
  char text[kItemTextSize] = {};
  LVITEMA item{};
  item.iSubItem = 0;
  item.pszText = text;
  item.cchTextMax = kItemTextSize;
  ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item));
  for (const ProjectKind& kind : kProjectKinds) {
    if (std::strcmp(text, kind.text) != 0) continue;
    SetChosenKind(window, kind.value);
    if (kind.value == kResourceDependent) {
      ::MessageBoxA(window, kResourceDependentText, kResourceDependentText, MB_OK);
    }
    return;
  }
}

LRESULT NewProject_OnNotify(HWND window, const NMHDR* header) {
  if (header->code == NM_CLICK && header->hwndFrom == ListOf(window))
    NewProject_OnListClick(window, header->hwndFrom);
  return 0;
}

// "OK" opens the first form for "Standard EXE" and "MDI"; any other kind,
// or none yet, leaves the window open and does nothing.
void NewProject_OnOk(HWND window) {
  const std::uint32_t kind = ChosenKind(window);
  if (kind != kStandardExe && kind != kMdi) return;
  HWND form = CreateFormWin(gWorkspace.libraryInstance, window, gWorkspace.mdiClient, 1);
  ::DestroyWindow(window);
  if (form != nullptr) ReportChange(kChangeFormAdded, form);
}

LRESULT CALLBACK NewProjectProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return NewProject_OnCreate(window);
    case WM_DESTROY:
      NewProject_OnDestroy(window);
      break;
    case WM_NOTIFY:
      return NewProject_OnNotify(window, reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kNewProjectCancelId:
          ::SendMessageA(window, WM_CLOSE, 0, 0);
          return 0;
        case kNewProjectOkId:
          NewProject_OnOk(window);
          return 0;
        default:
          break;
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace
}  // namespace kelp

extern "C" HWND KELP_API NewProject(HWND owner) {
  using namespace kelp;
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_BYTEALIGNCLIENT;
  windowClass.lpfnWndProc = NewProjectProc;
  windowClass.hInstance = gWorkspace.libraryInstance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kNewProjectClassName;
  ::RegisterClassExA(&windowClass);  // fails harmlessly when already registered
  return ::CreateWindowExA(kNewProjectExStyle, kNewProjectClassName, kNewProjectTitle, kNewProjectStyle,
                           kNewProjectX, kNewProjectY, kNewProjectWidth, kNewProjectHeight, owner, nullptr,
                           gWorkspace.libraryInstance, nullptr);
}
