// The file list box ("FileListBox_Class"): the files of the host's current
// directory, with the shell's icons, in an icon list view filled when the
// control is made. At design time the list is inert: its mouse input goes to
// this window and the shared behaviour.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "controls/control_classes.h"
#include "controls/design_control.h"
#include "controls/inner_forwarder.h"
#include "win/handles.h"

namespace kelp {
namespace {

constexpr DWORD kListExStyle = WS_EX_CLIENTEDGE | WS_EX_ACCEPTFILES | WS_EX_NOPARENTNOTIFY;  // 0x214
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_TABSTOP |
                             LVS_SHAREIMAGELISTS | LVS_ICON;  // 0x56210040
constexpr int kListChildId = 350;
constexpr DWORD kListExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;  // 0x31
constexpr int kShellImageListsOrdinal = 71;

struct ShellImageLists {
  HIMAGELIST large = nullptr;
  HIMAGELIST small = nullptr;
  bool fetched = false;
};

ShellImageLists gShellImages;

// The system's large and small icon lists, fetched once: from the shell's
// export 71, or, where a shell lacks it, as SHGetFileInfoA hands them out.
const ShellImageLists& ShellImages() {
  if (gShellImages.fetched) return gShellImages;
  gShellImages.fetched = true;
  using GetImageLists = BOOL(WINAPI*)(HIMAGELIST*, HIMAGELIST*);
  if (HMODULE shell = ::GetModuleHandleA("shell32.dll")) {
    if (auto lists = reinterpret_cast<GetImageLists>(
            reinterpret_cast<void*>(::GetProcAddress(shell, MAKEINTRESOURCEA(kShellImageListsOrdinal))))) {
      lists(&gShellImages.large, &gShellImages.small);
    }
  }
  SHFILEINFOA info{};
  if (gShellImages.large == nullptr) {
    gShellImages.large = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
  }
  if (gShellImages.small == nullptr) {
    gShellImages.small = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA("C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  }
  return gShellImages;
}

void SetImageLists(HWND list) {
  const ShellImageLists& images = ShellImages();
  ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images.large));
  ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.small));
}

// Every file (no folders) of the current directory, in the order the file
// system gives them.
void FillWithCurrentDirectory(HWND list) {
  ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  char directory[MAX_PATH] = {};
  ::GetCurrentDirectoryA(sizeof(directory), directory);
  std::string folder = directory;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  auto item = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((folder + "*.*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      ::Sleep(1);  // yields to the system between files
      SHFILEINFOA info{};
      ::SHGetFileInfoA((folder + found.cFileName).c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX);
      LVITEMA entry{};
      entry.mask = LVIF_TEXT | LVIF_IMAGE;
      entry.iItem = ++item;
      entry.pszText = found.cFileName;
      entry.cchTextMax = MAX_PATH;
      entry.iImage = info.iIcon;
      ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
  }
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

HWND CreateFileList(HWND outer) {
  RECT client{};
  ::GetClientRect(outer, &client);
  ::InitCommonControls();
  HWND list = ::CreateWindowExA(kListExStyle, WC_LISTVIEWA, nullptr, kListStyle, 0, 0, client.right, client.bottom,
                                outer, reinterpret_cast<HMENU>(kListChildId), nullptr, nullptr);
  ::SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
  ::SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
  ::SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
  ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  SetImageLists(list);
  ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, kListExtendedStyle, kListExtendedStyle);
  FillWithCurrentDirectory(list);
  ForwardMouseToParent(list, false);
  return list;
}

void FillClientWithList(HWND outer, HWND list) {
  RECT client{};
  ::GetClientRect(outer, &client);
  ::MoveWindow(list, 0, 0, client.right, client.bottom, TRUE);
}

void FileList_OnPaint(HWND outer) {
  HWND list = InnerControlOf(outer);
  ::InvalidateRect(list, nullptr, TRUE);
  ::UpdateWindow(list);
  ::DefWindowProcA(outer, WM_PAINT, 0, 0);  // validates
  FrameWhileDragged(outer);
}

}  // namespace

LRESULT CALLBACK FileListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      HWND list = CreateFileList(window);
      SetImageLists(list);
      win::SetWindowPointer(window, 0, list);
      break;
    }
    case WM_SIZE:
      FillClientWithList(window, InnerControlOf(window));
      ::SendMessageA(InnerControlOf(window), LVM_ARRANGE, LVA_DEFAULT, 0);
      break;
    case WM_NCPAINT:
      FillClientWithList(window, InnerControlOf(window));
      break;
    case WM_PAINT:
      FileList_OnPaint(window);
      return 0;
    default:
      break;
  }
  return DesignControlBehaviour(::DefWindowProcA, window, message, wParam, lParam);
}

}  // namespace kelp
