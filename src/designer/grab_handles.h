// The eight grab handles around the selected control: at most one set
// exists in the process.
#pragma once

#include <windows.h>

namespace kelp {

inline constexpr int kGrabHandlesShow = 0;
inline constexpr int kGrabHandlesRemove = 1;

// Mode 0 puts a fresh set around the target; mode 1 removes the set; any
// other mode does nothing.
void ShowGrabHandles(HWND target, int mode);

}  // namespace kelp
