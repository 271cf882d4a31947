#include "designer/form_designer.h"

#include "entry/selection.h"
#include "kelp32.h"
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

HWND FormWithNumber(std::uint32_t number) {
  for (HWND frame : gFormDesigner.forms) {
    const FormRecord* form = FormRecordOf(frame);
    if (form != nullptr && form->number == number) return frame;
  }
  return nullptr;
}

bool IsMdiForm(HWND frame) {
  const FormRecord* form = IsFormFrame(frame) ? FormRecordOf(frame) : nullptr;
  return form != nullptr && form->mdiForm != 0;
}

HWND MdiFormFrame() {
  for (HWND frame : gFormDesigner.forms) {
    if (IsMdiForm(frame)) return frame;
  }
  return nullptr;
}

HWND FrameOfSurface(HWND surface) { return ::GetParent(::GetParent(surface)); }

HWND SurfaceOfForm(HWND frame) {
  const FormRecord* form = FormRecordOf(frame);
  return form != nullptr ? form->surface : nullptr;
}

std::vector<HWND> ControlsOnSurface(HWND surface) {
  std::vector<HWND> controls;
  for (HWND c = GetNextControl(surface, nullptr); c != nullptr; c = GetNextControl(surface, c)) {
    controls.push_back(c);
  }
  return controls;
}

RECT PanelRectInFrame(HWND frame, HWND backPanel) {
  RECT panel{};
  ::GetWindowRect(backPanel, &panel);
  ::MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&panel), 2);
  return panel;
}

void SelectForm(HWND frame) { SelectDesignObject(frame, kKindForm); }

void RedockStatusBar(HWND statusBar) {
  const ResizesSelectNothing notTheUsers;
  ::MoveWindow(statusBar, 0, 0, 0, 0, TRUE);
}

}  // namespace kelp
