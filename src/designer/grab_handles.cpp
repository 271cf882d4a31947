#include "designer/grab_handles.h"

#include <array>
#include <cstring>

#include "controls/design_control.h"
#include "core/grab_geometry.h"
#include "designer/drag_frame.h"
#include "designer/form_designer.h"
#include "entry/host_options.h"
#include "entry/window_utilities.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace kelp {
namespace {

constexpr char kHandleClassName[] = "Boxs_Class";
constexpr int kHandleChildId = 3900;
constexpr COLORREF kHandleFill = 0x009F0000;  // dark blue
constexpr COLORREF kHandleEdge = 0x00FFFFFF;

// Extra-byte slots of a handle window.
constexpr int kCursorSlot = 0;
constexpr int kCodeSlot = 1;
constexpr int kTargetSlot = 2;
// 20 bytes hold the three 32-bit values on Win32; Win64 needs three pointers.
constexpr int kHandleExtraBytes = 3 * sizeof(LONG_PTR) > 20 ? 3 * sizeof(LONG_PTR) : 20;

struct HandleDrag {
  RECT outline{};      // in the surface's client coordinates
  bool dragging = false;
  bool outlineShown = false;
  int stackingAtPress = 0;  // how many controls lay beneath the target
};

std::array<HWND, 8> gHandleSet{};
HandleDrag gDrag;

LPCSTR CursorFor(GrabHandleCode code) {
  switch (code) {
    case kHandleTop:
    case kHandleBottom: return IDC_SIZENS;
    case kHandleLeft:
    case kHandleRight: return IDC_SIZEWE;
    case kHandleTopLeft:
    case kHandleBottomRight: return IDC_SIZENWSE;
    case kHandleTopRight:
    case kHandleBottomLeft: return IDC_SIZENESW;
  }
  return IDC_ARROW;
}

Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool IsGrabHandle(HWND window) {
  char className[sizeof(kHandleClassName) + 1] = {};
  return ::IsWindow(window) && ::GetClassNameA(window, className, sizeof(className)) > 0 &&
         std::strcmp(className, kHandleClassName) == 0;
}

// Closes the set. A handle destroyed with its surface is skipped, so that a
// reused window handle never closes someone else's window.
void CloseHandleSet() {
  for (HWND& handle : gHandleSet) {
    if (handle != nullptr && IsGrabHandle(handle)) ::SendMessageA(handle, WM_CLOSE, 0, 0);
    handle = nullptr;
  }
}

void ShowHandleSet(int showCommand) {
  for (HWND handle : gHandleSet) {
    if (handle != nullptr) ::ShowWindow(handle, showCommand);
  }
}

void ReplaceHandleSet() {
  for (HWND handle : gHandleSet) {
    if (handle != nullptr) ::SendMessageA(handle, kGrabHandleReplace, 0, 0);
  }
}

LPCSTR HandleCursor(HWND handle) { return reinterpret_cast<LPCSTR>(::GetWindowLongPtrA(handle, win::ExtraSlot(kCursorSlot))); }
GrabHandleCode HandleCode(HWND handle) {
  return static_cast<GrabHandleCode>(::GetWindowLongPtrA(handle, win::ExtraSlot(kCodeSlot)));
}
HWND HandleTarget(HWND handle) { return reinterpret_cast<HWND>(::GetWindowLongPtrA(handle, win::ExtraSlot(kTargetSlot))); }

void SetHandleCursor(HWND handle) { ::SetCursor(::LoadCursorA(nullptr, HandleCursor(handle))); }

// The outline is erased only where it was drawn, so modifier keys pressed
// during a drag never leave a stray outline on the form.
void ShowOutline(HWND surface, bool show) {
  if (show == gDrag.outlineShown) return;
  DrawDragFrame(surface, gDrag.outline, show ? kDrawAndRemember : kDrawOnly);
  gDrag.outlineShown = show;
}

void Handle_OnPaint(HWND handle) {
  win::PaintDc dc(handle);
  RECT client{};
  ::GetClientRect(handle, &client);
  const win::Brush fill = win::SolidBrush(kHandleFill);
  const win::Brush edge = win::SolidBrush(kHandleEdge);
  ::FillRect(dc, &client, fill.Get());
  ::FrameRect(dc, &client, edge.Get());
}

void Handle_OnReplace(HWND handle) {
  HWND target = HandleTarget(handle);
  if (!::IsWindow(target)) return;
  const Point place = GrabHandlePlace(HandleCode(handle), FromRECT(RectInParent(target)));
  ::SetWindowPos(handle, HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void Handle_OnLButtonDown(HWND handle, WPARAM wParam, LPARAM lParam) {
  HWND target = HandleTarget(handle);
  ShowHandleSet(SW_HIDE);
  ::DefWindowProcA(handle, WM_LBUTTONDOWN, wParam, lParam);
  RECT outline{};
  ::GetWindowRect(target, &outline);
  ::InflateRect(&outline, 1, 1);
  ::MapWindowPoints(nullptr, ::GetParent(target), reinterpret_cast<POINT*>(&outline), 2);
  gDrag.outline = outline;
  gDrag.outlineShown = false;
  gDrag.stackingAtPress = StackingOf(target);
  ::SetCapture(handle);
  SetHandleCursor(handle);
  ShowOutline(::GetParent(handle), true);
  gDrag.dragging = true;
}

void Handle_OnMouseMove(HWND handle, WPARAM keys) {
  SetHandleCursor(handle);
  if (!gDrag.dragging) return;
  HWND surface = ::GetParent(handle);
  ShowOutline(surface, false);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  ::ScreenToClient(surface, &cursor);
  gDrag.outline = ToRECT(DragHandleEdges(HandleCode(handle), FromRECT(gDrag.outline), {cursor.x, cursor.y}));
  if (keys & MK_LBUTTON) ShowOutline(surface, true);
}

void Handle_OnLButtonUp(HWND handle) {
  if (!gDrag.dragging) return;
  // Read everything first: sizing the target re-creates the set, and this
  // handle with it.
  HWND target = HandleTarget(handle);
  HWND surface = ::GetParent(handle);
  ShowHandleSet(SW_SHOW);
  ::ReleaseCapture();
  SetHandleCursor(handle);
  gDrag.dragging = false;
  ShowOutline(surface, false);
  RECT bounds = gDrag.outline;
  ::InflateRect(&bounds, -1, -1);
  const RECT before = RectInParent(target);
  ::SetWindowPos(target, HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOACTIVATE);
  const ControlRecord* record = RecordOfControl(target);
  const std::uint32_t kind = record != nullptr ? record->kind : 0;
  if (kind == kKindGroupBox) {
    ::SetWindowPos(target, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  } else if (kind == kKindTimer) {
    PutBeneathTheOthers(surface, target, kTimerSize, kTimerSize);
  }
  ReplaceHandleSet();
  const RECT after = RectInParent(target);
  // Raised above the others, even where it was (a status bar docks again):
  // the form saves differently, and Undo lowers it.
  const bool raised = HostWants(kOptionDesignTools) && StackingOf(target) != gDrag.stackingAtPress;
  if (!::EqualRect(&before, &after) || raised) ReportChange(kChangeControlResized, target);
}

LRESULT CALLBACK GrabHandleProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Handle_OnPaint(handle);
      return 0;
    case kGrabHandleReplace:
      Handle_OnReplace(handle);
      return 0;
    case WM_LBUTTONDOWN:
      Handle_OnLButtonDown(handle, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      Handle_OnMouseMove(handle, wParam);
      break;
    case WM_LBUTTONUP:
      Handle_OnLButtonUp(handle);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(handle, message, wParam, lParam);
}

}  // namespace

HWND CreateGrabHandle(HWND target, const RECT& rectangle, LPCSTR cursor) {
  HINSTANCE host = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA handleClass{};
  handleClass.cbSize = sizeof(handleClass);
  handleClass.style = CS_SAVEBITS;
  handleClass.lpfnWndProc = GrabHandleProc;
  handleClass.cbClsExtra = 20;
  handleClass.cbWndExtra = kHandleExtraBytes;
  handleClass.hInstance = host;
  handleClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  handleClass.lpszClassName = kHandleClassName;
  ::RegisterClassExA(&handleClass);
  HWND handle = ::CreateWindowExA(0, kHandleClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                  rectangle.left, rectangle.top, kGrabHandleSize, kGrabHandleSize,
                                  ::GetParent(target), reinterpret_cast<HMENU>(kHandleChildId), host, nullptr);
  ::SetWindowLongPtrA(handle, win::ExtraSlot(kCursorSlot), reinterpret_cast<LONG_PTR>(cursor));
  return handle;
}

void ShowGrabHandles(HWND target, int mode) {
  if (mode == kGrabHandlesRemove) {
    CloseHandleSet();
    return;
  }
  if (mode != kGrabHandlesShow) return;
  CloseHandleSet();
  const Rect bounds = FromRECT(RectInParent(target));
  for (int i = 0; i < 8; ++i) {
    const GrabHandleCode code = kGrabHandleCreationOrder[i];
    const Point place = GrabHandlePlace(code, bounds);
    const RECT at = {place.x, place.y, place.x + kGrabHandleSize, place.y + kGrabHandleSize};
    HWND handle = CreateGrabHandle(target, at, CursorFor(code));
    ::SetWindowLongPtrA(handle, win::ExtraSlot(kCodeSlot), code);
    ::SetWindowLongPtrA(handle, win::ExtraSlot(kTargetSlot), reinterpret_cast<LONG_PTR>(target));
    gHandleSet[i] = handle;
  }
  ReplaceHandleSet();
}

HWND GrabHandleWindow(int index) { return index >= 0 && index < 8 ? gHandleSet[index] : nullptr; }

HWND GrabHandleTarget() {
  HWND handle = gHandleSet[0];
  return handle != nullptr && IsGrabHandle(handle) ? HandleTarget(handle) : nullptr;
}

}  // namespace kelp
