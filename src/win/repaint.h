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

// Holds a window's painting while many of its children change, each of
// which would draw itself and the window beneath it; the window and its
// children are drawn once when it ends. WM_SETREDRAW takes the visible style
// away and gives it back, so a window not shown is left as it is.
class PaintingHeld {
 public:
  explicit PaintingHeld(HWND window)
      : window_((::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0 ? window : nullptr) {
    if (window_ != nullptr) ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~PaintingHeld() {
    if (window_ == nullptr) return;
    ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  PaintingHeld(const PaintingHeld&) = delete;
  PaintingHeld& operator=(const PaintingHeld&) = delete;

 private:
  HWND window_;
};

}  // namespace kelp::win
