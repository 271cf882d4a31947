// Bounded text helpers for the library's fixed 260-byte text fields: every
// write is cut to fit and always terminated, never written past the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelp {

// Copies src into dst[capacity], cut to capacity - 1 bytes; returns the length.
std::size_t CopyText(char* dst, std::size_t capacity, std::string_view src);

// Appends src to the text already in dst[capacity], cut to fit; returns the new length.
std::size_t AppendText(char* dst, std::size_t capacity, std::string_view src);

template <std::size_t N>
std::size_t CopyText(char (&dst)[N], std::string_view src) {
  return CopyText(dst, N, src);
}

template <std::size_t N>
std::size_t AppendText(char (&dst)[N], std::string_view src) {
  return AppendText(dst, N, src);
}

// The text held in a fixed field, up to its terminator or the field's end.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
  std::size_t length = 0;
  while (length < N && field[length] != '\0') ++length;
  return {field, length};
}

}  // namespace kelp
