// Repainting a window at once rather than at the next idle moment.
#pragma once

#include <windows.h>

namespace kelp::win {

// Invalidates the whole window, background included, and paints it now.
inline void RepaintNow(HWND window) {
  ::InvalidateRect(window, nullptr, TRUE);
  ::UpdateWindow(window);
}

// Paints the whole window now over what it shows, without erasing first:
// for windows that cover every pixel themselves.
inline void RedrawNow(HWND window) {
  ::InvalidateRect(window, nullptr, FALSE);
  ::UpdateWindow(window);
}

}  // namespace kelp::win
