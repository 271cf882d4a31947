// The lines of an assembler's or linker's output that point into a file:
// what a double-click in the output window follows back to the code.
//
//   ml.exe, JWasm, UASM:  Form1.asm(12) : error A2008: syntax error : xyz
//                         C:\p\Form1.asm(12): warning A4014: ...
// A linker's messages name no line of the source; they are shown as they are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelp {

struct ToolMessage {
  std::string file;        // as the tool wrote it
  std::uint32_t line = 0;  // from 1; 0 when the tool named no line
  bool error = true;       // else a warning
  std::string text;        // what follows the place
};

std::optional<ToolMessage> ParseToolLine(std::string_view line);

}  // namespace kelp
