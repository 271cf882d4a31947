// Any bytes as what a user gives the code tools: a module's text, a search
// and a replacement (split at the first two NUL bytes), the Find options
// (the first byte), and the text as a typed line number. Replace All
// replaces exactly the matches it counts and never its own output, or
// nothing when the result would pass its limit; the
// entries found lie on the text's lines; a line number read is digits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/code_search.h"
#include "core/masm_blocks.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::string_view NextPart(std::string_view& rest) {
  const std::size_t end = rest.find('\0');
  const std::string_view part = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const kelp::SearchOptions options{(data[0] & 1) != 0, (data[0] & 2) != 0};
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string_view text = NextPart(rest);
  const std::string_view what = NextPart(rest);
  const std::string_view with = rest;

  constexpr std::size_t kAtMost = 1 << 20;
  const kelp::Replaced replaced = kelp::ReplaceAll(text, what, with, options, kAtMost);
  std::size_t matches = 0;
  for (std::size_t at = kelp::FindMatch(text, 0, what, options); at != std::string_view::npos;
       at = kelp::FindMatch(text, at + what.size(), what, options)) {
    ++matches;
  }
  const std::size_t wanted = text.size() - matches * what.size() + matches * with.size();
  if (replaced.tooLong) {
    Check(wanted > kAtMost && replaced.count == 0 && replaced.text == text);
  } else {
    Check(replaced.count == matches);
    Check(replaced.text.size() == wanted && wanted <= kAtMost + text.size());
    if (matches == 0) Check(replaced.text == text);
  }

  const std::size_t lines = kelp::SplitCodeLines(text).size();
  for (const kelp::CodeEntry& entry : kelp::FindCodeEntries(text)) {
    Check(entry.line < lines);
    Check(!entry.name.empty());
  }

  if (const auto line = kelp::ParseLineNumber(text)) {
    Check(*line >= 1);
    for (char c : text) Check(c == ' ' || c == '\t' || (c >= '0' && c <= '9'));
  }
  return 0;
}
