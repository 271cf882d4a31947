// Keyword colouring of the editor controls: the keyword lists are read from
// syntax.fmt beside the host executable, and at every paint the visible
// words and comments are drawn again in their colours over the control's
// own black text, in the same font at the same places.
#include <richedit.h>

#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "core/syntax_file.h"
#include "core/text.h"
#include "core/visible_text.h"
#include "editor/editor.h"
#include "editor/visible_runs.h"
#include "entry/workspace.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace kelp {
namespace {

// The colour starts this far right of the formatting rectangle's left edge.
constexpr int kColourLeftInset = 8;
// GDI takes 0x00BBGGRR; the colour table's stray high byte is not a colour.
constexpr ColourRef kRgbMask = 0x00FFFFFF;

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

void FreePaintBuffers() {
  for (char** buffer : {&gEditor.paintBuffer, &gEditor.runBuffer, &gEditor.drawBuffer}) {
    if (*buffer != nullptr) ::HeapFree(gEditor.heap, 0, *buffer);
    *buffer = nullptr;
  }
  gEditor.paintCapacity = 0;
  gEditor.runCapacity = 0;
  gEditor.drawCapacity = 0;
}

// As DrawTextA draws one line at the top left of the rectangle with
// DT_NOPREFIX, clipped to it, without measuring it first.
void DrawRun(HDC dc, std::string_view text, const PlacedRun& run, CharPosition at, const RECT& area) {
  ::SetTextColor(dc, SyntaxColour(run.entry) & kRgbMask);
  const RECT where{at.x, at.y, area.right, area.bottom};
  ::ExtTextOutA(dc, at.x, at.y, ETO_CLIPPED, &where, text.data() + run.offset, static_cast<UINT>(run.length),
                nullptr);
}

// The runs to colour in the visible text, in the run buffer; null when
// memory runs out.
PlacedRun* RunsOf(std::string_view text, std::size_t& count) {
  // Runs are at least one character long and apart: at most one in two characters.
  const std::size_t most = text.size() / 2 + 1;
  count = 0;
  if (!ReserveEditorBuffer(gEditor.runBuffer, gEditor.runCapacity, most * sizeof(PlacedRun))) return nullptr;
  auto* runs = reinterpret_cast<PlacedRun*>(gEditor.runBuffer);
  ColourVisibleText(text, gEditor.keywords, [&](std::size_t offset, std::size_t length, std::uint32_t entry) {
    if (count == most) return;
    runs[count++] = {static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length), entry,
                     LineLayout::Place::kUnknown, {}};
  });
  return runs;
}

// Glyph indices of the 256 byte values in the DC's font. A call that
// names glyphs skips what a call with characters does each time (the code
// page, the script and font fallback checks), which costs more than drawing
// the few glyphs of a run. Only for a code page of one byte a character;
// a byte the font has no glyph for has none here, and runs holding one are
// drawn from their characters (the system may find the glyph elsewhere).
class GlyphTable {
 public:
  explicit GlyphTable(HDC dc) {
    CHARSETINFO charset{};
    CPINFO codePage{};
    const auto fontCharset = static_cast<UINT_PTR>(::GetTextCharset(dc));
    if (!::TranslateCharsetInfo(reinterpret_cast<DWORD*>(fontCharset), &charset, TCI_SRCCHARSET) ||
        !::GetCPInfo(charset.ciACP, &codePage) || codePage.MaxCharSize != 1) {
      return;
    }
    std::array<char, 256> bytes{};
    for (std::size_t c = 0; c < bytes.size(); ++c) bytes[c] = static_cast<char>(c);
    usable_ = ::GetGlyphIndicesA(dc, bytes.data(), static_cast<int>(bytes.size()), indices_.data(),
                                 GGI_MARK_NONEXISTING_GLYPHS) == static_cast<DWORD>(bytes.size());
  }
  bool Has(char c) const { return usable_ && indices_[static_cast<unsigned char>(c)] != kNoGlyph; }
  WORD operator[](char c) const { return indices_[static_cast<unsigned char>(c)]; }

 private:
  static constexpr WORD kNoGlyph = 0xFFFF;
  std::array<WORD, 256> indices_{};
  bool usable_ = false;
};

// Where one call's characters, glyphs and advances are put together.
struct BatchBuffers {
  char* chars;
  WORD* glyphs;
  int* advances;
};

// Glyphs that may be drawn in one call with the glyphs before them: their
// ink starts at or right of their cell (a run drawn alone is clipped at its
// own left edge). Every other glyph starts a call of its own.
using JoinableGlyphs = std::array<bool, 256>;

JoinableGlyphs JoinableGlyphsOf(HDC dc) {
  JoinableGlyphs joinable{};
  std::array<ABC, 256> widths{};
  if (!::GetCharABCWidthsA(dc, 0, 255, widths.data())) return joinable;  // not TrueType: one call a run
  for (std::size_t c = 0; c < widths.size(); ++c) joinable[c] = widths[c].abcA >= 0;
  return joinable;
}

// What the drawing needs to know of the editor font besides its layout.
struct GlyphMeasures {
  explicit GlyphMeasures(HDC dc) : table(dc), joinable(JoinableGlyphsOf(dc)) {}
  GlyphTable table;
  JoinableGlyphs joinable;
};

// The runs of one line in one colour, drawn with as few calls as the
// pixels allow: each call writes its runs' characters with a blank (which
// leaves no ink) for each gap, every character placed by its advance.
class LineBatch {
 public:
  LineBatch(HDC dc, const EvenLines& lines, const RECT& area, BatchBuffers buffers, const GlyphMeasures& glyphs)
      : dc_(dc), lines_(lines), area_(area), buffers_(buffers), glyphs_(glyphs) {}

  void Add(const PlacedRun& run) {
    const std::string_view word = lines_.visible.text.substr(run.offset, run.length);
    if (count_ > 0 && !glyphs_.joinable[static_cast<unsigned char>(word[0])]) Flush();
    if (count_ == 0) {
      start_ = run.at;
    } else {
      Put(' ', run.at.x - end_);
    }
    int x = run.at.x;
    for (char c : word) {
      const int advance = lines_.advances[static_cast<unsigned char>(c)];
      Put(c, advance);
      x += advance;
    }
    end_ = x;
  }

  void Flush() {
    if (count_ == 0) return;
    const RECT where{start_.x, start_.y, area_.right, area_.bottom};
    if (allGlyphs_) {
      ::ExtTextOutW(dc_, start_.x, start_.y, ETO_CLIPPED | ETO_GLYPH_INDEX, &where,
                    reinterpret_cast<const wchar_t*>(buffers_.glyphs), static_cast<UINT>(count_), buffers_.advances);
    } else {
      ::ExtTextOutA(dc_, start_.x, start_.y, ETO_CLIPPED, &where, buffers_.chars, static_cast<UINT>(count_),
                    buffers_.advances);
    }
    count_ = 0;
    allGlyphs_ = true;
  }

 private:
  void Put(char c, int advance) {
    buffers_.chars[count_] = c;
    buffers_.glyphs[count_] = glyphs_.table[c];
    buffers_.advances[count_] = advance;
    allGlyphs_ = allGlyphs_ && glyphs_.table.Has(c);
    ++count_;
  }

  HDC dc_;
  const EvenLines& lines_;
  const RECT& area_;
  BatchBuffers buffers_;
  const GlyphMeasures& glyphs_;
  int count_ = 0;
  bool allGlyphs_ = true;
  CharPosition start_{};
  int end_ = 0;
};

// A page of evenly laid out lines (the usual case): the runs to colour,
// placed by the line layout from a handful of the control's answers, and
// room to draw them.
struct LaidOutPage {
  EvenLines lines;
  PlacedRun* runs;
  std::size_t count;
  BatchBuffers buffers;
};

std::optional<LaidOutPage> LayOutPage(HWND control, const FontMeasures& font, const RECT& area) {
  std::optional<EvenLines> lines = FetchEvenLines(control, font, area);
  if (!lines) return std::nullopt;
  std::size_t count = 0;
  PlacedRun* runs = RunsOf(lines->visible.text, count);
  if (runs == nullptr || !PlaceRuns(control, *lines, area, runs, count)) return std::nullopt;

  // A call draws at most a line's characters and one blank per run.
  const std::size_t most = lines->visible.text.size() + count;
  if (!ReserveEditorBuffer(gEditor.drawBuffer, gEditor.drawCapacity,
                           most * (sizeof(int) + sizeof(WORD) + sizeof(char)))) {
    return std::nullopt;
  }
  auto* advances = reinterpret_cast<int*>(gEditor.drawBuffer);
  auto* glyphs = reinterpret_cast<WORD*>(gEditor.drawBuffer + most * sizeof(int));
  char* chars = gEditor.drawBuffer + most * (sizeof(int) + sizeof(WORD));
  return LaidOutPage{*lines, runs, count, {chars, glyphs, advances}};
}

// Line by line down to the bottom edge, each colour of a line in one call.
void DrawLaidOutPage(HDC dc, const LaidOutPage& page, const RECT& area, const GlyphMeasures& glyphs) {
  const PlacedRun* runs = page.runs;
  const std::size_t count = page.count;
  LineBatch batch(dc, page.lines, area, page.buffers, glyphs);
  for (std::size_t line = 0; line < count && runs[line].at.y < area.bottom;) {
    std::size_t lineEnd = line;
    while (lineEnd < count && runs[lineEnd].at.y == runs[line].at.y) ++lineEnd;
    // Each colour of the line once, in the order the colours first appear.
    for (std::size_t i = line; i < lineEnd; ++i) {
      const ColourRef colour = SyntaxColour(runs[i].entry) & kRgbMask;
      bool drawn = false;
      for (std::size_t j = line; j < i && !drawn; ++j) drawn = (SyntaxColour(runs[j].entry) & kRgbMask) == colour;
      if (drawn) continue;
      ::SetTextColor(dc, colour);
      for (std::size_t j = i; j < lineEnd; ++j) {
        const bool sameColour = (SyntaxColour(runs[j].entry) & kRgbMask) == colour;
        if (sameColour && runs[j].place == LineLayout::Place::kAt) batch.Add(runs[j]);
      }
      batch.Flush();
    }
    line = lineEnd;
  }
}

// Anything else: every run is asked where it lies.
void DrawRunsOneByOne(HWND control, HDC dc, const RECT& area) {
  const std::optional<VisibleText> visible = FetchVisibleText(control, area);
  if (!visible) return;
  std::size_t count = 0;
  PlacedRun* runs = RunsOf(visible->text, count);
  for (std::size_t i = 0; runs != nullptr && i < count; ++i) {
    const std::optional<CharPosition> at =
        PositionOfCharacter(control, visible->first + static_cast<LONG>(runs[i].offset));
    if (at) DrawRun(dc, visible->text, runs[i], *at, area);
  }
}

// The first DC a window gives after its own paint has its visible region
// worked out again: a round trip to the window manager under Wine, as dear
// as a tenth of the colouring. The control takes a DC for each of its
// answers too. So the font is measured on one DC, released before the
// control is asked anything, and the control's answers and the drawing take
// that same DC again: the region is worked out once a paint.
void DrawColouredWords(HWND control, HFONT font) {
  RECT area{};
  ::SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  area.left += kColourLeftInset;
  std::optional<FontMeasures> measures;
  std::optional<GlyphMeasures> glyphs;
  {
    win::WindowDc dc(control);
    win::SavedDcState saved(dc);
    ::SelectObject(dc, font);
    measures = MeasureFont(dc);
    glyphs.emplace(dc);
  }
  const std::optional<LaidOutPage> page = measures ? LayOutPage(control, *measures, area) : std::nullopt;

  win::WindowDc dc(control);
  win::SavedDcState saved(dc);
  ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  const win::Region clip(::CreateRectRgnIndirect(&area));
  ::SelectClipRgn(dc, clip.Get());
  if (page) {
    DrawLaidOutPage(dc, *page, area, *glyphs);
  } else {
    DrawRunsOneByOne(control, dc, area);
  }
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
  FreePaintBuffers();
}

// The caret is hidden while the colours are drawn, so that its blink
// (an inversion) does not leave specks in them. Only the control with the
// keyboard focus has a caret, and hiding and showing one cost a round trip
// to the window manager each (under Wine, as much as a tenth of the
// colouring), so the others skip both.
LRESULT PaintColouredText(HWND control, WPARAM wParam, LPARAM lParam) {
  const bool hasCaret = gEditor.focusedEditor == control;
  if (hasCaret) ::HideCaret(control);
  const LRESULT result = ::CallWindowProcA(gEditor.richEditProc, control, WM_PAINT, wParam, lParam);
  if (const EditorBlock* block = EditorBlockOf(control)) {
    HFONT font = win::FromHandle32<HFONT>(block->font);
    gEditor.editorFont = font;
    DrawColouredWords(control, font);
  }
  if (hasCaret) ::ShowCaret(control);
  return result;
}

}  // namespace kelp
