// Between the core's plain rectangles and Win32's RECT.
#pragma once

#include <windows.h>

#include "core/geometry.h"

namespace kelp::win {

inline RECT ToRECT(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}
inline Rect FromRECT(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

}  // namespace kelp::win
