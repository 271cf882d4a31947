// The nineteen exported creators of design-time controls. Each allocates the
// control's record, makes a live window of its kind on the design surface,
// hooks it so its messages pass through the shared behaviour, and returns it.
// They differ only in the rows of the table below and a few extra steps.
#include <windows.h>
#include <commctrl.h>

#include "controls/context_menus.h"
#include "controls/control_classes.h"
#include "controls/design_control.h"
#include "controls/thunks.h"
#include "core/form_names.h"
#include "core/text.h"
#include "entry/window_utilities.h"
#include "kelp32.h"
#include "win/handles.h"
#include "win/records.h"
#include "win/repaint.h"

namespace kelp {
namespace {

constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;  // 0x56000000
constexpr DWORD kStatusStyle = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP;                     // 0x50000010
constexpr DWORD kBarAndDateClasses = ICC_BAR_CLASSES | ICC_DATE_CLASSES | ICC_COOL_CLASSES;  // 0x504
constexpr UINT kOwnClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_PARENTDC;          // 0x8B
constexpr UINT kFileListClassStyle = CS_DBLCLKS | CS_PARENTDC;                                // 0x88
constexpr int kOwnClassExtraBytes = 20;
constexpr Handle32 kButtonFaceBrushValue = COLOR_BTNFACE + 1;  // a system colour brush value

constexpr char kControlFontFace[] = "Arial";
constexpr int kControlFontHeight = -13;
constexpr int kControlFontWeight = 5;

constexpr int kTrackBarTicks[] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
constexpr int kProgressRangeEnd = 50;
constexpr int kProgressStep = 10;
constexpr int kDriveItemHeight = 15;
constexpr int kSecondDrive = 1;

using Step = void (*)(HWND window, HWND parent);

struct CreatorRow {
  std::uint32_t kind;
  const char* className;
  DWORD exStyle;
  DWORD style;
  int colourIndex;  // system colour of backColour
  bool brush16;     // hBackBrush := COLOR_BTNFACE + 1
  bool caption;     // caption := the text
  bool text;        // SetWindowTextA after the hook
  bool fontAndStyles;
  bool repaint;
  bool topmost;                 // live WS_EX_TOPMOST, not recorded
  bool initCommonControls;      // InitCommonControls first
  DWORD commonControlClasses;   // InitCommonControlsEx first, when not 0
  bool subclassed;              // standard class with a thunk; else the library's own class
  Step beforeWindow = nullptr;  // registers the library's own class
  Step beforeHook = nullptr;
  Step afterHook = nullptr;
  Step afterText = nullptr;
};

void AddClassDoubleClicks(HWND window, HWND) {
  ::SetClassLongPtrA(window, GCL_STYLE, ::GetClassLongPtrA(window, GCL_STYLE) | CS_DBLCLKS);
}

void UseArrowCursor(HWND window, HWND) {
  ::SetClassLongPtrA(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(::LoadCursorA(nullptr, IDC_ARROW)));
}

void ClearBackgroundAndUseArrow(HWND window, HWND parent) {
  ::SetClassLongPtrA(window, GCLP_HBRBACKGROUND, 0);
  UseArrowCursor(window, parent);
}

void HookComboBox(HWND window, HWND) { HookComboEditField(window, kKindComboBox); }

void HookDriveListAndFill(HWND window, HWND) {
  HookComboEditField(window, kKindDriveListBox);
  ::SendMessageA(window, CB_DIR, DDL_DRIVES | DDL_EXCLUSIVE, reinterpret_cast<LPARAM>("*.*"));
  ::SendMessageA(window, CB_SETCURSEL, kSecondDrive, 0);
  ::SendMessageA(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kDriveItemHeight);
  ::SendMessageA(window, CB_SETITEMHEIGHT, 1, kDriveItemHeight);
}

void SetTrackBarTicks(HWND window, HWND) {
  for (int tick : kTrackBarTicks) ::SendMessageA(window, TBM_SETTIC, 1, tick);
}

void ShowOneProgressStep(HWND window, HWND) {
  ::SendMessageA(window, PBM_SETRANGE, 0, MAKELPARAM(0, kProgressRangeEnd));
  ::SendMessageA(window, PBM_SETSTEP, kProgressStep, 0);
  ::SendMessageA(window, PBM_STEPIT, 0, 0);
}

void RegisterTimerClass(HWND, HWND parent) {
  RegisterControlClass(kTimerClassName, kOwnClassStyle, kOwnClassExtraBytes, TimerPatternBrush(parent), TimerProc);
}

void RegisterDirListBoxClass(HWND, HWND) {
  RegisterControlClass(kDirListBoxClassName, kOwnClassStyle, kOwnClassExtraBytes,
                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), DirListBoxProc);
}

void RegisterFileListBoxClass(HWND, HWND) {
  RegisterControlClass(kFileListBoxClassName, kFileListClassStyle, kOwnClassExtraBytes, nullptr, FileListBoxProc);
}

void RegisterImageBoxClass(HWND, HWND) {
  RegisterControlClass(kImageBoxClassName, kOwnClassStyle, 0, nullptr, ImageBoxProc);
}

// clang-format off
constexpr CreatorRow kLabel = {kKindLabel, "STATIC", 0, kChildStyle | WS_SYSMENU | SS_LEFT,
    COLOR_BTNSHADOW, true, true, false, true, false, false, false, 0, true};
constexpr CreatorRow kTextBox = {kKindTextBox, "EDIT", WS_EX_CLIENTEDGE,
    kChildStyle | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE,
    COLOR_WINDOW, false, true, true, true, false, false, false, 0, true,
    nullptr, nullptr, nullptr, UseArrowCursor};
constexpr CreatorRow kGroupBox = {kKindGroupBox, "BUTTON", 0, kChildStyle | BS_GROUPBOX,
    COLOR_BTNFACE, false, true, false, true, false, false, false, 0, true};
constexpr CreatorRow kButton = {kKindButton, "BUTTON", 0, kChildStyle | BS_PUSHBUTTON,
    COLOR_BTNSHADOW, true, true, true, true, true, true, true, 0, true};
constexpr CreatorRow kCheckBox = {kKindCheckBox, "BUTTON", 0, kChildStyle | BS_AUTOCHECKBOX,
    COLOR_BTNSHADOW, true, true, true, true, true, true, false, 0, true};
constexpr CreatorRow kOptionButton = {kKindOptionButton, "BUTTON", 0, kChildStyle | BS_AUTORADIOBUTTON,
    COLOR_BTNFACE, false, true, true, true, false, false, false, 0, true};
constexpr CreatorRow kComboBox = {kKindComboBox, "COMBOBOX", 0, kChildStyle | CBS_DROPDOWN,
    COLOR_WINDOW, false, true, true, true, true, false, false, 0, true,
    nullptr, nullptr, nullptr, HookComboBox};
constexpr CreatorRow kListBox = {kKindListBox, "LISTBOX", WS_EX_CLIENTEDGE, kChildStyle | LBS_SORT,
    COLOR_WINDOW, false, true, true, true, false, false, false, 0, true};
constexpr CreatorRow kHScrollBar = {kKindHScrollBar, "SCROLLBAR", WS_EX_CLIENTEDGE, kChildStyle | SBS_HORZ,
    COLOR_BTNFACE, false, false, false, false, false, false, false, 0, true};
constexpr CreatorRow kVScrollBar = {kKindVScrollBar, "SCROLLBAR", WS_EX_CLIENTEDGE, kChildStyle | SBS_VERT,
    COLOR_BTNFACE, false, false, false, false, false, false, false, 0, true};
constexpr CreatorRow kTimer = {kKindTimer, kTimerClassName, 0, kChildStyle | 0x0E,
    COLOR_MENU, false, false, false, false, false, false, false, 0, false,
    RegisterTimerClass};
constexpr CreatorRow kDriveListBox = {kKindDriveListBox, "COMBOBOX", 0, kChildStyle | CBS_DROPDOWN,
    COLOR_WINDOW, false, true, true, true, true, false, false, 0, true,
    nullptr, nullptr, nullptr, HookDriveListAndFill};
constexpr CreatorRow kDirListBox = {kKindDirListBox, kDirListBoxClassName, 0, kChildStyle,
    COLOR_WINDOW, false, false, false, false, true, false, false, 0, false,
    RegisterDirListBoxClass};
constexpr CreatorRow kFileListBox = {kKindFileListBox, kFileListBoxClassName, 0, kChildStyle,
    COLOR_WINDOW, false, false, false, false, true, false, false, 0, false,
    RegisterFileListBoxClass};
constexpr CreatorRow kImageBox = {kKindImageBox, kImageBoxClassName, WS_EX_CLIENTEDGE, kChildStyle | 0x0E,
    COLOR_BTNFACE, false, false, false, false, false, false, false, 0, false,
    RegisterImageBoxClass};
constexpr CreatorRow kCalendar = {kKindCalendar, MONTHCAL_CLASSA, WS_EX_CLIENTEDGE, kChildStyle,
    COLOR_BTNSHADOW, true, true, true, true, true, false, true, kBarAndDateClasses, true,
    nullptr, nullptr, AddClassDoubleClicks, ClearBackgroundAndUseArrow};
constexpr CreatorRow kTrackBar = {kKindTrackBar, TRACKBAR_CLASSA, 0, kChildStyle | TBS_AUTOTICKS,
    COLOR_BTNSHADOW, true, false, false, false, false, false, true, ICC_BAR_CLASSES, true,
    nullptr, SetTrackBarTicks, AddClassDoubleClicks};
constexpr CreatorRow kProgressBar = {kKindProgressBar, PROGRESS_CLASSA, 0, kChildStyle,
    COLOR_BTNFACE, false, false, true, false, false, false, true, 0, true,
    nullptr, nullptr, AddClassDoubleClicks, ShowOneProgressStep};
constexpr CreatorRow kStatusBar = {kKindStatusBar, STATUSCLASSNAMEA, 0, kStatusStyle,
    COLOR_BTNFACE, false, true, true, true, false, false, true, kBarAndDateClasses, true,
    nullptr, nullptr, nullptr, ClearBackgroundAndUseArrow};
// clang-format on

void InitialiseCommonControls(const CreatorRow& row) {
  if (row.commonControlClasses != 0) {
    INITCOMMONCONTROLSEX init{sizeof(init), row.commonControlClasses};
    ::InitCommonControlsEx(&init);
  }
  if (row.initCommonControls) ::InitCommonControls();
}

// The window gets its record as its child identifier once it exists: what
// it handles while it is being made is not yet the designer's business (the
// standard kinds' thunks are not installed yet either).
HWND MakeWindow(const CreatorRow& row, HWND parent, int x, int y, int width, int height, const char* text) {
  HMENU identifier = nullptr;
  HINSTANCE host = ::GetModuleHandleA(nullptr);
  if (row.kind == kKindTimer) {
    // A timer is its picture's size whatever was drawn; the record keeps the drawn size.
    return ::CreateWindowExA(row.exStyle, row.className, nullptr, row.style, x, y, kTimerSize, kTimerSize, parent,
                             identifier, host, nullptr);
  }
  if (row.kind == kKindStatusBar) {
    // As CreateStatusWindowA makes it; its 32-bit identifier could not hold
    // the record's address on Win64.
    return ::CreateWindowExA(0, row.className, text, row.style, 0, 0, 0, 0, parent, identifier, host, nullptr);
  }
  const char* title = row.kind == kKindFileListBox ? nullptr : text;
  return ::CreateWindowExA(row.exStyle, row.className, title, row.style, x, y, width, height, parent, identifier,
                           host, nullptr);
}

HWND CreateDesignControl(const CreatorRow& row, HWND parent, int x, int y, int width, int height,
                         const char* name) {
  // A window's title must fit 16 bits of length, or the window is not made:
  // the control takes as much of its name as a record field keeps.
  char text[kTextFieldSize];
  CopyText(text, name != nullptr ? name : "");
  InitialiseCommonControls(row);
  if (row.beforeWindow != nullptr) row.beforeWindow(nullptr, parent);
  auto* record = win::AllocateRecord<ControlRecord>();
  if (record == nullptr) return nullptr;
  record->hPopupMenu = win::ToHandle32(BuildControlContextMenu());
  record->hParent = win::ToHandle32(parent);
  record->settled = 1;
  record->kind = row.kind;
  record->left = x;
  record->top = y;
  record->width = width;
  record->height = height;
  record->backColour = ::GetSysColor(row.colourIndex);
  if (row.brush16) record->hBackBrush = kButtonFaceBrushValue;
  ComposeHandleName(text, record->handleName);
  if (row.caption) CopyText(record->caption, text);

  HWND window = MakeWindow(row, parent, x, y, width, height, text);
  if (window == nullptr) {
    ::DestroyMenu(win::FromHandle32<HMENU>(record->hPopupMenu));
    win::FreeRecord(record);
    return nullptr;
  }
  ::SetWindowLongPtrA(window, GWLP_ID, reinterpret_cast<LONG_PTR>(record));
  RegisterDesignControl(window);
  if (row.beforeHook != nullptr) row.beforeHook(window, parent);
  if (row.subclassed) SubclassControl(window, row.kind);
  if (row.afterHook != nullptr) row.afterHook(window, parent);
  if (row.text) ::SetWindowTextA(window, text);  // through the thunk: caption is read back
  if (row.afterText != nullptr) row.afterText(window, parent);
  if (row.fontAndStyles) {
    record->hFont = win::ToHandle32(SetControlFont(window, kControlFontFace, kControlFontHeight, 0,
                                                   kControlFontWeight));
    record->exStyle = static_cast<std::uint32_t>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
    record->style = static_cast<std::uint32_t>(::GetWindowLongPtrA(window, GWL_STYLE));
    record->classStyle = static_cast<std::uint32_t>(::GetClassLongPtrA(window, GCL_STYLE));
  }
  if (row.topmost) {
    // WS_EX_TOPMOST cannot be set with SetWindowLongPtrA; SetWindowPos sets
    // it, and the control stays above the siblings that lack it.
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (row.kind == kKindTimer) {
    ::SetWindowLongPtrA(window, win::ExtraSlot(0), reinterpret_cast<LONG_PTR>(TimerPatternBrush(parent)));
  }
  if (row.repaint) win::RepaintNow(window);
  return window;
}

}  // namespace
}  // namespace kelp

#define KELP_CREATOR(name, row)                                                                 \
  extern "C" HWND KELP_API name(HWND parent, int x, int y, int width, int height, LPCSTR text) { \
    return kelp::CreateDesignControl(kelp::row, parent, x, y, width, height, text);              \
  }

KELP_CREATOR(CreateStaticWin, kLabel)
KELP_CREATOR(CreateEditWin, kTextBox)
KELP_CREATOR(CreateButtonWin, kButton)
KELP_CREATOR(CreateCheckBoxWin, kCheckBox)
KELP_CREATOR(CreateRadioBoxWin, kOptionButton)
KELP_CREATOR(CreateComboBoxWin, kComboBox)
KELP_CREATOR(CreateListBoxWin, kListBox)
KELP_CREATOR(CreateHScrollBarWin, kHScrollBar)
KELP_CREATOR(CreateVScrollBarWin, kVScrollBar)
KELP_CREATOR(CreateTimerWin, kTimer)
KELP_CREATOR(CreateDriveListBoxWin, kDriveListBox)
KELP_CREATOR(CreateDirListBoxWin, kDirListBox)
KELP_CREATOR(CreateFileListBoxWin, kFileListBox)
KELP_CREATOR(CreateImageBoxWin, kImageBox)
KELP_CREATOR(CreateCalWin, kCalendar)
KELP_CREATOR(CreateTrackBarWin, kTrackBar)
KELP_CREATOR(CreateProgressWin, kProgressBar)
KELP_CREATOR(CreateStatusWin, kStatusBar)

// The group box takes a seventh argument, which it does not use (the form
// designer passes the address of the current tool).
extern "C" HWND KELP_API CreateGroupBoxWin(HWND parent, int x, int y, int width, int height, LPCSTR text,
                                           const DWORD* /*unused*/) {
  return kelp::CreateDesignControl(kelp::kGroupBox, parent, x, y, width, height, text);
}
