// The inverted 2-pixel outline that everything dragged on a form shows.
#pragma once

#include <windows.h>

namespace kelp {

inline constexpr int kDrawAndRemember = 0;
inline constexpr int kDrawOnly = 2;

// Inverts a 2-pixel outline just inside the rectangle on the window. Drawing
// the same rectangle twice restores the pixels. Mode 0 also remembers the
// rectangle; mode 2 does not.
void DrawDragFrame(HWND window, const RECT& rectangle, int mode);

// The rectangle last drawn in mode 0.
RECT LastDragFrame();

}  // namespace kelp
