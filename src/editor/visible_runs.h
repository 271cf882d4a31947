// What the keyword colouring asks of an editor control at each paint: its
// visible text, widened to whole lines, and where each run to colour lies.
//
// Every question about a character position walks the control's text from
// its start, so asking once per word made a page of a long file cost many
// times the control's own paint. The runs are placed by the line layout
// instead (core/line_layout.h) from a handful of answers, and the layout is
// checked against the control where it has gone furthest; where the two
// disagree (another font, a zoom, wrapped lines) every run is asked for, one
// by one, as before.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/line_layout.h"
#include "core/visible_text.h"

namespace kelp {

// Room in a buffer of the editor heap for `bytes` (at least `initial` once
// it exists); false when memory runs out.
bool ReserveEditorBuffer(char*& buffer, std::size_t& capacity, std::size_t bytes, std::size_t initial = 0);

struct VisibleText {
  LONG first;             // character index of text[0]
  std::string_view text;  // in the paint buffer; CR alone ends each line
};

// The lines of the formatting rectangle `area`, read into the paint buffer:
// from the line at its top left corner to the line at its bottom right.
std::optional<VisibleText> FetchVisibleText(HWND control, const RECT& area);

// What the layout needs of the editor font, measured on a DC holding it.
struct FontMeasures {
  int lineHeight;
  AdvanceWidths advances;
  int tabSpacing;  // of the control's default tab stops; 0 when they must be asked
};
std::optional<FontMeasures> MeasureFont(HDC dc);

struct EvenLines {
  VisibleText visible;
  LineOrigin origin;
  AdvanceWidths advances;
  int tabSpacing;
};

// The same lines, found faster for a control that lays its lines out
// evenly, one font high: from the line at the rectangle's top to one that
// lies wholly below it. Nullopt when the control's layout is not that even.
std::optional<EvenLines> FetchEvenLines(HWND control, const FontMeasures& font, const RECT& area);

// Where the control draws a character; nullopt where it cannot say exactly.
std::optional<CharPosition> PositionOfCharacter(HWND control, LONG index);

struct PlacedRun {
  std::uint32_t offset;  // into the visible text
  std::uint32_t length;
  std::uint32_t entry;   // colour entry
  LineLayout::Place place;
  CharPosition at;
};

// Places the runs (in text order) with the line layout; false when the
// layout cannot be trusted for this paint.
bool PlaceRuns(HWND control, const EvenLines& lines, const RECT& area, PlacedRun* runs, std::size_t count);

}  // namespace kelp
