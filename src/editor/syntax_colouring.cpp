// Keyword colouring of the editor controls: the keyword lists are read from
// syntax.fmt beside the host executable, and at every paint the visible
// words and comments are drawn again in their colours over the control's
// own black text, in the same font at the same places.
#include <richedit.h>

#include <algorithm>
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
  bool Usable() const { return usable_; }
  bool Has(char c) const { return usable_ && indices_[static_cast<unsigned char>(c)] != kNoGlyph; }
  WORD operator[](char c) const { return indices_[static_cast<unsigned char>(c)]; }

 private:
  static constexpr WORD kNoGlyph = 0xFFFF;
  std::array<WORD, 256> indices_{};
  bool usable_ = false;
};

// Where one call's glyphs and advances are put together: two advances a
// glyph (across, and down as the font measures it: up is positive).
struct BatchBuffers {
  WORD* glyphs;
  int* advances;
};

// How the glyphs of the editor font sit in their cells.
struct GlyphInk {
  // Glyphs whose ink starts at or right of their cell. A run drawn alone is
  // clipped at its own left edge, so any other glyph starting a run makes
  // the run a call of its own.
  std::array<bool, 256> withinLeftEdge{};
  // Glyphs whose ink ends at or left of their cell's right edge.
  std::array<bool, 256> withinRightEdge{};
  // No glyph's ink reaches above its line. A run drawn alone is clipped at
  // its line's top; otherwise the lines are drawn one by one.
  bool withinLines = false;
};

GlyphInk GlyphInkOf(HDC dc) {
  GlyphInk ink;
  std::array<ABC, 256> widths{};
  if (!::GetCharABCWidthsA(dc, 0, 255, widths.data())) return ink;  // not TrueType: one call a run
  for (std::size_t c = 0; c < widths.size(); ++c) {
    ink.withinLeftEdge[c] = widths[c].abcA >= 0;
    ink.withinRightEdge[c] = widths[c].abcC >= 0;
  }
  TEXTMETRICA text{};
  OUTLINETEXTMETRICA outline{};
  outline.otmSize = sizeof(outline);
  ink.withinLines = ::GetTextMetricsA(dc, &text) && ::GetOutlineTextMetricsA(dc, sizeof(outline), &outline) != 0 &&
                    outline.otmrcFontBox.top <= text.tmAscent;
  return ink;
}

// What the drawing needs to know of the editor font besides its layout.
struct GlyphMeasures {
  explicit GlyphMeasures(HDC dc)
      : table(dc), ink(GlyphInkOf(dc)), caretWidth(CaretWidth()), ansiSingleByte(AnsiSingleByte()) {}
  GlyphTable table;
  GlyphInk ink;
  int caretWidth;       // in pixels, as the system makes a caret of no width asked for
  bool ansiSingleByte;  // the ANSI code page has one byte a character

 private:
  static int CaretWidth() {
    DWORD width = 1;
    return ::SystemParametersInfoA(SPI_GETCARETWIDTH, 0, &width, 0) && width > 0 ? static_cast<int>(width) : 1;
  }
  static bool AnsiSingleByte() {
    CPINFO info{};
    return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
  }
};

// The runs of one colour on the page, drawn with as few calls as the pixels
// allow (each call costs far more than the glyphs it draws): one call for
// all of them, every glyph placed by its advance and each gap a blank (which
// leaves no ink) that moves on to where the next run starts, down to its
// line if it lies lower. A run whose first glyph reaches left of its cell,
// or whose glyphs the font lacks, is drawn alone, as it always was.
class ColourBatch {
 public:
  ColourBatch(HDC dc, const EvenLines& lines, const RECT& area, BatchBuffers buffers, const GlyphMeasures& glyphs)
      : dc_(dc), lines_(lines), area_(area), buffers_(buffers), glyphs_(glyphs) {}

  void Add(const PlacedRun& run) {
    const std::string_view word = lines_.visible.text.substr(run.offset, run.length);
    // The gaps are blanks: without one the runs are drawn one by one.
    const bool hasGlyphs = glyphs_.table.Has(' ') &&
                           std::all_of(word.begin(), word.end(), [&](char c) { return glyphs_.table.Has(c); });
    if (!hasGlyphs || !glyphs_.ink.withinLeftEdge[static_cast<unsigned char>(word[0])]) {
      Flush();
      DrawAlone(word, run.at, hasGlyphs);
      return;
    }
    if (count_ > 0 && run.at.y != at_.y && !glyphs_.ink.withinLines) Flush();
    if (count_ == 0) {
      start_ = run.at;
    } else {
      Put(glyphs_.table[' '], run.at.x - at_.x, at_.y - run.at.y);
    }
    at_ = run.at;
    for (char c : word) {
      const int advance = lines_.advances[static_cast<unsigned char>(c)];
      Put(glyphs_.table[c], advance, 0);
      at_.x += advance;
    }
  }

  void Flush() {
    if (count_ == 0) return;
    const RECT where{area_.left, start_.y, area_.right, area_.bottom};
    ::ExtTextOutW(dc_, start_.x, start_.y, ETO_CLIPPED | ETO_GLYPH_INDEX | ETO_PDY, &where,
                  reinterpret_cast<const wchar_t*>(buffers_.glyphs), static_cast<UINT>(count_), buffers_.advances);
    count_ = 0;
  }

 private:
  void Put(WORD glyph, int across, int up) {
    buffers_.glyphs[count_] = glyph;
    buffers_.advances[2 * count_] = across;
    buffers_.advances[2 * count_ + 1] = up;
    ++count_;
  }

  // Clipped at its own left edge and its line's top, as DrawTextA draws.
  void DrawAlone(std::string_view word, CharPosition at, bool hasGlyphs) {
    const RECT where{at.x, at.y, area_.right, area_.bottom};
    for (std::size_t i = 0; i < word.size(); ++i) {
      buffers_.glyphs[i] = glyphs_.table[word[i]];
      buffers_.advances[i] = lines_.advances[static_cast<unsigned char>(word[i])];
    }
    const auto length = static_cast<UINT>(word.size());
    if (hasGlyphs) {
      ::ExtTextOutW(dc_, at.x, at.y, ETO_CLIPPED | ETO_GLYPH_INDEX, &where,
                    reinterpret_cast<const wchar_t*>(buffers_.glyphs), length, buffers_.advances);
    } else {
      ::ExtTextOutA(dc_, at.x, at.y, ETO_CLIPPED, &where, word.data(), length, buffers_.advances);
    }
  }

  HDC dc_;
  const EvenLines& lines_;
  const RECT& area_;
  BatchBuffers buffers_;
  const GlyphMeasures& glyphs_;
  int count_ = 0;
  CharPosition start_{};
  CharPosition at_{};  // where the next glyph would go
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

  // A call draws at most every character and one blank per run.
  const std::size_t most = lines->visible.text.size() + count;
  if (!ReserveEditorBuffer(gEditor.drawBuffer, gEditor.drawCapacity, most * (sizeof(WORD) + 2 * sizeof(int)))) {
    return std::nullopt;
  }
  auto* advances = reinterpret_cast<int*>(gEditor.drawBuffer);
  auto* glyphs = reinterpret_cast<WORD*>(gEditor.drawBuffer + most * 2 * sizeof(int));
  return LaidOutPage{*lines, runs, count, {glyphs, advances}};
}

// Colour by colour, in the order the colours first appear, down to the
// bottom edge.
void DrawLaidOutPage(HDC dc, const LaidOutPage& page, const RECT& area, const GlyphMeasures& glyphs) {
  const PlacedRun* runs = page.runs;
  std::size_t count = 0;
  while (count < page.count && runs[count].at.y < area.bottom) ++count;
  std::array<ColourRef, kCommentColourEntry> colours{};  // at most one a colour entry
  std::size_t colourCount = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const ColourRef colour = SyntaxColour(runs[i].entry) & kRgbMask;
    if (std::find(colours.begin(), colours.begin() + colourCount, colour) == colours.begin() + colourCount &&
        colourCount < colours.size()) {
      colours[colourCount++] = colour;
    }
  }
  ColourBatch batch(dc, page.lines, area, page.buffers, glyphs);
  for (std::size_t c = 0; c < colourCount; ++c) {
    ::SetTextColor(dc, colours[c]);
    for (std::size_t i = 0; i < count; ++i) {
      const bool sameColour = (SyntaxColour(runs[i].entry) & kRgbMask) == colours[c];
      if (sameColour && runs[i].place == LineLayout::Place::kAt) batch.Add(runs[i]);
    }
    batch.Flush();
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

// The editor font as the colouring measures it. Each editor control's font
// is made by the library and never changed, and measuring it (its 256
// characters three ways) costs a twentieth of the colouring: the measures
// of the font last painted with are kept until that font is deleted.
struct MeasuredFont {
  HFONT font = nullptr;
  std::optional<FontMeasures> layout;
  std::optional<GlyphMeasures> glyphs;
};
MeasuredFont gMeasuredFont;

// The first DC a window gives after its own paint has its visible region
// worked out again: a round trip to the window manager under Wine, as dear
// as a tenth of the colouring. The control takes a DC for each of its
// answers too. So a DC is taken (and the font measured on it, if it is new)
// and released before the control is asked anything: the control's answers
// and the drawing take that same DC again, and the region is worked out
// once a paint, not twice.
const MeasuredFont& MeasuredFontOf(HWND control, HFONT font) {
  win::WindowDc dc(control);
  if (gMeasuredFont.font != font) {
    win::SavedDcState saved(dc);
    ::SelectObject(dc, font);
    gMeasuredFont.layout = MeasureFont(dc);
    gMeasuredFont.glyphs.emplace(dc);
    gMeasuredFont.font = gMeasuredFont.layout ? font : nullptr;  // a DC that failed is asked again
  }
  return gMeasuredFont;
}

void DrawColouredWords(HWND control, HFONT font) {
  RECT area{};
  ::SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
  area.left += kColourLeftInset;
  const MeasuredFont& measured = MeasuredFontOf(control, font);
  const std::optional<LaidOutPage> page =
      measured.layout ? LayOutPage(control, *measured.layout, area) : std::nullopt;

  win::WindowDc dc(control);
  win::SavedDcState saved(dc);
  ::SelectObject(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  const win::Region clip(::CreateRectRgnIndirect(&area));
  ::SelectClipRgn(dc, clip.Get());
  if (page) {
    DrawLaidOutPage(dc, *page, area, *measured.glyphs);
  } else {
    DrawRunsOneByOne(control, dc, area);
  }
}

// Hides the caret while it lives. The caret's blink inverts its pixels:
// colours drawn over a shown caret would be inverted into specks when it
// next blinks off. Hiding and showing one cost a round trip to the window
// manager each (under Wine, as much as a tenth of the colouring), and
// drawing it as many again, so it is hidden only where the colours can
// touch it.
class HiddenCaret {
 public:
  HiddenCaret(HWND control, bool hide) : control_(hide ? control : nullptr) {
    if (control_ != nullptr) ::HideCaret(control_);
  }
  HiddenCaret(const HiddenCaret&) = delete;
  HiddenCaret& operator=(const HiddenCaret&) = delete;
  ~HiddenCaret() {
    if (control_ != nullptr) ::ShowCaret(control_);
  }

 private:
  HWND control_;
};

// A character cell that holds no ink: a blank, a TAB, a line end, or none
// (-1, past either end of the text).
bool IsBlankCell(int character) {
  return character < 0 || character == ' ' || character == '\t' || character == '\r' || character == '\n';
}

// Whether the colours can touch the caret of the control with the focus.
// It stands in the first pixel column of the character after it, so it is
// certainly untouched only where that character leaves no ink (a blank, a
// TAB, a line end or the text's end) and the glyphs beside that cell keep
// their ink inside their own cells; typing at the end of a line is the
// usual case. Asked before the control paints, from the measures of the
// font last painted with.
bool CaretMayTouchColours(HWND control, HFONT font) {
  if (gMeasuredFont.font != font || !gMeasuredFont.layout || !gMeasuredFont.glyphs) return true;
  const GlyphMeasures& glyphs = *gMeasuredFont.glyphs;
  if (!glyphs.table.Usable() || glyphs.caretWidth > gMeasuredFont.layout->advances[static_cast<unsigned char>(' ')]) {
    return true;
  }
  CHARRANGE selection{};
  ::SendMessageA(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  if (selection.cpMin != selection.cpMax) return false;  // a selection shows, not a caret
  // The control answers in the ANSI code page: one byte a character there,
  // or the bytes are no characters to look at. Room for three characters
  // however many bytes they take.
  if (!glyphs.ansiSingleByte) return true;
  char around[16] = {};
  const LONG from = selection.cpMin > 0 ? selection.cpMin - 1 : 0;
  TEXTRANGEA range{{from, selection.cpMin + 2}, around};
  const auto count = static_cast<LONG>(::SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
  const LONG at = selection.cpMin - from;
  auto cell = [&](LONG i) { return i >= 0 && i < count ? static_cast<unsigned char>(around[i]) : -1; };
  const int before = at > 0 ? cell(at - 1) : -1, under = cell(at), after = cell(at + 1);
  const bool beforeKeepsOut = IsBlankCell(before) || glyphs.ink.withinRightEdge[static_cast<std::size_t>(before)];
  const bool afterKeepsOut = IsBlankCell(after) || glyphs.ink.withinLeftEdge[static_cast<std::size_t>(after)];
  return !(IsBlankCell(under) && beforeKeepsOut && afterKeepsOut);
}

}  // namespace

void ForgetFontMeasures(HFONT font) {
  if (gMeasuredFont.font == font) gMeasuredFont = {};
}

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

// RichEdit paints the text, then the colours go over it. The caret is
// hidden around both where the colours can touch it: hidden before the
// control's paint, the hide and show of that paint draw nothing.
LRESULT PaintColouredText(HWND control, WPARAM wParam, LPARAM lParam) {
  const EditorBlock* block = EditorBlockOf(control);
  HFONT font = block != nullptr ? win::FromHandle32<HFONT>(block->font) : nullptr;
  const bool hasCaret = gEditor.focusedEditor == control;  // only the control with the focus has one
  const HiddenCaret hidden(control, hasCaret && CaretMayTouchColours(control, font));
  const LRESULT result = ::CallWindowProcA(gEditor.richEditProc, control, WM_PAINT, wParam, lParam);
  if (block != nullptr) {
    gEditor.editorFont = font;
    DrawColouredWords(control, font);
  }
  return result;
}

}  // namespace kelp
