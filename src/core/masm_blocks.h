// Reading a code window's MASM as far as the program generator needs: its
// lines, and whether its blocks (.if/.endif, .while/.endw,
// .repeat/.until, proc/endp, macro/endm) open and close in order, so that
// a user's code that cannot be placed in the program is reported with its
// line before any assembler runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelp {

// The lines of a code window as its editor shows them: CR LF, a lone LF
// and a lone CR each end one. A last line with nothing on it is left out.
std::vector<std::string_view> SplitCodeLines(std::string_view code);

// A line's text before its comment (";" outside quotes).
std::string_view CodePart(std::string_view line);

// The line's first two words: ".if", "Form1Proc proc", "invoke".
struct LineWords {
  std::string_view first;
  std::string_view second;
  std::string_view afterSecond;  // the code after the second word, comment left out
};
LineWords WordsOf(std::string_view line);

bool SameWord(std::string_view a, std::string_view b);  // ignoring case

struct BlockProblem {
  std::uint32_t line = 0;  // from 1
  std::string message;
};

// A procedure of the text: its name and where it opens and closes.
struct ProcBlock {
  std::string name;
  std::uint32_t openLine = 0;
  std::optional<std::uint32_t> closeLine;  // none: never closed
};

struct CodeBlocks {
  std::vector<BlockProblem> problems;
  std::vector<ProcBlock> procs;
};

struct BlockRules {
  // Whether the text may hold procedures at all (a control's code runs
  // inside one of the program's).
  bool procsAllowed = true;
  // The procedure the program closes itself when the text leaves it open:
  // a form's window procedure, which its skeleton leaves without endp.
  std::string_view closedByProgram;
};

CodeBlocks CheckBlocks(const std::vector<std::string_view>& lines, const BlockRules& rules);

}  // namespace kelp
