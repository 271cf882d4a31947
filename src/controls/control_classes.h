// The window classes of the library's own design-time controls. They are
// registered under the host program's instance at every creation (a repeated
// registration fails harmlessly and the first stays in force).
#pragma once

#include <windows.h>

namespace kelp {

inline constexpr char kDirListBoxClassName[] = "DirListBox_Class";
inline constexpr char kFileListBoxClassName[] = "FileListBox_Class";
inline constexpr char kImageBoxClassName[] = "Static_Class";
inline constexpr char kTimerClassName[] = "Timer_Class";

// Their procedures hand every message to the shared behaviour with
// DefWindowProcA standing for a class procedure, so what the behaviour passes
// on is answered once, by the default procedure.

// extraBytes serves as both the class and the window extra bytes.
void RegisterControlClass(const char* name, UINT style, int extraBytes, HBRUSH background, WNDPROC procedure);

LRESULT CALLBACK DirListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FileListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ImageBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TimerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Directory list boxes still filling their trees (tests wait for none).
int RunningTreeWorkers();

// The timer picture as a pattern brush, its background in the button-face
// colour: made once and shared by every timer.
HBRUSH TimerPatternBrush(HWND parent);

}  // namespace kelp
