// The colour picker's tables: the 64 palette colours (an 8 x 8 grid read row
// by row), the 25 named system colours of the System page, and the two tabs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/control_record.h"
#include "core/geometry.h"

namespace kelp {

inline constexpr ColourRef Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

inline constexpr int kPaletteColumns = 8;
inline constexpr int kPaletteRows = 8;
inline constexpr int kPaletteCellCount = kPaletteColumns * kPaletteRows;

// Cell (r, c) is entry 8r + c.
extern const std::array<ColourRef, kPaletteCellCount> kPalette;

// Where cell i lies on the palette page: 15 x 15 pixels at a pitch of 17.
Rect PaletteCell(int index);

// The cell that holds a point of the palette page; none in a gap or outside.
std::optional<int> PaletteCellAt(Point point);

// The last cell of the colour (rows 6 and 7 are sixteen white cells, so a
// white preset selects the bottom-right one); none when no cell has it.
std::optional<int> LastPaletteCellOf(ColourRef colour);

struct SystemColourRow {
  const char* name;
  int index;  // the system colour index the row stands for
};

inline constexpr int kSystemColourRowCount = 25;
extern const std::array<SystemColourRow, kSystemColourRowCount> kSystemColours;

// The first row whose system colour (as sysColour(index) reports it) is the
// colour; none when no row matches.
template <typename SysColour>
std::optional<int> FirstSystemRowOf(ColourRef colour, SysColour sysColour) {
  for (int row = 0; row < kSystemColourRowCount; ++row) {
    if (sysColour(kSystemColours[static_cast<std::size_t>(row)].index) == colour) return row;
  }
  return std::nullopt;
}

// A tab of a tab control: a value nothing reads, and its text.
struct TabName {
  std::uint32_t value;
  const char* text;
};

inline constexpr std::uint32_t kPaletteTabCommand = 2000;
inline constexpr std::uint32_t kSystemTabCommand = 2001;
inline constexpr std::array<TabName, 2> kPickerTabNames = {{{0, "Palette"}, {0, "System"}}};
inline constexpr std::array<std::uint32_t, 2> kPickerTabCommands = {kPaletteTabCommand, kSystemTabCommand};

// The command of the tab at a position, none past the table.
std::optional<std::uint32_t> TabCommandAt(std::span<const std::uint32_t> commands, int position);

}  // namespace kelp
