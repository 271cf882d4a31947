// The words a MASM program cannot give its own names to, and what a name
// may be made of: the program generator checks every name a user gave a
// form or control against them before any assembler sees the program.
#pragma once

#include <cstddef>
#include <string_view>

namespace kelp {

// MASM's limit on the length of a name.
inline constexpr std::size_t kMaxMasmNameBytes = 247;

// An instruction, register, operator, type or directive, in any case:
// "length", "Record", "OFFSET", "eax".
bool IsMasmReservedWord(std::string_view word);

// Letters, digits, "_", "@", "$" and "?", not starting with a digit, at
// most 247 bytes: a name the assembler takes as a symbol.
bool IsMasmName(std::string_view word);

}  // namespace kelp
