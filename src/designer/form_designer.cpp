#include "designer/form_designer.h"

#include "entry/selection.h"
#include "win/handles.h"

namespace kelp {

FormDesignerState gFormDesigner;

ControlRecord* FormControlRecord(HWND frame) {
  return win::WindowPointer<ControlRecord>(frame, kFrameControlRecordSlot);
}

bool IsFormFrame(HWND window) {
  char name[sizeof(kFrameClassName) + 1] = {};
  return window != nullptr && ::GetClassNameA(window, name, sizeof(name)) > 0 &&
         lstrcmpA(name, kFrameClassName) == 0;
}

FormRecord* FormRecordOf(HWND frame) { return win::WindowPointer<FormRecord>(frame, kFrameFormRecordSlot); }

HWND FrameOfSurface(HWND surface) { return ::GetParent(::GetParent(surface)); }

RECT PanelRectInFrame(HWND frame, HWND backPanel) {
  RECT panel{};
  ::GetWindowRect(backPanel, &panel);
  ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&panel), 2);
  return panel;
}

void SelectForm(HWND frame) { SelectDesignObject(frame, kKindForm); }

void RedockStatusBar(HWND statusBar) {
  const bool redocking = gFormDesigner.redockingStatusBars;
  gFormDesigner.redockingStatusBars = true;
  ::MoveWindow(statusBar, 0, 0, 0, 0, TRUE);
  gFormDesigner.redockingStatusBars = redocking;
}

}  // namespace kelp
