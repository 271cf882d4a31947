#include "controls/thunks.h"

#include <array>

#include <commctrl.h>

#include "controls/design_control.h"
#include "controls/large_track_bar.h"
#include "designer/form_designer.h"
#include "entry/workspace.h"

namespace kelp {
namespace {

constexpr std::uint32_t kFirstKind = kKindForm;
constexpr std::size_t kKindSlots = kKindStatusBar - kFirstKind + 1;

std::array<WNDPROC, kKindSlots> gClassProcedures{};
std::array<WNDPROC, kKindSlots> gEditProcedures{};

std::size_t SlotOf(std::uint32_t kind) { return kind - kFirstKind; }
bool IsKind(std::uint32_t kind) { return kind >= kFirstKind && kind <= kKindStatusBar; }

template <std::uint32_t Kind>
LRESULT CALLBACK PlainThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DesignControlBehaviour(gClassProcedures[SlotOf(Kind)], window, message, wParam, lParam);
}

// The combo box paints its edit field first, so the field never shows stale text.
template <std::uint32_t Kind>
LRESULT CALLBACK ComboThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    if (HWND edit = ::GetWindow(window, GW_CHILD)) {
      ::InvalidateRect(edit, nullptr, TRUE);
      ::UpdateWindow(edit);
    }
  }
  return PlainThunk<Kind>(window, message, wParam, lParam);
}

// Static controls and group boxes are transparent to the mouse; answering the
// hit test as a plain window lets them be clicked, dragged and selected.
template <std::uint32_t Kind>
LRESULT CALLBACK HitTestableThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = PlainThunk<Kind>(window, message, wParam, lParam);
  const LRESULT plain = ::DefWindowProcA(window, message, wParam, lParam);
  return message == WM_NCHITTEST ? plain : result;
}

// While a placing tool is in force, presses and moves on a group box go to the
// form, so that a new control can be drawn on top of the group box.
LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool placing = gWorkspace.currentTool != kToolPointer;
  if ((message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN) && placing) {
    if (ControlRecord* record = RecordOfControl(window)) {
      record->settled = 1;
      record->dragging = 0;
      ::SendMessageA(SurfaceOfControl(*record), message, wParam, lParam);
      return 0;
    }
  }
  if (message == WM_MOUSEMOVE) ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  return HitTestableThunk<kKindGroupBox>(window, message, wParam, lParam);
}

// A progress bar shows 30 of 0..100 after every resize.
LRESULT CALLBACK ProgressThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    constexpr int kRangeEnd = 100;
    constexpr int kStep = 30;
    ::SendMessageA(window, PBM_SETPOS, 0, 0);
    ::SendMessageA(window, PBM_SETRANGE, 0, MAKELPARAM(0, kRangeEnd));
    ::SendMessageA(window, PBM_SETSTEP, kStep, 0);
    ::SendMessageA(window, PBM_STEPIT, 0, 0);
  }
  return PlainThunk<kKindProgressBar>(window, message, wParam, lParam);
}

// A trackbar grown very large is drawn by the designer; a paint into a DC
// the caller gives (wParam) is left to the control.
LRESULT CALLBACK TrackBarThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT && wParam == 0 && PaintLargeTrackBar(window)) return 0;
  return PlainThunk<kKindTrackBar>(window, message, wParam, lParam);
}

// A status bar docks itself to the bottom of the form again at every release.
// A release it did not press for (a drag that began on another control and
// ended over it) leaves the selection where it is: docking again is not a
// resize by the user.
LRESULT CALLBACK StatusThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONUP) RedockStatusBar(window);
  return PlainThunk<kKindStatusBar>(window, message, wParam, lParam);
}

// The edit field of a combo box passes the mouse to the combo box.
template <std::uint32_t Kind>
LRESULT CALLBACK EditFieldForwarder(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ::SendMessageA(::GetParent(edit), message, wParam, lParam);
      ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
      return 0;
    case WM_LBUTTONDBLCLK:
      ::SendMessageA(::GetParent(edit), message, wParam, lParam);
      return 0;
    default:
      return ::CallWindowProcA(gEditProcedures[SlotOf(Kind)], edit, message, wParam, lParam);
  }
}

WNDPROC ThunkFor(std::uint32_t kind) {
  switch (kind) {
    case kKindLabel: return HitTestableThunk<kKindLabel>;
    case kKindTextBox: return PlainThunk<kKindTextBox>;
    case kKindGroupBox: return GroupBoxProc;
    case kKindButton: return PlainThunk<kKindButton>;
    case kKindCheckBox: return PlainThunk<kKindCheckBox>;
    case kKindOptionButton: return PlainThunk<kKindOptionButton>;
    case kKindComboBox: return ComboThunk<kKindComboBox>;
    case kKindListBox: return PlainThunk<kKindListBox>;
    case kKindHScrollBar: return PlainThunk<kKindHScrollBar>;
    case kKindVScrollBar: return PlainThunk<kKindVScrollBar>;
    case kKindDriveListBox: return ComboThunk<kKindDriveListBox>;
    case kKindCalendar: return PlainThunk<kKindCalendar>;
    case kKindTrackBar: return TrackBarThunk;
    case kKindProgressBar: return ProgressThunk;
    case kKindStatusBar: return StatusThunk;
    default: return nullptr;
  }
}

WNDPROC EditForwarderFor(std::uint32_t kind) {
  switch (kind) {
    case kKindComboBox: return EditFieldForwarder<kKindComboBox>;
    case kKindDriveListBox: return EditFieldForwarder<kKindDriveListBox>;
    default: return nullptr;
  }
}

}  // namespace

WNDPROC SavedClassProcedure(std::uint32_t kind) { return IsKind(kind) ? gClassProcedures[SlotOf(kind)] : nullptr; }
WNDPROC SavedEditProcedure(std::uint32_t kind) { return IsKind(kind) ? gEditProcedures[SlotOf(kind)] : nullptr; }

void SubclassControl(HWND control, std::uint32_t kind) {
  WNDPROC thunk = ThunkFor(kind);
  if (thunk == nullptr || control == nullptr) return;
  gClassProcedures[SlotOf(kind)] = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk)));
}

void HookComboEditField(HWND combo, std::uint32_t kind) {
  HWND edit = ::GetWindow(combo, GW_CHILD);
  WNDPROC forwarder = EditForwarderFor(kind);
  if (edit == nullptr || forwarder == nullptr) return;
  gEditProcedures[SlotOf(kind)] = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(forwarder)));
  ::SetWindowLongPtrA(edit, GWLP_ID, ::GetWindowLongPtrA(combo, GWLP_ID));
}

}  // namespace kelp
