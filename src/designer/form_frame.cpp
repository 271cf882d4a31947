// The form's frame window (ClientForm_Class): the MDI child that holds the
// back panel, scrolls it in 5-pixel steps and resizes it through three
// markers drawn beside its right edge, bottom edge and corner.
#include <windowsx.h>

#include <algorithm>

#include "controls/context_menus.h"
#include "core/form_geometry.h"
#include "core/form_names.h"
#include "core/text.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/repaint.h"
#include "win/records.h"

namespace kelp {
namespace {

constexpr DWORD kFrameExStyle = WS_EX_WINDOWEDGE | WS_EX_MDICHILD;
constexpr DWORD kFrameStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                              WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                              WS_VSCROLL | WS_HSCROLL;
static_assert(kFrameStyle == 0x56FF0000);
constexpr int kFrameX = 20, kFrameY = 20, kFrameWidth = 300, kFrameHeight = 250;

constexpr DWORD kBackPanelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                  WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                  WS_MAXIMIZEBOX;
static_assert(kBackPanelStyle == 0x56CF0000);
constexpr int kBackPanelX = 7, kBackPanelY = 7, kBackPanelWidth = 350, kBackPanelHeight = 250;

constexpr int kFormIconId = 500;
constexpr COLORREF kMarkerColour = 0x00AA0000;  // dark blue
const auto kButtonFaceBrush = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

// While a marker is dragged the cursor stays below the frame's caption
// (bottom marker) or right of its left border (right marker).
constexpr int kBottomDragTopInset = 28;
constexpr int kRightDragLeftInset = 15;

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT ScreenRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

RECT ClientToScreenRect(HWND window, const Rect& rect) {
  RECT screen = ToRECT(rect);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&screen), 2);
  return screen;
}

void ResetSizing() {
  gFormDesigner.sizingMode = SizingMode::kNone;
  gFormDesigner.sizingCursor = ::LoadCursorA(nullptr, IDC_ARROW);
}

void UpdateScrollBars(HWND frame, int clientWidth, int clientHeight) {
  const FormRecord* form = FormRecordOf(frame);
  if (form == nullptr || form->backPanel == nullptr) return;
  const RECT panel = PanelRectInFrame(frame, form->backPanel);

  const ScrollRange vertical = ScrollRangeFor(panel.bottom - panel.top, panel.top, clientHeight,
                                              ::GetSystemMetrics(SM_CYVSCROLL));
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_PAGE, 0, vertical.max, vertical.page, 0, 0};
  ::SetScrollInfo(frame, SB_VERT, &info, TRUE);

  const ScrollRange horizontal = ScrollRangeFor(panel.right - panel.left, panel.left, clientWidth,
                                                ::GetSystemMetrics(SM_CYHSCROLL));
  info = {sizeof(info), SIF_RANGE | SIF_PAGE, 0, horizontal.max, horizontal.page, 0, 0};
  ::SetScrollInfo(frame, SB_HORZ, &info, TRUE);
}

void UpdateScrollBarsForClient(HWND frame) {
  RECT client{};
  ::GetClientRect(frame, &client);
  UpdateScrollBars(frame, client.right, client.bottom);
}

// Hovering or pressing on an active marker picks its sizing mode and cursor;
// elsewhere the mode stays as it was.
void HitTestMarkers(const FormRecord& form) {
  struct Candidate {
    const RECT* rect;
    SizingMode mode;
    LPCSTR cursor;
  };
  const Candidate candidates[] = {{&form.rightMarker, SizingMode::kRight, IDC_SIZEWE},
                                  {&form.cornerMarker, SizingMode::kCorner, IDC_SIZENWSE},
                                  {&form.bottomMarker, SizingMode::kBottom, IDC_SIZENS}};
  for (const Candidate& candidate : candidates) {
    if (CursorInRect(candidate.rect)) {
      gFormDesigner.sizingCursor = ::LoadCursorA(nullptr, candidate.cursor);
      ::SetCursor(gFormDesigner.sizingCursor);
      gFormDesigner.sizingMode = candidate.mode;
      return;
    }
  }
}

// Frees the form's two records and forgets them, so that late messages find nothing.
void FreeFormRecords(HWND frame) {
  win::FreeRecord(FormControlRecord(frame));
  win::FreeRecord(FormRecordOf(frame));
  win::SetWindowPointer<ControlRecord>(frame, kFrameControlRecordSlot, nullptr);
  win::SetWindowPointer<FormRecord>(frame, kFrameFormRecordSlot, nullptr);
}

void ForgetForm(HWND frame) {
  auto& forms = gFormDesigner.forms;
  forms.erase(std::remove(forms.begin(), forms.end(), frame), forms.end());
}

LRESULT Frame_OnCreate(HWND frame) {
  auto* record = win::AllocateRecord<ControlRecord>();
  auto* form = win::AllocateRecord<FormRecord>(kFormRecordBytes);
  if (record == nullptr || form == nullptr) {
    win::FreeRecord(record);
    win::FreeRecord(form);
    return -1;
  }
  CopyText(record->caption, gFormDesigner.formName);
  ComposeHandleName(gFormDesigner.formName, record->handleName);
  record->kind = kKindForm;
  // The MDI form stands for the frame its children open in: it shows the
  // colour of an MDI client's empty space.
  record->backColour = ::GetSysColor(gFormDesigner.openingMdiForm ? COLOR_APPWORKSPACE : COLOR_BTNFACE);
  win::SetWindowPointer(frame, kFrameControlRecordSlot, record);

  form->rememberedWindow = frame;
  form->rememberedKind = kKindForm;
  form->number = gFormDesigner.formNumber;
  form->projectNumber = gFormDesigner.projectNumber;
  form->mdiForm = gFormDesigner.openingMdiForm ? 1 : 0;
  win::SetWindowPointer(frame, kFrameFormRecordSlot, form);
  gFormDesigner.forms.push_back(frame);
  NoteFormChangedByHost(frame);  // read once it is built

  // Only the newest form's menu is ever shown, so the previous one goes.
  if (gWorkspace.formContextMenu != nullptr) ::DestroyMenu(gWorkspace.formContextMenu);
  gWorkspace.formContextMenu = BuildFormContextMenu();

  if (gWorkspace.formsFolderItem == nullptr) {
    SendToWorkspaceWindow(gWorkspace.projectWindow, PRJ_ADDPROJECT,
                          reinterpret_cast<WPARAM>(gFormDesigner.formTitle), 0);
  }
  SendToWorkspaceWindow(gWorkspace.projectWindow, PRJ_ADDFORM,
                        reinterpret_cast<WPARAM>(gFormDesigner.formName),
                        reinterpret_cast<LPARAM>(frame));

  form->backPanel = CreateClassWindow(0, kBackPanelStyle, kBackPanelClassName, gFormDesigner.formName,
                                      kBackPanelX, kBackPanelY, kBackPanelWidth, kBackPanelHeight,
                                      BackPanelProc, gFormDesigner.formIcon, kButtonFaceBrush,
                                      gFormDesigner.formInstance, frame);
  form->frame = frame;
  SelectForm(frame);
  return 0;
}

void Frame_OnPaint(HWND frame) {
  win::PaintDc dc(frame);
  FormRecord* form = FormRecordOf(frame);
  if (form == nullptr || form->backPanel == nullptr) return;
  const ResizeMarkers markers = MarkersAround(FromRECT(PanelRectInFrame(frame, form->backPanel)));
  const win::Brush blue = win::SolidBrush(kMarkerColour);
  for (const Rect& hollow : markers.hollow) {
    const RECT r = ToRECT(hollow);
    ::FrameRect(dc, &r, blue.Get());
  }
  for (const Rect* active : {&markers.right, &markers.corner, &markers.bottom}) {
    const RECT r = ToRECT(*active);
    ::FillRect(dc, &r, blue.Get());
  }
  form->rightMarker = ClientToScreenRect(frame, WidenRightMarker(markers.right));
  form->cornerMarker = ClientToScreenRect(frame, WidenLowerMarker(markers.corner));
  form->bottomMarker = ClientToScreenRect(frame, WidenLowerMarker(markers.bottom));
}

void Frame_OnMouseMove(HWND frame, WPARAM keys) {
  FormRecord* form = FormRecordOf(frame);
  if (form == nullptr) return;
  ::GetCursorPos(&form->cursorPosition);
  HitTestMarkers(*form);
  const SizingMode mode = gFormDesigner.sizingMode;
  if (keys != MK_LBUTTON || mode == SizingMode::kNone) return;

  RECT& panel = form->panelAtPress;
  if (mode == SizingMode::kRight || mode == SizingMode::kCorner) panel.right = form->cursorPosition.x;
  if (mode == SizingMode::kBottom || mode == SizingMode::kCorner) panel.bottom = form->cursorPosition.y;
  ::SetWindowPos(form->backPanel, nullptr, 0, 0, panel.right - panel.left, panel.bottom - panel.top,
                 SWP_NOMOVE | SWP_NOACTIVATE);
  win::RepaintNow(frame);
  if (mode != SizingMode::kBottom) win::RepaintNow(form->backPanel);
  UpdateScrollBarsForClient(frame);
}

void Frame_OnLButtonDown(HWND frame) {
  FormRecord* form = FormRecordOf(frame);
  if (form == nullptr) return;
  DeselectUnless(frame);
  ResetSizing();
  form->rememberedWindow = frame;
  form->rememberedKind = kKindForm;
  ::SendMessageA(frame, WM_SETFOCUS, 0, 0);
  SelectInProject(frame);

  ::GetWindowRect(form->backPanel, &form->panelAtPress);
  RECT clip{};
  ::GetWindowRect(frame, &clip);
  HitTestMarkers(*form);
  RECT desktop{};
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  if (gFormDesigner.sizingMode == SizingMode::kBottom) {
    clip = {clip.left, clip.top + kBottomDragTopInset, desktop.right, desktop.bottom};
  } else if (gFormDesigner.sizingMode == SizingMode::kRight) {
    clip = {clip.left + kRightDragLeftInset, clip.top, desktop.right, desktop.bottom};
  }
  ::SetCapture(frame);
  ::SetCursor(gFormDesigner.sizingCursor);
  ::ClipCursor(&clip);
}

void Frame_OnLButtonUp(HWND frame) {
  const bool sizing = gFormDesigner.sizingMode != SizingMode::kNone;
  // A release whose press went elsewhere (a control's drag that lost the
  // mouse) takes nobody's capture.
  if (::GetCapture() == frame) ::ReleaseCapture();
  ResetSizing();
  ::ClipCursor(nullptr);
  const FormRecord* form = FormRecordOf(frame);
  ControlRecord* record = FormControlRecord(frame);
  if (form == nullptr || record == nullptr) return;
  RECT panel{};
  ::GetWindowRect(form->backPanel, &panel);
  const bool resized = record->width != panel.right - panel.left || record->height != panel.bottom - panel.top;
  record->width = panel.right - panel.left;
  record->height = panel.bottom - panel.top;
  ShowPropertiesOfSelectedForm(frame);
  if (sizing && resized) ReportChange(kChangeFormResized, frame);
}

// The frame is moved or sized by its caption or border in a loop of the
// system's; what it did is known when the loop ends, or, where the outline
// alone follows the mouse (Wine without full-window dragging), once the
// frame is put where the outline was, just after the loop.
void Frame_OnEnterSizeMove(HWND frame) { gFormDesigner.frameBeforeMove = ScreenRect(frame); }

bool ReportSizeMove(HWND frame) {
  const RECT before = gFormDesigner.frameBeforeMove;
  const RECT after = ScreenRect(frame);
  if (after.right - after.left != before.right - before.left || after.bottom - after.top != before.bottom - before.top) {
    ReportChange(kChangeFormResized, frame);
    return true;
  }
  if (after.left != before.left || after.top != before.top) {
    ReportChange(kChangeFormMoved, frame);
    return true;
  }
  return false;
}

void Frame_OnExitSizeMove(HWND frame) {
  if (!ReportSizeMove(frame)) ::PostMessageA(frame, kFrameSizeMoveEnded, 0, 0);
}

// Returns false for the scroll codes that default processing handles.
bool Frame_OnScroll(HWND frame, int bar, int code) {
  FormRecord* form = FormRecordOf(frame);
  if (form == nullptr) return false;
  const bool vertical = bar == SB_VERT;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_TRACKPOS;
  ::GetScrollInfo(frame, bar, &info);
  std::int32_t& position = vertical ? form->verticalPosition : form->horizontalPosition;
  ScrollMove move{};
  switch (code) {
    case SB_LINEUP:
      move = ScrollLineUp(position);
      break;
    case SB_LINEDOWN:
      move = ScrollLineDown(position, info.nMax, info.nPage,
                            vertical ? LineDownLimit::kInclusive : LineDownLimit::kExclusive);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      move = ScrollThumbTo(position, info.nTrackPos);
      break;
    default:
      return false;
  }
  position = move.position;
  ::SetScrollPos(frame, bar, position, TRUE);
  if (move.scrollBy != 0) {
    ::ScrollWindow(frame, vertical ? 0 : move.scrollBy, vertical ? move.scrollBy : 0, nullptr, nullptr);
  }
  return true;
}

LRESULT Frame_OnSetFocus(HWND frame) {
  SelectForm(frame);
  win::RepaintNow(frame);
  // Draw the back panel's caption active: the form looks focused as a whole.
  const FormRecord* form = FormRecordOf(frame);
  return form != nullptr ? ::DefWindowProcA(form->backPanel, WM_NCACTIVATE, TRUE, 0) : 0;
}

// A press on the frame's caption or border brings back what was last
// selected inside the form, then moves or sizes the frame as usual.
void Frame_OnNcLButtonDown(HWND frame) {
  const FormRecord* form = FormRecordOf(frame);
  if (form == nullptr) return;
  DeselectUnless(nullptr);
  ::SendMessageA(frame, WM_NCACTIVATE, TRUE, TRUE);
  RecordSelection(form->rememberedWindow, form->rememberedKind);
  ::SendMessageA(form->rememberedWindow, WM_SETFOCUS, 0, 0);
  ShowPropertiesOf(form->rememberedWindow, form->rememberedKind);
  SelectInProject(frame);
}

}  // namespace

void RecomputeFormScrollBars(HWND frame) { UpdateScrollBarsForClient(frame); }

void SizeFormPanel(HWND frame, int width, int height) {
  const FormRecord* form = FormRecordOf(frame);
  if (form == nullptr || form->backPanel == nullptr) return;
  ::SetWindowPos(form->backPanel, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT panel{};
  ::GetWindowRect(form->backPanel, &panel);
  if (ControlRecord* record = FormControlRecord(frame)) {
    record->width = panel.right - panel.left;
    record->height = panel.bottom - panel.top;
  }
  win::RepaintNow(frame);
  UpdateScrollBarsForClient(frame);
}

HWND OpenForm(HINSTANCE formInstance, HWND mdiClient, const FormOpening& opening) {
  gWorkspace.mdiClient = mdiClient;
  gFormDesigner.formInstance = formInstance;
  gFormDesigner.formIcon = ::LoadIconA(gWorkspace.libraryInstance, MAKEINTRESOURCEA(kFormIconId));
  gFormDesigner.formNumber = opening.number;
  gFormDesigner.projectNumber = opening.projectNumber;
  gFormDesigner.openingMdiForm = opening.mdi;
  CopyText(gFormDesigner.formName, opening.name != nullptr ? opening.name : "");
  CopyText(gFormDesigner.formTitle, opening.title != nullptr ? opening.title : "");

  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof(frameClass);
  frameClass.lpfnWndProc = FormFrameProc;
  frameClass.cbClsExtra = 20;
  frameClass.cbWndExtra = 20;
  frameClass.hInstance = formInstance;
  frameClass.hIcon = gFormDesigner.formIcon;
  frameClass.hIconSm = gFormDesigner.formIcon;
  frameClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  frameClass.hbrBackground = kButtonFaceBrush;
  frameClass.lpszClassName = kFrameClassName;
  ::RegisterClassExA(&frameClass);

  const DWORD style = opening.hidden ? kFrameStyle & ~static_cast<DWORD>(WS_VISIBLE) : kFrameStyle;
  const RECT& place = opening.place;
  const bool placed = place.right > place.left && place.bottom > place.top;
  HWND frame = ::CreateWindowExA(kFrameExStyle, kFrameClassName, gFormDesigner.formTitle, style,
                                 placed ? place.left : kFrameX, placed ? place.top : kFrameY,
                                 placed ? place.right - place.left : kFrameWidth,
                                 placed ? place.bottom - place.top : kFrameHeight, mdiClient, nullptr, formInstance,
                                 nullptr);
  gFormDesigner.openingMdiForm = false;
  if (frame == nullptr) return nullptr;
  // The frame's client area around the back panel is white. The stock brush
  // stays valid for as long as frames exist.
  ::SetClassLongPtrA(frame, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(::GetStockObject(WHITE_BRUSH)));
  return frame;
}

LRESULT CALLBACK FormFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (Frame_OnCreate(frame) != 0) return -1;
      break;
    case WM_CLOSE:
      ::ShowWindow(frame, SW_HIDE);  // a form is never destroyed by closing it
      return 0;
    case WM_PAINT:
      Frame_OnPaint(frame);
      return 0;
    case WM_MOUSEMOVE:
      Frame_OnMouseMove(frame, wParam);
      break;
    case WM_LBUTTONDOWN:
      Frame_OnLButtonDown(frame);
      break;
    case WM_LBUTTONUP:
      Frame_OnLButtonUp(frame);
      return 0;
    case WM_SIZE:
      UpdateScrollBars(frame, LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Frame_OnScroll(frame, message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam))) return 0;
      break;
    case WM_SETFOCUS:
      return Frame_OnSetFocus(frame);
    case WM_NCLBUTTONDOWN:
      Frame_OnNcLButtonDown(frame);
      break;
    case WM_MOVE:
      win::RepaintNow(frame);
      break;
    case WM_ENTERSIZEMOVE:
      Frame_OnEnterSizeMove(frame);
      break;
    case WM_EXITSIZEMOVE:
      Frame_OnExitSizeMove(frame);
      break;
    case kFrameSizeMoveEnded:
      ReportSizeMove(frame);
      return 0;
    case WM_KEYDOWN:
      if (OnDesignKey(frame, static_cast<UINT>(wParam))) return 0;
      break;
    case kRefreshFormHistory:
      RefreshFormHistory(frame);
      return 0;
    case WM_NCDESTROY:
      ForgetFormHistory(frame);
      ForgetForm(frame);
      FreeFormRecords(frame);
      break;
    default:
      break;
  }
  return ::DefMDIChildProcA(frame, message, wParam, lParam);
}

}  // namespace kelp

using kelp::gFormDesigner;
using kelp::gWorkspace;

extern "C" HWND KELP_API CreateFormWin(HINSTANCE formInstance, HWND /*owner*/, HWND mdiClient,
                                       DWORD projectNumber) {
  gWorkspace.formCounter += 1;
  char name[kelp::kTextFieldSize];
  char title[kelp::kTextFieldSize];
  kelp::ComposeFormName(gWorkspace.formCounter, name);
  kelp::ComposeFormTitle(projectNumber, gWorkspace.formCounter, title);
  HWND frame = kelp::OpenForm(formInstance, mdiClient, {gWorkspace.formCounter, projectNumber, name, title, false});
  if (frame == nullptr) gWorkspace.formCounter -= 1;  // nothing was created, so the number stays free
  return frame;
}
