// Code windows of forms and controls: the first request opens one with its
// MASM skeleton; later requests show that same window with the user's edits.
#pragma once

#include <windows.h>

namespace kelp {

// A double click on the design surface, or "&View Code" on the form.
void ShowFormCode(HWND surface);

}  // namespace kelp
