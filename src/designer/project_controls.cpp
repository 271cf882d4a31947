// The controls of a form as a host saves and rebuilds them: walked bottom to
// top, and placed again with the kind and number they had, each above the
// ones placed before it (a group box above the other group boxes only), so
// that placing them in the saved order puts the stacking back.
#include "controls/design_control.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/placement.h"
#include "entry/host_options.h"
#include "kelp32.h"

namespace kelp {
namespace {

bool IsControlOf(HWND surface, HWND window) { return IsDesignControl(window) && ::GetParent(window) == surface; }

// The first design-time control at or above `window` among its siblings.
HWND FirstControlFrom(HWND surface, HWND window) {
  while (window != nullptr && !IsControlOf(surface, window)) window = ::GetWindow(window, GW_HWNDPREV);
  return window;
}

HWND BottomControl(HWND surface) {
  HWND first = ::GetWindow(surface, GW_CHILD);
  return first != nullptr ? FirstControlFrom(surface, ::GetWindow(first, GW_HWNDLAST)) : nullptr;
}

HWND ControlAbove(HWND surface, HWND control) {
  return FirstControlFrom(surface, ::GetWindow(control, GW_HWNDPREV));
}

bool IsGroupBox(HWND control) {
  const ControlRecord* record = RecordOfControl(control);
  return record != nullptr && record->kind == kKindGroupBox;
}

// The lowest control other than `control` that is no group box, or none.
HWND LowestAboveTheGroupBoxes(HWND surface, HWND control) {
  for (HWND c = BottomControl(surface); c != nullptr; c = ControlAbove(surface, c)) {
    if (c != control && !IsGroupBox(c)) return c;
  }
  return nullptr;
}

// The designer keeps group boxes beneath every other control: a group box
// goes just beneath the lowest other control (above the group boxes placed
// before it); anything else goes on top, as a placed control does.
void PutAmongTheOthers(HWND surface, HWND control) {
  constexpr UINT kKeepPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE;
  HWND lowestOther = IsGroupBox(control) ? LowestAboveTheGroupBoxes(surface, control) : nullptr;
  ::SetWindowPos(control, lowestOther != nullptr ? lowestOther : HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
}

}  // namespace

// A timer sent beneath the others still lies above the group boxes, so that
// a saved form, placed again in its order, stacks as it did.
void PutBeneathTheOthers(HWND surface, HWND control, int width, int height) {
  HWND lowestOther = LowestAboveTheGroupBoxes(surface, control);
  const UINT keep = SWP_NOMOVE | SWP_NOACTIVATE | (lowestOther != nullptr ? 0 : SWP_NOZORDER);
  ::SetWindowPos(control, lowestOther, 0, 0, width, height, keep);
}

bool IsDesignSurface(HWND window) {
  char name[sizeof(kSurfaceClassName) + 1] = {};
  return window != nullptr && ::GetClassNameA(window, name, sizeof(name)) > 0 &&
         lstrcmpA(name, kSurfaceClassName) == 0;
}

}  // namespace kelp

extern "C" HWND KELP_API GetNextControl(HWND surface, HWND control) {
  using namespace kelp;
  if (!IsDesignSurface(surface)) return nullptr;
  if (control == nullptr) return BottomControl(surface);
  return IsControlOf(surface, control) ? ControlAbove(surface, control) : nullptr;
}

extern "C" HWND KELP_API PlaceDesignControl(HWND surface, DWORD kind, DWORD number, LPCSTR name, int x, int y,
                                            int width, int height) {
  using namespace kelp;
  if (!IsDesignSurface(surface)) return nullptr;
  const KindRow* row = KindRowFor(kind);
  NameTable* table = NameTableOf(surface, kind);
  if (row == nullptr || table == nullptr || number >= NameTable::kCapacity || table->At(number) != 0) {
    return nullptr;
  }
  const UnreportedChanges hostAtWork;
  const ResizesSelectNothing hostPlacing;
  HWND control = CreateNumberedControl(surface, *row, *table, number, name, x, y, width, height);
  if (control != nullptr) PutAmongTheOthers(surface, control);
  NoteFormChangedByHost(FrameOfSurface(surface));
  return control;
}
