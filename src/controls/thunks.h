// The subclass procedures of the standard-control kinds. Each kind keeps the
// class procedure it replaced and hands it to the shared behaviour with
// every message; some kinds add a step of their own around that call.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kelp {

// The class procedure the kind's thunk replaced (null until the first control
// of the kind is made), and the one of the combo kinds' edit field.
WNDPROC SavedClassProcedure(std::uint32_t kind);
WNDPROC SavedEditProcedure(std::uint32_t kind);

// Installs the kind's thunk on a new control and remembers the class procedure.
void SubclassControl(HWND control, std::uint32_t kind);

// For the combo kinds: the edit field inside passes its mouse input to the
// combo box, and reaches the same record.
void HookComboEditField(HWND combo, std::uint32_t kind);

}  // namespace kelp
