// Brushes made for picked colours, which records and window classes hold.
// Only these are ever deleted when a new colour replaces them or their
// control goes: system colour values (index + 1), the brushes classes were
// registered with and anything a host put there stay as they are.
#pragma once

#include <windows.h>

#include <cstddef>

namespace kelp::win {

// A solid brush of `colour`, remembered as a colour brush; nullptr on failure.
HBRUSH MakeColourBrush(COLORREF colour);
// Deletes the brush if it is a colour brush still alive; otherwise nothing.
void DeleteIfColourBrush(HBRUSH brush);
// How many colour brushes are alive (leak checks).
std::size_t LiveColourBrushes();

}  // namespace kelp::win
