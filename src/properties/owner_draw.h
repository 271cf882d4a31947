// Which look an owner-drawn list row takes. A row is drawn selected while
// the list marks it selected, whether or not it also has the focus, so that
// a repaint while the list has the keyboard focus still shows the row; a
// change of focus alone draws nothing.
#pragma once

#include <windows.h>

#include "core/geometry.h"
#include "win/rect.h"

namespace kelp {

enum class RowLook { kNone, kNormal, kSelected };

inline RowLook LookOf(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return RowLook::kNone;
  if ((item.itemAction & (ODA_SELECT | ODA_DRAWENTIRE)) == 0) return RowLook::kNone;
  return (item.itemState & ODS_SELECTED) != 0 ? RowLook::kSelected : RowLook::kNormal;
}

// The row is drawn because it lost the selection (not merely drawn again).
inline bool LostSelection(const DRAWITEMSTRUCT& item) {
  return (item.itemAction & ODA_SELECT) != 0 && (item.itemState & ODS_SELECTED) == 0;
}

inline Rect RowRect(const DRAWITEMSTRUCT& item) {
  return win::FromRECT(item.rcItem);
}

// One line of text, centred vertically, never clipped.
inline constexpr UINT kSingleLineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
static_assert(kSingleLineFormat == 0x124);

}  // namespace kelp
