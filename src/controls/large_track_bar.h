// A trackbar of the common controls draws its whole client area into an
// off-screen bitmap at every paint, whatever part is shown: one grown to
// 16,000 pixels square (a grab handle dragged far off the form) takes a
// gigabyte and seconds for every paint of its form. A trackbar that large
// is drawn by the designer instead, from the geometry the control reports,
// over the part that needs painting only.
#pragma once

#include <windows.h>

namespace kelp {

// Paints the trackbar for WM_PAINT if it is large enough to need it; false
// (nothing done) for one the control draws well itself.
bool PaintLargeTrackBar(HWND trackBar);

}  // namespace kelp
