#include "core/text.h"

#include <cstring>

namespace kelp {

std::size_t CopyText(char* dst, std::size_t capacity, std::string_view src) {
  if (capacity == 0) return 0;
  const std::size_t length = src.size() < capacity - 1 ? src.size() : capacity - 1;
  std::memmove(dst, src.data(), length);
  dst[length] = '\0';
  return length;
}

std::size_t AppendText(char* dst, std::size_t capacity, std::string_view src) {
  if (capacity == 0) return 0;
  std::size_t used = 0;
  while (used < capacity - 1 && dst[used] != '\0') ++used;
  return used + CopyText(dst + used, capacity - used, src);
}

}  // namespace kelp
