#include "designer/form_selection.h"

#include <algorithm>

#include "controls/design_control.h"
#include "core/grab_geometry.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/grab_handles.h"
#include "designer/placement.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "properties/properties.h"
#include "win/gdi.h"

namespace kelp {
namespace {

struct Group {
  HWND frame = nullptr;
  std::vector<HWND> controls;  // the one the others follow first
};

// A copied control is kept as what it was, not as its window: Cut deletes
// the window, and a copy pasted later still has what the control had then.
struct CopiedControl {
  KELP32_DESIGN_PROPERTIES properties;
  RECT place;  // on its surface
};

Group gGroup;
std::vector<CopiedControl> gCopied;

// What a pasted control takes of the copied one; its name, number and
// identifier are its own.
constexpr DWORD kCopiedLook = KELP32_SET_CAPTION | KELP32_SET_BACKCOLOUR | KELP32_SET_FORECOLOUR |
                              KELP32_SET_ENABLED | KELP32_SET_STYLES | KELP32_SET_FONT;

void DropDeadMembers(std::vector<HWND>& controls) {
  controls.erase(std::remove_if(controls.begin(), controls.end(), [](HWND c) { return !IsDesignControl(c); }),
                 controls.end());
}

bool GroupAlive() {
  DropDeadMembers(gGroup.controls);
  return gGroup.controls.size() >= 2 &&
         std::find(gGroup.controls.begin(), gGroup.controls.end(), gWorkspace.selectedWindow) !=
             gGroup.controls.end();
}

void RepaintMarks() {
  if (HWND surface = SurfaceOfForm(gGroup.frame)) ::InvalidateRect(surface, nullptr, FALSE);
}

// The group's first control is selected; the others are marked with it.
void ShowGroup() {
  HWND first = gGroup.controls.front();
  const ControlRecord* record = RecordOfControl(first);
  SelectDesignObject(first, record->kind);
  ShowGrabHandles(nullptr, kGrabHandlesRemove);
  if (FormRecord* form = FormRecordOf(gGroup.frame)) {
    form->rememberedWindow = first;
    form->rememberedKind = record->kind;
  }
  RepaintMarks();
}

// After the selected controls moved or changed size: the marks or the one
// control's handles, and the properties window, follow.
void ShowMovedSelection(HWND frame, HWND first) {
  if (GroupAlive() && gGroup.frame == frame) {
    ShowGrabHandles(nullptr, kGrabHandlesRemove);
    RepaintMarks();
  } else {
    ShowGrabHandles(first, kGrabHandlesShow);
  }
  if (const ControlRecord* record = RecordOfControl(first)) ShowPropertiesOf(first, record->kind);
}

// A status bar docks itself at the bottom of its form: it is not moved or
// sized with the others. A timer is always its 28 x 28 picture: it moves
// with them but keeps its size.
bool Docked(HWND control) {
  const ControlRecord* record = RecordOfControl(control);
  return record == nullptr || record->kind == kKindStatusBar;
}

bool KeepsItsSize(HWND control) {
  const ControlRecord* record = RecordOfControl(control);
  return record != nullptr && record->kind == kKindTimer;
}

// A move keeps the control's corner on the surface, a resize keeps it at
// least a pixel wide and high. True when it changed.
bool NudgeOne(HWND control, int dx, int dy, bool resize) {
  const RECT bounds = RectInParent(control);
  RECT surface{};
  ::GetClientRect(::GetParent(control), &surface);
  if (Docked(control) || (resize && KeepsItsSize(control))) return false;
  if (resize) {
    const int width = std::max<int>(1, bounds.right - bounds.left + dx);
    const int height = std::max<int>(1, bounds.bottom - bounds.top + dy);
    ::SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
  }
  const int left = std::clamp<int>(bounds.left + dx, 0, std::max<int>(0, surface.right - 1));
  const int top = std::clamp<int>(bounds.top + dy, 0, std::max<int>(0, surface.bottom - 1));
  if (left == bounds.left && top == bounds.top) return false;
  ::SetWindowPos(control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

}  // namespace

std::vector<HWND> SelectedGroup(HWND frame) {
  return GroupAlive() && gGroup.frame == frame ? gGroup.controls : std::vector<HWND>{};
}

bool IsInSelectedGroup(HWND control) {
  return control != nullptr && std::find(gGroup.controls.begin(), gGroup.controls.end(), control) !=
                                   gGroup.controls.end();
}

std::vector<HWND> SelectedControls(HWND frame) {
  std::vector<HWND> group = SelectedGroup(frame);
  if (!group.empty()) return group;
  HWND selected = gWorkspace.selectedWindow;
  if (IsDesignControl(selected) && FormOfDesignWindow(selected) == frame) return {selected};
  return {};
}

void ForgetSelectedGroup() {
  if (gGroup.controls.empty()) return;
  RepaintMarks();
  gGroup = {};
}

void SelectControls(HWND frame, const std::vector<HWND>& controls) {
  ForgetSelectedGroup();
  if (controls.size() < 2) {
    SelectOnForm(frame, controls.empty() ? frame : controls.front());
    return;
  }
  gGroup = {frame, controls};
  ShowGroup();
}

void ToggleInSelection(HWND frame, HWND control) {
  std::vector<HWND> members = SelectedControls(frame);
  const auto at = std::find(members.begin(), members.end(), control);
  if (at != members.end()) {
    members.erase(at);
  } else {
    members.push_back(control);
  }
  SelectControls(frame, members);
}

void SelectAllControls(HWND frame) { SelectControls(frame, ControlsOnSurface(SurfaceOfForm(frame))); }

void SelectByBand(HWND surface, const RECT& band) {
  const std::vector<HWND> controls = ControlsOnSurface(surface);
  std::vector<Rect> rects;
  for (HWND c : controls) {
    const RECT r = RectInParent(c);
    rects.push_back({r.left, r.top, r.right, r.bottom});
  }
  std::vector<HWND> touched;
  for (std::size_t i : TouchedBy({band.left, band.top, band.right, band.bottom}, rects)) {
    touched.push_back(controls[i]);
  }
  SelectControls(FrameOfSurface(surface), touched);
}

void RepaintGroupMarks() { RepaintMarks(); }

void DrawGroupMarks(HWND surface, HDC dc) {
  if (!GroupAlive() || SurfaceOfForm(gGroup.frame) != surface) return;
  const win::Brush black = win::SolidBrush(RGB(0, 0, 0));
  const win::Brush white = win::SolidBrush(RGB(255, 255, 255));
  for (HWND control : gGroup.controls) {
    const RECT r = RectInParent(control);
    const bool first = control == gGroup.controls.front();
    for (GrabHandleCode code : kGrabHandleCreationOrder) {
      const Point at = GrabHandlePlace(code, {r.left, r.top, r.right, r.bottom});
      const RECT mark{at.x, at.y, at.x + kGrabHandleSize, at.y + kGrabHandleSize};
      ::FillRect(dc, &mark, first ? black.Get() : white.Get());
      ::FrameRect(dc, &mark, black.Get());
    }
  }
}

void MoveGroupWith(HWND dragged, int dx, int dy) {
  if (!GroupAlive() || !IsInSelectedGroup(dragged)) return;
  if (dx != 0 || dy != 0) {
    const UnreportedChanges partOfTheDrag;
    const ResizesSelectNothing notASelection;
    for (HWND control : gGroup.controls) {
      if (control == dragged || Docked(control)) continue;  // a status bar stays where it docks
      const RECT r = RectInParent(control);
      ::SetWindowPos(control, nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ShowMovedSelection(gGroup.frame, dragged);
}

void NudgeSelected(HWND frame, int dx, int dy, bool resize) {
  const std::vector<HWND> controls = SelectedControls(frame);
  if (controls.empty()) return;
  bool changed = false;
  {
    const UnreportedChanges oneStep;
    const ResizesSelectNothing notASelection;
    for (HWND control : controls) changed = NudgeOne(control, dx, dy, resize) || changed;
  }
  if (changed) ReportChange(resize ? kChangeControlResized : kChangeControlMoved, controls.front());
  ShowMovedSelection(frame, controls.front());
}

void DeleteSelected(HWND frame) {
  const std::vector<HWND> controls = SelectedControls(frame);
  if (controls.empty()) return;
  ForgetSelectedGroup();
  {
    const UnreportedChanges oneStep;
    for (HWND control : controls) {
      if (GrabHandleTarget() == control) ShowGrabHandles(control, kGrabHandlesRemove);
      if (IsDesignControl(control)) ::SendMessageA(control, WM_COMMAND, IDM_DELETE, 0);
    }
  }
  ReportChange(kChangeControlDeleted, SurfaceOfForm(frame));
}

void CopySelected(HWND frame) {
  const std::vector<HWND> controls = SelectedControls(frame);
  // As the context menu's "&Copy" of the first: the designer copies the
  // whole selection, and the form's "&Paste" is offered.
  if (!controls.empty()) ::SendMessageA(controls.front(), WM_COMMAND, IDM_COPY, 0);
}

void CopyWithItsSelection(HWND control) {
  std::vector<HWND> controls = SelectedControls(FormOfDesignWindow(control));
  if (std::find(controls.begin(), controls.end(), control) == controls.end()) controls = {control};
  gCopied.clear();
  for (HWND c : controls) {
    CopiedControl copy{{}, RectInParent(c)};
    if (GetDesignProperties(c, &copy.properties)) gCopied.push_back(copy);
  }
}

void CutSelected(HWND frame) {
  CopySelected(frame);
  DeleteSelected(frame);
}

bool HasCopiedControls() { return !gCopied.empty(); }

void PasteCopied(HWND frame) {
  HWND surface = SurfaceOfForm(frame);
  if (gCopied.empty() || surface == nullptr) return;
  RECT box = gCopied.front().place;
  for (const CopiedControl& c : gCopied) ::UnionRect(&box, &box, &c.place);
  std::vector<HWND> pasted;
  {
    const UnreportedChanges oneStep;
    for (const CopiedControl& c : gCopied) {
      HWND copy = PlaceCopy(surface, c.properties.kind, c.place.right - c.place.left, c.place.bottom - c.place.top);
      if (copy == nullptr) continue;
      KELP32_DESIGN_PROPERTIES look = c.properties;
      look.fields = kCopiedLook;
      ApplyDesignProperties(copy, look);
      if (Docked(copy)) {
        RedockStatusBar(copy);  // at its form's bottom, as the one copied
      } else {
        ::SetWindowPos(copy, nullptr, c.place.left - box.left, c.place.top - box.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      pasted.push_back(copy);
    }
  }
  if (pasted.empty()) return;
  SelectControls(frame, pasted);
  ReportChange(kChangeControlPasted, pasted.back());
}

bool CanFormat(HWND frame, FormatCommand command) {
  const std::size_t count = SelectedControls(frame).size();
  return NeedsTwo(command) ? count >= 2 : count >= 1;
}

void FormatSelected(HWND frame, FormatCommand command) {
  if (!CanFormat(frame, command)) return;
  const std::vector<HWND> controls = SelectedControls(frame);
  std::vector<Rect> rects;
  for (HWND c : controls) {
    const RECT r = RectInParent(c);
    rects.push_back({r.left, r.top, r.right, r.bottom});
  }
  RECT surface{};
  ::GetClientRect(SurfaceOfForm(frame), &surface);
  const std::vector<Rect> placed = FormatRects(rects, command, surface.right, surface.bottom);
  bool changed = false;
  {
    const UnreportedChanges oneStep;
    const ResizesSelectNothing notASelection;
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(controls.size()));
    for (std::size_t i = 0; i < controls.size(); ++i) {
      Rect r = placed[i];
      if (KeepsItsSize(controls[i])) r = {r.left, r.top, r.left + rects[i].Width(), r.top + rects[i].Height()};
      if (r == rects[i] || Docked(controls[i])) continue;
      changed = true;
      if (batch != nullptr) {
        batch = ::DeferWindowPos(batch, controls[i], nullptr, r.left, r.top, r.Width(), r.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
      }
    }
    if (batch != nullptr) ::EndDeferWindowPos(batch);
    // Moved without drawing, one at a time; the form is drawn once.
    ::RedrawWindow(SurfaceOfForm(frame), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  if (changed) ReportChange(kChangeControlMoved, controls.front());
  ShowMovedSelection(frame, controls.front());
}

}  // namespace kelp
