// The properties window (KelpProperty_Class): lays out the object box, the
// property list and the description panel, owner-draws the list's rows, and
// rebuilds the rows whenever the designer selects another object.
#include <windowsx.h>

#include "controls/design_control.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "entry/messages.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "properties/properties.h"

namespace kelp {

PropertiesState gProperties;

// A target that is not what the selected kind says it is (a form's frame
// while a control's kind is selected, or the other way round) has no
// record here: its window longs would be read as the wrong one.
ControlRecord* TargetRecord() {
  HWND target = gProperties.target;
  if (target == nullptr || !::IsWindow(target)) return nullptr;
  const bool frame = IsFormFrame(target);
  if (frame != TargetIsForm()) return nullptr;
  return frame ? FormControlRecord(target) : RecordOfControl(target);
}

bool TargetIsForm() {
  return gWorkspace.selectedKind == kKindForm;
}

void ShowNoProperties() {
  CloseEditor();
  gProperties.target = nullptr;
  gProperties.group.clear();
  gProperties.rows.clear();
  if (gProperties.list == nullptr) return;
  ::SendMessageA(gProperties.list, LB_RESETCONTENT, 0, 0);
  ::InvalidateRect(gProperties.list, nullptr, TRUE);
  ::UpdateWindow(gProperties.list);
}

namespace {

constexpr DWORD kWindowExStyle = WS_EX_TOOLWINDOW;
constexpr DWORD kWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
static_assert(kWindowStyle == 0x56000000);
constexpr int kWindowX = 590, kWindowY = 150, kWindowWidth = 200, kWindowHeight = 300;
const auto kButtonFaceBrush = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

constexpr DWORD kObjectBoxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBS_DROPDOWN;
static_assert(kObjectBoxStyle == 0x56000002);
constexpr int kObjectBoxId = 3000;
constexpr int kObjectBoxWidth = 100, kObjectBoxDropHeight = 150;

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | WS_TABSTOP |
                             LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_NOTIFY;
static_assert(kListStyle == 0x54A10511);
constexpr int kListId = 800;
constexpr int kListWidth = 175, kListHeight = 275;

constexpr char kListFontFace[] = "Verdana";
constexpr int kListFontHeight = 13;

HWND CreateChild(DWORD exStyle, const char* className, DWORD style, int width, int height, HWND parent,
                 int id) {
  return ::CreateWindowExA(exStyle, className, nullptr, style, 0, 0, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), gWorkspace.libraryInstance,
                           nullptr);
}

LRESULT Window_OnCreate(HWND window) {
  gProperties.window = window;
  gProperties.objectBox = CreateChild(0, "COMBOBOX", kObjectBoxStyle, kObjectBoxWidth, kObjectBoxDropHeight,
                                      window, kObjectBoxId);
  const auto defaultFont = reinterpret_cast<WPARAM>(gWorkspace.defaultFont);
  ::SendMessageA(gProperties.objectBox, WM_SETFONT, defaultFont, static_cast<LPARAM>(defaultFont));

  // The font exists before the list: the list asks for its row height
  // (WM_MEASUREITEM) while it is being created.
  gProperties.listFont =
      ::CreateFontA(kListFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_STROKE_PRECIS,
                    CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS | DEFAULT_PITCH, kListFontFace);
  gProperties.list =
      CreateChild(WS_EX_CLIENTEDGE, "LISTBOX", kListStyle, kListWidth, kListHeight, window, kListId);
  gWorkspace.propertyList = gProperties.list;
  ::SendMessageA(gProperties.list, WM_SETFONT, reinterpret_cast<WPARAM>(gProperties.listFont), 0);
  gProperties.savedListProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(gProperties.list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PropertyListProc)));
  return 0;
}

void Window_OnSize(HWND window, int width, int height) {
  ::SetWindowPos(gProperties.objectBox, nullptr, 0, 0, width, kObjectBoxHeight, SWP_NOMOVE);
  const int listHeight = height > kPropertyListHeightMargin ? height - kPropertyListHeightMargin : 0;
  ::SetWindowPos(gProperties.list, HWND_TOP, 0, kPropertyListTop, width, listHeight, 0);
  ::InvalidateRect(window, nullptr, TRUE);
  ::UpdateWindow(window);
  ::InvalidateRect(gProperties.list, nullptr, TRUE);
  ::UpdateWindow(gProperties.list);
  ::InvalidateRect(gProperties.objectBox, nullptr, FALSE);
  ::UpdateWindow(gProperties.objectBox);
}

void Window_OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.hwndItem == gProperties.list) DrawPropertyRow(item);
}

// Kinds without a row list (the pointer, the picture box, anything unknown)
// leave the rows and the target as they were; only the editor closes.
LRESULT Window_OnShowProperties(HWND window, WPARAM wParam, LPARAM lParam) {
  // A write-back that resizes a control makes it announce itself again; the
  // rows already show it, and the editor being typed in must stay.
  if (gProperties.writingBack) return 0;
  CloseEditor();
  // The rows always describe the selected object, which is the one edited:
  // a request that names another object (a release over a form whose
  // control stays selected) must not give that control the form's rows.
  const bool another =
      gWorkspace.selectedWindow != nullptr && reinterpret_cast<HWND>(wParam) != gWorkspace.selectedWindow;
  const auto kind = another ? gWorkspace.selectedKind : static_cast<std::uint32_t>(lParam);
  if (!HasRowList(kind)) return ::DefWindowProcA(window, PWM_SHOWPROPERTIES, wParam, lParam);
  gProperties.target = gWorkspace.selectedWindow;
  gProperties.group.clear();
  if (kind != kKindForm && IsInSelectedGroup(gProperties.target)) {
    gProperties.group = SelectedGroup(FormOfDesignWindow(gProperties.target));
  }
  BuildRowList(kind);
  return 0;
}

// The window may be destroyed with its parent; nothing of it is used after.
void Window_OnNcDestroy(HWND window) {
  gProperties.editor = nullptr;
  gProperties.editorRow.reset();
  if (gWorkspace.propertiesWindow == window) gWorkspace.propertiesWindow = nullptr;
  if (gWorkspace.propertyList == gProperties.list) gWorkspace.propertyList = nullptr;
  if (gProperties.window == window) {
    if (gProperties.listFont != nullptr) ::DeleteObject(gProperties.listFont);
    gProperties.window = gProperties.objectBox = gProperties.list = gProperties.target = nullptr;
    gProperties.listFont = nullptr;
  }
}

LRESULT CALLBACK PropertiesWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Window_OnCreate(window);
      break;
    case WM_SIZE:
      Window_OnSize(window, LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_PAINT:
      PaintDescriptionPanel(window);
      return 0;
    case WM_MEASUREITEM:
      MeasurePropertyRow(window, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      Window_OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case PWM_SHOWPROPERTIES:
      return Window_OnShowProperties(window, wParam, lParam);
    case WM_NCDESTROY:
      Window_OnNcDestroy(window);
      break;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

}  // namespace kelp

extern "C" HWND KELP_API Create_Prop_Window(HWND parent) {
  using kelp::gProperties;
  HWND window = kelp::CreateClassWindow(kelp::kWindowExStyle, kelp::kWindowStyle, kelp::kPropertiesClassName,
                                        "Properties", kelp::kWindowX, kelp::kWindowY, kelp::kWindowWidth,
                                        kelp::kWindowHeight, kelp::PropertiesWindowProc, nullptr,
                                        kelp::kButtonFaceBrush, kelp::gWorkspace.hostInstance, parent);
  if (window == nullptr) return nullptr;
  gProperties.window = window;
  kelp::gWorkspace.propertiesWindow = window;
  ::SetParent(window, parent);
  return window;
}
