// The selection protocol: exactly one object is selected, a control or a
// form (its frame window, kind 48). Whoever selects an object tells the old
// selection first (WM_KILLFOCUS, so a control drops its grab handles), then
// records the new one, then has the properties window show it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kelp {

// Sends to a workspace window; nothing happens while that window does not
// exist yet (the tool windows are created by the host in any order).
LRESULT SendToWorkspaceWindow(HWND target, UINT message, WPARAM wParam, LPARAM lParam);

// WM_KILLFOCUS (0, 0) to the selected window, unless it is `except`.
void DeselectUnless(HWND except);

// Records the window and kind as the selection; sends nothing.
void RecordSelection(HWND window, std::uint32_t kind);

// PWM_SHOWPROPERTIES (window, kind) to the properties window.
void ShowPropertiesOf(HWND window, std::uint32_t kind);

// The form's rows again at a release that ends a press on the form, which
// selected it; a stray release (its press went elsewhere) leaves the
// selected control and its rows as they are.
void ShowPropertiesOfSelectedForm(HWND frame);

// The whole protocol: DeselectUnless(window), RecordSelection, ShowPropertiesOf.
void SelectDesignObject(HWND window, std::uint32_t kind);

// PRJ_SELECTWINDOW (window, window) to the project window.
void SelectInProject(HWND window);

}  // namespace kelp
