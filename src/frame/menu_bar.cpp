// The environment's menu bar on the host's main frame. CreateMenuBar builds
// the nine owner-drawn menus, sets them on the frame and subclasses it with
// FrameMenuProc, which draws the items, carries out the commands that are
// the library's ("&Add Form", "&Add Module", "&Add Class Module", "&Exit")
// and then passes every message on to the host's own procedure.
#include <windows.h>

#include <array>
#include <span>

#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/workspace.h"
#include "frame/frame_commands.h"
#include "frame/menu_items.h"
#include "kelp32.h"

namespace kelp {
namespace {

constexpr UINT kDrawn = MF_OWNERDRAW;
constexpr UINT kGreyed = MF_OWNERDRAW | MF_GRAYED | MF_DISABLED;
constexpr UINT kSeparator = MF_SEPARATOR;
static_assert(kGreyed == 0x103 && kSeparator == 0x800);

// The separators of the File menu are numbered 8888, all others -1.
constexpr UINT kFileSeparatorId = 8888;
constexpr UINT kSeparatorId = 0xFFFFFFFF;

struct MenuItemRow {
  UINT flags;
  UINT id;
  const char* text;  // the item data of an owner-drawn item: what is drawn
};

// "File", and the same nine items in "View", "Format", "Tools", "Add-Ins",
// "Help" and "About": "&Exit" works from any of them.
constexpr std::array<MenuItemRow, 9> FileLikeItems(UINT separatorId) {
  return {{
      {kDrawn, kNewProject, "&New Project"},
      {kDrawn, kOpenProject, "&Open Project..."},
      {kSeparator, separatorId, nullptr},
      {kDrawn, kAddProject, "&Add Project"},
      {kGreyed, kRemoveProject, "&Remove Project"},
      {kSeparator, separatorId, nullptr},
      {kDrawn, kSaveProject, "&Save Project"},
      {kSeparator, separatorId, nullptr},
      {kDrawn, kExit, "&Exit"},
  }};
}

constexpr auto kFileItems = FileLikeItems(kFileSeparatorId);
constexpr auto kOtherItems = FileLikeItems(kSeparatorId);

constexpr MenuItemRow kEditItems[] = {
    {kGreyed, IDM_EDITOR_UNDO, "&Undo"},
    {kGreyed, IDM_EDITOR_CUT, "Cu&t                Ctrl+X"},
    {kGreyed, IDM_EDITOR_COPY, "&Copy             Ctrl+C"},
    {kGreyed, IDM_EDITOR_PASTE, "&Paste            Ctrl+V"},
    {kGreyed, IDM_EDITOR_DELETE, "&Delete"},
    {kSeparator, kSeparatorId, nullptr},
    {kGreyed, kFindText, "&Find Text"},
    {kGreyed, kFindNext, "Find &Next"},
    {kSeparator, kSeparatorId, nullptr},
    {kGreyed, kSelectAll, "&Select All"},
};

constexpr MenuItemRow kProjectItems[] = {
    {kDrawn, kAddForm, "&Add Form"},
    {kDrawn, kAddMdiForm, "&Add MDI Form"},
    {kDrawn, kAddModule, "&Add Module"},
    {kDrawn, kAddClassModule, "&Add Class Module"},
};

struct MenuRow {
  const char* title;
  std::span<const MenuItemRow> items;
};

constexpr std::array<MenuRow, 9> kMenus = {{
    {"File", kFileItems},
    {"Edit", kEditItems},
    {"View", kOtherItems},
    {"Project", kProjectItems},
    {"Format", kOtherItems},
    {"Tools", kOtherItems},
    {"Add-Ins", kOtherItems},
    {"Help", kOtherItems},
    {"About", kOtherItems},
}};

struct MenuBarState {
  std::array<HMENU, kMenus.size()> popups{};
  WNDPROC previousProc = nullptr;
};

MenuBarState gMenuBar;

LRESULT CALLBACK FrameMenuProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);

void ForgetMenus() {
  gMenuBar.popups = {};
  gWorkspace.menuBar = nullptr;
}

// The bar is taken off the frame before it is destroyed (with its popups),
// so the frame never draws a destroyed menu; a second shut-down finds
// nothing left to destroy. The host then hears WM_DESTROY.
void ShutDown(HWND frame) {
  if (gWorkspace.menuBar != nullptr) {
    if (::GetMenu(frame) == gWorkspace.menuBar) ::SetMenu(frame, nullptr);
    ::DestroyMenu(gWorkspace.menuBar);
    ForgetMenus();
  }
  ::SendMessageA(frame, WM_DESTROY, 0, 0);
}

HMENU BuildMenuBar() {
  HMENU bar = ::CreateMenu();
  for (std::size_t i = 0; i < kMenus.size(); ++i) {
    HMENU popup = ::CreatePopupMenu();
    gMenuBar.popups[i] = popup;
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), kMenus[i].title);
    for (const MenuItemRow& row : kMenus[i].items) {
      ::AppendMenuA(popup, row.flags, row.id, row.text);
    }
  }
  return bar;
}

// The code window a module command has just opened: the newest one.
HWND NewestCodeModule() {
  const auto& modules = CodeModules();
  return modules.empty() ? nullptr : modules.back().window;
}

void ReportAdded(HostChange what, HWND window) {
  if (window != nullptr) ReportChange(what, window);
}

// For a host that asks for the designer's tools, the Edit menu acts on the
// active MDI child: a form's design (with "&Redo" after "&Undo") or a code
// window's editor. Otherwise it stays greyed, as it always was.
constexpr std::size_t kEditMenu = 1;
constexpr char kRedoText[] = "&Redo";

HWND ActiveMdiChild() {
  if (gWorkspace.mdiClient == nullptr) return nullptr;
  return reinterpret_cast<HWND>(::SendMessageA(gWorkspace.mdiClient, WM_MDIGETACTIVE, 0, 0));
}

struct EditRow {
  UINT command;
  DesignEdit edit;
  bool inCode;  // the code window's editor does it too
};

constexpr EditRow kEditRows[] = {
    {IDM_EDITOR_UNDO, DesignEdit::kUndo, true},    {kRedo, DesignEdit::kRedo, false},
    {IDM_EDITOR_CUT, DesignEdit::kCut, true},      {IDM_EDITOR_COPY, DesignEdit::kCopy, true},    {IDM_EDITOR_PASTE, DesignEdit::kPaste, true},
    {IDM_EDITOR_DELETE, DesignEdit::kDelete, true}, {kSelectAll, DesignEdit::kSelectAll, false},
};

constexpr std::size_t kFormatMenu = 4;
constexpr const char* kFormatTexts[kFormatCommandCount] = {
    "Align &Lefts",      "Align &Centers",    "Align &Rights",
    "Align &Tops",       "Align &Middles",    "Align &Bottoms",
    "Make Same &Width",  "Make Same &Height", "Make Same &Size",
    "Center &Horizontally in Form", "Center &Vertically in Form",
};

// The Format commands go first in the Format menu, above its usual items.
void Format_OnInitMenuPopup(HMENU popup) {
  if (popup != gMenuBar.popups[kFormatMenu] || !HostWants(kOptionDesignTools)) return;
  if (::GetMenuState(popup, kFormatFirst, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
    for (std::uint32_t i = 0; i < kFormatCommandCount; ++i) {
      ::InsertMenuA(popup, i, MF_BYPOSITION | kDrawn, kFormatFirst + i, kFormatTexts[i]);
    }
    ::InsertMenuA(popup, kFormatCommandCount, MF_BYPOSITION | kSeparator, kSeparatorId, nullptr);
  }
  HWND active = ActiveMdiChild();
  for (std::uint32_t i = 0; i < kFormatCommandCount; ++i) {
    const bool enabled = IsFormFrame(active) && CanFormat(active, static_cast<FormatCommand>(i));
    ::EnableMenuItem(popup, kFormatFirst + i, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void Edit_OnInitMenuPopup(HMENU popup) {
  if (popup != gMenuBar.popups[kEditMenu] || !HostWants(kOptionDesignTools)) return;
  if (::GetMenuState(popup, kRedo, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
    ::InsertMenuA(popup, 1, MF_BYPOSITION | kDrawn, kRedo, kRedoText);
  }
  HWND active = ActiveMdiChild();
  const bool code = IsCodeWindow(active);
  for (const EditRow& row : kEditRows) {
    const bool enabled = code ? row.inCode : CanDoDesignEdit(active, row.edit);
    ::EnableMenuItem(popup, row.command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void Edit_OnCommand(UINT command) {
  HWND active = ActiveMdiChild();
  if (IsCodeWindow(active)) {
    if (command != kRedo && command != kSelectAll) ::SendMessageA(active, WM_COMMAND, command, 0);
    return;
  }
  for (const EditRow& row : kEditRows) {
    if (row.command == command) DoDesignEdit(active, row.edit);
  }
}

// Commands from a menu or an accelerator; a control's notification that
// happens to carry the same number is not a menu choice. Returns false
// when the host cancelled "&Exit": the command then goes no further.
bool Frame_OnCommand(HWND frame, UINT command, HWND control) {
  if (control != nullptr) return true;
  switch (command) {
    case kExit:
      if (!HostAllowsExit(frame, kExit)) return false;
      ShutDown(frame);
      break;
    case IDM_EDITOR_UNDO:
    case IDM_EDITOR_CUT:
    case IDM_EDITOR_COPY:
    case IDM_EDITOR_PASTE:
    case IDM_EDITOR_DELETE:
    case kRedo:
    case kSelectAll:
      if (HostWants(kOptionDesignTools)) Edit_OnCommand(command);
      break;
    case kAddForm: {
      HWND form = CreateFormWin(gWorkspace.libraryInstance, frame, gWorkspace.mdiClient, 1);
      NoteFormAddedByUser(form);
      ReportAdded(kChangeFormAdded, form);
      break;
    }
    case kAddMdiForm:
      // The host's unless it asked the library to carry it out.
      if (HostWants(kOptionAddMdiForm)) {
        HWND form = CreateMdiFormWin(gWorkspace.libraryInstance, frame, gWorkspace.mdiClient, 1);
        NoteFormAddedByUser(form);
        ReportAdded(kChangeMdiFormAdded, form);
      }
      break;
    case kAddModule: {
      const std::size_t before = CodeModules().size();
      AddModule(frame);
      if (CodeModules().size() > before) ReportAdded(kChangeModuleAdded, NewestCodeModule());
      break;
    }
    case kAddClassModule: {
      const std::size_t before = CodeModules().size();
      AddClassModule(frame);
      if (CodeModules().size() > before) ReportAdded(kChangeClassModuleAdded, NewestCodeModule());
      break;
    }
    default:
      if (command >= kFormatFirst && command < kFormatFirst + kFormatCommandCount &&
          HostWants(kOptionDesignTools) && IsFormFrame(ActiveMdiChild())) {
        FormatSelected(ActiveMdiChild(), static_cast<FormatCommand>(command - kFormatFirst));
      }
      break;
  }
  return true;
}

void Frame_OnMove(WPARAM wParam, LPARAM lParam) {
  if (gWorkspace.selectedWindow != nullptr)
    ::SendMessageA(gWorkspace.selectedWindow, WM_MOVE, wParam, lParam);
}

LRESULT PassOn(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gMenuBar.previousProc == nullptr) return ::DefWindowProcA(frame, message, wParam, lParam);
  return ::CallWindowProcA(gMenuBar.previousProc, frame, message, wParam, lParam);
}

LRESULT CALLBACK FrameMenuProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (!Frame_OnCommand(frame, LOWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
      break;
    case WM_CLOSE:
      // A cancelled close leaves the frame, its menus and everything in it.
      if (!HostAllowsExit(frame, WM_CLOSE)) return 0;
      ShutDown(frame);
      break;
    case WM_MOVE:
      Frame_OnMove(wParam, lParam);
      break;
    case WM_INITMENUPOPUP:
      Edit_OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      Format_OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      break;
    case WM_MEASUREITEM: {
      // Owner-drawn controls of the host's own are the host's to measure.
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      if (wParam != 0 || item->CtlType != ODT_MENU) break;
      MeasureMenuItem(*item);
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (wParam != 0 || item->CtlType != ODT_MENU) break;
      DrawMenuItem(*item);
      return TRUE;
    }
    case WM_NCDESTROY:
      // A menu still set on the frame is destroyed with it.
      ForgetMenus();
      break;
    default:
      break;
  }
  return PassOn(frame, message, wParam, lParam);
}

}  // namespace
}  // namespace kelp

extern "C" DWORD KELP_API CreateMenuBar(DWORD /*unused*/) {
  using namespace kelp;
  HWND frame = gWorkspace.mainFrame;
  if (gWorkspace.menuBar != nullptr) {
    // Built again: the earlier bar goes, as it would at shut-down.
    if (::GetMenu(frame) == gWorkspace.menuBar) ::SetMenu(frame, nullptr);
    ::DestroyMenu(gWorkspace.menuBar);
    ForgetMenus();
  }
  gWorkspace.menuBar = BuildMenuBar();
  ::SetMenu(frame, gWorkspace.menuBar);
  // Subclassing twice would make the frame's procedure pass messages to itself.
  const auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(frame, GWLP_WNDPROC));
  if (frame != nullptr && current != FrameMenuProc) {
    gMenuBar.previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameMenuProc)));
  }
  return 0;
}
