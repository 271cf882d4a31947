// Repainting a window at once rather than at the next idle moment.
#pragma once

#include <windows.h>

namespace kelp::win {

// Invalidates the whole window, background included, and paints it now.
inline void RepaintNow(HWND window) {
  ::InvalidateRect(window, nullptr, TRUE);
  ::UpdateWindow(window);
}

}  // namespace kelp::win
