// Small routines that many windows of the library share.
#pragma once

#include <windows.h>

namespace kelp {

// Registers a class (CS_DBLCLKS | CS_CLASSDC, 20 class and 20 window extra
// bytes, arrow cursor) and creates a window of it. A class that is already
// registered stays as it was: the first procedure and icon remain in force.
// background is a brush or a system colour index + 1 (usually 16), or 0.
HWND CreateClassWindow(DWORD exStyle, DWORD style, const char* className, const char* title,
                       int x, int y, int width, int height, WNDPROC procedure, HICON icon,
                       HBRUSH background, HINSTANCE instance, HWND parent);

// Gives a window a new font of the face, height, width and weight and
// returns it; the caller owns the font. On a RichEdit control all text also
// turns black, and the control's character set and pitch are taken over.
HFONT SetControlFont(HWND window, const char* face, int height, int width, int weight);

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);

// Destroys an MDI child through its client (which activates the next), or
// directly when it has none.
void DestroyMdiChild(HWND window);

// Nonzero when the cursor lies inside the rectangle (screen coordinates).
BOOL CursorInRect(const RECT* rect);

}  // namespace kelp
