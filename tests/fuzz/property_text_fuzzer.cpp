// Any bytes as what a user types into the property list: the decimal parser
// agrees with plain 32-bit arithmetic, and a form's new title always fits its
// buffer, keeps the old title's prefix and ends in " (Form)".
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/number_format.h"
#include "core/property_rows.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::int32_t ModelDecimal(std::string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) i = 1;
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = (value * 10 + (text[i] - '0')) % 0x100000000u;
  if (negative) value = (0x100000000u - value) % 0x100000000u;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

void CheckTitle(const std::string& title, const std::string& name) {
  char out[kelp::kTextFieldSize];
  kelp::ComposeRenamedFormTitle(title.c_str(), name.c_str(), out);
  const std::string_view composed(out);
  Check(composed.size() < kelp::kTextFieldSize);
  Check(composed.size() >= 7 && composed.substr(composed.size() - 7) == " (Form)");
  const std::size_t dash = title.find('-');
  const std::size_t kept = dash == std::string::npos ? 0 : std::min(dash + 2, title.size());
  const std::string_view prefix = std::string_view(title).substr(0, kept);
  Check(composed.substr(0, std::min(prefix.size(), composed.size() - 7)) ==
        prefix.substr(0, std::min(prefix.size(), composed.size() - 7)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Text fields hold no zero byte: cut at the first, as GetWindowTextA would.
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string typed = text.substr(0, text.find('\0'));
  Check(kelp::ParseDecimal(typed.c_str()) == ModelDecimal(typed));

  char hex[kelp::kHexColourTextSize];
  const auto value = static_cast<std::uint32_t>(kelp::ParseDecimal(typed.c_str()));
  kelp::FormatHexColor(value, hex);
  Check(std::strlen(hex) == 9 && hex[8] == 'h' &&
        std::strtoul(std::string(hex, 8).c_str(), nullptr, 16) == value);

  const std::size_t half = typed.size() / 2;
  CheckTitle(typed.substr(0, half), typed.substr(half));
  return 0;
}
