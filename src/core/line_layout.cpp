#include "core/line_layout.h"

namespace kelp {
namespace {

constexpr char kLineEnd = '\r';
constexpr char kTab = '\t';

}  // namespace

LineLayout::LineLayout(std::string_view text, const AdvanceWidths& advances, LineOrigin origin, int rightEdge,
                       TabStopSource& tabs, int tabSpacing)
    : text_(text),
      advances_(advances),
      origin_(origin),
      rightEdge_(rightEdge),
      tabs_(tabs),
      tabSpacing_(tabSpacing > 0 ? tabSpacing : 0) {}

std::optional<int> LineLayout::TabStopFrom(std::size_t tabOffset, int fromX) {
  if (tabSpacing_ > 0 && fromX >= 0) return (fromX / tabSpacing_ + 1) * tabSpacing_;
  for (const auto& [from, stop] : tabMemo_) {
    if (from == fromX) return stop;
  }
  const std::optional<int> stop = tabs_.After(tabOffset, fromX);
  // A stop lies right of where the TAB starts; anything else is not a stop.
  if (!stop || *stop <= fromX) return std::nullopt;
  tabMemo_.emplace_back(fromX, *stop);
  return stop;
}

LineLayout::Result LineLayout::PositionOf(std::size_t offset) {
  if (offset > text_.size()) offset = text_.size();
  if (offset < measuredTo_) return {Place::kUnknown, {}, -1, 0};
  // Move to the offset's line.
  for (std::size_t i = measuredTo_; i < offset; ++i) {
    if (text_[i] == kLineEnd) {
      ++lineIndex_;
      lineStart_ = i + 1;
      measuredTo_ = lineStart_;
      measuredX_ = 0;
      lastTabStop_ = -1;
    }
  }
  const int rightOfOrigin = rightEdge_ - origin_.x;
  while (measuredTo_ < offset && measuredX_ < rightOfOrigin) {
    const char c = text_[measuredTo_];
    if (c == kTab) {
      const std::optional<int> stop = TabStopFrom(measuredTo_, measuredX_);
      if (!stop) return {Place::kUnknown, {}, -1, 0};
      measuredX_ = *stop;
      lastTabStop_ = *stop;
    } else {
      measuredX_ += advances_[static_cast<unsigned char>(c)];
    }
    ++measuredTo_;
  }
  const int y = origin_.y + static_cast<int>(lineIndex_) * origin_.lineHeight;
  const Place place = measuredX_ >= rightOfOrigin ? Place::kBeyondRightEdge : Place::kAt;
  return {place, {origin_.x + measuredX_, y}, lastTabStop_, measuredTo_};
}

std::size_t LineLayout::LineCount(std::string_view text) {
  std::size_t lines = 1;
  for (char c : text) lines += c == kLineEnd;
  return lines;
}

std::size_t LineLayout::LineStart(std::string_view text, std::size_t line) {
  std::size_t offset = 0;
  for (std::size_t found = 0; found < line && offset < text.size(); ++offset) {
    if (text[offset] == kLineEnd) ++found;
  }
  return offset;
}

int UnwrapNear(std::uint16_t half, int around) {
  const auto difference = static_cast<std::int16_t>(static_cast<std::uint16_t>(half - static_cast<std::uint16_t>(around)));
  return around + difference;
}

}  // namespace kelp
