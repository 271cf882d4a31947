// What the code windows' Replace and Go to line do to text, apart from any
// window: matching with the Find options, replacing every match, and
// reading a line number as a user types it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelp {

struct SearchOptions {
  bool matchCase = true;
  bool wholeWord = false;
};

// Whether `text` holds `what` at `at` with these options. A whole word has
// no letter, digit or one of _ @ $ ? (the characters of a MASM name) just
// before or after it.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view what, const SearchOptions& options);

// The first match at or after `from`, or npos; an empty `what` matches nothing.
std::size_t FindMatch(std::string_view text, std::size_t from, std::string_view what, const SearchOptions& options);

struct Replaced {
  std::string text;
  std::size_t count = 0;
  std::size_t firstMatch = std::string_view::npos;  // where the first replacement begins
  bool tooLong = false;  // the result would pass the limit: nothing replaced
};

// Far beyond any module a code window can work with; a long replacement of
// a short, frequent text could otherwise ask for gigabytes.
inline constexpr std::size_t kLongestReplacedText = 16 * 1024 * 1024;

// Every match replaced, left to right; the scan goes on after each
// replacement, so a replacement that holds the searched text is never
// replaced again. An empty `what` changes nothing, and neither does a
// replacement whose result would be longer than `atMost` bytes (tooLong).
Replaced ReplaceAll(std::string_view text, std::string_view what, std::string_view with,
                    const SearchOptions& options, std::size_t atMost = kLongestReplacedText);

// A line number as typed: digits, blanks around them allowed. Nothing else
// (no sign, no other character, no digits at all, or 0) is a line number.
// A number too large for 32 bits is read as the largest there is: it goes
// to the last line as any number past the end does.
std::optional<std::uint32_t> ParseLineNumber(std::string_view typed);

}  // namespace kelp

namespace kelp {

// What the procedure list at the top of a code window offers: each
// procedure ("Form1Proc proc ..."), each message block of a window
// procedure (".if uMsg == WM_CREATE", ".elseif" too) and each control's
// handler block (".if wParam == IDC_BUTTON0"), in the order of the text,
// with the line each begins on (from 0).
struct CodeEntry {
  enum class Kind { kProcedure, kMessage, kHandler };
  Kind kind;
  std::string name;
  std::uint32_t line;
};
std::vector<CodeEntry> FindCodeEntries(std::string_view code);

}  // namespace kelp
