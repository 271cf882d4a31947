#include "core/project_text.h"

namespace kelp {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
// More digits than any 32-bit value needs, with room for leading zeros.
constexpr std::size_t kMostNumberDigits = 12;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendEscapedByte(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0xF];
}

}  // namespace

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          AppendEscapedByte(out, byte);
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendHex(std::string& out, std::uint32_t value) {
  // MASM reads a number that starts with a letter as a name: 0FF000000h.
  if ((value >> 28) >= 10) out += '0';
  for (int shift = 28; shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0xF];
  out += 'h';
}

bool LineSplitter::Next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  std::size_t end = text_.find('\n', position_);
  const std::size_t next = end == std::string_view::npos ? text_.size() : end + 1;
  if (end == std::string_view::npos) end = text_.size();
  if (end > position_ && end < text_.size() && text_[end - 1] == '\r') --end;
  line = text_.substr(position_, end - position_);
  position_ = next;
  ++lineNumber_;
  return true;
}

void LineCursor::SkipBlanks() {
  while (position_ < line_.size() && (line_[position_] == ' ' || line_[position_] == '\t')) ++position_;
}

bool LineCursor::Fail(std::string message) {
  error_ = std::move(message);
  return false;
}

bool LineCursor::AtEnd() {
  SkipBlanks();
  return position_ == line_.size();
}

std::string_view LineCursor::Word() {
  SkipBlanks();
  const std::size_t start = position_;
  if (position_ < line_.size() && IsLetter(line_[position_])) {
    while (position_ < line_.size() && (IsLetter(line_[position_]) || IsDigit(line_[position_]))) ++position_;
  }
  return line_.substr(start, position_ - start);
}

bool LineCursor::Literal(char c) {
  SkipBlanks();
  if (position_ < line_.size() && line_[position_] == c) {
    ++position_;
    return true;
  }
  return Fail(std::string("expected '") + c + "' before " + Excerpt(Rest()));
}

bool LineCursor::Number(std::int64_t& value) {
  SkipBlanks();
  const bool negative = position_ < line_.size() && line_[position_] == '-';
  std::size_t end = position_ + (negative ? 1 : 0);
  const std::size_t digitsStart = end;
  while (end < line_.size() && HexValue(line_[end]) >= 0) ++end;
  const bool hex = end < line_.size() && (line_[end] == 'h' || line_[end] == 'H');
  const std::string_view digits = line_.substr(digitsStart, end - digitsStart);
  if (digits.empty() || !IsDigit(digits[0])) return Fail("expected a number before " + Excerpt(Rest()));
  if (digits.size() > kMostNumberDigits) return Fail("the number " + Excerpt(digits) + " is too large");
  std::uint64_t magnitude = 0;
  for (char c : digits) {
    const int digit = HexValue(c);
    if (!hex && !IsDigit(c)) return Fail("the number " + Excerpt(digits) + " has a letter in it");
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
  }
  if (hex && negative) return Fail("a hexadecimal number cannot be negative");
  if (negative ? magnitude > 0x80000000u : magnitude > 0xFFFFFFFFu) {
    return Fail("the number " + Excerpt(digits) + " does not fit in 32 bits");
  }
  position_ = end + (hex ? 1 : 0);
  if (position_ < line_.size() && (IsLetter(line_[position_]) || IsDigit(line_[position_]))) {
    return Fail("the number runs into " + Excerpt(Rest()));
  }
  value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

bool LineCursor::Text(std::string& text, std::size_t maxBytes) {
  SkipBlanks();
  if (position_ >= line_.size() || line_[position_] != '"') {
    return Fail("expected a quoted text before " + Excerpt(Rest()));
  }
  text.clear();
  std::size_t at = position_ + 1;
  while (true) {
    if (at >= line_.size()) return Fail("the quoted text has no closing quote");
    const char c = line_[at];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"') break;
    char unescaped = c;
    if (c == '\\') {
      if (at + 1 >= line_.size()) return Fail("the quoted text ends in a lone backslash");
      const char code = line_[at + 1];
      at += 2;
      switch (code) {
        case '"':
        case '\\':
          unescaped = code;
          break;
        case 't':
          unescaped = '\t';
          break;
        case 'r':
          unescaped = '\r';
          break;
        case 'n':
          unescaped = '\n';
          break;
        case 'x': {
          const int high = at < line_.size() ? HexValue(line_[at]) : -1;
          const int low = at + 1 < line_.size() ? HexValue(line_[at + 1]) : -1;
          if (high < 0 || low < 0) return Fail("\\x must be followed by two hexadecimal digits");
          if (high == 0 && low == 0) return Fail("a text cannot hold a zero byte (\\x00)");
          unescaped = static_cast<char>(high * 16 + low);
          at += 2;
          break;
        }
        default:
          return Fail("unknown escape \\" + Excerpt(std::string_view(&code, 1)));
      }
    } else if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
      return Fail("the quoted text holds a control byte; write it as \\x" +
                  std::string{kHexDigits[byte >> 4], kHexDigits[byte & 0xF]});
    } else {
      ++at;
    }
    if (text.size() == maxBytes) {
      return Fail("the text is longer than the " + std::to_string(maxBytes) + " bytes it may hold");
    }
    text += unescaped;
  }
  position_ = at + 1;
  return true;
}

std::uint32_t Checksum(std::string_view bytes) {
  std::uint32_t hash = 2166136261u;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

std::string Excerpt(std::string_view text) {
  constexpr std::size_t kLongest = 24;
  if (text.empty()) return "the end of the line";
  std::string shown = "\"";
  for (char c : text.substr(0, kLongest)) {
    const auto byte = static_cast<unsigned char>(c);
    shown += byte < 0x20 || byte >= 0x7F ? '?' : c;
  }
  if (text.size() > kLongest) shown += "...";
  shown += '"';
  return shown;
}

}  // namespace kelp
