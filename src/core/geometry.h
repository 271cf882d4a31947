// Plain rectangles and points in the Win32 sense (right and bottom exclusive),
// so that the designer's arithmetic can be tested without Windows.
#pragma once

#include <cstdint>

namespace kelp {

struct Point {
  std::int32_t x;
  std::int32_t y;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace kelp
