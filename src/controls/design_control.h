// Design-time controls: every control on a form routes its messages through
// one shared behaviour, so that a click selects it, a drag moves it, a right
// click offers the designer's menu and a double click opens its code, while
// the control's own procedure only paints.
//
// A control's record (the 1928-byte ControlRecord) is reached through the
// control window's child identifier, which holds the record's address.
#pragma once

#include <windows.h>

#include "core/control_record.h"

namespace kelp {

inline constexpr int kTimerSize = 28;  // a timer is its 28 x 28 picture
// The self-drawn kinds frame themselves in red while they are dragged.
inline constexpr COLORREF kDragFrameColour = RGB(255, 0, 0);

ControlRecord* RecordOfControl(HWND control);

// The creators register every control they make; it is forgotten when it is
// destroyed. Only a registered window's child identifier is a record: a
// grab handle's, say, is a plain number.
void RegisterDesignControl(HWND control);
bool IsDesignControl(HWND window);

// The design surface the control lives on, and the form's frame window.
HWND SurfaceOfControl(const ControlRecord& record);

// How many design-time controls of its surface lie beneath the control: a
// release that raised it without moving it has still changed the form.
int StackingOf(HWND control);

// The shared behaviour: called by every kind's subclass thunk with the
// control's saved class procedure, and by the library's own control classes
// with none (they then answer with DefWindowProcA themselves).
LRESULT DesignControlBehaviour(WNDPROC classProcedure, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam);

// While one lives, the control keeps the size it is given: a list box that
// sizes itself to whole items of its font cannot shrink it (Undo gives a
// list box back a size it reached under the font it was made with).
class KeepSizeGiven {
 public:
  KeepSizeGiven(HWND control, int width, int height);
  ~KeepSizeGiven();
  KeepSizeGiven(const KeepSizeGiven&) = delete;
  KeepSizeGiven& operator=(const KeepSizeGiven&) = delete;
};

// Frames the client rectangle in red on the window DC while the control is
// being dragged.
void FrameWhileDragged(HWND window);

// Opens (the first time, with its handler skeleton) or shows the control's
// code window.
void ShowControlCode(HWND window, ControlRecord& record);

}  // namespace kelp
