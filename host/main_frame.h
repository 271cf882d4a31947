// kelp.exe's main frame: the MDI frame the library's windows live in, its
// layout, and the commands the host carries out itself.
#pragma once

#include <windows.h>

#include <string>

namespace kelp::host {

class ProjectSession;
class MakeSession;

struct Environment {
  HWND frame = nullptr;
  HWND mdiClient = nullptr;
  HWND toolbox = nullptr;
  HWND project = nullptr;
  HWND properties = nullptr;
  HWND layout = nullptr;
  HWND output = nullptr;  // Make's Output window, under the MDI client once shown
  ProjectSession* session = nullptr;
  MakeSession* make = nullptr;
};

// The host's own commands beside the library's.
constexpr WORD kMakeCommand = 0x7F01;  // F7
constexpr WORD kRunCommand = 0x7F02;   // F5

extern Environment gEnvironment;

constexpr char kFrameClassName[] = "KelpHost_Class";
constexpr UINT kTakeScreenshot = WM_APP + 1;

// The frame with its MDI client; the library's windows are made by
// BuildWorkspace once the frame exists.
HWND CreateMainFrame(HINSTANCE instance, int width, int height);

// Init_DLL, the toolbox, the project, properties and Form Layout windows and
// the menu bar, and the project session with its options.
void BuildWorkspace(HINSTANCE instance);

// Lays the windows out again (the Output window was shown).
void RelayOutFrame();

// Where the screenshot goes when kTakeScreenshot arrives.
void SetScreenshotPath(std::string path);

}  // namespace kelp::host
