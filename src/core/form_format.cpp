#include "core/form_format.h"

#include <algorithm>

namespace kelp {
namespace {

Rect Placed(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return {left, top, left + width, top + height};
}

// Pushed back onto the form: its right or bottom edge in first, then its
// left or top edge, which wins for a control larger than the form.
Rect KeptOnForm(Rect r, std::int32_t formWidth, std::int32_t formHeight) {
  const std::int32_t width = r.Width();
  const std::int32_t height = r.Height();
  const std::int32_t left = std::max<std::int32_t>(0, std::min(r.left, formWidth - width));
  const std::int32_t top = std::max<std::int32_t>(0, std::min(r.top, formHeight - height));
  return Placed(left, top, width, height);
}

Rect Aligned(const Rect& r, const Rect& lead, FormatCommand command) {
  const std::int32_t w = r.Width();
  const std::int32_t h = r.Height();
  switch (command) {
    case FormatCommand::kAlignLefts: return Placed(lead.left, r.top, w, h);
    case FormatCommand::kAlignCenters: return Placed(lead.left + (lead.Width() - w) / 2, r.top, w, h);
    case FormatCommand::kAlignRights: return Placed(lead.right - w, r.top, w, h);
    case FormatCommand::kAlignTops: return Placed(r.left, lead.top, w, h);
    case FormatCommand::kAlignMiddles: return Placed(r.left, lead.top + (lead.Height() - h) / 2, w, h);
    case FormatCommand::kAlignBottoms: return Placed(r.left, lead.bottom - h, w, h);
    case FormatCommand::kSameWidth: return Placed(r.left, r.top, lead.Width(), h);
    case FormatCommand::kSameHeight: return Placed(r.left, r.top, w, lead.Height());
    case FormatCommand::kSameSize: return Placed(r.left, r.top, lead.Width(), lead.Height());
    default: return r;
  }
}

}  // namespace

bool NeedsTwo(FormatCommand command) {
  return command != FormatCommand::kCenterHorizontally && command != FormatCommand::kCenterVertically;
}

std::vector<Rect> FormatRects(const std::vector<Rect>& rects, FormatCommand command, std::int32_t formWidth,
                              std::int32_t formHeight) {
  std::vector<Rect> result = rects;
  if (rects.empty()) return result;
  if (!NeedsTwo(command)) {
    // The selection's bounding box goes to the middle of the form.
    Rect box = rects.front();
    for (const Rect& r : rects) {
      box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
             std::max(box.bottom, r.bottom)};
    }
    const bool across = command == FormatCommand::kCenterHorizontally;
    const std::int32_t dx = across ? (formWidth - box.Width()) / 2 - box.left : 0;
    const std::int32_t dy = across ? 0 : (formHeight - box.Height()) / 2 - box.top;
    for (Rect& r : result) r = Placed(r.left + dx, r.top + dy, r.Width(), r.Height());
  } else {
    const Rect lead = rects.front();
    for (Rect& r : result) r = Aligned(r, lead, command);
  }
  for (Rect& r : result) r = KeptOnForm(r, formWidth, formHeight);
  return result;
}

std::vector<std::size_t> TouchedBy(const Rect& band, const std::vector<Rect>& rects) {
  const Rect b{std::min(band.left, band.right), std::min(band.top, band.bottom), std::max(band.left, band.right),
               std::max(band.top, band.bottom)};
  std::vector<std::size_t> touched;
  for (std::size_t i = 0; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    if (r.left < b.right && b.left < r.right && r.top < b.bottom && b.top < r.bottom) touched.push_back(i);
  }
  return touched;
}

}  // namespace kelp
