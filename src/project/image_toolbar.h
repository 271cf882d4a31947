// Toolbars built from one bitmap strip of equal tiles: the toolbox and the
// project window's toolbar.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <span>

namespace kelp {

// The style of the toolbox's and the project window's toolbars: flat,
// wrapping, with tooltips, along the parent's top edge without a divider.
inline constexpr DWORD kImageToolbarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_ALTDRAG | TBSTYLE_WRAPABLE |
                                            TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_ADJUSTABLE;
static_assert(kImageToolbarStyle == 0x50000F60);

struct ToolbarButtonRow {
  int command;
  int image;
  BYTE style;
};

struct ToolTipRow {
  UINT_PTR command;
  const char* text;
};

// A toolbar of the given style along the parent's top edge, its buttons drawn
// from the strip's tiles (imageWidth x imageHeight, from the left). Every
// whole tile of the strip can be used, whatever imageCount says.
HWND BuildImageToolbar(HWND parent, int imageWidth, int imageHeight, std::span<const ToolbarButtonRow> buttons,
                       int imageCount, DWORD style, HBITMAP strip);

// Repaints the strip's background (the area of pixel (1, 1)'s colour that is
// connected to it) in the button-face colour; returns the same bitmap.
HBITMAP FillStripBackground(HBITMAP strip);

// Answers a toolbar's tooltip request from the table; other notifications,
// and commands the table does not have, are left untouched.
void LookupToolTipText(NMHDR* notification, std::span<const ToolTipRow> table);

// A device-dependent bitmap made from a BMP file image held in the library.
HBITMAP BitmapFromFileImage(HDC dc, const unsigned char* fileImage);

}  // namespace kelp
