#include "controls/design_control.h"

#include <windowsx.h>

#include <unordered_set>

#include "core/number_format.h"
#include "core/text.h"
#include "designer/drag_frame.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "designer/grab_handles.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/workspace.h"
#include "win/colour_brushes.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/records.h"
#include "win/repaint.h"

namespace kelp {
namespace {

// One control can be dragged at a time (the mouse is captured meanwhile).
struct ControlDrag {
  RECT outline{};          // where the control would land, surface coordinates
  RECT previousOutline{};  // where the outline was last drawn
  RECT startRectangle{};   // the outline at the press
  RECT startBounds{};      // the control's window at the press, surface coordinates
  POINT lastCursor{};      // screen
  int stackingAtPress = 0;  // how many controls lay beneath it
  char savedCaption[kTextFieldSize] = {};
};

ControlDrag gDrag;

struct KeptSize {
  HWND control = nullptr;
  int width = 0;
  int height = 0;
};

KeptSize gKeptSize;

// Every live design-time control.
std::unordered_set<HWND> gDesignControls;

struct Context {
  WNDPROC classProcedure;
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;

  // Hands the message to the control's own procedure, if it has one.
  LRESULT PassOn() const {
    return classProcedure != nullptr ? ::CallWindowProcA(classProcedure, window, message, wParam, lParam) : 0;
  }
};

// Where the mouse was when the message being handled happened; the cursor
// itself may have moved on since.
POINT MessageCursor() {
  const DWORD position = ::GetMessagePos();
  return {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
}

HWND FrameOfControl(const ControlRecord& record) { return FrameOfSurface(SurfaceOfControl(record)); }

void RepaintSurfaceUnder(HWND surface, const RECT& area) {
  ::InvalidateRect(surface, &area, FALSE);
  ::UpdateWindow(surface);
}

RECT ScreenToClientRect(HWND window, RECT rect) {
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void OnPress(const Context& c, ControlRecord& record) {
  HWND surface = SurfaceOfControl(record);
  HWND frame = FrameOfControl(record);
  const bool isGroupBox = record.kind == kKindGroupBox;
  FocusFormForKeys(frame);
  // Ctrl+click adds the control to the selection or takes it out; no drag.
  if (HostWants(kOptionDesignTools) && ::GetKeyState(VK_CONTROL) < 0) {
    ToggleInSelection(frame, c.window);
    return;
  }
  DeselectUnless(c.window);
  ShowGrabHandles(c.window, kGrabHandlesRemove);
  ::SetCapture(c.window);
  gDrag.lastCursor = MessageCursor();
  RECT outline{};
  ::GetWindowRect(c.window, &outline);
  gDrag.startBounds = ScreenToClientRect(surface, outline);
  gDrag.stackingAtPress = StackingOf(c.window);
  RecordSelection(c.window, record.kind);
  ShowPropertiesOf(c.window, record.kind);
  if (!isGroupBox) {
    // Raise the control above its siblings without moving it.
    ::SetWindowPos(c.window, HWND_TOP, outline.left, outline.top, outline.right - outline.left,
                   outline.bottom - outline.top, SWP_NOMOVE | SWP_NOCOPYBITS);
  }
  ::GetWindowTextA(frame, gDrag.savedCaption, sizeof(gDrag.savedCaption));
  gDrag.outline = ScreenToClientRect(surface, outline);
  gDrag.previousOutline = gDrag.outline;
  if (!isGroupBox) {
    const bool wasSettled = record.settled == 1;
    record.settled = 0;
    if (!wasSettled) RepaintSurfaceUnder(surface, gDrag.outline);
    win::RepaintNow(c.window);
  }
  record.dragging = 1;
  // Self-drawn kinds show their red drag frame now; before the outline, so
  // the repaint cannot cover it.
  win::RepaintNow(c.window);
  DrawDragFrame(surface, gDrag.outline, kDrawAndRemember);
  gDrag.startRectangle = gDrag.outline;
  if (FormRecord* form = FormRecordOf(frame)) {
    form->rememberedWindow = c.window;
    form->rememberedKind = record.kind;
  }
}

void OnMouseMove(const Context& c, const ControlRecord& record) {
  if (record.dragging != 1) return;
  const POINT cursor = MessageCursor();
  HWND surface = SurfaceOfControl(record);
  DrawDragFrame(surface, gDrag.previousOutline, kDrawOnly);
  ::OffsetRect(&gDrag.outline, cursor.x - gDrag.lastCursor.x, cursor.y - gDrag.lastCursor.y);
  DrawDragFrame(surface, gDrag.outline, kDrawOnly);
  gDrag.previousOutline = gDrag.outline;
  gDrag.lastCursor = cursor;
  // The frame's caption shows where the control would land; not while Shift
  // or Ctrl is held (for WM_NCMOUSEMOVE, wParam 1 is HTCLIENT).
  if (c.wParam == MK_LBUTTON) {
    char caption[kTextFieldSize];
    char number[kNumberTextSize];
    CopyText(caption, gDrag.savedCaption);
    AppendText(caption, " - ");
    FormatDecimal(gDrag.outline.left, number);
    AppendText(caption, number);
    AppendText(caption, ",");
    FormatDecimal(gDrag.outline.top, number);
    AppendText(caption, number);
    ::SetWindowTextA(FrameOfControl(record), caption);
  }
}

void OnRelease(const Context& c, ControlRecord& record) {
  HWND surface = SurfaceOfControl(record);
  if (record.settled == 0) RepaintSurfaceUnder(surface, gDrag.outline);
  RepaintSurfaceUnder(surface, gDrag.startRectangle);
  ::SetWindowTextA(FrameOfControl(record), gDrag.savedCaption);
  ::ReleaseCapture();
  record.dragging = 0;
  record.settled = 1;
  const RECT& to = gDrag.outline;
  if (record.kind == kKindGroupBox) {
    c.PassOn();
    // A group box always goes beneath the controls it frames.
    ::SetWindowPos(c.window, HWND_BOTTOM, to.left, to.top, 0, 0, SWP_NOSIZE);
    RepaintSurfaceUnder(surface, gDrag.startRectangle);
  } else {
    ::SetWindowPos(c.window, HWND_TOP, to.left, to.top, to.right - to.left, to.bottom - to.top,
                   SWP_NOCOPYBITS | SWP_FRAMECHANGED);
  }
  if (record.kind == kKindStatusBar) ::MoveWindow(c.window, 0, 0, 0, 0, TRUE);  // docks again
  win::RepaintNow(c.window);
  ShowGrabHandles(c.window, kGrabHandlesShow);
  // A click raises the control to select it; only a new place is a change.
  RECT bounds{};
  ::GetWindowRect(c.window, &bounds);
  bounds = ScreenToClientRect(surface, bounds);
  // The other controls selected with it go with it, in the same step.
  MoveGroupWith(c.window, bounds.left - gDrag.startBounds.left, bounds.top - gDrag.startBounds.top);
  if (!::EqualRect(&bounds, &gDrag.startBounds)) {
    ReportChange(kChangeControlMoved, c.window);
  } else if (HostWants(kOptionDesignTools) && StackingOf(c.window) != gDrag.stackingAtPress) {
    // Raised above the others: the form saves differently, and Undo lowers it.
    ReportChange(kChangeControlMoved, c.window);
  }
}

void OnContextMenu(const Context& c, const ControlRecord& record) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::TrackPopupMenu(win::FromHandle32<HMENU>(record.hPopupMenu), 0, cursor.x, cursor.y, 0, c.window, nullptr);
}

LRESULT OnCommand(const Context& c, ControlRecord& record) {
  HWND surface = SurfaceOfControl(record);
  switch (c.wParam) {
    case IDM_DELETE: {
      ShowGrabHandles(c.window, kGrabHandlesRemove);
      ::SendMessageA(surface, FWM_CONTROLDELETED, reinterpret_cast<WPARAM>(c.window), record.kind);
      ::SendMessageA(c.window, WM_CLOSE, 0, 0);
      // Closing destroyed the control and freed its record.
      const LRESULT result = ::IsWindow(c.window) ? c.PassOn() : 0;
      ReportChange(kChangeControlDeleted, surface);
      return result;
    }
    case IDM_VIEWCODE:
      ShowControlCode(c.window, record);
      return 0;
    case IDM_COPY:
      if (HostWants(kOptionDesignTools)) CopyWithItsSelection(c.window);
      ::SendMessageA(surface, IDM_COPY, 0, reinterpret_cast<LPARAM>(c.window));
      ::ModifyMenuA(gWorkspace.formContextMenu, IDM_PASTE, MF_BYCOMMAND | MF_STRING | MF_ENABLED, IDM_PASTE,
                    "&Paste");
      return c.PassOn();
    default:
      return c.PassOn();
  }
}

void RecordClientSize(HWND window, ControlRecord& record) {
  RECT client{};
  ::GetClientRect(window, &client);
  record.width = client.right;
  record.height = client.bottom;
}

// The size the window has now, not the one the message announced: a status
// bar that docks itself resizes itself again inside the message.
void OnSize(const Context& c, ControlRecord& record) {
  RecordClientSize(c.window, record);
  RECT bounds{};
  ::GetWindowRect(c.window, &bounds);
  bounds = ScreenToClientRect(SurfaceOfControl(record), bounds);
  record.left = bounds.left;
  record.top = bounds.top;
  // Handles around an unsettled control (it was just given the focus) are
  // placed again too: left where they were, they would surround nothing.
  const bool handlesAroundIt = GrabHandleTarget() == c.window;
  // A status bar docking itself again because its form was resized, or a
  // control the host places, is not resized by the user: the selection
  // stays where it is.
  if (gFormDesigner.resizesSelectNothing) {
    if (handlesAroundIt) ShowGrabHandles(c.window, kGrabHandlesShow);
    return;
  }
  if (record.settled == 1 || handlesAroundIt) ShowGrabHandles(c.window, kGrabHandlesShow);
  RecordSelection(c.window, record.kind);
  ShowPropertiesOf(c.window, record.kind);
}

// A move alone brings no WM_SIZE; the record follows the window either way.
void OnMove(const Context& c, ControlRecord& record) {
  RECT bounds{};
  ::GetWindowRect(c.window, &bounds);
  bounds = ScreenToClientRect(SurfaceOfControl(record), bounds);
  record.left = bounds.left;
  record.top = bounds.top;
}

// A window resized without its client area changing (an edit whose scroll
// bar no longer fits) gets no WM_SIZE; its record follows it all the same.
void OnWindowPosChanged(const Context& c, ControlRecord& record) {
  const auto* position = reinterpret_cast<const WINDOWPOS*>(c.lParam);
  if (position == nullptr || (position->flags & SWP_NOSIZE) != 0) return;
  RecordClientSize(c.window, record);
}

void OnChangeExStyle(HWND window, ControlRecord& record, WPARAM bits, LPARAM how) {
  constexpr LPARAM kAdd = 1;
  constexpr LPARAM kRemove = 2;
  if (how != kAdd && how != kRemove) return;
  const auto current = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
  const DWORD changed = how == kAdd ? current | static_cast<DWORD>(bits) : current & ~static_cast<DWORD>(bits);
  record.exStyle = changed;
  ::SetWindowLongPtrA(window, GWL_EXSTYLE, changed);
  ::UpdateWindow(window);
}

// Frees what the control owns. Its child identifier, and that of a child
// sharing the record (the edit field of a combo box), no longer lead to it.
void OnDestroy(HWND window, ControlRecord* record) {
  ::DeleteObject(win::FromHandle32<HFONT>(record->hFont));
  win::DeleteIfColourBrush(win::FromHandle32<HBRUSH>(record->hBackBrush));
  ::DestroyMenu(win::FromHandle32<HMENU>(record->hPopupMenu));
  for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (RecordOfControl(child) == record) ::SetWindowLongPtrA(child, GWLP_ID, 0);
  }
  ::SetWindowLongPtrA(window, GWLP_ID, 0);
  win::FreeRecord(record);
  gDesignControls.erase(window);
}

}  // namespace

int StackingOf(HWND control) {
  int beneath = 0;
  for (HWND w = ::GetWindow(control, GW_HWNDNEXT); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    beneath += IsDesignControl(w) ? 1 : 0;
  }
  return beneath;
}

KeepSizeGiven::KeepSizeGiven(HWND control, int width, int height) { gKeptSize = {control, width, height}; }
KeepSizeGiven::~KeepSizeGiven() { gKeptSize = {}; }

ControlRecord* RecordOfControl(HWND control) {
  return reinterpret_cast<ControlRecord*>(::GetWindowLongPtrA(control, GWLP_ID));
}

void RegisterDesignControl(HWND control) {
  if (control != nullptr) gDesignControls.insert(control);
}

bool IsDesignControl(HWND window) { return window != nullptr && gDesignControls.count(window) != 0; }

HWND SurfaceOfControl(const ControlRecord& record) { return win::FromHandle32<HWND>(record.hParent); }

void FrameWhileDragged(HWND window) {
  const ControlRecord* record = RecordOfControl(window);
  if (record == nullptr || record->dragging != 1) return;
  win::WholeWindowDc dc(window);
  RECT client{};
  ::GetClientRect(window, &client);
  const win::Brush red = win::SolidBrush(kDragFrameColour);
  ::FrameRect(dc, &client, red.Get());
}

LRESULT DesignControlBehaviour(WNDPROC classProcedure, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
  const Context c{classProcedure, window, message, wParam, lParam};
  ControlRecord* record = RecordOfControl(window);
  if (record == nullptr) return c.PassOn();  // being made, or already destroyed

  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      OnPress(c, *record);
      return 0;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      OnMouseMove(c, *record);
      return 0;
    case WM_LBUTTONUP:
      // A release that ends no drag of this control (the press went elsewhere)
      // moves nothing.
      if (record->dragging == 1) OnRelease(c, *record);
      return 0;
    case WM_LBUTTONDBLCLK:
      ShowControlCode(window, *record);
      return 0;
    case WM_RBUTTONDOWN:
      OnContextMenu(c, *record);
      return 0;
    case WM_RBUTTONUP:
      return 0;
    case WM_COMMAND:
      return OnCommand(c, *record);
    case WM_SIZE:
      c.PassOn();
      OnSize(c, *record);
      return 0;
    case WM_MOVE:
      c.PassOn();
      OnMove(c, *record);
      return 0;
    case WM_WINDOWPOSCHANGING: {
      auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
      if (window == gKeptSize.control && position != nullptr && (position->flags & SWP_NOSIZE) == 0) {
        position->cx = gKeptSize.width;
        position->cy = gKeptSize.height;
      }
      return c.PassOn();
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = c.PassOn();
      OnWindowPosChanged(c, *record);
      return result;
    }
    case WM_SETFOCUS:
      record->settled = 0;
      ShowGrabHandles(window, kGrabHandlesShow);
      return 0;
    case WM_KILLFOCUS:
      record->settled = 0;
      ShowGrabHandles(window, kGrabHandlesRemove);
      win::RepaintNow(window);
      return 0;
    case WM_SETTEXT:
      c.PassOn();
      ::GetWindowTextA(window, record->caption, 256);
      return 0;
    case WM_ENABLE:
      c.PassOn();
      record->enabled = static_cast<std::uint32_t>(wParam);
      return 0;
    case DCM_SETID:
      record->ctrlId = static_cast<std::uint32_t>(lParam);
      return 0;
    case DCM_SETIDNAME:
      CopyText(record->idName, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "");
      return 0;
    case DCM_SETBACKCOLOUR:
      record->backColour = static_cast<ColourRef>(lParam);
      return 0;
    case DCM_CHANGEEXSTYLE:
      OnChangeExStyle(window, *record, wParam, lParam);
      return 0;
    case DCM_GETRECORD:
      if (lParam != 0) *reinterpret_cast<ControlRecord*>(lParam) = *record;
      return 0;
    case DCM_PUTRECORD:
      if (lParam != 0) *record = *reinterpret_cast<const ControlRecord*>(lParam);
      return 0;
    case WM_DESTROY:
      OnDestroy(window, record);
      return c.PassOn();
    default:
      return c.PassOn();
  }
}

}  // namespace kelp
