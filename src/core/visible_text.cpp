#include "core/visible_text.h"

#include <string_view>

namespace kelp {

bool IsWordSeparator(char c) {
  constexpr std::string_view kSeparators = " \r\n\t/,|+-*<>=(){}[]^:";
  return c == '\0' || kSeparators.find(c) != std::string_view::npos;
}

CharPosition UnpackCharPosition(std::uint32_t packed) {
  return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>(packed >> 16)};
}

}  // namespace kelp
