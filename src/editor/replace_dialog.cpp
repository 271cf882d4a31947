// The Replace Text window (Replace_Class), opened by Ctrl+H in an editor
// control for a host that asks for the code tools, in the Find Text
// window's style: what to find and what to put instead, "Case Sensitive."
// and "Match Whole Word.", "Find Next", "Replace", "Replace All" and
// "Cancel". It acts on the current editor control and stays open until
// closed; the search it makes is the one F3 repeats.
#include <richedit.h>

#include <string>
#include <utility>

#include "core/code_search.h"
#include "editor/child_controls.h"
#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/workspace.h"

namespace kelp {
namespace {

constexpr int kWidth = 470, kHeight = 165;

constexpr char kTitle[] = " Replace Text";
constexpr char kNoMatches[] = "No matches";
constexpr char kTooLong[] = "Replace All would make the text longer than 16 MB.\n\nNothing was replaced.";
constexpr char kAlertTitle[] = "Alert!";

constexpr int kCaseBoxId = 100;
constexpr int kWordBoxId = 200;
constexpr int kFindBoxId = 4000;
constexpr int kWithBoxId = 4001;
constexpr int kFindNextButtonId = 3000;
constexpr int kCancelButtonId = 3001;
constexpr int kReplaceButtonId = 3002;
constexpr int kReplaceAllButtonId = 3003;

// What the last Replace All changed, so that Undo takes it back in one
// step: the editor control it gave the code window, the text before it
// (line ends and all), and the characters it left, which Undo finds again
// before it puts the old text back.
struct ReplaceAllStep {
  HWND editor = nullptr;
  std::string before;
  std::wstring after;
};
ReplaceAllStep gLastReplaceAll;

// The longest selection the window offers as the text to find.
constexpr LONG kLongestSuggestion = 255;

// The editor's selection as text, or nothing when it is empty or holds
// more than `atMost` characters.
std::string SelectedText(HWND editor, LONG atMost) {
  CHARRANGE selection{};
  ::SendMessageA(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  const LONG length = selection.cpMax - selection.cpMin;
  if (length <= 0 || length > atMost) return {};
  std::string text(static_cast<std::size_t>(length) * 2 + 1, '\0');  // a character can take two bytes
  const auto copied = ::SendMessageA(editor, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void ReplaceWindow_OnCreate(HWND window) {
  CenterWindow(window);
  CreateLabel(window, 10, 12, 90, 18, "Find what:");
  CreateLabel(window, 10, 42, 90, 18, "Replace with:");
  CreateTextField(window, 100, 10, 240, 22, kFindBoxId);
  CreateTextField(window, 100, 40, 240, 22, kWithBoxId);
  HWND caseBox = CreateCheckBox(window, 10, 80, 150, 20, "Case Sensitive.", kCaseBoxId);
  HWND wordBox = CreateCheckBox(window, 165, 80, 170, 20, "Match Whole Word.", kWordBoxId);
  const struct {
    int y, id;
    const char* text;
  } buttons[] = {{8, kFindNextButtonId, "Find Next"},
                 {36, kReplaceButtonId, "Replace"},
                 {64, kReplaceAllButtonId, "Replace All"},
                 {92, kCancelButtonId, "Cancel"}};
  for (const auto& b : buttons) {
    HWND button = CreatePushButton(window, 355, b.y, 95, 25, b.text, b.id);
    ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(gWorkspace.defaultFont), TRUE);
  }
  for (HWND box : {caseBox, wordBox}) {
    ::SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(gWorkspace.defaultFont), TRUE);
  }
  if (gEditor.matchCase) ::SendMessageA(caseBox, BM_SETCHECK, BST_CHECKED, 0);
  if (gEditor.wholeWord) ::SendMessageA(wordBox, BM_SETCHECK, BST_CHECKED, 0);
  // What is selected in the editor is what the user most likely replaces.
  if (HWND editor = gEditor.currentEditor) {
    const std::string selected = SelectedText(editor, kLongestSuggestion);
    if (!selected.empty() && selected.find('\r') == std::string::npos) {
      ::SetDlgItemTextA(window, kFindBoxId, selected.c_str());
    }
  }
}

// The options as the boxes show them; they become the Find options too.
SearchOptions TakeOptions(HWND window) {
  gEditor.matchCase = ::IsDlgButtonChecked(window, kCaseBoxId) == BST_CHECKED;
  gEditor.wholeWord = ::IsDlgButtonChecked(window, kWordBoxId) == BST_CHECKED;
  return {gEditor.matchCase, gEditor.wholeWord};
}

std::string FieldText(HWND window, int identifier) { return WholeWindowText(::GetDlgItem(window, identifier)); }

void FindNextMatch(HWND window, const std::string& what) {
  TakeOptions(window);
  if (RememberSearchText(what.c_str(), what.size())) FindNext(gEditor.searchText, gEditor.searchLength);
}

// The editor's text changed by the user's command: modified, and reported.
void MarkChangedByUser(HWND editor) {
  ::SendMessageA(editor, EM_SETMODIFY, TRUE, 0);
  ReportChange(kChangeCode, ::GetParent(editor));
}

// "Replace": the selection, if it is a match, becomes the replacement (one
// step of the editor's own Undo); then the next match is selected.
void ReplaceWindow_OnReplace(HWND window) {
  HWND editor = gEditor.currentEditor;
  const std::string what = FieldText(window, kFindBoxId);
  if (editor == nullptr || what.empty()) return;
  const SearchOptions options = TakeOptions(window);
  const std::string selected = SelectedText(editor, static_cast<LONG>(what.size()));
  if (selected.size() == what.size() && MatchesAt(selected, 0, what, {options.matchCase, false})) {
    const std::string with = FieldText(window, kWithBoxId);
    ::SendMessageA(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(with.c_str()));
  }
  FindNextMatch(window, what);
}

// Every match of the whole text at once, in a new editor control (see
// RenewEditorControl): Wine's RichEdit changes a text of thousands of lines
// line by line in seconds. A match lies within a line, so a text to find
// that holds a line end matches nothing.
void ReplaceWindow_OnReplaceAll(HWND window) {
  HWND editor = gEditor.currentEditor;
  const std::string what = FieldText(window, kFindBoxId);
  if (editor == nullptr || what.empty()) return;
  const std::string with = FieldText(window, kWithBoxId);
  const SearchOptions options = TakeOptions(window);
  RememberSearchText(what.c_str(), what.size());
  std::string before = ExactText(editor);
  const Replaced replaced =
      what.find_first_of("\r\n") == std::string::npos ? ReplaceAll(before, what, with, options) : Replaced{};
  if (replaced.tooLong) {
    ::MessageBoxA(window, kTooLong, kAlertTitle, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (replaced.count == 0) {
    ::MessageBoxA(window, kNoMatches, kAlertTitle, MB_OK);
    return;
  }
  HWND renewed = RenewEditorControl(editor, replaced.text);
  if (renewed == nullptr) return;
  MarkChangedByUser(renewed);
  gLastReplaceAll = {renewed, std::move(before), EditorCharacters(renewed)};
  const std::string done =
      std::to_string(replaced.count) + (replaced.count == 1 ? " match" : " matches") + " replaced";
  ::SetWindowTextA(window, (" Replace Text: " + done).c_str());
}

void CloseReplaceWindow(HWND window) {
  ::SetFocus(gEditor.currentEditor);
  ::DestroyWindow(window);
}

}  // namespace

bool CanUndoReplaceAll(HWND editor) {
  return editor != nullptr && gLastReplaceAll.editor == editor && EditorCharacters(editor) == gLastReplaceAll.after;
}

bool UndoReplaceAll(HWND editor) {
  if (!CanUndoReplaceAll(editor)) return false;
  std::string before = std::move(gLastReplaceAll.before);
  HWND renewed = RenewEditorControl(editor, before);
  if (renewed == nullptr) {
    gLastReplaceAll.before = std::move(before);
    return false;
  }
  gLastReplaceAll = {};
  MarkChangedByUser(renewed);
  return true;
}

void ForgetReplaceAll(HWND editor) {
  if (gLastReplaceAll.editor == editor) gLastReplaceAll = {};
}

void ShowReplaceDialog() {
  HWND window = OpenToolWindow(kReplaceWindowClassName, ReplaceWindowProc, kTitle, kWidth, kHeight, gEditor.editorParent);
  if (window == nullptr) return;
  HWND findBox = ::GetDlgItem(window, kFindBoxId);
  ::SetFocus(findBox);
  ::SendMessageA(findBox, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK ReplaceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      ReplaceWindow_OnCreate(window);
      break;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kFindNextButtonId:
        case IDOK: {
          const std::string what = FieldText(window, kFindBoxId);
          if (!what.empty()) FindNextMatch(window, what);
          return 0;
        }
        case kReplaceButtonId:
          ReplaceWindow_OnReplace(window);
          return 0;
        case kReplaceAllButtonId:
          ReplaceWindow_OnReplaceAll(window);
          return 0;
        case kCancelButtonId:
        case IDCANCEL:
          CloseReplaceWindow(window);
          return 0;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      CloseReplaceWindow(window);
      return 0;
    default:
      break;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kelp
