// The Replace Text window (Replace_Class), opened by Ctrl+H in an editor
// control for a host that asks for the code tools, in the Find Text
// window's style: what to find and what to put instead, "Case Sensitive."
// and "Match Whole Word.", "Find Next", "Replace", "Replace All" and
// "Cancel". It acts on the current editor control and stays open until
// closed; the search it makes is the one F3 repeats.
#include <richedit.h>

#include <string>
#include <utility>
#include <vector>

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

// What the last Replace All changed, line by line, so that Undo takes it
// back in one step. Wine's RichEdit takes seconds to take out, and to
// record for its Undo, a change that spans many lines, and its Undo would
// keep each line's change as a step of its own; so each changed line is
// replaced within its line, with RichEdit's Undo paused, and the lines
// it replaced are kept here instead.
struct ChangedLine {
  std::size_t line;
  std::string before;
  std::string after;
};
struct ReplaceAllStep {
  HWND editor = nullptr;
  std::vector<ChangedLine> lines;
};
ReplaceAllStep gLastReplaceAll;

struct LineSpan {
  LONG start;
  LONG length;
};

// Where each line of the editor's characters starts, and its length.
std::vector<LineSpan> LinesOf(const std::wstring& characters) {
  std::vector<LineSpan> lines;
  LONG start = 0;
  for (std::size_t i = 0; i <= characters.size(); ++i) {
    if (i == characters.size() || characters[i] == L'\r') {
      lines.push_back({start, static_cast<LONG>(i) - start});
      start = static_cast<LONG>(i) + 1;
    }
  }
  return lines;
}

// Each line replaced by its new text, the last first so that the places of
// those before stay as they were; one paint afterwards.
void PutLines(HWND editor, const std::vector<ChangedLine>& lines, bool forward) {
  const std::vector<LineSpan> spans = LinesOf(EditorCharacters(editor));
  ::SendMessageA(editor, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(editor, EM_SETUNDOLIMIT, 0, 0);
  for (auto changed = lines.rbegin(); changed != lines.rend(); ++changed) {
    if (changed->line >= spans.size()) continue;
    const LineSpan& span = spans[changed->line];
    CHARRANGE range{span.start, span.start + span.length};
    ::SendMessageA(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const std::string& text = forward ? changed->after : changed->before;
    ::SendMessageA(editor, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  ::SendMessageA(editor, EM_SETUNDOLIMIT, 100, 0);  // RichEdit's own, which the library never changes
  ::SendMessageA(editor, EM_EMPTYUNDOBUFFER, 0, 0);
  ::SendMessageA(editor, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(editor, nullptr, TRUE);
}

// Whether the lines still read as that step left them.
bool LinesAre(HWND editor, const std::vector<ChangedLine>& lines) {
  const std::wstring characters = EditorCharacters(editor);
  const std::vector<LineSpan> spans = LinesOf(characters);
  for (const ChangedLine& changed : lines) {
    if (changed.line >= spans.size()) return false;
    const LineSpan& span = spans[changed.line];
    if (ToAnsi(characters.substr(static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.length))) !=
        changed.after) {
      return false;
    }
  }
  return true;
}

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

void ReplaceWindow_OnReplaceAll(HWND window) {
  HWND editor = gEditor.currentEditor;
  const std::string what = FieldText(window, kFindBoxId);
  if (editor == nullptr || what.empty()) return;
  const std::string with = FieldText(window, kWithBoxId);
  const SearchOptions options = TakeOptions(window);
  RememberSearchText(what.c_str(), what.size());
  const std::wstring characters = EditorCharacters(editor);
  const std::vector<LineSpan> spans = LinesOf(characters);
  std::vector<ChangedLine> changed;
  std::size_t count = 0;
  std::size_t length = 0;
  for (std::size_t line = 0; line < spans.size(); ++line) {
    std::string before = ToAnsi(characters.substr(static_cast<std::size_t>(spans[line].start),
                                                  static_cast<std::size_t>(spans[line].length)));
    Replaced replaced = ReplaceAll(before, what, with, options, kLongestReplacedText - length);
    length += replaced.text.size() + 1;
    if (replaced.tooLong || length > kLongestReplacedText) {
      ::MessageBoxA(window, kTooLong, kAlertTitle, MB_OK | MB_ICONEXCLAMATION);
      return;
    }
    if (replaced.count == 0) continue;
    count += replaced.count;
    changed.push_back({line, std::move(before), std::move(replaced.text)});
  }
  if (count == 0) {
    ::MessageBoxA(window, kNoMatches, kAlertTitle, MB_OK);
    return;
  }
  {
    const KeptView view(editor);
    PutLines(editor, changed, true);
  }
  MarkChangedByUser(editor);
  gLastReplaceAll = {editor, std::move(changed)};
  const std::string done = std::to_string(count) + (count == 1 ? " match" : " matches") + " replaced";
  ::SetWindowTextA(window, (" Replace Text: " + done).c_str());
}

void CloseReplaceWindow(HWND window) {
  ::SetFocus(gEditor.currentEditor);
  ::DestroyWindow(window);
}

}  // namespace

bool CanUndoReplaceAll(HWND editor) {
  return editor != nullptr && gLastReplaceAll.editor == editor && LinesAre(editor, gLastReplaceAll.lines);
}

bool UndoReplaceAll(HWND editor) {
  if (!CanUndoReplaceAll(editor)) return false;
  {
    const KeptView view(editor);
    PutLines(editor, gLastReplaceAll.lines, false);
  }
  gLastReplaceAll = {};
  MarkChangedByUser(editor);
  return true;
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
