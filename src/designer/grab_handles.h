// The eight grab handles around the selected control (class "Boxs_Class"):
// 7 x 7 siblings of the control on the design surface. At most one set
// exists in the process. Dragging a handle shows the inverted outline of the
// new bounds and, at the release, moves and sizes the control.
#pragma once

#include <windows.h>

namespace kelp {

inline constexpr int kGrabHandlesShow = 0;
inline constexpr int kGrabHandlesRemove = 1;

// Sent to a handle: place yourself around your target again.
inline constexpr UINT kGrabHandleReplace = 108;

// Mode 0 puts a fresh set around the target; mode 1 removes the set; any
// other mode does nothing.
void ShowGrabHandles(HWND target, int mode);

// One handle window at the rectangle's top-left corner, with its cursor.
HWND CreateGrabHandle(HWND target, const RECT& rectangle, LPCSTR cursor);

// The handles of the current set (null where none), for tests and tools.
HWND GrabHandleWindow(int index);

// The control the current set surrounds; null when there is no set.
HWND GrabHandleTarget();

}  // namespace kelp
