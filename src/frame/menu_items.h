// The menu bar's owner-drawn items: each 120 x 20, a 16 x 16 icon numbered
// like the item's command (none where the library has no such icon), then
// the item's text. Greyed items are embossed unless highlighted.
#pragma once

#include <windows.h>

namespace kelp {

inline constexpr int kMenuItemWidth = 120;
inline constexpr int kMenuItemHeight = 20;

// The colours an item is drawn in for a drawing request; draw is false for
// requests that change nothing a user sees (focus only).
struct MenuItemLook {
  bool draw;
  int background;  // system colour indices
  int text;
  bool embossed;  // text in COLOR_BTNHIGHLIGHT, then in COLOR_GRAYTEXT 2 pixels up and left
};

MenuItemLook LookOfMenuItem(UINT action, UINT state);

void MeasureMenuItem(MEASUREITEMSTRUCT& item);
void DrawMenuItem(const DRAWITEMSTRUCT& item);

}  // namespace kelp
