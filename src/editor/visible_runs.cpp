#include "editor/visible_runs.h"

#include <richedit.h>

#include "editor/editor.h"

namespace kelp {
namespace {

// The paint buffer's first size; it grows for longer visible text.
constexpr std::size_t kInitialPaintBufferSize = 67584;
// Characters read beyond the visible ones to find where their lines begin
// and end; doubled until both are found.
constexpr LONG kFirstLineMargin = 256;
constexpr LONG kLargestIndex = 0x7FFFFFFF;
constexpr char kLineEnd = '\r';
// Level 2 is never asked about an index from 0x40000 up: some RichEdit
// versions (Wine's among them) take such a first argument for the address
// of a POINTL.
constexpr LONG kFirstIndexTakenForAPointer = 0x40000;

LONG CharacterAt(HWND control, LONG x, LONG y) {
  POINTL point{x, y};
  return static_cast<LONG>(::SendMessageA(control, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
}

LONG TextLength(HWND control) {
  GETTEXTLENGTHEX how{GTL_DEFAULT, CP_ACP};
  return static_cast<LONG>(::SendMessageA(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

// Where a character is drawn, when it lies within 32,767 pixels of `around`
// each way: a level 2 answer is widened towards it rather than asked back.
std::optional<CharPosition> PositionNear(HWND control, LONG index, CharPosition around) {
  if (!gEditor.packedPositions) return PositionOfCharacter(control, index);
  if (index < 0 || index >= kFirstIndexTakenForAPointer) return std::nullopt;
  const auto packed = static_cast<std::uint32_t>(::SendMessageA(control, EM_POSFROMCHAR, index, 0));
  return CharPosition{UnwrapNear(static_cast<std::uint16_t>(packed & 0xFFFF), around.x),
                      UnwrapNear(static_cast<std::uint16_t>(packed >> 16), around.y)};
}

bool SamePosition(const CharPosition& a, const CharPosition& b) { return a.x == b.x && a.y == b.y; }

// RichEdit's tab stops lie every half inch (720 twips) by default; 0 when
// that is not a whole number of pixels (the stops are then asked for).
int DefaultTabSpacing(HDC dc) {
  constexpr int kDefaultTabTwips = 720;
  constexpr int kTwipsPerInch = 1440;
  const int twipPixels = kDefaultTabTwips * ::GetDeviceCaps(dc, LOGPIXELSX);
  return twipPixels % kTwipsPerInch == 0 ? twipPixels / kTwipsPerInch : 0;
}

// The control's tab stops, asked once per distinct starting x in a paint.
class ControlTabStops final : public TabStopSource {
 public:
  ControlTabStops(HWND control, LONG first, LineOrigin origin)
      : control_(control), first_(first), origin_(origin) {}
  std::optional<int> After(std::size_t tabOffset, int fromX) override {
    const LONG next = first_ + static_cast<LONG>(tabOffset) + 1;
    const std::optional<CharPosition> at = PositionNear(control_, next, {origin_.x + fromX, origin_.y});
    if (!at) return std::nullopt;
    return at->x - origin_.x;
  }

 private:
  HWND control_;
  LONG first_;
  LineOrigin origin_;
};

// Reads characters [from, to) into the paint buffer; fewer at the text's end.
std::optional<std::string_view> ReadCharacters(HWND control, LONG from, LONG to) {
  const auto wanted = static_cast<std::size_t>(to - from);
  if (!ReserveEditorBuffer(gEditor.paintBuffer, gEditor.paintCapacity, wanted + 1, kInitialPaintBufferSize))
    return std::nullopt;
  TEXTRANGEA range{{from, to}, gEditor.paintBuffer};
  const LRESULT fetched = ::SendMessageA(control, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
  if (fetched <= 0) return std::nullopt;
  return std::string_view(gEditor.paintBuffer, static_cast<std::size_t>(fetched) < wanted ? fetched : wanted);
}

LONG Doubled(LONG margin) { return margin < kLargestIndex / 2 ? margin * 2 : kLargestIndex; }

// Where the line holding text[at] starts, or npos when it starts before the text.
std::size_t LineStartBefore(std::string_view text, std::size_t at) {
  const std::size_t lineEnd = text.substr(0, at).rfind(kLineEnd);
  return lineEnd == std::string_view::npos ? std::string_view::npos : lineEnd + 1;
}

}  // namespace

bool ReserveEditorBuffer(char*& buffer, std::size_t& capacity, std::size_t bytes, std::size_t initial) {
  if (bytes <= capacity) return true;
  const std::size_t grownCapacity = bytes > initial ? bytes : initial;
  void* grown = buffer == nullptr ? ::HeapAlloc(gEditor.heap, 0, grownCapacity)
                                  : ::HeapReAlloc(gEditor.heap, 0, buffer, grownCapacity);
  if (grown == nullptr) return false;
  buffer = static_cast<char*>(grown);
  capacity = grownCapacity;
  return true;
}

// Reads a little beyond the visible characters on both sides, and more
// until the line starts before them and the line end after them are found
// (or the text's own start and end).
std::optional<VisibleText> FetchVisibleText(HWND control, const RECT& area) {
  const LONG top = CharacterAt(control, area.left, area.top);
  const LONG bottom = CharacterAt(control, area.right, area.bottom);
  const LONG length = TextLength(control);
  if (top < 0 || bottom < top || top >= length) return std::nullopt;
  for (LONG margin = kFirstLineMargin;; margin = Doubled(margin)) {
    const LONG from = top > margin ? top - margin : 0;
    const LONG to = length - bottom > margin ? bottom + margin : length;
    const std::optional<std::string_view> read = ReadCharacters(control, from, to);
    if (!read || static_cast<std::size_t>(bottom - from) > read->size()) return std::nullopt;
    std::size_t start = LineStartBefore(*read, static_cast<std::size_t>(top - from));
    std::size_t end = read->find(kLineEnd, static_cast<std::size_t>(bottom - from));
    if (start == std::string_view::npos && from == 0) start = 0;
    if (end == std::string_view::npos && to == length) end = read->size();
    if (start != std::string_view::npos && end != std::string_view::npos) {
      if (end <= start) return std::nullopt;
      return VisibleText{from + static_cast<LONG>(start), read->substr(start, end - start)};
    }
    if (from == 0 && to == length) return std::nullopt;
  }
}

namespace {

struct PageFrame {
  RECT formatting;
  POINT scroll;
};

// The first read of a page without a last one to go by: this many
// characters a line. Reads are doubled until enough lines come.
constexpr std::size_t kGuessedLineLength = 64;
// Read beyond the last page's length: what typing may have added since.
constexpr std::size_t kTypedMargin = 128;

// Characters from `from` on holding at least `lineEnds` CRs, or up to the
// text's end: `guess` characters first, doubled until one of the two holds.
// The control's copying costs by the character, so the guess matters.
std::optional<std::string_view> ReadLineEnds(HWND control, LONG from, std::size_t lineEnds, std::size_t guess) {
  LONG wanted = static_cast<LONG>(guess < static_cast<std::size_t>(kLargestIndex) ? guess : kLargestIndex);
  for (;;) {
    const LONG to = from < kLargestIndex - wanted ? from + wanted : kLargestIndex;
    const std::optional<std::string_view> read = ReadCharacters(control, from, to);
    if (!read) return std::nullopt;
    const bool textEnded = static_cast<LONG>(read->size()) < to - from;
    const std::size_t found = LineLayout::LineCount(*read) - 1;
    if (found >= lineEnds || textEnded || to == kLargestIndex) return read;
    wanted = Doubled(wanted);
  }
}

// The first `lines` lines of the text, without the CR that ends the last.
std::string_view FirstLines(std::string_view text, std::size_t lines) {
  std::size_t found = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kLineEnd && ++found == lines) return text.substr(0, i);
  }
  return text;
}

// The lines from the one starting at character `first`, laid one font high
// each below the other. Read from the character before it, which must end a
// line. Enough lines are read that the last starts below the bottom edge;
// its start is asked: the first line's top, found back from it, must lie
// within one line of the formatting rectangle's top (a line above that
// wraps, or `first` not being the top line, moves it), and every line
// starts where that one does (left of the formatting rectangle by the
// horizontal scroll, beside the selection bar).
std::optional<EvenLines> EvenLinesFrom(HWND control, const FontMeasures& font, const RECT& area,
                                       const PageFrame& frame, LONG first, std::size_t guessedLength) {
  if (first < 0) return std::nullopt;
  const int lineHeight = font.lineHeight;
  const std::size_t lines = static_cast<std::size_t>((area.bottom - frame.formatting.top) / lineHeight) + 3;
  const bool afterLineEnd = first > 0;
  const std::size_t guess = guessedLength != 0 ? guessedLength + 2 + kTypedMargin : (lines + 1) * kGuessedLineLength;
  const std::optional<std::string_view> read =
      ReadLineEnds(control, first - afterLineEnd, lines + afterLineEnd, guess);
  if (!read || read->find('\n') != std::string_view::npos) return std::nullopt;
  std::string_view text = *read;
  if (afterLineEnd) {
    if (text.empty() || text.front() != kLineEnd) return std::nullopt;
    text.remove_prefix(1);
  }
  text = FirstLines(text, lines);
  if (text.empty()) return std::nullopt;
  const std::size_t count = LineLayout::LineCount(text);

  const LONG lastStart = first + static_cast<LONG>(LineLayout::LineStart(text, count - 1));
  const std::optional<CharPosition> last =
      PositionNear(control, lastStart, {frame.formatting.left - frame.scroll.x, area.bottom});
  if (!last) return std::nullopt;
  const long long top = last->y - static_cast<long long>(count - 1) * lineHeight;
  if (top > frame.formatting.top || top + lineHeight <= frame.formatting.top) return std::nullopt;
  return EvenLines{{first, text}, {last->x, static_cast<int>(top), lineHeight}, font.advances, font.tabSpacing};
}

}  // namespace

std::optional<FontMeasures> MeasureFont(HDC dc) {
  TEXTMETRICA metrics{};
  if (!::GetTextMetricsA(dc, &metrics) || metrics.tmHeight <= 0) return std::nullopt;
  FontMeasures font{metrics.tmHeight, {}, DefaultTabSpacing(dc)};
  if (!::GetCharWidth32A(dc, 0, 255, font.advances.data())) return std::nullopt;
  return font;
}

// Each of the control's answers walks its lines from the first, and its
// first visible line and that line's start are two more such walks. A page
// painted again at the same scroll position (typing, a window moved away)
// has the same line at the top when every line is one font high: the start
// of the last paint's top line is tried first, and the check of the last
// line's position finds a wrong guess (text typed above, or a scroll
// position scaled to 16 bits in a long text that kept its value while
// another line came to the top).
std::optional<EvenLines> FetchEvenLines(HWND control, const FontMeasures& font, const RECT& area) {
  PageFrame frame{};
  ::SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&frame.formatting));
  ::SendMessageA(control, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&frame.scroll));
  auto& last = gEditor.lastPage;
  const std::size_t lastLength = last.control == control ? last.length : 0;
  if (last.control == control && last.scrollY == frame.scroll.y) {
    if (auto even = EvenLinesFrom(control, font, area, frame, last.first, lastLength)) {
      last.length = even->visible.text.size();
      return even;
    }
  }
  const LRESULT firstLine = ::SendMessageA(control, EM_GETFIRSTVISIBLELINE, 0, 0);
  const auto first = static_cast<LONG>(::SendMessageA(control, EM_LINEINDEX, firstLine, 0));
  std::optional<EvenLines> even = EvenLinesFrom(control, font, area, frame, first, lastLength);
  if (even) {
    last = {control, frame.scroll.y, first, even->visible.text.size()};
  } else {
    last = {};
  }
  return even;
}

// Level 2 packs the position into two 16-bit halves, which wrap for a
// character 32768 or more pixels away (far along a long line): the control
// is asked back which character lies there, and a position that is not the
// character's own gives nothing to draw.
std::optional<CharPosition> PositionOfCharacter(HWND control, LONG index) {
  if (!gEditor.packedPositions) {
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

bool PlaceRuns(HWND control, const EvenLines& lines, const RECT& area, PlacedRun* runs, std::size_t count) {
  const VisibleText& visible = lines.visible;
  ControlTabStops tabs(control, visible.first, lines.origin);
  LineLayout layout(visible.text, lines.advances, lines.origin, area.right, tabs, lines.tabSpacing);
  const PlacedRun* furthest = nullptr;
  const PlacedRun* furthestTab = nullptr;  // after the furthest tab stop
  int furthestStop = -1;
  std::optional<LineLayout::Result> firstBeyond;
  for (std::size_t i = 0; i < count; ++i) {
    PlacedRun& run = runs[i];
    const LineLayout::Result result = layout.PositionOf(run.offset);
    if (result.place == LineLayout::Place::kUnknown) return false;
    run.place = result.place;
    run.at = result.at;
    if (run.place == LineLayout::Place::kBeyondRightEdge) {
      if (!firstBeyond) firstBeyond = result;
      continue;
    }
    if (furthest == nullptr || run.at.x > furthest->at.x) furthest = &run;
    if (result.lastTabStop > furthestStop || (result.lastTabStop == furthestStop && furthestTab != nullptr &&
                                              run.at.x > furthestTab->at.x)) {
      furthestStop = result.lastTabStop;
      furthestTab = &run;
    }
  }
  // The layout's sums and tab stops must agree with the control where they
  // have gone furthest.
  for (const PlacedRun* check : {furthest, furthestTab}) {
    if (check == nullptr || (check == furthestTab && furthestTab == furthest)) continue;
    const auto at = PositionNear(control, visible.first + static_cast<LONG>(check->offset), check->at);
    if (!at || !SamePosition(*at, check->at)) return false;
  }
  // Where a line crossed the right edge, the control must agree too.
  if (firstBeyond) {
    const auto at = PositionNear(control, visible.first + static_cast<LONG>(firstBeyond->edgeOffset), firstBeyond->at);
    if (!at || !SamePosition(*at, firstBeyond->at)) return false;
  }
  return true;
}

}  // namespace kelp
