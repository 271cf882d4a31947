#include "core/colour_tables.h"

namespace kelp {
namespace {

constexpr int kCellOrigin = 4;
constexpr int kCellPitch = 17;
constexpr int kCellSize = 15;
constexpr ColourRef kWhite = Rgb(255, 255, 255);

}  // namespace

// Columns 3 of the first two rows are not quite yellow (red 254 and 253).
// clang-format off
const std::array<ColourRef, kPaletteCellCount> kPalette = {
    Rgb(255, 255, 255), Rgb(255, 192, 192), Rgb(255, 224, 192), Rgb(254, 255, 192),
    Rgb(192, 255, 192), Rgb(192, 255, 255), Rgb(192, 192, 255), Rgb(255, 192, 255),
    Rgb(224, 224, 224), Rgb(255, 128, 128), Rgb(255, 192, 128), Rgb(253, 255, 128),
    Rgb(128, 255, 128), Rgb(128, 255, 255), Rgb(128, 128, 255), Rgb(255, 128, 255),
    Rgb(192, 192, 192), Rgb(255, 0, 0),     Rgb(255, 128, 0),   Rgb(255, 255, 0),
    Rgb(0, 255, 0),     Rgb(0, 255, 255),   Rgb(0, 0, 255),     Rgb(255, 0, 255),
    Rgb(128, 128, 128), Rgb(192, 0, 0),     Rgb(192, 64, 0),    Rgb(192, 192, 0),
    Rgb(0, 192, 0),     Rgb(0, 192, 192),   Rgb(0, 0, 192),     Rgb(192, 0, 192),
    Rgb(64, 64, 64),    Rgb(128, 0, 0),     Rgb(128, 64, 0),    Rgb(128, 128, 0),
    Rgb(0, 128, 0),     Rgb(0, 128, 128),   Rgb(0, 0, 128),     Rgb(128, 0, 128),
    Rgb(0, 0, 0),       Rgb(64, 0, 0),      Rgb(128, 64, 64),   Rgb(64, 64, 0),
    Rgb(0, 64, 0),      Rgb(0, 64, 64),     Rgb(0, 0, 64),      Rgb(64, 0, 64),
    kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
    kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
};
// clang-format on

// "Button Dark Shadow" and "Button Light Shadow" stand for the button shadow
// and highlight colours (16 and 20), not for their own indices 21 and 22.
const std::array<SystemColourRow, kSystemColourRowCount> kSystemColours = {{
    {"Scroll Bars", 0},
    {"Desktop", 1},
    {"Active Title Bar", 2},
    {"Inactive Title Bar", 3},
    {"Menu Bar", 4},
    {"Window Background", 5},
    {"Window Frame", 6},
    {"Menu Text", 7},
    {"Window Text", 8},
    {"Active Title Bar Text", 9},
    {"Active Border", 10},
    {"Inactive Border", 11},
    {"Application workspace", 12},
    {"Hightlight", 13},
    {"Hightlight Text", 14},
    {"Button Face", 15},
    {"Button Shadow", 16},
    {"Disabled Text", 17},
    {"Button Text", 18},
    {"Inactive Title Bar Text", 19},
    {"Button Highlight", 20},
    {"Button Dark Shadow", 16},
    {"Button Light Shadow", 20},
    {"Tooltip Text", 23},
    {"ToolTip", 24},
}};

Rect PaletteCell(int index) {
  const int row = index / kPaletteColumns;
  const int column = index % kPaletteColumns;
  const int left = kCellOrigin + kCellPitch * column;
  const int top = kCellOrigin + kCellPitch * row;
  return {left, top, left + kCellSize, top + kCellSize};
}

std::optional<int> PaletteCellAt(Point point) {
  for (int i = 0; i < kPaletteCellCount; ++i) {
    const Rect cell = PaletteCell(i);
    if (point.x >= cell.left && point.x < cell.right && point.y >= cell.top && point.y < cell.bottom)
      return i;
  }
  return std::nullopt;
}

std::optional<int> LastPaletteCellOf(ColourRef colour) {
  std::optional<int> last;
  for (int i = 0; i < kPaletteCellCount; ++i) {
    if (kPalette[static_cast<std::size_t>(i)] == colour) last = i;
  }
  return last;
}

std::optional<std::uint32_t> TabCommandAt(std::span<const std::uint32_t> commands, int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= commands.size()) return std::nullopt;
  return commands[static_cast<std::size_t>(position)];
}

}  // namespace kelp
