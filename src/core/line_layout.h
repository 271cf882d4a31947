// Where an editor control that shows one font, one paragraph a line, draws
// each character of its visible text, worked out from a few answers of the
// control instead of one question per word (each question walks the
// control's text from its start, so a page of words in a long file cost
// far more than the page's own painting).
//
// Line k of the visible text lies at origin.y + k * lineHeight. A character
// lies at origin.x plus the advance widths of the characters before it on
// its line; a TAB moves on to the next tab stop, which the control alone
// knows: its stops lie evenly spaced when the caller gives the spacing (the
// control's default); otherwise the layout asks the tab-stop source once
// for every distinct x a TAB starts from. The caller checks the result
// against the control (see the editor's visible runs) and asks per word
// where they disagree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/visible_text.h"

namespace kelp {

// Advance widths of the 256 byte values in the control's font.
using AdvanceWidths = std::array<int, 256>;

class TabStopSource {
 public:
  // The x, relative to the line's start, where the character after the TAB
  // at `tabOffset` (offset into the visible text) lies, given that the TAB
  // starts at `fromX`; nullopt when the control cannot say.
  virtual std::optional<int> After(std::size_t tabOffset, int fromX) = 0;

 protected:
  ~TabStopSource() = default;
};

struct LineOrigin {
  int x;           // of the first character of every line
  int y;           // of the first line
  int lineHeight;
};

class LineLayout {
 public:
  enum class Place {
    kAt,              // drawn at `at`
    kBeyondRightEdge, // at or right of the right edge: nothing of it shows
    kUnknown,         // a tab stop the control could not give
  };
  struct Result {
    Place place;
    CharPosition at;
    int lastTabStop;  // x (relative to the line's start) of the last TAB's stop before it; -1 if none
    // Beyond the right edge: the first character of the line found there,
    // and `at` is its position.
    std::size_t edgeOffset;
  };

  // tabSpacing: the distance between evenly spaced tab stops, or 0 to ask.
  LineLayout(std::string_view text, const AdvanceWidths& advances, LineOrigin origin, int rightEdge,
             TabStopSource& tabs, int tabSpacing);

  // Offsets given to successive calls must not decrease.
  Result PositionOf(std::size_t offset);

  // How many lines the text holds (a CR ends each but the last).
  static std::size_t LineCount(std::string_view text);
  // Offset of the first character of line `line`.
  static std::size_t LineStart(std::string_view text, std::size_t line);

 private:
  std::optional<int> TabStopFrom(std::size_t tabOffset, int fromX);

  std::string_view text_;
  const AdvanceWidths& advances_;
  LineOrigin origin_;
  int rightEdge_;
  TabStopSource& tabs_;
  std::size_t lineIndex_ = 0;
  std::size_t lineStart_ = 0;
  std::size_t measuredTo_ = 0;  // offset whose x is measuredX_
  int measuredX_ = 0;           // relative to origin_.x
  int lastTabStop_ = -1;
  int tabSpacing_;
  std::vector<std::pair<int, int>> tabMemo_;  // (from x, stop x) pairs asked in this layout
};

// A 16-bit coordinate from a packed position, widened to the int nearest to
// `around` (exact whenever the true value lies within 32,767 of it).
int UnwrapNear(std::uint16_t half, int around);

}  // namespace kelp
