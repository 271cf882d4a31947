// The Output window: a strip under the MDI client where Make shows what it
// did and what the assembler and linker said. A double-click on a line that
// leads somewhere (an error in a code window) follows it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace kelp::host {

inline constexpr char kOutputClassName[] = "KelpOutput_Class";

// The window, a child of the frame, hidden until the first Make.
HWND CreateOutputWindow(HWND frame);

void ClearOutput(HWND output);
// A line; `target` is handed to the follower when the line is double-clicked
// (0: the line leads nowhere).
void AddOutputLine(HWND output, const std::string& text, int target = 0);
// What a double-click on a line with a target does.
void SetOutputFollower(HWND output, std::function<void(int target)> follow);
// The listbox inside, for tests and for the keyboard.
HWND OutputList(HWND output);

}  // namespace kelp::host
