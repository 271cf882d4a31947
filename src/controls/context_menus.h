// The designer's two context menus. Each control gets its own control menu
// (View Code, Copy, Delete, Properties); each new form builds a form menu
// (View Code, Paste greyed until a control is copied, Delete, Properties).
#pragma once

#include <windows.h>

namespace kelp {

HMENU BuildControlContextMenu();
HMENU BuildFormContextMenu();

}  // namespace kelp
