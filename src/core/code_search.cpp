#include "core/code_search.h"

#include <limits>

#include "core/masm_blocks.h"

namespace kelp {
namespace {

bool IsNameCharacter(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == '@' ||
         u == '$' || u == '?' || u >= 0x80;
}

char Folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool MatchesAt(std::string_view text, std::size_t at, std::string_view what, const SearchOptions& options) {
  if (what.empty() || at > text.size() || text.size() - at < what.size()) return false;
  for (std::size_t i = 0; i < what.size(); ++i) {
    const char a = text[at + i];
    const char b = what[i];
    if (options.matchCase ? a != b : Folded(a) != Folded(b)) return false;
  }
  if (!options.wholeWord) return true;
  const std::size_t end = at + what.size();
  return (at == 0 || !IsNameCharacter(text[at - 1])) && (end == text.size() || !IsNameCharacter(text[end]));
}

std::size_t FindMatch(std::string_view text, std::size_t from, std::string_view what, const SearchOptions& options) {
  if (what.empty()) return std::string_view::npos;
  for (std::size_t at = from; at < text.size() && text.size() - at >= what.size(); ++at) {
    if (MatchesAt(text, at, what, options)) return at;
  }
  return std::string_view::npos;
}

Replaced ReplaceAll(std::string_view text, std::string_view what, std::string_view with,
                    const SearchOptions& options, std::size_t atMost) {
  Replaced result;
  std::size_t matches = 0;
  for (std::size_t at = FindMatch(text, 0, what, options); at != std::string_view::npos;
       at = FindMatch(text, at + what.size(), what, options)) {
    ++matches;
  }
  // The length of the result, compared without overflow: each match takes
  // what.size() bytes out of the text and puts with.size() in.
  const std::size_t kept = text.size() - matches * what.size();
  const bool tooLong = kept > atMost || (!with.empty() && matches > (atMost - kept) / with.size());
  if (matches == 0 || tooLong) {
    result.text = std::string(text);
    result.tooLong = tooLong;
    return result;
  }
  result.text.reserve(kept + matches * with.size());
  std::size_t copied = 0;
  for (std::size_t at = FindMatch(text, 0, what, options); at != std::string_view::npos;
       at = FindMatch(text, at + what.size(), what, options)) {
    if (result.count == 0) result.firstMatch = result.text.size() + (at - copied);
    result.text.append(text.substr(copied, at - copied));
    result.text.append(with);
    copied = at + what.size();
    result.count += 1;
  }
  result.text.append(text.substr(copied));
  return result;
}

std::optional<std::uint32_t> ParseLineNumber(std::string_view typed) {
  std::size_t first = 0;
  while (first < typed.size() && IsBlank(typed[first])) ++first;
  std::size_t last = typed.size();
  while (last > first && IsBlank(typed[last - 1])) --last;
  if (first == last) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = first; i < last; ++i) {
    const char c = typed[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > std::numeric_limits<std::uint32_t>::max()) value = std::numeric_limits<std::uint32_t>::max();
  }
  if (value == 0) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace kelp

namespace kelp {
namespace {

// "uMsg == WM_CREATE && ..." gives WM_CREATE when the tested word is `tested`.
std::string_view ComparedName(std::string_view tested, const LineWords& words) {
  if (!SameWord(words.second, tested)) return {};
  std::string_view rest = words.afterSecond;
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  if (rest.substr(0, 2) != "==") return {};
  rest.remove_prefix(2);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  std::size_t end = 0;
  while (end < rest.size() && IsNameCharacter(rest[end])) ++end;
  return rest.substr(0, end);
}

}  // namespace

std::vector<CodeEntry> FindCodeEntries(std::string_view code) {
  std::vector<CodeEntry> entries;
  const std::vector<std::string_view> lines = SplitCodeLines(code);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const LineWords words = WordsOf(CodePart(lines[i]));
    const auto line = static_cast<std::uint32_t>(i);
    if (SameWord(words.second, "proc") && !words.first.empty()) {
      entries.push_back({CodeEntry::Kind::kProcedure, std::string(words.first), line});
    } else if (SameWord(words.first, ".if") || SameWord(words.first, ".elseif")) {
      if (const std::string_view message = ComparedName("uMsg", words); !message.empty()) {
        entries.push_back({CodeEntry::Kind::kMessage, std::string(message), line});
      } else if (const std::string_view id = ComparedName("wParam", words); !id.empty()) {
        entries.push_back({CodeEntry::Kind::kHandler, std::string(id), line});
      }
    }
  }
  return entries;
}

}  // namespace kelp
