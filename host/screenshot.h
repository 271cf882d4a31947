// kelp.exe --screenshot: a user's first steps played at start, and the
// screen saved for the README and the checks of the picture.
#pragma once

#include <windows.h>

#include <string>

#include "main_frame.h"

namespace kelp::host {

// Chooses "Standard EXE" in the New Project window, draws a few controls on
// the form with the mouse, and adds a module with a short sample beside it.
void RunScreenshotScript(HWND newProject);

// A screenshot run that has not saved its picture in two minutes is stuck
// (a modal loop a stray click started, a dialog): the watchdog then lists
// the program's windows and what its interface thread is in, on stderr,
// and ends the process, so that a test fails at once and says why.
// ScreenshotSaved() calls it off.
void StartScreenshotWatchdog();
void ScreenshotSaved();

bool SaveScreenBitmap(const std::string& path);

// Beside the screenshot, where each part of the environment is on the
// screen ("name left top right bottom" a line), for checks of the picture.
void SaveWindowPlaces(const std::string& path, const Environment& environment);

}  // namespace kelp::host
