// The in-place editors over the value column and what they write back. Text
// editors commit at every change, keystroke by keystroke, into the target's
// record and, for some rows, onto its windows; the " BkColor" row's colour
// field hands a picked colour back through PWM_COLOURPICKED.
#include <algorithm>
#include <utility>

#include "controls/design_control.h"
#include "core/form_names.h"
#include "core/grab_geometry.h"
#include "core/number_format.h"
#include "core/property_layout.h"
#include "core/property_rows.h"
#include "core/text.h"
#include "designer/form_designer.h"
#include "designer/form_selection.h"
#include "editor/child_controls.h"
#include "entry/host_options.h"
#include "entry/selection.h"
#include "entry/workspace.h"
#include "properties/colour_picker.h"
#include "properties/properties.h"
#include "win/colour_brushes.h"
#include "win/handles.h"
#include "win/rect.h"
#include "win/repaint.h"

namespace kelp {
namespace {

// Set for the length of a write-back (a resize makes the control announce
// itself again; see PropertiesState::writingBack).
class WritingBack {
 public:
  WritingBack() { gProperties.writingBack = true; }
  ~WritingBack() { gProperties.writingBack = false; }
  WritingBack(const WritingBack&) = delete;
  WritingBack& operator=(const WritingBack&) = delete;
};

void OpenTextEditor(int row, const RECT& rowRect, const Rect& place) {
  HWND editor = CreateEditField(gProperties.list, place.left, place.top, place.Width(), place.Height(),
                                kEditFieldSingleLine, EditorIdOfRow(row));
  if (editor == nullptr) return;
  gProperties.editor = editor;
  gProperties.editorRow = row;
  ::SendMessageA(editor, WM_SETFONT, reinterpret_cast<WPARAM>(gProperties.listFont), 0);
  const RECT frame = win::ToRECT(RowFrame(win::FromRECT(rowRect)));
  ::ValidateRect(gProperties.list, &frame);
  const ControlRecord* record = TargetRecord();
  if (record == nullptr) return;
  if (gProperties.group.empty()) {
    FormatEditorText(*record, row, gProperties.valueText);
  } else {
    FormatSharedRowValue(GroupRecords(), row, true, gProperties.valueText);
  }
  // Filling raises EN_CHANGE; what the editor starts with is no edit.
  gProperties.fillingEditor = true;
  ::SetWindowTextA(editor, gProperties.valueText);
  gProperties.fillingEditor = false;
}

void OpenColourField(int row, const Rect& place) {
  HWND field = CreateColorField(gProperties.list, place.left, place.top, place.Width(), place.Height(),
                                gWorkspace.selectedWindow);
  if (field == nullptr) return;
  gProperties.editor = field;
  gProperties.editorRow = row;
  const ControlRecord* record = TargetRecord();
  ::SendMessageA(field, CB_SETCURSEL, 0, static_cast<LPARAM>(record != nullptr ? record->backColour : 0));
  win::RedrawNow(field);
}

void RenameForm(HWND frame, ControlRecord& record, const char* name) {
  ::GetWindowTextA(frame, gProperties.formTitle, sizeof(gProperties.formTitle));
  ComposeRenamedFormTitle(gProperties.formTitle, name, gProperties.composedTitle,
                          IsMdiForm(frame) ? kMdiFormTitleSuffix : kFormTitleSuffix);
  ::SetWindowTextA(frame, gProperties.composedTitle);
  CopyText(record.handleName, name);
}

void ChangeCaption(HWND target, ControlRecord& record, const char* caption) {
  if (!TargetIsForm()) {
    ::SetWindowTextA(target, caption);  // the control reads its caption back from its text
    return;
  }
  if (const FormRecord* form = FormRecordOf(target)) ::SetWindowTextA(form->backPanel, caption);
  CopyText(record.caption, caption);
}

void ChangeSize(HWND target, int row, const char* text) {
  SizeDesignObject(target, TargetIsForm(), row, ParseDecimal(text));
}

void ApplyColourToControl(HWND target, COLORREF colour) {
  PaintControlInColour(target, colour);
  if (const ControlRecord* record = RecordOfControl(target)) RecordSelection(target, record->kind);
}

}  // namespace

// The row's editor, if it is open already, stays: a repaint of the selected
// row must not take away what the user is typing.
void OpenEditor(int row, const RECT& rowRect) {
  if (gProperties.editor != nullptr && gProperties.editorRow == row && ::IsWindow(gProperties.editor)) return;
  CloseEditor();
  const Rect place = EditorPlace(win::FromRECT(rowRect));
  switch (EditorOfRow(row)) {
    case RowEditor::kText:
      OpenTextEditor(row, rowRect, place);
      break;
    case RowEditor::kColour:
      OpenColourField(row, place);
      break;
    case RowEditor::kNone:
      break;
  }
}

void CloseEditor() {
  HWND editor = std::exchange(gProperties.editor, nullptr);
  gProperties.editorRow.reset();
  if (editor != nullptr) ::DestroyWindow(editor);
}

// The typed size applies at once; anything but a positive number leaves the
// size as it was. A form's size is its back panel's. No window takes more
// than its coordinates hold, so a size is cut to what the window and its
// grab handles can have where it stands.
void SizeDesignObject(HWND target, bool form, int row, std::int32_t value) {
  if (value <= 0) return;
  ControlRecord* record = form ? FormControlRecord(target) : RecordOfControl(target);
  // A timer is its picture's size, whatever is typed, as whatever is drawn.
  if (record == nullptr || (!form && record->kind == kKindTimer)) return;
  HWND sized = target;
  if (form) {
    const FormRecord* formRecord = FormRecordOf(target);
    if (formRecord == nullptr) return;
    sized = formRecord->backPanel;
  }
  RECT bounds{};
  ::GetWindowRect(sized, &bounds);
  POINT origin = {bounds.left, bounds.top};
  ::ScreenToClient(::GetParent(sized), &origin);
  value = std::min(value, LargestExtentFrom(row == kRowWidth ? origin.x : origin.y));
  if (value <= 0) return;
  const int width = row == kRowWidth ? value : bounds.right - bounds.left;
  const int height = row == kRowHeight ? value : bounds.bottom - bounds.top;
  ::SetWindowPos(sized, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The control's own size handling has recorded its client size; the
  // record keeps the whole window's, as the creators keep the size asked
  // for. A window that sizes itself (a status bar) has the last word.
  ::GetWindowRect(sized, &bounds);
  if (row == kRowWidth) {
    record->width = bounds.right - bounds.left;
  } else {
    record->height = bounds.bottom - bounds.top;
  }
  if (form) {
    win::RepaintNow(target);
    RecomputeFormScrollBars(target);
  }
}

void PaintControlInColour(HWND target, COLORREF colour) {
  ControlRecord* record = RecordOfControl(target);
  if (record == nullptr) return;
  record->backColour = colour;
  win::DeleteIfColourBrush(win::FromHandle32<HBRUSH>(record->hBackBrush));
  record->hBackBrush = win::ToHandle32(win::MakeColourBrush(colour));
  // The class background follows too; the class's previous brush goes only
  // once the new one is in place.
  HBRUSH classBrush = win::MakeColourBrush(colour);
  const auto previous = reinterpret_cast<HBRUSH>(
      ::SetClassLongPtrA(target, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(classBrush)));
  win::DeleteIfColourBrush(previous);
  win::RepaintNow(target);
}

// A caption or size typed for several controls goes to each; the edit is
// one change of the form. Each control would draw itself at once, and
// hundreds of them at every character make typing lag: the form is drawn
// once after the last.
void WriteBackToGroup(int row, const char* text) {
  {
    const UnreportedChanges oneChange;
    const ResizesSelectNothing notASelection;
    const win::PaintingHeld held(::GetParent(gProperties.target));
    for (HWND control : gProperties.group) {
      if (!IsDesignControl(control)) continue;
      if (row == kRowCaption) {
        ::SetWindowTextA(control, text);
      } else if (row == kRowWidth || row == kRowHeight) {
        SizeDesignObject(control, false, row, ParseDecimal(text));
      }
    }
  }
  RepaintGroupMarks();
  ReportChange(kChangeProperty, gProperties.target);
}

void WriteBackEdit(int editorId, HWND editor) {
  if (gProperties.fillingEditor || editor != gProperties.editor) return;
  HWND target = gProperties.target;
  ControlRecord* record = TargetRecord();
  if (record == nullptr) return;
  ::GetWindowTextA(editor, gProperties.valueText, sizeof(gProperties.valueText));
  const char* text = gProperties.valueText;
  const WritingBack writing;
  const int row = RowOfEditorId(editorId);
  if (!gProperties.group.empty()) {
    WriteBackToGroup(row, text);
    return;
  }
  switch (row) {
    case kRowName:
      if (TargetIsForm()) {
        RenameForm(target, *record, text);
      } else {
        WriteBackRecordText(*record, row, text);
      }
      break;
    case kRowIdName:
    case kRowIdValue:
      WriteBackRecordText(*record, row, text);
      break;
    case kRowCaption:
      ChangeCaption(target, *record, text);
      break;
    case kRowWidth:
    case kRowHeight:
      ChangeSize(target, row, text);
      break;
    default:
      return;
  }
  ReportChange(kChangeProperty, target);
}

// A form takes its colour before it is selected again, so that the rows
// its re-selection rebuilds (and the colour field they reopen) show it.
void ApplyPickedColour(HWND target, COLORREF colour) {
  if (!gProperties.group.empty() && target == gProperties.target) {
    for (HWND control : gProperties.group) {
      if (IsDesignControl(control)) PaintControlInColour(control, colour);
    }
    CloseEditor();
    RepaintGroupMarks();
    ::InvalidateRect(gProperties.list, nullptr, FALSE);
    ReportChange(kChangeColour, target);
    return;
  }
  gProperties.target = target;
  const bool form = TargetIsForm();
  if (form) {
    if (ControlRecord* record = FormControlRecord(target)) record->backColour = colour;
  }
  // A control shows its grab handles again; a form selects itself again,
  // which rebuilds the rows and so closes the colour field.
  HWND field = gProperties.editor;
  ::SendMessageA(target, WM_SETFOCUS, 0, 0);
  if (form) {
    if (gProperties.editor == field) CloseEditor();  // no field outlives a pick
    if (const FormRecord* record = FormRecordOf(target)) win::RepaintNow(record->surface);
  } else {
    ApplyColourToControl(target, colour);
    CloseEditor();
  }
  ReportChange(kChangeColour, target);
}

}  // namespace kelp
