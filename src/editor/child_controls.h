// Small child controls shared by the Find Text window, the properties window
// and the New Project dialog, and the routine that centres a window on the
// screen. Every control is created under the host process's instance.
#pragma once

#include <windows.h>

namespace kelp {

enum class PushButtonKind { kText = 0, kBitmap = 1 };

// A push button; kBitmap shows a bitmap (BS_BITMAP) instead of text.
HWND CreatePushButton(HWND parent, int x, int y, int width, int height, const char* text, int identifier,
                      PushButtonKind kind = PushButtonKind::kText);

// An automatic check box that notifies its parent.
HWND CreateCheckBox(HWND parent, int x, int y, int width, int height, const char* text, int identifier);

// An empty edit field of one of twelve kinds (0..11): single-line or
// multi-line, with or without scroll bars, border or client edge. An unknown
// kind creates nothing and gives nullptr.
inline constexpr int kEditFieldSingleLine = 0;
inline constexpr int kEditFieldMultiLineEdged = 9;
HWND CreateEditField(HWND parent, int x, int y, int width, int height, int kind, int identifier);

// A framed one-line text field in the default font, in which Enter and
// Escape act on its window as IDOK and IDCANCEL, as a dialog's keys do.
HWND CreateTextField(HWND parent, int x, int y, int width, int height, int identifier);
// A line of text in the default font.
HWND CreateLabel(HWND parent, int x, int y, int width, int height, const char* text);

// A small tool window of the editor's (Replace Text, Go to Line): a captioned
// popup of its own class on the button face, owned by `owner`; its
// WM_CREATE places it and makes its children.
HWND OpenToolWindow(const char* className, WNDPROC procedure, const char* title, int width, int height,
                    HWND owner);

// Moves a window, keeping its size and without repainting, so that it is
// centred on the screen.
void CenterWindow(HWND window);

}  // namespace kelp
