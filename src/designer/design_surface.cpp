// The design surface (Form_Class): the dotted drawing area of a form, which
// always fills the back panel. A drag with a tool draws a rubber band and
// places a control in it; the surface also offers the form's context menu,
// pastes, colours its controls and keeps status bars docked.
#include <windowsx.h>

#include "controls/design_control.h"
#include "core/surface_grid.h"
#include "designer/code_generation.h"
#include "designer/drag_frame.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "designer/grab_handles.h"
#include "designer/placement.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/workspace.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/records.h"
#include "win/repaint.h"

namespace kelp {
namespace {

constexpr COLORREF kGridDotColour = RGB(0, 0, 0);
// Brush values 1..31 name a system colour (index + 1), as window classes and
// FillRect accept them; anything larger is a brush handle.
constexpr Handle32 kLastSystemColourBrushValue = COLOR_MENUBAR + 1;

// Where the mouse was when the message being handled happened: the cursor
// may have moved on since, and a group box forwards its own presses here.
POINT CursorInClient(HWND window) {
  const DWORD position = ::GetMessagePos();
  POINT cursor = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ::ScreenToClient(window, &cursor);
  return cursor;
}

// The band is drawn and erased in pairs, so no stray outline is ever left.
void ShowBand(HWND surface, bool show) {
  if (show == gFormDesigner.bandShown) return;
  DrawDragFrame(surface, gFormDesigner.dragRectangle, show ? kDrawAndRemember : kDrawOnly);
  gFormDesigner.bandShown = show;
}

HCURSOR PlacingCursor() { return ::LoadCursorA(nullptr, IDC_CROSS); }

void ActivateFrameCaption(HWND frame) { ::SendMessageA(frame, WM_NCACTIVATE, TRUE, TRUE); }

void Surface_OnCreate(HWND surface) {
  FormRecord* form = FormRecordOf(FrameOfSurface(surface));
  if (form != nullptr) form->surface = surface;
  CreatePlacementRecord(surface);
}

// Frees the placement record and the form's two records. Only a host sends
// this; the form cannot be used afterwards.
void Surface_OnClose(HWND surface) {
  HWND frame = FrameOfSurface(surface);
  FreePlacementRecord(surface);
  win::FreeRecord(FormRecordOf(frame));
  win::FreeRecord(FormControlRecord(frame));
  win::SetWindowPointer<FormRecord>(frame, kFrameFormRecordSlot, nullptr);
  win::SetWindowPointer<ControlRecord>(frame, kFrameControlRecordSlot, nullptr);
}

void Surface_OnPaint(HWND surface) {
  win::PaintDc paint(surface);
  RECT client{};
  ::GetClientRect(surface, &client);
  const ControlRecord* form = FormControlRecord(FrameOfSurface(surface));
  const COLORREF back = form != nullptr ? form->backColour : ::GetSysColor(COLOR_BTNFACE);

  win::OffscreenBuffer buffer(paint, client.right, client.bottom);
  const win::Brush backBrush = win::SolidBrush(back);
  ::FillRect(buffer, &client, backBrush.Get());
  ForEachGridDot(client.right, client.bottom, [&](int x, int y) { ::SetPixel(buffer, x, y, kGridDotColour); });
  DrawGroupMarks(surface, buffer);
  const RECT& dirty = paint.PaintRect();
  ::BitBlt(paint, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, buffer, dirty.left,
           dirty.top, SRCCOPY);
  // The paint covered the band; it is no longer on screen.
  gFormDesigner.bandShown = false;
}

void Surface_OnLButtonDown(HWND surface) {
  HWND frame = FrameOfSurface(surface);
  FocusFormForKeys(frame);
  if (FormRecord* form = FormRecordOf(frame)) {
    form->rememberedWindow = frame;
    form->rememberedKind = kKindForm;
  }
  SelectInProject(frame);
  ::SetCapture(surface);
  DeselectUnless(surface);
  RecordSelection(frame, kKindForm);
  ShowPropertiesOf(frame, kKindForm);
  win::RepaintNow(frame);
  ActivateFrameCaption(frame);
  if (gFormDesigner.dragCursor == nullptr) gFormDesigner.dragCursor = PlacingCursor();
  ::SetCursor(gWorkspace.currentTool == kToolPointer ? ::LoadCursorA(nullptr, IDC_ARROW)
                                                     : gFormDesigner.dragCursor);
  const POINT at = CursorInClient(surface);
  gFormDesigner.dragRectangle = {at.x, at.y, at.x, at.y};
  gFormDesigner.bandShown = false;
  ShowBand(surface, true);
  gFormDesigner.buttonDown = true;
  gFormDesigner.moved = false;
  ActivateFrameCaption(frame);
}

void Surface_OnMouseMove(HWND surface, WPARAM keys) {
  if (gWorkspace.currentTool != kToolPointer) {
    gFormDesigner.dragCursor = PlacingCursor();
    ::SetCursor(gFormDesigner.dragCursor);
  }
  if (!gFormDesigner.buttonDown) return;
  gFormDesigner.moved = true;
  ShowBand(surface, false);
  const POINT at = CursorInClient(surface);
  gFormDesigner.dragRectangle.right = at.x;
  gFormDesigner.dragRectangle.bottom = at.y;
  if (keys & MK_LBUTTON) ShowBand(surface, true);
}

void Surface_OnLButtonUp(HWND surface) {
  HWND frame = FrameOfSurface(surface);
  const bool wasDown = gFormDesigner.buttonDown;
  gFormDesigner.buttonDown = false;
  ShowBand(surface, false);
  ::ReleaseCapture();
  gFormDesigner.dragCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  ::SetCursor(gFormDesigner.dragCursor);
  // A release whose press went elsewhere (or was swallowed) ends nothing
  // here and selects nothing.
  if (!wasDown) return;
  if (!gFormDesigner.moved) {  // a click selects the form
    ActivateFrameCaption(frame);
    ShowGrabHandles(nullptr, kGrabHandlesRemove);
    gWorkspace.selectedWindow = frame;
    return;
  }
  gFormDesigner.moved = false;
  // Either corner may be where the drag began. Compared signed, so a drag
  // that leaves the surface to the left or top still gives the rectangle the
  // user drew.
  RECT band = gFormDesigner.dragRectangle;
  if (band.left >= band.right) std::swap(band.left, band.right);
  if (band.top >= band.bottom) std::swap(band.top, band.bottom);
  if (band.right - band.left <= 1 || band.bottom - band.top <= 1) {
    ShowPropertiesOfSelectedForm(frame);
    ActivateFrameCaption(frame);
    win::RepaintNow(frame);
    return;
  }
  if (HostWants(kOptionDesignTools) && gWorkspace.currentTool == kToolPointer) {
    SelectByBand(surface, band);
    return;
  }
  gFormDesigner.previousSelection = gWorkspace.selectedWindow;
  win::RepaintNow(frame);
  if (HWND drawn = PlaceControl(surface, band.left, band.top, band.right - band.left, band.bottom - band.top)) {
    ReportChange(kChangeControlDrawn, drawn);
  }
}

void Surface_OnRButtonDown(HWND surface) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(gWorkspace.formContextMenu, 0, cursor.x, cursor.y, 0, surface, nullptr);
}

void Surface_OnSize(HWND surface) {
  RECT panelClient{};
  ::GetClientRect(::GetParent(surface), &panelClient);
  ::SetWindowPos(surface, nullptr, 0, 0, panelClient.right, panelClient.bottom, SWP_NOMOVE);
  if (NameTable* statusBars = NameTableOf(surface, kKindStatusBar)) {
    for (NameTable::Owner owner : statusBars->Owners()) RedockStatusBar(reinterpret_cast<HWND>(owner));
  }
}

// A real brush for the control's background colour.
HBRUSH BackgroundBrush(const ControlRecord& record) {
  if (record.hBackBrush > kLastSystemColourBrushValue) return win::FromHandle32<HBRUSH>(record.hBackBrush);
  if (record.hBackBrush != 0) return ::GetSysColorBrush(static_cast<int>(record.hBackBrush) - 1);
  const int index = SysColorIndex(record.backColour);
  return index >= 0 ? ::GetSysColorBrush(index) : nullptr;
}

LRESULT Surface_OnControlColour(HWND surface, UINT message, HDC dc, HWND control) {
  const ControlRecord* record = RecordOfControl(control);
  if (record == nullptr) return ::DefWindowProcA(surface, message, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control));
  ::SetTextColor(dc, record->foreColour);
  ::SetBkColor(dc, record->backColour);
  if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORLISTBOX) {
    if (HBRUSH brush = BackgroundBrush(*record)) return reinterpret_cast<LRESULT>(brush);
  } else if (record->hBackBrush > kLastSystemColourBrushValue) {
    return reinterpret_cast<LRESULT>(win::FromHandle32<HBRUSH>(record->hBackBrush));
  } else if (record->hBackBrush != 0) {
    return static_cast<LRESULT>(record->hBackBrush);  // a system colour value, as FillRect takes it
  }
  // No colour of its own: the control's default background.
  return ::DefWindowProcA(surface, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT Surface_OnCommand(HWND surface, WPARAM wParam, LPARAM lParam) {
  switch (wParam) {
    case IDM_PASTE:
      // With the designer's tools there is one clipboard: what the keys, the
      // Edit menu or a control's "&Copy" copied.
      if (HostWants(kOptionDesignTools) && HasCopiedControls()) {
        PasteCopied(FrameOfSurface(surface));
      } else if (HWND pasted = PasteControl(surface)) {
        ReportChange(kChangeControlPasted, pasted);
      }
      return 0;
    case IDM_VIEWCODE:
      ShowFormCode(surface);
      return 0;
    default:
      return ::DefWindowProcA(surface, WM_COMMAND, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK DesignSurfaceProc(HWND surface, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Surface_OnCreate(surface);
      return 0;
    case WM_CLOSE:
      Surface_OnClose(surface);
      return 0;
    case WM_NCDESTROY:
      FreePlacementRecord(surface);
      break;
    case WM_PAINT:
      Surface_OnPaint(surface);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_LBUTTONDOWN:
      Surface_OnLButtonDown(surface);
      break;
    case WM_MOUSEMOVE:
      Surface_OnMouseMove(surface, wParam);
      break;
    case WM_LBUTTONUP:
      Surface_OnLButtonUp(surface);
      return 0;
    case WM_RBUTTONDOWN:
      Surface_OnRButtonDown(surface);
      return 0;
    case WM_LBUTTONDBLCLK:
      ShowFormCode(surface);
      return 0;
    case WM_COMMAND:
      return Surface_OnCommand(surface, wParam, lParam);
    case IDM_COPY:
      gFormDesigner.copiedControl = reinterpret_cast<HWND>(lParam);
      return 0;
    case FWM_CONTROLDELETED:
      ForgetControl(surface, reinterpret_cast<HWND>(wParam), static_cast<std::uint32_t>(lParam));
      return 0;
    case WM_SIZE:
      Surface_OnSize(surface);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return Surface_OnControlColour(surface, message, reinterpret_cast<HDC>(wParam),
                                     reinterpret_cast<HWND>(lParam));
    default:
      break;
  }
  return ::DefWindowProcA(surface, message, wParam, lParam);
}

}  // namespace kelp
