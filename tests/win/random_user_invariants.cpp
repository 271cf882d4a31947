#include "random_user_invariants.h"

#include <algorithm>
#include <set>

#include "controls/design_control.h"
#include "core/grab_geometry.h"
#include "core/placement_table.h"
#include "core/property_rows.h"
#include "core/text.h"
#include "designer/form_designer.h"
#include "designer/form_history.h"
#include "designer/form_selection.h"
#include "designer/grab_handles.h"
#include "designer/placement.h"
#include "entry/workspace.h"
#include "harness.h"
#include "kelp32.h"
#include "properties/properties.h"
#include "random_user_desktop.h"
#include "win/handles.h"

namespace kelp::test {
namespace {

constexpr char kGrabHandleClass[] = "Boxs_Class";
// The handle windows' extra slots, as the grab handles keep them.
constexpr int kHandleCodeSlot = 1;
constexpr int kHandleTargetSlot = 2;
// The shared behaviour reads a control's text back into at most 256 bytes.
constexpr std::size_t kCaptionKept = 255;

const char* ClassOfKind(std::uint32_t kind) {
  switch (kind) {
    case kKindLabel: return "Static";
    case kKindTextBox: return "Edit";
    case kKindGroupBox:
    case kKindButton:
    case kKindCheckBox:
    case kKindOptionButton: return "Button";
    case kKindComboBox:
    case kKindDriveListBox: return "ComboBox";
    case kKindListBox: return "ListBox";
    case kKindHScrollBar:
    case kKindVScrollBar: return "ScrollBar";
    case kKindTimer: return "Timer_Class";
    case kKindDirListBox: return "DirListBox_Class";
    case kKindFileListBox: return "FileListBox_Class";
    case kKindImageBox: return "Static_Class";
    case kKindCalendar: return "SysMonthCal32";
    case kKindTrackBar: return "msctls_trackbar32";
    case kKindProgressBar: return "msctls_progress32";
    case kKindStatusBar: return "msctls_statusbar32";
    default: return "?";
  }
}

std::string Hex(const void* pointer) {
  char text[32];
  std::snprintf(text, sizeof(text), "%p", pointer);
  return text;
}

std::string Describe(HWND window) {
  return ClassNameOf(window) + " " + Hex(window) + " '" + WindowText(window).substr(0, 40) + "'";
}

void CheckSelection(HWND mdiClient, std::vector<std::string>& broken) {
  HWND selected = gWorkspace.selectedWindow;
  const std::uint32_t kind = gWorkspace.selectedKind;
  // A new project whose New Project window was cancelled has no form, and
  // nothing can be selected.
  if (selected == nullptr && kind == 0 && GetNextForm(nullptr) == nullptr) return;
  if (selected == nullptr || !::IsWindow(selected)) {
    broken.push_back("the selected window " + Hex(selected) + " (kind " + std::to_string(kind) + ") does not exist");
    return;
  }
  if (kind == kKindForm) {
    if (ClassNameOf(selected) != kFrameClassName || ::GetParent(selected) != mdiClient ||
        FormControlRecord(selected) == nullptr) {
      broken.push_back("the selection is a form but " + Describe(selected) + " is not a form's frame");
    }
    return;
  }
  // Only a child of a design surface can carry a control's record: anything
  // else's child identifier is no address.
  HWND parent = ::GetParent(selected);
  const bool onSurface = parent != nullptr && ClassNameOf(parent) == kSurfaceClassName &&
                         ClassNameOf(selected) != kGrabHandleClass;
  const ControlRecord* record = onSurface ? RecordOfControl(selected) : nullptr;
  if (record == nullptr) {
    broken.push_back("the selection (kind " + std::to_string(kind) + ") " + Describe(selected) + " is not a control");
    return;
  }
  if (record->kind != kind) {
    broken.push_back("the selected kind is " + std::to_string(kind) + " but " + Describe(selected) + " is a " +
                     std::to_string(record->kind));
  }
  HWND surface = ::GetParent(selected);
  if (surface != SurfaceOfControl(*record) || FrameOfSurface(surface) == nullptr ||
      ::GetParent(FrameOfSurface(surface)) != mdiClient) {
    broken.push_back("the selected control " + Describe(selected) + " is not on a form's surface");
  }
}

void CheckProperties(std::vector<std::string>& broken) {
  HWND selected = gWorkspace.selectedWindow;
  const std::uint32_t kind = gWorkspace.selectedKind;
  if (gProperties.target != selected) {
    broken.push_back("the properties window shows " + Describe(gProperties.target) + ", not the selected " +
                     Describe(selected));
  }
  // Several controls selected together show the rows they share.
  const std::vector<HWND> group =
      IsInSelectedGroup(selected) ? SelectedGroup(FormOfDesignWindow(selected)) : std::vector<HWND>{};
  if (gProperties.group != group) {
    broken.push_back("the properties window shows " + std::to_string(gProperties.group.size()) +
                     " controls together; the form has " + std::to_string(group.size()) + " selected together");
    return;
  }
  std::vector<int> expected;
  if (group.empty()) {
    for (int row = 0; row < RowCount(kind); ++row) expected.push_back(row);
  } else {
    std::vector<std::uint32_t> kinds;
    for (HWND control : group) kinds.push_back(RecordOfControl(control)->kind);
    expected = SharedRows(kinds);
  }
  HWND list = gWorkspace.propertyList;
  const auto rows = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (rows != static_cast<int>(expected.size())) {
    broken.push_back("the property list has " + std::to_string(rows) + " rows; kind " + std::to_string(kind) +
                     (group.empty() ? "" : " with " + std::to_string(group.size() - 1) + " more selected") +
                     " has " + std::to_string(expected.size()));
    return;
  }
  for (int item = 0; item < rows; ++item) {
    const auto name = ::SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(item), 0);
    if (reinterpret_cast<const char*>(name) != RowName(kind, expected[static_cast<std::size_t>(item)])) {
      broken.push_back("row " + std::to_string(item) + " of the property list is '" +
                       reinterpret_cast<const char*>(name) + "', not kind " + std::to_string(kind) + "'s");
      return;
    }
  }
  if (HWND editor = gProperties.editor) {
    const auto selectedItem = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
    const int selectedRow = RowOfItem(selectedItem);
    if (!::IsWindow(editor) || ::GetParent(editor) != list || gProperties.editorRow != selectedRow) {
      broken.push_back("the property editor " + Hex(editor) + " of row " + std::to_string(gProperties.editorRow.value_or(-1)) +
                       " is not over the selected row " + std::to_string(selectedRow));
    }
  }
}

bool SizeAgrees(std::int32_t recorded, LONG client, LONG window) { return recorded == client || recorded == window; }

void CheckControl(HWND surface, HWND control, std::vector<std::string>& broken) {
  const ControlRecord* record = RecordOfControl(control);
  const std::string who = Describe(control) + " on " + Describe(FrameOfSurface(surface));
  if (SurfaceOfControl(*record) != surface) broken.push_back(who + ": its record names another parent");
  if (lstrcmpiA(ClassNameOf(control).c_str(), ClassOfKind(record->kind)) != 0) {
    broken.push_back(who + ": its record says kind " + std::to_string(record->kind));
  }
  const RECT place = RectInParent(control);
  if (record->left != place.left || record->top != place.top) {
    broken.push_back(who + ": its record says (" + std::to_string(record->left) + "," + std::to_string(record->top) +
                     "), the window is at (" + std::to_string(place.left) + "," + std::to_string(place.top) + ")");
  }
  RECT client{};
  ::GetClientRect(control, &client);
  if (!SizeAgrees(record->width, client.right, place.right - place.left) ||
      !SizeAgrees(record->height, client.bottom, place.bottom - place.top)) {
    broken.push_back(who + ": its record says " + std::to_string(record->width) + " x " +
                     std::to_string(record->height) + ", the window is " + std::to_string(place.right - place.left) +
                     " x " + std::to_string(place.bottom - place.top) + " (client " + std::to_string(client.right) +
                     " x " + std::to_string(client.bottom) + ")");
  }
  if (record->kind == kKindStatusBar) {
    RECT docked{};
    ::GetClientRect(surface, &docked);
    if (place.left != 0 || place.right != docked.right || place.bottom != docked.bottom) {
      broken.push_back(who + ": a status bar lies at its form's bottom, as wide as the form (" +
                       std::to_string(docked.right) + " x " + std::to_string(docked.bottom) + ")");
    }
  }
  if (record->kind == kKindTimer && (place.right - place.left != kTimerSize || place.bottom - place.top != kTimerSize)) {
    broken.push_back(who + ": a timer is its 28 x 28 picture");
  }
  const std::string text = WindowText(control).substr(0, kCaptionKept);
  if (std::string(FieldText(record->caption)) != text) {
    broken.push_back(who + ": its record's caption is '" + std::string(FieldText(record->caption)).substr(0, 40) +
                     "'");
  }
}

void CheckNameTables(HWND surface, const std::vector<HWND>& controls, std::vector<std::string>& broken) {
  for (const KindRow& row : kKindRows) {
    const NameTable* table = NameTableOf(surface, row.kind);
    if (table == nullptr) {
      broken.push_back(Describe(FrameOfSurface(surface)) + " has no name table for " + row.baseName);
      continue;
    }
    std::set<NameTable::Owner> live;
    for (HWND control : controls) {
      if (RecordOfControl(control)->kind == row.kind) live.insert(reinterpret_cast<NameTable::Owner>(control));
    }
    const std::vector<NameTable::Owner> owners = table->Owners();
    const std::set<NameTable::Owner> held(owners.begin(), owners.end());
    if (held != live || table->Count() != live.size() || owners.size() != live.size()) {
      broken.push_back(Describe(FrameOfSurface(surface)) + ": its " + row.baseName + " table holds " +
                       std::to_string(table->Count()) + " numbers, " + std::to_string(live.size()) +
                       " such controls live");
    }
  }
}

void CheckGrabHandles(const std::vector<HWND>& handles, std::vector<std::string>& broken) {
  if (handles.empty()) return;
  HWND selected = gWorkspace.selectedWindow;
  if (gWorkspace.selectedKind == kKindForm || handles.size() != 8) {
    broken.push_back(std::to_string(handles.size()) + " grab handles are out while " + Describe(selected) +
                     " is selected");
    return;
  }
  const Rect target = {RectInParent(selected).left, RectInParent(selected).top, RectInParent(selected).right,
                       RectInParent(selected).bottom};
  for (HWND handle : handles) {
    const auto code = static_cast<GrabHandleCode>(::GetWindowLongPtrA(handle, win::ExtraSlot(kHandleCodeSlot)));
    const auto aim = reinterpret_cast<HWND>(::GetWindowLongPtrA(handle, win::ExtraSlot(kHandleTargetSlot)));
    const RECT at = RectInParent(handle);
    const Point place = GrabHandlePlace(code, target);
    const bool shown = (::GetWindowLongPtrA(handle, GWL_STYLE) & WS_VISIBLE) != 0;
    if (aim != selected || ::GetParent(handle) != ::GetParent(selected) || at.left != place.x || at.top != place.y ||
        !shown) {
      broken.push_back("grab handle " + std::to_string(code) + " at (" + std::to_string(at.left) + "," +
                       std::to_string(at.top) + ")" + (shown ? "" : ", hidden,") + " does not surround the selected " +
                       Describe(selected) + " at (" + std::to_string(target.left) + "," + std::to_string(target.top) +
                       ")-(" + std::to_string(target.right) + "," + std::to_string(target.bottom) + ")");
      return;
    }
  }
}

void CheckMouse(std::vector<std::string>& broken) {
  if (HWND capture = ::GetCapture()) broken.push_back(Describe(capture) + " still has the mouse captured");
  RECT clip{};
  ::GetClipCursor(&clip);
  // Free is a clip that holds the whole screen: Wine may report the X
  // screen's size while an earlier program's desktop set the metrics smaller.
  if (clip.left > 0 || clip.top > 0 || clip.right < ::GetSystemMetrics(SM_CXSCREEN) ||
      clip.bottom < ::GetSystemMetrics(SM_CYSCREEN)) {
    broken.push_back("the cursor is still confined to (" + std::to_string(clip.left) + "," + std::to_string(clip.top) +
                     ")-(" + std::to_string(clip.right) + "," + std::to_string(clip.bottom) + ")");
  }
}

}  // namespace

std::vector<std::string> BrokenInvariants(HWND mdiClient) {
  std::vector<std::string> broken;
  CheckSelection(mdiClient, broken);
  CheckProperties(broken);
  std::vector<HWND> handles;
  for (HWND frame : TakeInventory(mdiClient).forms) {
    HWND surface = SurfaceOf(frame);
    const std::vector<HWND> controls = ControlsOn(surface);
    for (HWND control : controls) CheckControl(surface, control, broken);
    CheckNameTables(surface, controls, broken);
    for (HWND child = ::GetWindow(surface, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
      if (ClassNameOf(child) == kGrabHandleClass) handles.push_back(child);
    }
  }
  CheckGrabHandles(handles, broken);
  CheckMouse(broken);
  return broken;
}

}  // namespace kelp::test
