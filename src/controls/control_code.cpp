#include "controls/design_control.h"

namespace kelp {

// The handler skeleton needs the code windows, which are not built yet: a
// double click on a control opens nothing for now.
void ShowControlCode(HWND /*window*/, ControlRecord& /*record*/) {}

}  // namespace kelp
