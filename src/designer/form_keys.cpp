// The designer's keys, for hosts that ask (KELP32_OPTION_DESIGN_TOOLS). They
// reach a form's frame, which holds the focus while the user works on the
// form: with a control selected, Delete deletes it, an arrow moves it by one
// grid step (with Ctrl by one pixel) and Shift with an arrow resizes it; Tab
// and Shift+Tab select the next and previous control, Escape the form.
// Ctrl+Z and Ctrl+Y undo and redo, Ctrl+C and Ctrl+V copy and paste.
#include <algorithm>
#include <vector>

#include "controls/design_control.h"
#include "core/surface_grid.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "designer/grab_handles.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"

namespace kelp {
namespace {

bool Held(int key) { return ::GetKeyState(key) < 0; }

// Tab walks the controls in the order they lie, bottom to top, and wraps.
void SelectNeighbour(HWND frame, HWND current, bool backward) {
  const std::vector<HWND> controls = ControlsOnSurface(SurfaceOfForm(frame));
  if (controls.empty()) return;
  const auto at = std::find(controls.begin(), controls.end(), current);
  std::size_t index = 0;
  if (at == controls.end()) {
    index = backward ? controls.size() - 1 : 0;
  } else {
    const std::size_t here = static_cast<std::size_t>(at - controls.begin());
    index = backward ? (here + controls.size() - 1) % controls.size() : (here + 1) % controls.size();
  }
  SelectOnForm(frame, controls[index]);
}

HWND SelectedControlOf(HWND frame) {
  const std::vector<HWND> controls = SelectedControls(frame);
  return controls.empty() ? nullptr : controls.front();
}

bool OnArrowOrEditKey(HWND frame, UINT key, bool ctrl, bool shift) {
  HWND control = SelectedControlOf(frame);
  const int step = ctrl ? 1 : kGridPitch;
  switch (key) {
    case VK_ESCAPE:
      ForgetSelectedGroup();
      SelectOnForm(frame, frame);
      return true;
    case VK_TAB:
      ForgetSelectedGroup();
      SelectNeighbour(frame, control, shift);
      return true;
    case VK_DELETE:
      DoDesignEdit(frame, DesignEdit::kDelete);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      NudgeSelected(frame, key == VK_LEFT ? -step : step, 0, shift);
      return true;
    case VK_UP:
    case VK_DOWN:
      NudgeSelected(frame, 0, key == VK_UP ? -step : step, shift);
      return true;
    case 'A':
      if (ctrl) SelectAllControls(frame);
      return ctrl;
    case 'X':
      if (ctrl) DoDesignEdit(frame, DesignEdit::kCut);
      return ctrl;
    case 'C':
      if (ctrl) DoDesignEdit(frame, DesignEdit::kCopy);
      return ctrl;
    case 'V':
      if (ctrl) DoDesignEdit(frame, DesignEdit::kPaste);
      return ctrl;
    default:
      return false;
  }
}

}  // namespace

void DoDesignEdit(HWND frame, DesignEdit edit) {
  if (!HostWants(kOptionDesignTools) || !CanDoDesignEdit(frame, edit)) return;
  switch (edit) {
    case DesignEdit::kUndo:
      // A form back at its start, as the user added it, goes with one more.
      if (!UndoDesignStep(frame)) UndoFormAddition(frame);
      break;
    case DesignEdit::kRedo:
      if (!RedoDesignStep(frame)) RedoFormAddition();
      break;
    case DesignEdit::kCut:
      CutSelected(frame);
      break;
    case DesignEdit::kCopy:
      CopySelected(frame);
      break;
    case DesignEdit::kPaste:
      PasteCopied(frame);
      break;
    case DesignEdit::kDelete:
      DeleteSelected(frame);
      break;
    case DesignEdit::kSelectAll:
      SelectAllControls(frame);
      break;
  }
}

bool CanDoDesignEdit(HWND frame, DesignEdit edit) {
  // A form taken away by Undo comes back from wherever Redo is asked for,
  // even when no form is left.
  if (edit == DesignEdit::kRedo && CanRedoFormAddition() && (!IsFormFrame(frame) || !CanRedoDesign(frame))) {
    return true;
  }
  if (!IsFormFrame(frame)) return false;
  switch (edit) {
    case DesignEdit::kUndo:
      return CanUndoDesign(frame) || CanUndoFormAddition(frame);
    case DesignEdit::kRedo:
      return CanRedoDesign(frame);
    case DesignEdit::kPaste:
      return HasCopiedControls();
    case DesignEdit::kCut:
    case DesignEdit::kCopy:
    case DesignEdit::kDelete:
      return SelectedControlOf(frame) != nullptr;
    case DesignEdit::kSelectAll:
      return GetNextControl(SurfaceOfForm(frame), nullptr) != nullptr;
  }
  return false;
}

void FocusFormForKeys(HWND frame) {
  if (!HostWants(kOptionDesignTools) || frame == nullptr || ::GetFocus() == frame) return;
  ::SetFocus(frame);
}

bool OnDesignKey(HWND frame, UINT key) {
  if (!HostWants(kOptionDesignTools)) return false;
  const bool ctrl = Held(VK_CONTROL);
  const bool shift = Held(VK_SHIFT);
  if (ctrl && (key == 'Z' || key == 'Y')) {
    DoDesignEdit(frame, key == 'Z' ? DesignEdit::kUndo : DesignEdit::kRedo);
    return true;
  }
  // While the mouse drags something, the keys wait for it.
  if (::GetCapture() != nullptr) return false;
  return OnArrowOrEditKey(frame, key, ctrl, shift);
}

}  // namespace kelp
