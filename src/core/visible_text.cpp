#include "core/visible_text.h"

#include <string_view>

namespace kelp {

CharPosition UnpackCharPosition(std::uint32_t packed) {
  return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>(packed >> 16)};
}

}  // namespace kelp
