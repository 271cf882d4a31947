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

}  // namespace kelp
