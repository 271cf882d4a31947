#include "core/number_format.h"

namespace kelp {
namespace {

// Writes the digits of value, most significant first; returns the end.
char* WriteDigits(std::uint32_t value, char* out) {
  char reversed[kNumberTextSize];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) *out++ = reversed[--count];
  return out;
}

}  // namespace

void FormatNumber(std::uint32_t value, char* buffer) {
  *WriteDigits(value, buffer) = '\0';
}

void FormatDecimal(std::int32_t value, char* buffer) {
  // The magnitude is taken as unsigned, so the most negative value needs no
  // special case: 0 - 0x80000000 is 0x80000000 again.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (value < 0) {
    *buffer++ = '-';
    magnitude = 0u - magnitude;
  }
  *WriteDigits(magnitude, buffer) = '\0';
}

std::int32_t ParseDecimal(const char* text) {
  if (text == nullptr) return 0;
  const bool negative = *text == '-';
  if (negative) ++text;
  std::uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10u + static_cast<std::uint32_t>(*text - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

void FormatHexColor(std::uint32_t colour, char* buffer) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  constexpr int kDigitCount = 8;
  for (int i = 0; i < kDigitCount; ++i) {
    buffer[i] = kDigits[(colour >> (4 * (kDigitCount - 1 - i))) & 0xFu];
  }
  buffer[kDigitCount] = 'h';
  buffer[kDigitCount + 1] = '\0';
}

}  // namespace kelp
