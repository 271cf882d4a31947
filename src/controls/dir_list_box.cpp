// The directory list box ("DirListBox_Class"): for now a plain window that
// behaves as a design-time control; its folder tree is still to come.
#include "controls/control_classes.h"
#include "controls/design_control.h"

namespace kelp {

LRESULT CALLBACK DirListBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DesignControlBehaviour(::DefWindowProcA, window, message, wParam, lParam);
}

}  // namespace kelp
