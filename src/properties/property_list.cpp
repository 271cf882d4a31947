// The property list: an owner-drawn list box, subclassed so that its
// editors' changes and the colour picker's picks reach the record, and
// refilled with a kind's rows for every selected object.
#include "controls/design_control.h"
#include "core/property_rows.h"
#include "entry/messages.h"
#include "properties/properties.h"

namespace kelp {
namespace {

bool IsEditorChange(WPARAM wParam) {
  if (HIWORD(wParam) != EN_CHANGE) return false;
  const int row = RowOfEditorId(LOWORD(wParam));
  return row >= 0 && row < kCommonRowCount && EditorOfRow(row) == RowEditor::kText;
}

LRESULT PassOn(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gProperties.savedListProc == nullptr) return ::DefWindowProcA(list, message, wParam, lParam);
  return ::CallWindowProcA(gProperties.savedListProc, list, message, wParam, lParam);
}

}  // namespace

int RowOfItem(int item) {
  if (item < 0 || item >= static_cast<int>(gProperties.rows.size())) return item;
  return gProperties.rows[static_cast<std::size_t>(item)];
}

std::vector<const ControlRecord*> GroupRecords() {
  std::vector<const ControlRecord*> records;
  for (HWND control : gProperties.group) {
    if (const ControlRecord* record = RecordOfControl(control)) records.push_back(record);
  }
  return records;
}

// The selected row stays selected where the new list has it.
void BuildRowList(std::uint32_t kind) {
  HWND list = gProperties.list;
  if (list == nullptr) return;
  const int previous = RowOfItem(static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0)));
  gProperties.rows.clear();
  if (gProperties.group.empty()) {
    for (int row = 0; row < RowCount(kind); ++row) gProperties.rows.push_back(row);
  } else {
    std::vector<std::uint32_t> kinds;
    for (const ControlRecord* record : GroupRecords()) kinds.push_back(record->kind);
    gProperties.rows = SharedRows(kinds);
  }
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  int selected = -1;
  for (std::size_t item = 0; item < gProperties.rows.size(); ++item) {
    const int row = gProperties.rows[item];
    if (row == previous) selected = static_cast<int>(item);
    // No LBS_HASSTRINGS: the item data is the name constant itself.
    ::SendMessageA(list, LB_INSERTSTRING, item, reinterpret_cast<LPARAM>(RowName(kind, row)));
  }
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  ::InvalidateRect(list, nullptr, FALSE);
  ::UpdateWindow(list);
}

LRESULT CALLBACK PropertyListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (IsEditorChange(wParam)) {
        WriteBackEdit(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
      }
      break;
    case PWM_COLOURPICKED:
      ApplyPickedColour(reinterpret_cast<HWND>(wParam), static_cast<COLORREF>(lParam));
      break;
    default:
      break;
  }
  return PassOn(list, message, wParam, lParam);
}

}  // namespace kelp
