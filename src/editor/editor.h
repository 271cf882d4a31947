// The code editor: code windows (Editor_Class), each an MDI child with two
// drop-down lists and a RichEdit editor control; keyword colouring drawn over
// the editor control's own painting; and the Find Text window.
//
// Process-wide state lives in gEditor. The "current editor control" is the
// one that the context-menu commands, Find and F3 act on: the one most
// recently created or right-clicked, not necessarily the focused one.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/control_record.h"
#include "core/keyword_table.h"

namespace kelp {

inline constexpr char kCodeWindowClassName[] = "Editor_Class";
inline constexpr char kFindWindowClassName[] = "Search_Class";
inline constexpr char kReplaceWindowClassName[] = "Replace_Class";
inline constexpr char kGoToLineWindowClassName[] = "GoToLine_Class";

// Commands of the editor context menu, sent by the menu to its owner (the
// editor parent) and applied by any code window to the current editor control.
inline constexpr UINT IDM_EDITOR_UNDO = 1100;
inline constexpr UINT IDM_EDITOR_CUT = 1101;
inline constexpr UINT IDM_EDITOR_COPY = 1102;
inline constexpr UINT IDM_EDITOR_PASTE = 1103;
inline constexpr UINT IDM_EDITOR_DELETE = 1104;

// Child identifiers inside a code window.
inline constexpr int kFirstListBoxId = 200;
inline constexpr int kSecondListBoxId = 201;
inline constexpr int kEditorControlId = 800;

// The first code window of a session opens at (20, 20); each next one 20
// further right and down.
inline constexpr int kFirstCodeWindowPlace = 20;

// Hung off each editor control as its user data; freed when it is destroyed.
struct EditorBlock {
  Handle32 font;
  Handle32 menu;
  // 1 once a text with a line end other than CR LF was put in: the kind of
  // each line end must then be read from the paragraph marks (code_text.cpp).
  std::uint32_t otherLineEnds;
  // Then the kind most of its lines end in (a LineEnd); only the marks of
  // the others carry their kind.
  std::uint32_t usualLineEnd;
};

struct EditorState {
  HWND editorParent = nullptr;  // owner of the menus, receiver of the activity message
  HWND currentEditor = nullptr;
  HWND focusedEditor = nullptr;  // the editor control holding the keyboard focus, and so the caret
  HWND lastCodeWindow = nullptr;
  bool ready = false;  // the one-time set-up has run
  HMODULE richEditModule = nullptr;
  HANDLE heap = nullptr;  // keyword lists and the paint buffer
  // RichEdit 2.0 (Wine's) answers EM_POSFROMCHAR with a packed position.
  bool packedPositions = false;
  std::uint32_t editorCount = 0;
  // Code windows opened since the session or the project began: each one
  // opens a step further right and down than the one before.
  int codeWindowsCascaded = 0;
  HICON codeWindowIcon = nullptr;
  HFONT editorFont = nullptr;  // of the editor control last created, painted or destroyed
  HMENU editorMenu = nullptr;
  WNDPROC richEditProc = nullptr;  // the procedure every editor control is subclassed from

  KeywordTable keywords;
  bool keywordsLoaded = false;
  char* paintBuffer = nullptr;  // the visible text of one paint, grown as needed
  std::size_t paintCapacity = 0;
  char* runBuffer = nullptr;  // the runs to colour of one paint and where they go
  std::size_t runCapacity = 0;
  char* drawBuffer = nullptr;  // the glyphs and advances of one call drawing a colour's runs
  std::size_t drawCapacity = 0;
  // The last page painted: where its top line starts, at what scroll
  // position, and how many characters it held.
  struct {
    HWND control;
    LONG scrollY;
    LONG first;
    std::size_t length;
  } lastPage{};

  // Find Text: the remembered search and options, and the last Find window.
  char* searchText = nullptr;
  std::size_t searchLength = 0;  // length of the search text plus one; 0 before any search
  bool matchCase = false;
  bool wholeWord = false;
  HWND findWindow = nullptr;
  HWND findTextBox = nullptr;
  HWND findCaseBox = nullptr;
  HWND findWordBox = nullptr;
};

extern EditorState gEditor;

// The keyword lists, the paint buffer and the search text come from here.
KeywordHeap& EditorHeap();

// The one-time set-up of the first code window: loads RichEdit, sets the
// Find options (case-sensitive on, whole word off), reads the keyword lists.
void PrepareEditor();

// Code windows (code_window.cpp).
LRESULT CALLBACK CodeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND EditorControlOf(HWND codeWindow);
bool IsCodeWindow(HWND window);
// What InitRichEditBox does, the window made shown or hidden.
HWND OpenCodeWindow(HWND parent, LPCSTR className, LPCSTR title, HWND owner, bool visible);
// Open a new, empty "Module<n> (Code)" or "Class<n> (Code)" window and add
// it to the project window. Both return 0.
int AddModule(HWND owner);
int AddClassModule(HWND owner);
// The code windows of the MDI client, each once.
std::vector<HWND> CodeWindows();

// Modules and class modules (code_modules.cpp), in the order they were
// opened. kind is a ModuleKind; the name is Module1, Class1 unless given.
struct ModuleWindow {
  HWND window;
  std::uint32_t kind;
  std::uint32_t number;
  char name[kTextFieldSize];
};
// Opens the code window of a module, lists it in the project window and
// keeps it; null when it could not be made.
HWND OpenCodeModule(std::uint32_t kind, std::uint32_t number, const char* name, HWND owner, bool visible);
const ModuleWindow* CodeModuleOf(HWND codeWindow);
const std::vector<ModuleWindow>& CodeModules();
void ForgetCodeModule(HWND codeWindow);

// While one lives the editor does not repaint; the user's selection,
// scroll position and picture come back afterwards. Reading and marking
// paragraph marks moves the selection, and Replace All changes lines all
// over the text.
class KeptView {
 public:
  explicit KeptView(HWND editor) : editor_(editor) {
    ::SendMessageA(editor_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(editor_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    ::SendMessageA(editor_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
  }
  ~KeptView() {
    ::SendMessageA(editor_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection_));
    ::SendMessageA(editor_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll_));
    ::SendMessageA(editor_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(editor_, nullptr, TRUE);
  }
  KeptView(const KeptView&) = delete;
  KeptView& operator=(const KeptView&) = delete;

 private:
  HWND editor_;
  CHARRANGE selection_{};
  POINT scroll_{};
};

// The text of an editor control exactly as bytes: put in with each line
// end kept as it came, read out the same way (code_text.cpp).
void PutExactText(HWND editor, const char* text);
std::string ExactText(HWND editor);
// The editor's characters, every paragraph mark one CR, indexed as the
// editor indexes them; and characters in the ANSI code page.
std::wstring EditorCharacters(HWND editor);
std::string ToAnsi(const std::wstring& characters);

// The editors report their changes (EN_CHANGE) while the host wants to hear
// of changes; called when its options change and for each new editor.
void FollowHostOptions(HWND editor);
void FollowHostOptionsEverywhere();

// Editor controls (editor_control.cpp).
HWND CreateCodeEditor(HWND parent, int x, int y, int width, int height, int identifier);
HMENU BuildEditorContextMenu();
LRESULT CALLBACK EditorControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
EditorBlock* EditorBlockOf(HWND control);

// Keyword colouring (syntax_colouring.cpp).
void LoadSyntaxFile();
void FreeKeywords();
// The WM_PAINT of an editor control: its own painting, then the colours.
LRESULT PaintColouredText(HWND control, WPARAM wParam, LPARAM lParam);
// A font about to be deleted: the colouring measures afresh a font made
// later that takes its handle.
void ForgetFontMeasures(HFONT font);
// Test seam: read the keyword lists from this file instead of the syntax.fmt
// beside the host executable; nullptr goes back to that one.
void UseSyntaxFileForTesting(const char* path);

// Find Text (find_dialog.cpp).
void ShowFindDialog();
// Searches the current editor control forward from one character after the
// start of its selection; length is the text's length plus one.
void FindNext(const char* text, std::size_t length);
LRESULT CALLBACK FindWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Keeps a copy of the text, however long, as the search F3 repeats.
bool RememberSearchText(const char* text, std::size_t length);
// The whole text of a window (an edit field), however long.
std::string WholeWindowText(HWND window);

// Replace (replace_dialog.cpp) and Go to line (go_to_line_dialog.cpp):
// Ctrl+H and Ctrl+G in an editor control, for a host that asks for the
// code tools. Both act on the current editor control.
void ShowReplaceDialog();
LRESULT CALLBACK ReplaceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Replace All is one step for the editor's Undo: while the editor's text is
// still what the last Replace All left, Undo puts back what it found.
bool CanUndoReplaceAll(HWND editor);
bool UndoReplaceAll(HWND editor);
// A closed editor's Replace All is forgotten.
void ForgetReplaceAll(HWND editor);
// The code window of `editor` gets a new editor control holding `text`
// (line ends and all) in its place, with its selection, scroll position and
// focus; the old one is destroyed. The new one, or null when none could be
// made (the old one then stays as it was).
HWND RenewEditorControl(HWND editor, const std::string& text);
void ShowGoToLineDialog();
LRESULT CALLBACK GoToLineWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The two lists at the top of a code window (code_window_lists.cpp): read
// again from the owner and the code; and what choosing in one of them
// (its identifier) does.
void FillCodeWindowLists(HWND codeWindow);
void ChooseListEntry(HWND codeWindow, int listId);
// What the code window was opened for: a design surface, a control, or
// the main frame.
HWND CodeWindowOwner(HWND codeWindow);
// A control brought back by the designer's Undo takes its code window again.
void SetCodeWindowOwner(HWND codeWindow, HWND owner);
// Puts the caret at the start of a line (1 the first; past the end, the
// last), scrolled into view.
void GoToLine(HWND editor, std::uint32_t line);

}  // namespace kelp
