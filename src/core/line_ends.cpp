#include "core/line_ends.h"

#include <algorithm>

namespace kelp {

SplitLines SplitLineEnds(std::string_view bytes) {
  SplitLines split;
  split.text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      split.ends.push_back(LineEnd::kCrLf);
      ++i;
    } else if (c == '\n') {
      split.ends.push_back(LineEnd::kLf);
    } else if (c == '\r') {
      split.ends.push_back(LineEnd::kCr);
    } else {
      split.text.push_back(c);
      continue;
    }
    split.text.push_back('\r');
  }
  return split;
}

std::string JoinLineEnds(std::string_view text, const std::vector<LineEnd>& ends) {
  std::string bytes;
  bytes.reserve(text.size() + ends.size() + 16);
  std::size_t line = 0;
  for (const char c : text) {
    if (c != '\r') {
      bytes.push_back(c);
      continue;
    }
    const LineEnd end = line < ends.size() ? ends[line] : LineEnd::kCrLf;
    ++line;
    if (end != LineEnd::kLf) bytes.push_back('\r');
    if (end != LineEnd::kCr) bytes.push_back('\n');
  }
  return bytes;
}

bool HasOtherLineEnds(const std::vector<LineEnd>& ends) {
  return std::any_of(ends.begin(), ends.end(), [](LineEnd end) { return end != LineEnd::kCrLf; });
}

}  // namespace kelp
