// The two lists along the top of a code window, for a host that asks for
// the code tools: on the left "(General)", the form and its controls; on
// the right the procedures, message blocks and handler blocks found in the
// code, those of the object chosen on the left ("(General)": all of them).
// Choosing an entry on the right puts the caret on its line. The lists are
// read from the code when they are opened and when the window becomes
// active, so typing never pays for them.
#include <richedit.h>

#include <string>
#include <vector>

#include "controls/design_control.h"
#include "core/code_search.h"
#include "designer/form_designer.h"
#include "editor/editor.h"
#include "kelp32.h"

namespace kelp {
namespace {

constexpr char kGeneral[] = "(General)";

HWND ObjectList(HWND codeWindow) { return ::GetDlgItem(codeWindow, kFirstListBoxId); }
HWND EntryList(HWND codeWindow) { return ::GetDlgItem(codeWindow, kSecondListBoxId); }

void AddItem(HWND list, const std::string& text, LPARAM data) {
  const auto index = ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

LPARAM SelectedData(HWND list) {
  const auto index = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
  return index < 0 ? 0 : ::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void SelectData(HWND list, LPARAM data) {
  const auto count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
      ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  ::SendMessageA(list, CB_SETCURSEL, 0, 0);
}

// The design surface the code window's object lives on, if any.
HWND SurfaceOf(HWND owner) {
  if (IsDesignSurface(owner)) return owner;
  if (IsDesignControl(owner) && IsDesignSurface(::GetParent(owner))) return ::GetParent(owner);
  return nullptr;
}

// A control's name as the properties window shows it: its handle name
// without the "h".
std::string ControlName(const ControlRecord& record) {
  const char* handle = record.handleName;
  return std::string(handle[0] == 'h' ? handle + 1 : handle);
}

void FillObjects(HWND codeWindow) {
  HWND list = ObjectList(codeWindow);
  HWND owner = CodeWindowOwner(codeWindow);
  // Until the form or a control is there to choose, the window's own
  // object is the choice; afterwards, whatever the user chose stays.
  const LPARAM chosen = ::SendMessageA(list, CB_GETCOUNT, 0, 0) > 1 ? SelectedData(list)
                                                                     : reinterpret_cast<LPARAM>(owner);
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  AddItem(list, kGeneral, 0);
  if (HWND surface = SurfaceOf(owner)) {
    char formName[kTextFieldSize] = {};
    ::GetWindowTextA(surface, formName, sizeof(formName));
    AddItem(list, formName, reinterpret_cast<LPARAM>(surface));
    // Only the design-time controls: the grab handles are children too.
    for (HWND control = GetNextControl(surface, nullptr); control != nullptr;
         control = GetNextControl(surface, control)) {
      if (const ControlRecord* record = RecordOfControl(control)) {
        AddItem(list, ControlName(*record), reinterpret_cast<LPARAM>(control));
      }
    }
  }
  SelectData(list, chosen);
}

// The entries of the object chosen on the left.
void FillEntries(HWND codeWindow) {
  HWND list = EntryList(codeWindow);
  auto object = reinterpret_cast<HWND>(SelectedData(ObjectList(codeWindow)));
  const ControlRecord* control = IsDesignControl(object) ? RecordOfControl(object) : nullptr;
  if (control == nullptr && !IsDesignSurface(object)) object = nullptr;  // gone since: "(General)"
  const std::vector<CodeEntry> entries =
      FindCodeEntries(ToAnsi(EditorCharacters(EditorControlOf(codeWindow))));
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const CodeEntry& entry : entries) {
    const bool shown = object == nullptr ||
                       (control != nullptr ? entry.kind == CodeEntry::Kind::kHandler &&
                                                 ::lstrcmpiA(entry.name.c_str(), control->idName) == 0
                                           : entry.kind != CodeEntry::Kind::kHandler);
    if (shown) AddItem(list, entry.name, static_cast<LPARAM>(entry.line));
  }
}

}  // namespace

void FillCodeWindowLists(HWND codeWindow) {
  FillObjects(codeWindow);
  FillEntries(codeWindow);
}

void ChooseListEntry(HWND codeWindow, int listId) {
  if (listId == kFirstListBoxId) {
    FillEntries(codeWindow);
    return;
  }
  HWND list = EntryList(codeWindow);
  if (::SendMessageA(list, CB_GETCURSEL, 0, 0) < 0) return;
  HWND editor = EditorControlOf(codeWindow);
  GoToLine(editor, static_cast<std::uint32_t>(SelectedData(list)) + 1);
  ::SetFocus(editor);
}

}  // namespace kelp
