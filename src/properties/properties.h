// The properties window: a "Properties" tool window holding an object box,
// the property list (an owner-drawn list box of name/value rows) and a
// description panel. There is one properties window, so its state is one
// process-wide record, shared by the files that paint the rows, open the
// in-place editors and handle the list's messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "core/control_record.h"
#include "kelp32.h"

namespace kelp {

inline constexpr char kPropertiesClassName[] = "KelpProperty_Class";

struct PropertiesState {
  HWND window = nullptr;
  HWND objectBox = nullptr;
  HWND list = nullptr;
  HFONT listFont = nullptr;  // "Verdana": rows, editors and description text
  WNDPROC savedListProc = nullptr;
  // The window whose record the rows show and edit.
  HWND target = nullptr;
  // Several controls selected together (the target first): the rows show
  // what they share and an edit changes them all. Empty for one object.
  std::vector<HWND> group;
  // The row each item of the list shows: every row of the target's kind in
  // order, or the rows the group shares.
  std::vector<int> rows;
  // The one in-place editor over a row's value column, and its row.
  HWND editor = nullptr;
  std::optional<int> editorRow;
  // While an editor is being filled, its change notification is not a user's
  // edit and writes nothing back.
  bool fillingEditor = false;
  // While an edit is written back; the selection notices it causes (a
  // resized control announces itself again) must not close the editor.
  bool writingBack = false;
  char valueText[kTextFieldSize] = {};
  char formTitle[kTextFieldSize] = {};
  char composedTitle[kTextFieldSize] = {};
  // Shown in the description panel; nothing fills them.
  char descriptionHeading[kTextFieldSize] = {};
  char descriptionText[kTextFieldSize] = {};
};

extern PropertiesState gProperties;

// The target's control record: a form's from its frame window, a control's
// from its child identifier, decided on the selected kind at the moment.
ControlRecord* TargetRecord();
bool TargetIsForm();
// The records of the group shown (empty for one object).
std::vector<const ControlRecord*> GroupRecords();
// The row an item of the list shows.
int RowOfItem(int item);

// Painting (property_painting.cpp).
void MeasurePropertyRow(HWND window, MEASUREITEMSTRUCT& item);
void DrawPropertyRow(const DRAWITEMSTRUCT& item);
void PaintDescriptionPanel(HWND window);

// In-place editors and writing back (property_editors.cpp).
void OpenEditor(int row, const RECT& rowRect);
void CloseEditor();
void WriteBackEdit(int editorId, HWND editor);
void ApplyPickedColour(HWND target, COLORREF colour);
// What the " Width" and " Height" editors do to a form (its back panel) or
// a control: row kRowWidth or kRowHeight, a positive size.
void SizeDesignObject(HWND target, bool form, int row, std::int32_t value);
// What a colour picked for a control does to it: its record takes the
// colour and a brush of it, and its class background a brush too.
void PaintControlInColour(HWND target, COLORREF colour);
// What SetDesignProperties does, without telling the form's history that
// the host changed the form: for the designer's own commands, which are
// steps of that history themselves.
bool ApplyDesignProperties(HWND object, const KELP32_DESIGN_PROPERTIES& properties);
// The properties window shows nothing and edits nothing: the project is gone.
void ShowNoProperties();

// The list itself (property_list.cpp).
void BuildRowList(std::uint32_t kind);
LRESULT CALLBACK PropertyListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kelp
