#include "designer/form_history.h"

#include <cstring>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "controls/design_control.h"
#include "core/design_history.h"
#include "core/property_rows.h"
#include "designer/form_designer.h"
#include "designer/grab_handles.h"
#include "designer/placement.h"
#include "editor/editor.h"
#include "entry/messages.h"
#include "entry/project_api.h"
#include "entry/selection.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "properties/properties.h"
#include "win/handles.h"
#include "win/repaint.h"

namespace kelp {
namespace {

struct FormHistory {
  DesignHistory history;
  bool stale = true;  // changed by a host since it was last read
  bool refreshPosted = false;
  // The properties window's editor and row the last step was typed in.
  HWND typedIn = nullptr;
  std::optional<int> typedRow;
  // Added by the user: undoing its first step's state takes it away.
  bool addedByUser = false;
};

// A form the user added and Undo took away: what brings it back as it was,
// with the steps left to redo on it.
struct UndoneForm {
  KELP32_FORM_INFO info;
  DesignHistory history;
};

std::unordered_map<HWND, FormHistory> gHistories;
std::vector<UndoneForm> gUndoneForms;  // the last taken away last
// While Undo or Redo puts a form back, what it does through the exports is
// no host's change.
bool gApplyingStep = false;

class ApplyingStep {
 public:
  ApplyingStep() { gApplyingStep = true; }
  ~ApplyingStep() { gApplyingStep = false; }
  ApplyingStep(const ApplyingStep&) = delete;
  ApplyingStep& operator=(const ApplyingStep&) = delete;
};

// A control is known by its kind and number, which it keeps when it comes
// back; the form by its own kind, which no control has.
std::uint32_t KeyOf(std::uint32_t kind, std::uint32_t number) { return kind << 16 | (number & 0xFFFF); }
bool IsFormKey(std::uint32_t key) { return key >> 16 == kKindForm; }

// Text fields and the font's face are compared up to their end only.
void ClearPastEnd(char* text, std::size_t size) {
  const std::size_t length = strnlen(text, size);
  if (length < size) std::memset(text + length, 0, size - length);
}

std::string WindowTextOf(HWND window) {
  char text[kTextFieldSize] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string StateOf(KELP32_DESIGN_PROPERTIES properties) {
  properties.fields = 0;
  properties.hCodeWindow = 0;
  if (properties.kind == kKindForm) {
    // Where the back panel lies in the frame is how far the form is
    // scrolled: a view of the design, not part of it.
    properties.windowLeft = 0;
    properties.windowTop = 0;
  }
  ClearPastEnd(properties.handleName, sizeof(properties.handleName));
  ClearPastEnd(properties.idName, sizeof(properties.idName));
  ClearPastEnd(properties.caption, sizeof(properties.caption));
  ClearPastEnd(properties.font.lfFaceName, sizeof(properties.font.lfFaceName));
  return std::string(reinterpret_cast<const char*>(&properties), sizeof(properties));
}

KELP32_DESIGN_PROPERTIES PropertiesOf(const DesignEntry& entry) {
  KELP32_DESIGN_PROPERTIES properties{};
  if (entry.state.size() >= sizeof(properties)) std::memcpy(&properties, entry.state.data(), sizeof(properties));
  return properties;
}

// A form's state ends in its frame's title, which renaming the form changes.
std::string FrameTitleOf(const DesignEntry& entry) {
  return entry.state.size() > sizeof(KELP32_DESIGN_PROPERTIES) ? entry.state.substr(sizeof(KELP32_DESIGN_PROPERTIES))
                                                               : std::string();
}

bool AddEntry(DesignSnapshot& snapshot, HWND object) {
  KELP32_DESIGN_PROPERTIES properties{};
  if (!GetDesignProperties(object, &properties)) return false;
  std::string state = StateOf(properties);
  if (IsFormFrame(object)) state += WindowTextOf(object);
  snapshot.push_back({KeyOf(properties.kind, properties.number), std::move(state), properties.hCodeWindow});
  return true;
}

DesignSnapshot Capture(HWND frame) {
  DesignSnapshot snapshot;
  if (!AddEntry(snapshot, frame)) return snapshot;
  const FormRecord* form = FormRecordOf(frame);
  if (form == nullptr) return snapshot;
  for (HWND control = GetNextControl(form->surface, nullptr); control != nullptr;
       control = GetNextControl(form->surface, control)) {
    AddEntry(snapshot, control);
  }
  return snapshot;
}

// The objects a value typed into the properties window changes: the one
// shown, or each of several shown together. False for a form's size, which
// docks its status bars again.
bool CaptureTypedInto(HWND shown, DesignSnapshot& snapshot) {
  if (IsFormFrame(shown)) {
    const bool sized = gProperties.editorRow == kRowWidth || gProperties.editorRow == kRowHeight;
    return !sized && AddEntry(snapshot, shown);
  }
  if (gProperties.group.empty()) return IsDesignControl(shown) && AddEntry(snapshot, shown);
  for (HWND control : gProperties.group) {
    if (!IsDesignControl(control) || !AddEntry(snapshot, control)) return false;
  }
  return true;
}

HWND ControlWithKey(HWND surface, std::uint32_t key) {
  NameTable* table = NameTableOf(surface, key >> 16);
  return table != nullptr ? reinterpret_cast<HWND>(table->At(key & 0xFFFF)) : nullptr;
}

// As the user deletes it, with nothing reported: its number becomes free and
// the form is selected. Its code window stays open.
void DeleteControl(HWND control) {
  if (GrabHandleTarget() == control) ShowGrabHandles(control, kGrabHandlesRemove);
  ::SendMessageA(control, WM_COMMAND, IDM_DELETE, 0);
}

// A control that comes back takes its code window again, if that is still
// open and no other control has taken it.
void Reattach(HWND control, std::uint64_t attachment) {
  HWND codeWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(attachment));
  ControlRecord* record = RecordOfControl(control);
  if (record == nullptr || codeWindow == nullptr || !IsCodeWindow(codeWindow)) return;
  if (IsDesignControl(CodeWindowOwner(codeWindow))) return;
  record->hCodeWindow = win::ToHandle32(codeWindow);
  record->codeOpen = 1;
  SetCodeWindowOwner(codeWindow, control);
}

HWND BringBack(HWND surface, const DesignEntry& entry) {
  const KELP32_DESIGN_PROPERTIES properties = PropertiesOf(entry);
  HWND control = PlaceDesignControl(surface, properties.kind, properties.number, properties.caption,
                                    properties.windowLeft, properties.windowTop, properties.windowWidth,
                                    properties.windowHeight);
  if (control != nullptr) Reattach(control, entry.attachment);
  return control;
}

// The fields of the object that differ from the state: only those are set,
// so that putting back a move does not make fonts and brushes again.
DWORD FieldsToSet(HWND object, const KELP32_DESIGN_PROPERTIES& wanted) {
  KELP32_DESIGN_PROPERTIES now{};
  if (!GetDesignProperties(object, &now)) return kSetSaved;
  auto differ = [](const auto& a, const auto& b) { return std::memcmp(&a, &b, sizeof(a)) != 0; };
  DWORD fields = 0;
  if (std::strcmp(now.caption, wanted.caption) != 0) fields |= kSetCaption;
  if (std::strcmp(now.handleName, wanted.handleName) != 0) fields |= kSetName;
  if (std::strcmp(now.idName, wanted.idName) != 0) fields |= kSetIdName;
  if (now.ctrlId != wanted.ctrlId) fields |= kSetId;
  if (now.enabled != wanted.enabled) fields |= kSetEnabled;
  if (now.style != wanted.style || now.exStyle != wanted.exStyle || now.classStyle != wanted.classStyle) {
    fields |= kSetStyles;
  }
  if (now.hasFont != wanted.hasFont || differ(now.font, wanted.font)) fields |= kSetFont;
  if (now.backColour != wanted.backColour || now.brushKind != wanted.brushKind ||
      now.brushSystemColour != wanted.brushSystemColour) {
    fields |= kSetBackColour;
  }
  if (now.foreColour != wanted.foreColour) fields |= kSetForeColour;
  if (now.left != wanted.left || now.top != wanted.top || now.width != wanted.width || now.height != wanted.height ||
      now.windowLeft != wanted.windowLeft || now.windowTop != wanted.windowTop ||
      now.windowWidth != wanted.windowWidth || now.windowHeight != wanted.windowHeight) {
    fields |= kSetPlace;
  }
  return fields;
}

void PutState(HWND object, const DesignEntry& entry) {
  KELP32_DESIGN_PROPERTIES properties = PropertiesOf(entry);
  properties.fields = FieldsToSet(object, properties);
  if (properties.fields != 0) SetDesignProperties(object, &properties);
  if (IsFormFrame(object) && WindowTextOf(object) != FrameTitleOf(entry)) {
    ::SetWindowTextA(object, FrameTitleOf(entry).c_str());
  }
}

// A list box sizes itself to whole items of its font whenever it is sized,
// so it may not take again a size it reached under an earlier font (the one
// it was made with): it is given that size as it stood, and its record the
// place it had.
void KeepListBoxSize(HWND control, const DesignEntry& entry) {
  const KELP32_DESIGN_PROPERTIES wanted = PropertiesOf(entry);
  KELP32_DESIGN_PROPERTIES now{};
  ControlRecord* record = RecordOfControl(control);
  if (wanted.kind != kKindListBox || record == nullptr || !GetDesignProperties(control, &now)) return;
  if (now.windowWidth == wanted.windowWidth && now.windowHeight == wanted.windowHeight) return;
  {
    const KeepSizeGiven asItStood(control, wanted.windowWidth, wanted.windowHeight);
    ::SetWindowPos(control, nullptr, 0, 0, wanted.windowWidth, wanted.windowHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  record->left = wanted.left;
  record->top = wanted.top;
  record->width = wanted.width;
  record->height = wanted.height;
}

// Puts the form's windows where the step leads; returns the object to select.
HWND ApplyToForm(HWND frame, const DesignStep& step, StepDirection direction) {
  const FormRecord* form = FormRecordOf(frame);
  if (form == nullptr) return frame;
  HWND surface = form->surface;
  const bool forward = direction == StepDirection::kForward;
  const std::vector<DesignEntry>& leaving = forward ? step.before : step.after;
  const std::vector<DesignEntry>& coming = forward ? step.after : step.before;
  const std::vector<std::uint32_t>& order = forward ? step.orderAfter : step.orderBefore;
  const ApplyingStep applying;
  const UnreportedChanges notTheUsersAction;

  std::unordered_set<std::uint32_t> stays;
  for (const DesignEntry& entry : coming) stays.insert(entry.key);
  for (const DesignEntry& entry : leaving) {
    if (IsFormKey(entry.key) || stays.count(entry.key) != 0) continue;
    if (HWND control = ControlWithKey(surface, entry.key)) DeleteControl(control);
  }
  HWND changed = frame;
  for (const DesignEntry& entry : coming) {
    HWND object = IsFormKey(entry.key) ? frame : ControlWithKey(surface, entry.key);
    if (object == nullptr) object = BringBack(surface, entry);
    if (object == nullptr) continue;
    PutState(object, entry);
    KeepListBoxSize(object, entry);
    if (object != frame) changed = object;
  }
  if (step.stackingChanged) {
    // Each goes on top in turn, so the last is the top one, as it was.
    for (std::uint32_t key : order) {
      if (HWND control = IsFormKey(key) ? nullptr : ControlWithKey(surface, key)) {
        ::SetWindowPos(control, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      }
    }
  }
  return changed;
}

bool Step(HWND frame, bool undo) {
  const auto found = gHistories.find(frame);
  if (found == gHistories.end() || found->second.stale) return false;
  // A drag holds the mouse: its end is the next step, and nothing is undone
  // under it.
  if (::GetCapture() != nullptr) return false;
  FormHistory& state = found->second;
  state.typedIn = nullptr;
  const std::optional<DesignStep> step = undo ? state.history.Undo() : state.history.Redo();
  if (!step) return false;
  HWND changed = nullptr;
  {
    // Each control put back would draw itself and the surface beneath it.
    const win::PaintingHeld held(SurfaceOfForm(frame));
    changed = ApplyToForm(frame, *step, undo ? StepDirection::kBackward : StepDirection::kForward);
  }
  // What could not be put back as it was (a host changed the form meanwhile)
  // is taken as it is now.
  DesignSnapshot now = Capture(frame);
  if (now != state.history.Base()) state.history.Rebase(std::move(now));
  SelectOnForm(frame, changed);
  ReportChange(undo ? kChangeUndone : kChangeRedone, frame);
  return true;
}

}  // namespace

void SelectOnForm(HWND frame, HWND object) {
  if (object == frame || !IsDesignControl(object)) {
    ShowGrabHandles(nullptr, kGrabHandlesRemove);
    SelectForm(frame);
    if (FormRecord* form = FormRecordOf(frame)) {
      form->rememberedWindow = frame;
      form->rememberedKind = kKindForm;
    }
    return;
  }
  ControlRecord* record = RecordOfControl(object);
  SelectDesignObject(object, record->kind);
  record->settled = 1;
  ShowGrabHandles(object, kGrabHandlesShow);
  if (FormRecord* form = FormRecordOf(frame)) {
    form->rememberedWindow = object;
    form->rememberedKind = record->kind;
  }
}

HWND FormOfDesignWindow(HWND window) {
  for (HWND w = window; w != nullptr; w = ::GetParent(w)) {
    if (IsFormFrame(w)) return w;
  }
  return nullptr;
}

void RecordDesignChange(HostChange what, HWND about) {
  if (!HostWants(kOptionDesignTools) || gApplyingStep) return;
  if (what == kChangeCode) {
    // Code typed or a code window opened is no design action, but a
    // control's next step must know its code window.
    HWND owner = CodeWindowOwner(about);
    KELP32_DESIGN_PROPERTIES properties{};
    const auto found = gHistories.find(FormOfDesignWindow(owner));
    if (found == gHistories.end() || !IsDesignControl(owner) || !GetDesignProperties(owner, &properties)) return;
    found->second.history.SetAttachment(KeyOf(properties.kind, properties.number), properties.hCodeWindow);
    return;
  }
  switch (what) {
    case kChangeModuleAdded:
    case kChangeClassModuleAdded:
    case kChangeUndone:
    case kChangeRedone:
      return;
    default:
      break;
  }
  HWND frame = FormOfDesignWindow(about);
  if (frame == nullptr) return;
  FormHistory& state = gHistories[frame];
  if (state.stale) {
    state.history.Rebase(Capture(frame));
    state.stale = false;
    return;
  }
  // A value typed into the properties window changes the object at every
  // character; the whole value typed in one editor is one step.
  const bool typed = what == kChangeProperty && gProperties.editor != nullptr;
  const bool sameValue = typed && state.typedIn == gProperties.editor && state.typedRow == gProperties.editorRow;
  // A value's first character reads the whole form; the next ones change
  // only the objects typed into, so a large form is not read again at every
  // character.
  DesignSnapshot typedInto;
  const bool onlyThose = sameValue && CaptureTypedInto(about, typedInto);
  const bool kept = onlyThose ? state.history.RecordSome(std::move(typedInto), true)
                              : state.history.Record(Capture(frame), sameValue);
  if (kept) gUndoneForms.clear();
  state.typedIn = typed ? gProperties.editor : nullptr;
  state.typedRow = typed ? gProperties.editorRow : std::nullopt;
}

void NoteFormChangedByHost(HWND frame) {
  if (!HostWants(kOptionDesignTools) || gApplyingStep || frame == nullptr) return;
  FormHistory& state = gHistories[frame];
  state.stale = true;
  if (!state.refreshPosted) state.refreshPosted = ::PostMessageA(frame, kRefreshFormHistory, 0, 0) != FALSE;
}

void NoteEveryFormChangedByHost() {
  for (HWND frame : gFormDesigner.forms) NoteFormChangedByHost(frame);
}

void RefreshFormHistory(HWND frame) {
  const auto found = gHistories.find(frame);
  if (found == gHistories.end()) return;
  found->second.refreshPosted = false;
  if (!found->second.stale || !HostWants(kOptionDesignTools)) return;
  found->second.history.Rebase(Capture(frame));
  found->second.stale = false;
}

void ForgetFormHistory(HWND frame) { gHistories.erase(frame); }

bool UndoDesignStep(HWND frame) { return HostWants(kOptionDesignTools) && Step(frame, true); }
bool RedoDesignStep(HWND frame) { return HostWants(kOptionDesignTools) && Step(frame, false); }

bool CanUndoDesign(HWND frame) {
  const auto found = gHistories.find(frame);
  return found != gHistories.end() && !found->second.stale && found->second.history.CanUndo();
}

bool CanRedoDesign(HWND frame) {
  const auto found = gHistories.find(frame);
  return found != gHistories.end() && !found->second.stale && found->second.history.CanRedo();
}

void NoteFormAddedByUser(HWND frame) {
  if (!HostWants(kOptionDesignTools) || !IsFormFrame(frame)) return;
  gHistories[frame].addedByUser = true;
  gUndoneForms.clear();
}

// Only a form as it was added goes: empty, without a code window, and with
// nothing a host did to it since.
bool CanUndoFormAddition(HWND frame) {
  if (!HostWants(kOptionDesignTools) || ::GetCapture() != nullptr) return false;
  const auto found = gHistories.find(frame);
  if (found == gHistories.end() || !found->second.addedByUser || found->second.stale ||
      found->second.history.CanUndo()) {
    return false;
  }
  const FormRecord* form = FormRecordOf(frame);
  const ControlRecord* record = FormControlRecord(frame);
  return form != nullptr && record != nullptr && GetNextControl(form->surface, nullptr) == nullptr &&
         !::IsWindow(win::FromHandle32<HWND>(record->hCodeWindow));
}

bool UndoFormAddition(HWND frame) {
  if (!CanUndoFormAddition(frame)) return false;
  KELP32_FORM_INFO info{};
  if (!GetFormInfo(frame, &info)) return false;
  gUndoneForms.push_back({info, std::move(gHistories[frame].history)});
  {
    const UnreportedChanges notTheUsersAction;
    ShowGrabHandles(nullptr, kGrabHandlesRemove);
    SendToWorkspaceWindow(gWorkspace.projectWindow, PRJ_REMOVEWINDOW, 0, reinterpret_cast<LPARAM>(frame));
    DestroyMdiChild(frame);
  }
  // Its number is free again if no later form took the next one.
  if (gWorkspace.formCounter == gUndoneForms.back().info.number) gWorkspace.formCounter -= 1;
  // What was selected went with the form: the form now active (or else
  // the first left) is selected, and with no form nothing is.
  if (!::IsWindow(gWorkspace.selectedWindow)) {
    HWND next = reinterpret_cast<HWND>(::SendMessageA(gWorkspace.mdiClient, WM_MDIGETACTIVE, 0, 0));
    if (!IsFormFrame(next)) next = GetNextForm(nullptr);
    if (next != nullptr) {
      SelectOnForm(next, next);
    } else {
      RecordSelection(nullptr, 0);
      ShowNoProperties();
    }
  }
  ReportChange(kChangeUndone, gWorkspace.mdiClient);
  return true;
}

bool CanRedoFormAddition() { return HostWants(kOptionDesignTools) && !gUndoneForms.empty(); }

bool RedoFormAddition() {
  if (!CanRedoFormAddition() || ::GetCapture() != nullptr) return false;
  UndoneForm undone = std::move(gUndoneForms.back());
  gUndoneForms.pop_back();
  HWND frame = CreateProjectForm(&undone.info);
  if (frame == nullptr) return false;
  FormHistory& state = gHistories[frame];
  state.history = std::move(undone.history);
  state.stale = false;
  state.addedByUser = true;
  DesignSnapshot now = Capture(frame);
  if (now != state.history.Base()) state.history.Rebase(std::move(now));
  ::SendMessageA(gWorkspace.mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
  SelectOnForm(frame, frame);
  ReportChange(kChangeRedone, frame);
  return true;
}

void ForgetUndoneForms() { gUndoneForms.clear(); }

std::size_t DesignHistoryBytes(HWND frame) {
  const auto found = gHistories.find(frame);
  return found != gHistories.end() ? found->second.history.StepBytes() : 0;
}

std::size_t DesignHistorySteps(HWND frame) {
  const auto found = gHistories.find(frame);
  return found != gHistories.end() ? found->second.history.UndoCount() : 0;
}

std::uint64_t DesignHistoryRevision(HWND frame) {
  const auto found = gHistories.find(frame);
  return found != gHistories.end() ? found->second.history.Revision() : 0;
}

}  // namespace kelp
