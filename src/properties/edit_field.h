// Small child controls made the same way wherever the library needs them.
#pragma once

#include <windows.h>

namespace kelp {

// The plain one-line editor the properties window places over a row.
inline constexpr int kEditFieldPlain = 0;

// An "EDIT" child without text, of one of twelve kinds (0..11: single or
// multi-line, with scroll bars, a border or a client edge), with the host
// process's instance. Returns nullptr for an unknown kind.
HWND CreateEditField(HWND parent, int x, int y, int width, int height, int kind, int identifier);

}  // namespace kelp
