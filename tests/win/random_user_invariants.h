// What must hold on the desktop after every action of the random user:
// exactly one object is selected and it exists; the properties window shows
// it; every live control's record agrees with its window (kind, place,
// size, caption); the grab handles surround the selected control or nothing;
// each form's name tables hold exactly its live controls; and nothing keeps
// the mouse captured or confined once the user has let go.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kelp::test {

// Every broken invariant, one line each; empty when all hold.
std::vector<std::string> BrokenInvariants(HWND mdiClient);

}  // namespace kelp::test
