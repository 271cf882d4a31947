// Filling, framing and writing into the core's rectangles on a DC.
#pragma once

#include <windows.h>

#include "core/geometry.h"
#include "win/rect.h"

namespace kelp::win {

inline void FillArea(HDC dc, const Rect& area, HBRUSH brush) {
  const RECT r = ToRECT(area);
  ::FillRect(dc, &r, brush);
}

inline void FrameArea(HDC dc, const Rect& area, HBRUSH brush) {
  const RECT r = ToRECT(area);
  ::FrameRect(dc, &r, brush);
}

inline void DrawTextIn(HDC dc, const char* text, const Rect& area, UINT format) {
  RECT r = ToRECT(area);
  ::DrawTextA(dc, text, -1, &r, format);
}

// The stock black brush: shared, never deleted.
inline HBRUSH BlackBrush() {
  return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
}

}  // namespace kelp::win
