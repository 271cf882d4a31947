// What the code editor colours in the text it shows: comments from ";" to
// the line end (split at TABs, which the drawing would not expand), and
// words between separators that the keyword table knows. There is no string
// literal: a ";" inside quotes starts a comment too. Offsets are into the
// visible text as the editor control gives it (CR alone at line ends).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/keyword_table.h"
#include "core/syntax_file.h"

namespace kelp {

namespace visible_text_detail {

// Looked up for every character of every paint: a table, not a search.
inline constexpr std::array<bool, 256> kSeparatorTable = [] {
  std::array<bool, 256> table{};
  constexpr std::string_view kSeparators = " \r\n\t/,|+-*<>=(){}[]^:";
  table[0] = true;
  for (char c : kSeparators) table[static_cast<unsigned char>(c)] = true;
  return table;
}();

}  // namespace visible_text_detail

// Space, CR, LF, TAB, the zero byte and / , | + - * < > = ( ) { } [ ] ^ :
// separate words; ".", "&", "!", "$", "?", "@" and quotes belong to words.
inline bool IsWordSeparator(char c) {
  return visible_text_detail::kSeparatorTable[static_cast<unsigned char>(c)];
}

enum class RunKind { kCommentPiece, kWord };

struct TextRun {
  RunKind kind;
  std::size_t offset;
  std::size_t length;
};

// Calls visit(TextRun) for every comment piece and every word, in text order.
template <typename Visit>
void SplitVisibleText(std::string_view text, Visit&& visit);

// Calls draw(offset, length, colourEntry) for every run to colour: comment
// pieces with the comment colour, words with their keyword's colour.
template <typename Draw>
void ColourVisibleText(std::string_view text, const KeywordTable& keywords, Draw&& draw);

// A character position as the editor control packs it in one 32-bit result
// (x in the low half, y in the high half). Both halves are signed: a
// character scrolled out to the left or top lies at a negative coordinate.
struct CharPosition {
  int x;
  int y;
};
CharPosition UnpackCharPosition(std::uint32_t packed);

// ---------------------------------------------------------------------------

namespace visible_text_detail {

inline constexpr char kCommentStart = ';';

inline bool EndsLine(char c) {
  return c == '\r' || c == '\n';
}
inline bool SplitsComment(char c) {
  return c == '\t' || c == '\0';
}

// The comment that starts at `start`: up to the line end or the text's end.
template <typename Visit>
std::size_t VisitComment(std::string_view text, std::size_t start, Visit& visit) {
  std::size_t end = start;
  while (end < text.size() && !EndsLine(text[end])) ++end;
  std::size_t piece = start;
  for (std::size_t i = start; i <= end; ++i) {
    if (i == end || SplitsComment(text[i])) {
      if (i > piece) visit(TextRun{RunKind::kCommentPiece, piece, i - piece});
      piece = i + 1;
    }
  }
  return end;
}

}  // namespace visible_text_detail

template <typename Visit>
void SplitVisibleText(std::string_view text, Visit&& visit) {
  using namespace visible_text_detail;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == kCommentStart) {
      i = VisitComment(text, i, visit);
    } else if (IsWordSeparator(text[i])) {
      ++i;
    } else {
      const std::size_t start = i;
      while (i < text.size() && !IsWordSeparator(text[i]) && text[i] != kCommentStart) ++i;
      visit(TextRun{RunKind::kWord, start, i - start});
    }
  }
}

template <typename Draw>
void ColourVisibleText(std::string_view text, const KeywordTable& keywords, Draw&& draw) {
  SplitVisibleText(text, [&](const TextRun& run) {
    if (run.kind == RunKind::kCommentPiece) {
      draw(run.offset, run.length, kCommentColourEntry);
      return;
    }
    const std::uint32_t entry = FindKeyword(keywords, text.substr(run.offset, run.length));
    if (entry != 0) draw(run.offset, run.length, entry);
  });
}

}  // namespace kelp
