// The editor control of a code window: a RichEdit 2.0 control in a fixed-pitch
// font, subclassed so that F2 opens Find Text, F3 repeats the last search, a
// right click shows its context menu, its paint colours keywords and
// comments, and the editor parent hears of the user's activity.
#include <richedit.h>

#include "editor/editor.h"
#include "entry/host_options.h"
#include "entry/messages.h"
#include "entry/window_utilities.h"
#include "entry/workspace.h"
#include "win/handles.h"
#include "win/records.h"

namespace kelp {
namespace {

constexpr char kRichEditClassName[] = "RichEdit20A";
constexpr DWORD kEditorExStyle = WS_EX_CLIENTEDGE;
constexpr DWORD kEditorStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_SAVESEL | ES_NOHIDESEL | ES_MULTILINE;
static_assert(kEditorStyle == 0x50308104);

constexpr char kEditorFontFace[] = "Courier New";
constexpr int kEditorFontHeight = -13;  // 13-pixel characters
constexpr int kEditorFontWidth = 0;
constexpr int kEditorFontWeight = 5;

// The largest limit every RichEdit reads alike: 0xFFFFFFFF would be read as
// -1 by some (Wine's), which then refuse every character typed.
constexpr WPARAM kNoTextLimit = 0x7FFFFFFF;
constexpr WPARAM kTypographyQuery = 1;

struct MenuItem {
  UINT identifier;
  const char* text;
};
constexpr MenuItem kContextMenu[] = {
    {IDM_EDITOR_UNDO, "&Undo"},   {IDM_EDITOR_CUT, "&Cut"},      {IDM_EDITOR_COPY, "&Copy"},
    {IDM_EDITOR_PASTE, "&Paste"}, {IDM_EDITOR_DELETE, "Delete"},
};

// Asks for the typography options: a RichEdit that answers is level 3 and
// takes a POINTL for EM_POSFROMCHAR; one that answers 0 (Wine's, RichEdit 2.0)
// is level 2 and packs the position into its result.
void DetectRichEditLevel(HWND control) {
  ::SendMessageA(control, EM_SETTYPOGRAPHYOPTIONS, TO_SIMPLELINEBREAK, TO_SIMPLELINEBREAK);
  if (::SendMessageA(control, EM_GETTYPOGRAPHYOPTIONS, kTypographyQuery, kTypographyQuery) != 0) {
    gEditor.packedPositions = false;
    ::SendMessageA(control, EM_SETEDITSTYLE, SES_EMULATESYSEDIT, SES_EMULATESYSEDIT);
  } else {
    gEditor.packedPositions = true;
  }
}

LRESULT PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(gEditor.richEditProc, control, message, wParam, lParam);
}

// The editor activity message to the editor parent; its answer is the result.
LRESULT Notify() {
  return ::SendMessageA(gEditor.editorParent, kEditorActivityMessage, 0, 0);
}

LRESULT Editor_OnKeyUp(HWND control, UINT key, WPARAM wParam, LPARAM lParam) {
  if (key == VK_F2) {
    ShowFindDialog();
    return 0;  // the control never sees F2
  }
  if (key == VK_F3) FindNext(gEditor.searchText, gEditor.searchLength);
  PassOn(control, WM_KEYUP, wParam, lParam);
  return Notify();
}

// RichEdit's own steps since a Replace All (what was typed after it) are
// undone first, then the Replace All.
bool UndoReplaceAllAfterOwnSteps(HWND control) {
  return PassOn(control, EM_CANUNDO, 0, 0) == 0 && UndoReplaceAll(control);
}

bool ControlHeld() { return ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0; }

// The code tools' keys, for a host that asks for them: Ctrl+H Replace,
// Ctrl+G Go to line, and Ctrl+Z taking back a Replace All in one step.
bool Editor_OnCodeToolKey(HWND control, UINT key) {
  if (!HostWants(kOptionCodeTools) || !ControlHeld()) return false;
  switch (key) {
    case 'H':
      gEditor.currentEditor = control;
      ShowReplaceDialog();
      return true;
    case 'G':
      gEditor.currentEditor = control;
      ShowGoToLineDialog();
      return true;
    case 'Z':
      return UndoReplaceAllAfterOwnSteps(control);
    default:
      return false;
  }
}

// The characters Ctrl+H and Ctrl+G also make (a backspace and a bell) are
// not typed when those keys opened a window.
bool IsCodeToolCharacter(char character) {
  return HostWants(kOptionCodeTools) && ControlHeld() && (character == '\b' || character == '\a');
}

LRESULT Editor_OnChar(HWND control, char character, WPARAM wParam, LPARAM lParam) {
  if (IsCodeToolCharacter(character)) return 0;
  const LRESULT result = PassOn(control, WM_CHAR, wParam, lParam);
  return character == '\t' ? Notify() : result;
}

LRESULT Editor_OnRButtonDown(HWND control, WPARAM wParam, LPARAM lParam) {
  POINT cursor{};
  ::GetCursorPos(&cursor);
  if (const EditorBlock* block = EditorBlockOf(control)) {
    HMENU menu = win::FromHandle32<HMENU>(block->menu);
    gEditor.editorMenu = menu;
    // Runs its own loop until the menu closes; a chosen command reaches the
    // editor parent as WM_COMMAND and acts on the current editor control.
    ::TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, gEditor.editorParent, nullptr);
  }
  gEditor.currentEditor = control;
  return PassOn(control, WM_RBUTTONDOWN, wParam, lParam);
}

// Nothing process-wide keeps a handle of a control that is going away.
void ForgetEditor(HWND control, HFONT font, HMENU menu) {
  if (gEditor.currentEditor == control) gEditor.currentEditor = nullptr;
  if (gEditor.focusedEditor == control) gEditor.focusedEditor = nullptr;
  if (font != nullptr && gEditor.editorFont == font) gEditor.editorFont = nullptr;
  if (font != nullptr) ForgetFontMeasures(font);
  if (menu != nullptr && gEditor.editorMenu == menu) gEditor.editorMenu = nullptr;
}

LRESULT Editor_OnDestroy(HWND control, WPARAM wParam, LPARAM lParam) {
  HFONT font = nullptr;
  HMENU menu = nullptr;
  if (EditorBlock* block = EditorBlockOf(control)) {
    font = win::FromHandle32<HFONT>(block->font);
    menu = win::FromHandle32<HMENU>(block->menu);
    ::DestroyMenu(menu);
    if (gEditor.editorCount == 1) FreeKeywords();  // the last editor control
    ::DeleteObject(font);
    ::SetWindowLongPtrA(control, GWLP_USERDATA, 0);
    win::FreeRecord(block);
    gEditor.editorCount -= 1;
  }
  ForgetEditor(control, font, menu);
  ForgetReplaceAll(control);
  ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gEditor.richEditProc));
  return PassOn(control, WM_DESTROY, wParam, lParam);
}

}  // namespace

EditorBlock* EditorBlockOf(HWND control) {
  return reinterpret_cast<EditorBlock*>(::GetWindowLongPtrA(control, GWLP_USERDATA));
}

HMENU BuildEditorContextMenu() {
  HMENU menu = ::CreatePopupMenu();
  for (const MenuItem& item : kContextMenu) ::AppendMenuA(menu, MF_STRING, item.identifier, item.text);
  return menu;
}

HWND CreateCodeEditor(HWND parent, int x, int y, int width, int height, int identifier) {
  PrepareEditor();
  if (!gEditor.keywordsLoaded) LoadSyntaxFile();  // the last editor control took them along

  HWND control = ::CreateWindowExA(kEditorExStyle, kRichEditClassName, nullptr, kEditorStyle, x, y, width,
                                   height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                                   gWorkspace.libraryInstance, nullptr);
  if (control == nullptr) return nullptr;
  auto* block = win::AllocateRecord<EditorBlock>();
  if (block == nullptr) {
    ::DestroyWindow(control);  // not subclassed yet: nothing of ours to undo
    return nullptr;
  }
  DetectRichEditLevel(control);
  gEditor.richEditProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorControlProc)));

  ::SendMessageA(control, EM_LIMITTEXT, kNoTextLimit, 0);
  ::SendMessageA(control, EM_SETMODIFY, FALSE, 0);
  ::SendMessageA(control, EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS);
  ::SendMessageA(control, EM_EMPTYUNDOBUFFER, 0, 0);
  ::SendMessageA(control, EM_SETOPTIONS, ECOOP_XOR, ECO_SELECTIONBAR);

  gEditor.editorFont =
      SetControlFont(control, kEditorFontFace, kEditorFontHeight, kEditorFontWidth, kEditorFontWeight);
  gEditor.editorMenu = BuildEditorContextMenu();
  block->font = win::ToHandle32(gEditor.editorFont);
  block->menu = win::ToHandle32(gEditor.editorMenu);
  ::SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(block));
  gEditor.editorCount += 1;
  // Only now: setting the font is no change of the user's.
  if (HostWants(kOptionNotifyChanges)) FollowHostOptions(control);
  return control;
}

void FollowHostOptions(HWND editor) {
  if (editor == nullptr) return;
  const LPARAM changes = HostWants(kOptionNotifyChanges) ? ENM_CHANGE : 0;
  ::SendMessageA(editor, EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS | changes);
}

void FollowHostOptionsEverywhere() {
  for (HWND codeWindow : CodeWindows()) FollowHostOptions(EditorControlOf(codeWindow));
}

LRESULT CALLBACK EditorControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      if (Editor_OnCodeToolKey(control, static_cast<UINT>(wParam))) return 0;
      return PassOn(control, message, wParam, lParam);
    case EM_UNDO:
    case WM_UNDO:
      if (UndoReplaceAllAfterOwnSteps(control)) return TRUE;
      return PassOn(control, message, wParam, lParam);
    case EM_CANUNDO:
      // RichEdit's own answer first: it is cheap, where ours reads the text.
      if (PassOn(control, message, wParam, lParam) != 0) return TRUE;
      return CanUndoReplaceAll(control) ? TRUE : FALSE;
    case WM_KEYUP:
      return Editor_OnKeyUp(control, static_cast<UINT>(wParam), wParam, lParam);
    case WM_CHAR:
      return Editor_OnChar(control, static_cast<char>(wParam), wParam, lParam);
    case WM_LBUTTONUP:
      PassOn(control, message, wParam, lParam);
      return Notify();
    case WM_RBUTTONDOWN:
      return Editor_OnRButtonDown(control, wParam, lParam);
    case WM_PAINT:
      return PaintColouredText(control, wParam, lParam);
    case WM_SETFOCUS:
      // The control makes its caret here: paints from now on hide it.
      gEditor.focusedEditor = control;
      return PassOn(control, message, wParam, lParam);
    case WM_KILLFOCUS:
      if (gEditor.focusedEditor == control) gEditor.focusedEditor = nullptr;
      return PassOn(control, message, wParam, lParam);
    case WM_DESTROY:
      return Editor_OnDestroy(control, wParam, lParam);
    default:
      // WM_CLOSE included: the control stays subclassed until WM_DESTROY, so
      // that its block, font and menu are always freed.
      return PassOn(control, message, wParam, lParam);
  }
}

}  // namespace kelp
