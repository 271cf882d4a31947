// The words, numbers and quoted texts of Kelp's project, form and commit
// files, shared by their writers and readers.
//
// A text is written between double quotes; \" and \\ stand for themselves,
// \t, \r and \n for TAB, CR and LF, \xHH for any other byte below 32 and
// for 127. Bytes 128..255 are written as they are (the files are ANSI, like
// the code files), so every byte but zero survives a round trip. Numbers
// are decimal, or hexadecimal with a trailing "h" as MASM writes them
// (00F0F0F0h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelp {

void AppendQuoted(std::string& out, std::string_view text);
// Eight digits and "h", as the properties window shows a colour, with a
// leading 0 when the first digit is a letter.
void AppendHex(std::string& out, std::uint32_t value);

// The lines of a file, without their ends (LF or CR LF), numbered from 1.
class LineSplitter {
 public:
  explicit LineSplitter(std::string_view text) : text_(text) {}
  // The next line; false after the last one.
  bool Next(std::string_view& line);
  std::uint32_t LineNumber() const { return lineNumber_; }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  std::uint32_t lineNumber_ = 0;
};

// Reads one line from left to right. A failed read says why in Error().
class LineCursor {
 public:
  explicit LineCursor(std::string_view line) : line_(line) {}

  // Blanks (spaces and TABs) before the part are skipped by every reader.
  bool AtEnd();
  // A word: a letter or "_", then letters, digits and "_"; empty when none.
  std::string_view Word();
  bool Literal(char c);
  // A decimal or "h" number no larger than 32 bits take (-2147483648 ..
  // 4294967295); the caller checks its own range.
  bool Number(std::int64_t& value);
  // A quoted text of at most maxBytes bytes once unescaped.
  bool Text(std::string& text, std::size_t maxBytes);
  // What follows the read parts, for messages.
  std::string_view Rest() const { return line_.substr(position_); }
  const std::string& Error() const { return error_; }

 private:
  void SkipBlanks();
  bool Fail(std::string message);

  std::string_view line_;
  std::size_t position_ = 0;
  std::string error_;
};

// FNV-1a: a checksum for the commit file, not a guard against intent.
std::uint32_t Checksum(std::string_view bytes);

// A short, printable rendering of a line's start for messages.
std::string Excerpt(std::string_view text);

}  // namespace kelp
