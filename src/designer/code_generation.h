// Code windows of forms and controls: the first request opens one with its
// MASM skeleton; later requests show that same window with the user's edits.
#pragma once

#include <windows.h>

#include "core/control_record.h"

namespace kelp {

// A double click on the design surface, or "&View Code" on the form.
void ShowFormCode(HWND surface);

// The code window of a form (given its design surface) or of a control:
// made empty, titled as the designer titles it and shown or hidden, the
// first time; the same window afterwards. Null when none could be made.
HWND FormCodeWindow(HWND surface, bool visible);
HWND ControlCodeWindow(HWND control, ControlRecord& record, bool visible);

}  // namespace kelp
