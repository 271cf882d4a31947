#include "designer/placement.h"

#include <new>

#include "controls/design_control.h"
#include "designer/form_designer.h"
#include "designer/form_selection.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/selection.h"
#include "entry/workspace.h"
#include "kelp32.h"
#include "win/handles.h"

namespace kelp {
namespace {

using Creator = HWND(KELP_API*)(HWND, int, int, int, int, LPCSTR);

HWND KELP_API CreateGroupBoxPassingTheTool(HWND parent, int x, int y, int width, int height, LPCSTR text) {
  return CreateGroupBoxWin(parent, x, y, width, height, text,
                           reinterpret_cast<const DWORD*>(&gWorkspace.currentTool));
}

Creator CreatorFor(std::uint32_t kind) {
  switch (kind) {
    case kKindLabel: return CreateStaticWin;
    case kKindTextBox: return CreateEditWin;
    case kKindGroupBox: return CreateGroupBoxPassingTheTool;
    case kKindButton: return CreateButtonWin;
    case kKindCheckBox: return CreateCheckBoxWin;
    case kKindOptionButton: return CreateRadioBoxWin;
    case kKindComboBox: return CreateComboBoxWin;
    case kKindListBox: return CreateListBoxWin;
    case kKindHScrollBar: return CreateHScrollBarWin;
    case kKindVScrollBar: return CreateVScrollBarWin;
    case kKindTimer: return CreateTimerWin;
    case kKindDriveListBox: return CreateDriveListBoxWin;
    case kKindDirListBox: return CreateDirListBoxWin;
    case kKindFileListBox: return CreateFileListBoxWin;
    case kKindImageBox: return CreateImageBoxWin;
    case kKindCalendar: return CreateCalWin;
    case kKindTrackBar: return CreateTrackBarWin;
    case kKindProgressBar: return CreateProgressWin;
    case kKindStatusBar: return CreateStatusWin;
    default: return nullptr;
  }
}

HWND LayerValue(Layer layer) {
  switch (layer) {
    case Layer::kBottom: return HWND_BOTTOM;
    case Layer::kTopmost: return HWND_TOPMOST;
    case Layer::kNotTopmost: return HWND_NOTOPMOST;
  }
  return HWND_NOTOPMOST;
}

NameTable::Owner OwnerOf(HWND control) { return reinterpret_cast<NameTable::Owner>(control); }
HWND ControlOf(NameTable::Owner owner) { return reinterpret_cast<HWND>(owner); }

constexpr UINT kKeepPlaceAndSize = SWP_NOSIZE | SWP_NOMOVE;

// The new control takes the copied one's text, styles and colours. The class
// longs change the window class, and so every control of that class.
void CopyLookOf(HWND from, HWND to) {
  char text[kTextFieldSize] = {};
  ::GetWindowTextA(from, text, sizeof(text));
  ::SetWindowTextA(to, text);
  const ControlRecord* source = RecordOfControl(from);
  ControlRecord* target = RecordOfControl(to);
  if (source != nullptr && target != nullptr) {
    for (int i = 0; i < 4; ++i) target->reserved3[i] = source->reserved3[i];
    target->exStyle = source->exStyle;
    target->style = source->style;
    target->enabled = source->enabled;
    target->backColour = source->backColour;
  }
  ::SetWindowLongPtrA(to, GWL_EXSTYLE, ::GetWindowLongPtrA(from, GWL_EXSTYLE));
  ::SetWindowLongPtrA(to, GWL_STYLE, ::GetWindowLongPtrA(from, GWL_STYLE));
  ::SetClassLongPtrA(to, GCLP_HBRBACKGROUND, ::GetClassLongPtrA(from, GCLP_HBRBACKGROUND));
  ::SetClassLongPtrA(to, GCL_STYLE, ::GetClassLongPtrA(from, GCL_STYLE));
}

void ReturnToPointer() {
  const std::uint32_t old = gWorkspace.currentTool;
  gWorkspace.currentTool = kToolPointer;
  SendToWorkspaceWindow(gWorkspace.toolboxToolbar, TB_CHECKBUTTON, old, FALSE);
  SendToWorkspaceWindow(gWorkspace.toolboxToolbar, TB_CHECKBUTTON, kToolPointer, TRUE);
}

// Not every control takes the rectangle drawn for it, and it chooses while
// it is being made, before its record can hear of it: a timer is its
// picture, a list box keeps whole items, a combo box shows its edit field's
// height. The record keeps what is on the form.
void RecordPlaceOf(HWND surface, HWND control) {
  ControlRecord* record = RecordOfControl(control);
  if (record == nullptr) return;
  RECT bounds{};
  ::GetWindowRect(control, &bounds);
  ::MapWindowPoints(nullptr, surface, reinterpret_cast<POINT*>(&bounds), 2);
  record->left = bounds.left;
  record->top = bounds.top;
  record->width = bounds.right - bounds.left;
  record->height = bounds.bottom - bounds.top;
}

void KeepGroupBoxesBeneath(HWND surface) {
  NameTable* groupBoxes = NameTableOf(surface, kKindGroupBox);
  if (groupBoxes == nullptr) return;
  for (NameTable::Owner owner : groupBoxes->Owners()) {
    ::SetWindowPos(ControlOf(owner), HWND_BOTTOM, 0, 0, 0, 0, kKeepPlaceAndSize | SWP_NOACTIVATE);
  }
}

}  // namespace

// The kind's layer for now: PlaceControl and the host's placement each put
// the new control where it goes among the others afterwards.
HWND CreateNumberedControl(HWND surface, const KindRow& row, NameTable& table, std::uint32_t number,
                           const char* text, int x, int y, int width, int height) {
  const PlacedNames names = NamesFor(row, static_cast<std::int32_t>(number));
  const char* name = text != nullptr ? text : names.name;
  HWND control = CreatorFor(row.kind)(surface, x, y, width, height, name);
  if (control == nullptr) return nullptr;
  ::SendMessageA(control, DCM_SETIDNAME, 0, reinterpret_cast<LPARAM>(names.idName));
  ::SendMessageA(control, DCM_SETID, 0, names.id);
  ::SetWindowTextA(control, name);
  if (row.kind == kKindTimer) {
    ::SetWindowPos(control, HWND_NOTOPMOST, 0, 0, kTimerSize, kTimerSize, SWP_NOMOVE);
  } else {
    ::SetWindowPos(control, LayerValue(row.layer), 0, 0, 0, 0, kKeepPlaceAndSize);
  }
  RecordPlaceOf(surface, control);
  table.Take(number, OwnerOf(control));
  return control;
}

PlacementRecord* PlacementOf(HWND surface) {
  return win::WindowPointer<PlacementRecord>(surface, kSurfacePlacementSlot);
}

bool CreatePlacementRecord(HWND surface) {
  auto* record = new (std::nothrow) PlacementRecord();
  win::SetWindowPointer(surface, kSurfacePlacementSlot, record);
  return record != nullptr;
}

void FreePlacementRecord(HWND surface) {
  delete PlacementOf(surface);
  win::SetWindowPointer<PlacementRecord>(surface, kSurfacePlacementSlot, nullptr);
}

NameTable* NameTableOf(HWND surface, std::uint32_t kind) {
  PlacementRecord* record = PlacementOf(surface);
  const int index = KindRowIndex(kind);
  return record != nullptr && index >= 0 ? &record->names[index] : nullptr;
}

std::int32_t FindFreeSlot(const NameTable& table) { return table.FindFreeSlot(); }

int SysColorIndex(COLORREF colour) {
  constexpr int kIndices[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 23, 24};
  for (int index : kIndices) {
    if (::GetSysColor(index) == colour) return index;
  }
  return -1;
}

HWND PlaceControl(HWND surface, int x, int y, int width, int height) {
  HWND frame = FrameOfSurface(surface);
  const KindRow* row = KindRowFor(gWorkspace.currentTool);
  NameTable* table = NameTableOf(surface, gWorkspace.currentTool);
  const std::int32_t number = table != nullptr ? FindFreeSlot(*table) : NameTable::kFull;
  HWND control = row != nullptr && number != NameTable::kFull
                     ? CreateNumberedControl(surface, *row, *table, static_cast<std::uint32_t>(number), nullptr, x,
                                             y, width, height)
                     : nullptr;
  gFormDesigner.dragRectangle = {};
  if (gWorkspace.currentTool == kToolPointer) {
    ShowPropertiesOfSelectedForm(frame);
    return control;
  }
  ReturnToPointer();
  if (control == nullptr) {
    // A tool without a creator, a full table, or a creator that failed: the
    // form stays selected.
    gFormDesigner.pasting = false;
    return nullptr;
  }
  gFormDesigner.newControl = control;
  if (gFormDesigner.previousSelection != nullptr) {
    ::SendMessageA(gFormDesigner.previousSelection, WM_KILLFOCUS, 0, 0);
  }
  gWorkspace.selectedWindow = control;
  if (gFormDesigner.pasting && gFormDesigner.copiedControl != nullptr) {
    CopyLookOf(gFormDesigner.copiedControl, control);
  }
  gFormDesigner.pasting = false;
  {
    // Clicked on, the control selects itself: grab handles, selection and
    // properties, and the form's remembered selection. The click is part of
    // placing it, not a move of its own.
    const UnreportedChanges partOfThePlacement;
    ::SendMessageA(control, WM_LBUTTONDOWN, 0, 0);
    ::SendMessageA(control, WM_LBUTTONUP, 0, 0);
  }
  ::SetWindowPos(control, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlaceAndSize);
  KeepGroupBoxesBeneath(surface);
  return control;
}

HWND PasteControl(HWND surface) {
  HWND copied = gFormDesigner.copiedControl;
  const ControlRecord* record = copied != nullptr ? RecordOfControl(copied) : nullptr;
  if (record == nullptr) return nullptr;
  RECT bounds{};
  ::GetWindowRect(copied, &bounds);
  gWorkspace.currentTool = record->kind;
  gFormDesigner.pasting = true;
  // What is selected now loses the selection to the pasted control.
  gFormDesigner.previousSelection = gWorkspace.selectedWindow;
  return PlaceControl(surface, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
}

HWND PlaceCopy(HWND surface, std::uint32_t kind, int width, int height) {
  gWorkspace.currentTool = kind;
  gFormDesigner.previousSelection = gWorkspace.selectedWindow;
  return PlaceControl(surface, 0, 0, width, height);
}

void ForgetControl(HWND surface, HWND control, std::uint32_t kind) {
  if (control == gFormDesigner.copiedControl) {
    gFormDesigner.copiedControl = nullptr;
    // With the designer's tools a copy is what the control was, and outlives
    // it (a cut control is pasted after it is gone).
    if (!HostWants(kOptionDesignTools) || !HasCopiedControls()) {
      ::ModifyMenuA(gWorkspace.formContextMenu, IDM_PASTE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED, IDM_PASTE,
                    "&Paste");
    }
  }
  if (NameTable* table = NameTableOf(surface, kind)) table->Release(OwnerOf(control));
  HWND frame = FrameOfSurface(surface);
  if (FormRecord* form = FormRecordOf(frame)) {
    form->rememberedWindow = frame;
    form->rememberedKind = kKindForm;
  }
  RecordSelection(frame, kKindForm);
  ShowPropertiesOf(frame, kKindForm);
  ::SetFocus(frame);
}

}  // namespace kelp
