// The directory and file list boxes fill their client area with a tree view
// or a list view that must stay inert at design time: the inner control's
// mouse input goes to the outer window, which hands it to the shared
// behaviour, so the whole control is selected, dragged and deleted.
#pragma once

#include <windows.h>

namespace kelp {

// Replaces the inner control's procedure with a forwarder. With
// forwardKillFocus, WM_KILLFOCUS also goes to the outer window first.
void ForwardMouseToParent(HWND inner, bool forwardKillFocus);

// The outer window's inner control (extra slot 0).
HWND InnerControlOf(HWND outer);

}  // namespace kelp
