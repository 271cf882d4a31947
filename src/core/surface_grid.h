// The dotted grid of a form's design surface: the first row at y = 1 with
// dots at x = 0, 8, 16, ...; every further row at y = 9, 17, 25, ... with
// dots at x = 1, 9, 17, ...; dots run up to and including the client size.
#pragma once

namespace kelp {

inline constexpr int kGridPitch = 8;

template <typename DrawDot>
void ForEachGridDot(int width, int height, DrawDot&& drawDot) {
  for (int y = 1, row = 0; y <= height; y += kGridPitch, ++row) {
    for (int x = row == 0 ? 0 : 1; x <= width; x += kGridPitch) drawDot(x, y);
  }
}

}  // namespace kelp
