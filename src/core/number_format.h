// Decimal formatting of numbers in names, titles and property values.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelp {

// Longest result of either formatter, terminator included ("-2147483648").
inline constexpr std::size_t kNumberTextSize = 12;

// Unsigned decimal without padding: 0 gives "0", 0xFFFFFFFF gives "4294967295".
void FormatNumber(std::uint32_t value, char* buffer);

// Signed decimal: "0", "-5", "65535", "-2147483648". No padding or blanks.
void FormatDecimal(std::int32_t value, char* buffer);

// Editor text back to a number: an optional "-", then digits up to the first
// character that is not one ("12a" gives 12, " 5" and "" give 0). Arithmetic
// wraps at 32 bits, so "4294967291" and "-5" give the same value.
std::int32_t ParseDecimal(const char* text);

// Eight upper-case hexadecimal digits of a COLORREF, most significant first,
// then "h": RGB(255,128,0) is 0x000080FF and reads 000080FFh.
inline constexpr std::size_t kHexColourTextSize = 10;
void FormatHexColor(std::uint32_t colour, char* buffer);

}  // namespace kelp
