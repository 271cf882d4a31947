// Keyword colouring of the editor controls: the keyword lists are read from
// syntax.fmt beside the host executable, and at every paint the visible
// words and comments are drawn again in their colours over the control's
// own black text, in the same font at the same places.
#include <richedit.h>

#include <memory>
#include <optional>
#include <string_view>

#include "core/syntax_file.h"
#include "core/text.h"
#include "core/visible_text.h"
#include "editor/editor.h"
#include "entry/workspace.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace kelp {
namespace {

// The colour starts this far right of the formatting rectangle's left edge.
constexpr int kColourLeftInset = 8;
// The paint buffer's first size; it grows for longer visible text.
constexpr std::size_t kInitialPaintBufferSize = 67584;
// GDI takes 0x00BBGGRR; the colour table's stray high byte is not a colour.
constexpr ColourRef kRgbMask = 0x00FFFFFF;
constexpr LONG kFirstIndexTakenForAPointer = 0x40000;

char gSyntaxFileOverride[MAX_PATH] = {};

// The host executable's folder + "\syntax.fmt"; false when it does not fit.
bool SyntaxFilePath(char (&path)[MAX_PATH]) {
  if (gSyntaxFileOverride[0] != '\0') {
    CopyText(path, FieldText(gSyntaxFileOverride));
    return true;
  }
  const DWORD length = ::GetModuleFileNameA(gWorkspace.hostInstance, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  std::string_view module(path, length);
  const std::size_t slash = module.rfind('\\');
  const std::size_t folderLength = slash == std::string_view::npos ? 0 : slash + 1;
  path[folderLength] = '\0';
  return AppendText(path, kSyntaxFileName) == folderLength + sizeof(kSyntaxFileName) - 1;
}

struct FileCloser {
  void operator()(HANDLE file) const { ::CloseHandle(file); }
};
using FileHandle = std::unique_ptr<void, FileCloser>;

struct GlobalFreer {
  void operator()(void* block) const { ::GlobalFree(reinterpret_cast<HGLOBAL>(block)); }
};
using GlobalBlock = std::unique_ptr<char, GlobalFreer>;

// Room in the paint buffer for `size` bytes; false when memory runs out.
bool ReservePaintBuffer(std::size_t size) {
  if (size <= gEditor.paintCapacity) return true;
  const std::size_t capacity = size > kInitialPaintBufferSize ? size : kInitialPaintBufferSize;
  void* grown = gEditor.paintBuffer == nullptr
                    ? ::HeapAlloc(gEditor.heap, 0, capacity)
                    : ::HeapReAlloc(gEditor.heap, 0, gEditor.paintBuffer, capacity);
  if (grown == nullptr) return false;
  gEditor.paintBuffer = static_cast<char*>(grown);
  gEditor.paintCapacity = capacity;
  return true;
}

void FreePaintBuffer() {
  if (gEditor.paintBuffer != nullptr) ::HeapFree(gEditor.heap, 0, gEditor.paintBuffer);
  gEditor.paintBuffer = nullptr;
  gEditor.paintCapacity = 0;
}

LONG CharacterAt(HWND control, LONG x, LONG y) {
  POINTL point{x, y};
  return static_cast<LONG>(::SendMessageA(control, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
}

// Where a character is drawn. Level 2 packs the position into two 16-bit
// halves, which wrap for a character 32768 or more pixels away (far along a
// long line): the control is asked back which character lies there, and a
// position that is not the character's own gives nothing to draw. Level 2
// is never asked about an index from 0x40000 up: some RichEdit versions (Wine's
// among them) take such a first argument for the address of a POINTL.
std::optional<CharPosition> PositionOfCharacter(HWND control, LONG index) {
  if (gEditor.richEditLevel == 3) {
    POINTL point{};
    ::SendMessageA(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), index);
    return CharPosition{static_cast<int>(point.x), static_cast<int>(point.y)};
  }
  if (index < 0 || index >= kFirstIndexTakenForAPointer) return std::nullopt;
  const CharPosition at =
      UnpackCharPosition(static_cast<std::uint32_t>(::SendMessageA(control, EM_POSFROMCHAR, index, 0)));
  if (CharacterAt(control, at.x, at.y) != index) return std::nullopt;
  return at;
}

LONG LineStartOf(HWND control, LONG character) {
  const LRESULT line = ::SendMessageA(control, EM_LINEFROMCHAR, character, 0);
  return static_cast<LONG>(::SendMessageA(control, EM_LINEINDEX, line, 0));
}

// The visible characters, widened to whole lines so that words at either
// edge are compared whole: [first, end).
CHARRANGE VisibleRange(HWND control, const RECT& area) {
  const LONG first = LineStartOf(control, CharacterAt(control, area.left, area.top));
  const LONG lastLineStart = LineStartOf(control, CharacterAt(control, area.right, area.bottom));
  const LONG end =
      lastLineStart + static_cast<LONG>(::SendMessageA(control, EM_LINELENGTH, lastLineStart, 0));
  return {first, end};
}

void DrawColouredWords(HWND control, HFONT font) {
  win::WindowDc dc(control);
  win::SavedDcState saved(dc);
  ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);

  RECT area{};
  ::SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  area.left += kColourLeftInset;
  const CHARRANGE visible = VisibleRange(control, area);
  const win::Region clip(::CreateRectRgnIndirect(&area));
  ::SelectClipRgn(dc, clip.Get());
  if (visible.cpMax <= visible.cpMin) return;

  const auto count = static_cast<std::size_t>(visible.cpMax - visible.cpMin);
  if (!ReservePaintBuffer(count + 1)) return;
  TEXTRANGEA range{visible, gEditor.paintBuffer};
  const LRESULT fetched = ::SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  if (fetched <= 0) return;
  const std::string_view text(gEditor.paintBuffer,
                              static_cast<std::size_t>(fetched) < count ? fetched : count);

  kelp::ColourVisibleText(
      text, gEditor.keywords, [&](std::size_t offset, std::size_t length, std::uint32_t entry) {
        ::SetTextColor(dc, SyntaxColour(entry) & kRgbMask);
        const std::optional<CharPosition> at =
            PositionOfCharacter(control, visible.cpMin + static_cast<LONG>(offset));
        if (!at) return;
        RECT where{at->x, at->y, area.right, area.bottom};
        ::DrawTextA(dc, text.data() + offset, static_cast<int>(length), &where, DT_NOPREFIX);
      });
}

}  // namespace

void UseSyntaxFileForTesting(const char* path) {
  CopyText(gSyntaxFileOverride, path != nullptr ? path : "");
}

void LoadSyntaxFile() {
  if (gEditor.keywordsLoaded) FreeKeywordNodes(EditorHeap(), gEditor.keywords);
  gEditor.keywords = {};
  gEditor.keywordsLoaded = true;  // a missing file leaves the lists empty: only comments are coloured

  char path[MAX_PATH];
  if (!SyntaxFilePath(path) || ::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return;
  FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_ARCHIVE, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    file.release();
    return;
  }
  const DWORD size = ::GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE || size == 0) return;
  GlobalBlock contents(reinterpret_cast<char*>(::GlobalAlloc(GMEM_ZEROINIT, size)));
  DWORD read = 0;
  if (contents == nullptr || !::ReadFile(file.get(), contents.get(), size, &read, nullptr)) return;
  ReadSyntaxText(std::string_view(contents.get(), read), EditorHeap(), gEditor.keywords);
}

void FreeKeywords() {
  FreeKeywordNodes(EditorHeap(), gEditor.keywords);
  gEditor.keywordsLoaded = false;
  FreePaintBuffer();
}

LRESULT PaintColouredText(HWND control, WPARAM wParam, LPARAM lParam) {
  ::HideCaret(control);
  const LRESULT result = ::CallWindowProcA(gEditor.richEditProc, control, WM_PAINT, wParam, lParam);
  if (const EditorBlock* block = EditorBlockOf(control)) {
    HFONT font = win::FromHandle32<HFONT>(block->font);
    gEditor.editorFont = font;
    DrawColouredWords(control, font);
  }
  ::ShowCaret(control);
  return result;
}

}  // namespace kelp
