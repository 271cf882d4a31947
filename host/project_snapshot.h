// Between the library's live project (its forms, controls and code windows)
// and the core's plain model that is saved: a snapshot to save, and a
// rebuild after an open.
#pragma once

#include <windows.h>

#include <string>

#include "core/project_model.h"

namespace kelp::host {

// The project as the library holds it now. What the library does not keep
// (the project's kind, settings and startup form) comes from `kept`, the
// model last opened or saved.
Project TakeSnapshot(const Project& kept);

// Closes whatever project is open and builds this one: every form where it
// was, its controls named and numbered as saved, in their stacking order,
// every code window with its text, the project window titled with its
// name. The next control, form or module gets
// the number it would have got before the save. Returns false, with what
// went wrong, when the library refused a part (the rest is still built).
bool RebuildProject(const Project& project, HWND projectWindow, std::string& problem);

}  // namespace kelp::host
