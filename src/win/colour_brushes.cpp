#include "win/colour_brushes.h"

#include <algorithm>
#include <vector>

#include "win/handles.h"

namespace kelp::win {
namespace {

// Kept as the 32 bits that identify a handle: a record holds only those,
// and widened back they need not equal the value the brush was created with.
std::vector<Handle32> gColourBrushes;

}  // namespace

HBRUSH MakeColourBrush(COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  if (brush != nullptr) gColourBrushes.push_back(ToHandle32(brush));
  return brush;
}

void DeleteIfColourBrush(HBRUSH brush) {
  const Handle32 value = ToHandle32(brush);
  const auto found = std::find(gColourBrushes.begin(), gColourBrushes.end(), value);
  if (brush == nullptr || found == gColourBrushes.end()) return;
  gColourBrushes.erase(found);
  ::DeleteObject(brush);
}

std::size_t LiveColourBrushes() { return gColourBrushes.size(); }

}  // namespace kelp::win
