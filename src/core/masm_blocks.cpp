#include "core/masm_blocks.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kelp {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\f' || c == '\v' || c == '\0';
}

bool EndsWord(char c) {
  constexpr std::string_view kStops = ",;:=()[]<>+-*/!&|\"'";
  return IsBlank(c) || kStops.find(c) != std::string_view::npos;
}

std::string_view SkipBlanks(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  return text.substr(at);
}

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The word at the start of text (after blanks), and the text after it.
std::string_view TakeWord(std::string_view& text) {
  text = SkipBlanks(text);
  std::size_t end = 0;
  while (end < text.size() && !EndsWord(text[end])) ++end;
  const std::string_view word = text.substr(0, end);
  text.remove_prefix(end);
  return word;
}

bool IsAnyOf(std::string_view word, std::initializer_list<std::string_view> words) {
  return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return SameWord(word, w); });
}

// The directives that open a block ENDM closes.
bool OpensMacroBlock(const LineWords& words) {
  return SameWord(words.second, "macro") ||
         IsAnyOf(words.first, {"for", "forc", "irp", "irpc", "rept", "repeat", "while"});
}

enum class Block { kIf, kWhile, kRepeat, kProc, kMacro };

struct OpenBlock {
  Block kind;
  std::uint32_t line;
  std::string_view name;  // a procedure's
};

const char* Opener(Block kind) {
  switch (kind) {
    case Block::kIf:
      return ".if";
    case Block::kWhile:
      return ".while";
    case Block::kRepeat:
      return ".repeat";
    case Block::kProc:
      return "proc";
    case Block::kMacro:
      return "macro";
  }
  return "";
}

const char* Closer(Block kind) {
  switch (kind) {
    case Block::kIf:
      return ".endif";
    case Block::kWhile:
      return ".endw";
    case Block::kRepeat:
      return ".until";
    case Block::kProc:
      return "endp";
    case Block::kMacro:
      return "endm";
  }
  return "";
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

class Checker {
 public:
  explicit Checker(const BlockRules& rules) : rules_(rules) {}

  void Line(std::uint32_t number, std::string_view line) {
    if (InComment(line)) return;
    const LineWords words = WordsOf(line);
    if (words.first.empty()) return;
    if (macroDepth_ > 0) {
      if (OpensMacroBlock(words)) ++macroDepth_;
      if (SameWord(words.first, "endm")) --macroDepth_;
      return;
    }
    if (SameWord(words.first, "comment")) return StartComment(words, line);
    if (OpensMacroBlock(words)) {
      macroLine_ = number;
      macroDepth_ = 1;
    } else if (SameWord(words.first, "endm")) {
      Problem(number, "\"endm\" closes no macro");
    } else if (SameWord(words.first, ".if")) {
      stack_.push_back({Block::kIf, number, {}});
    } else if (IsAnyOf(words.first, {".elseif", ".else"})) {
      if (!TopIs(Block::kIf)) Problem(number, Quoted(words.first) + " has no \".if\" above it");
    } else if (SameWord(words.first, ".endif")) {
      Close(number, Block::kIf, ".endif");
    } else if (SameWord(words.first, ".while")) {
      stack_.push_back({Block::kWhile, number, {}});
    } else if (SameWord(words.first, ".endw")) {
      Close(number, Block::kWhile, ".endw");
    } else if (SameWord(words.first, ".repeat")) {
      stack_.push_back({Block::kRepeat, number, {}});
    } else if (IsAnyOf(words.first, {".until", ".untilcxz"})) {
      Close(number, Block::kRepeat, std::string(words.first));
    } else if (SameWord(words.second, "proc")) {
      OpenProc(number, words.first);
    } else if (SameWord(words.second, "endp")) {
      CloseProc(number, words.first);
    }
  }

  CodeBlocks Finish() {
    if (macroDepth_ > 0) Problem(macroLine_, "this macro or repeat block is never closed by \"endm\"");
    for (std::size_t i = stack_.size(); i-- > 0;) {
      const OpenBlock& open = stack_[i];
      if (open.kind == Block::kProc && open.name == rules_.closedByProgram) continue;
      Unclosed(open);
    }
    std::sort(result_.problems.begin(), result_.problems.end(),
              [](const BlockProblem& a, const BlockProblem& b) { return a.line < b.line; });
    return std::move(result_);
  }

 private:
  bool TopIs(Block kind) const { return !stack_.empty() && stack_.back().kind == kind; }

  void Problem(std::uint32_t line, std::string message) {
    result_.problems.push_back({line, std::move(message)});
  }

  void Unclosed(const OpenBlock& open) {
    if (open.kind == Block::kProc) {
      Problem(open.line, Quoted(std::string(open.name) + " proc") + " is never closed by " +
                             Quoted(std::string(open.name) + " endp"));
    } else {
      Problem(open.line, Quoted(Opener(open.kind)) + " is never closed by " + Quoted(Closer(open.kind)));
    }
  }

  void Close(std::uint32_t line, Block kind, const std::string& closer) {
    if (TopIs(kind)) {
      stack_.pop_back();
    } else if (!stack_.empty() && stack_.back().kind != Block::kProc) {
      Problem(line, Quoted(closer) + " cannot close the " + Quoted(Opener(stack_.back().kind)) + " of line " +
                        std::to_string(stack_.back().line));
    } else {
      Problem(line, Quoted(closer) + " has no " + Quoted(Opener(kind)) + " above it");
    }
  }

  // A procedure that may not start where it does is reported once, and
  // still opened, so that its endp closes it without another message.
  void OpenProc(std::uint32_t line, std::string_view name) {
    const auto outer = std::find_if(stack_.begin(), stack_.end(),
                                    [](const OpenBlock& open) { return open.kind == Block::kProc; });
    if (!rules_.procsAllowed) {
      Problem(line,
              "a procedure cannot start here: this code runs inside the form's procedure "
              "(put procedures in a module or in the form's code)");
    } else if (outer != stack_.end()) {
      Problem(line, Quoted(std::string(name) + " proc") + " starts inside " + Quoted(outer->name) +
                        ", which needs " + Quoted(std::string(outer->name) + " endp") + " above this line");
    }
    stack_.push_back({Block::kProc, line, name});
    result_.procs.push_back({std::string(name), line, std::nullopt});
  }

  void CloseProc(std::uint32_t line, std::string_view name) {
    const auto proc = std::find_if(stack_.rbegin(), stack_.rend(),
                                   [](const OpenBlock& open) { return open.kind == Block::kProc; });
    if (proc == stack_.rend()) {
      Problem(line, Quoted(std::string(name) + " endp") + " closes no procedure");
      return;
    }
    if (proc->name != name) {
      Problem(line, Quoted(std::string(name) + " endp") + " does not close " +
                        Quoted(std::string(proc->name) + " proc") + " of line " + std::to_string(proc->line));
    }
    while (!TopIs(Block::kProc)) {
      Unclosed(stack_.back());
      stack_.pop_back();
    }
    for (ProcBlock& block : result_.procs) {
      if (block.openLine == stack_.back().line) block.closeLine = line;
    }
    stack_.pop_back();
  }

  // COMMENT delimiter ... delimiter: the lines between are not code.
  void StartComment(const LineWords& words, std::string_view line) {
    std::string_view rest = SkipBlanks(line);
    rest.remove_prefix(words.first.size());
    rest = SkipBlanks(rest);
    if (rest.empty()) return;
    commentEnd_ = rest.front();
    if (rest.find(*commentEnd_, 1) != std::string_view::npos) commentEnd_.reset();
  }

  bool InComment(std::string_view line) {
    if (!commentEnd_) return false;
    if (line.find(*commentEnd_) != std::string_view::npos) commentEnd_.reset();
    return true;
  }

  const BlockRules& rules_;
  CodeBlocks result_;
  std::vector<OpenBlock> stack_;
  int macroDepth_ = 0;
  std::uint32_t macroLine_ = 0;
  std::optional<char> commentEnd_;
};

}  // namespace

std::vector<std::string_view> SplitCodeLines(std::string_view code) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t at = 0; at < code.size(); ++at) {
    if (code[at] != '\r' && code[at] != '\n') continue;
    lines.push_back(code.substr(start, at - start));
    if (code[at] == '\r' && at + 1 < code.size() && code[at + 1] == '\n') ++at;
    start = at + 1;
  }
  if (start < code.size()) lines.push_back(code.substr(start));
  return lines;
}

std::string_view CodePart(std::string_view line) {
  char quote = 0;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      return TrimEnd(line.substr(0, at));
    }
  }
  return TrimEnd(line);
}

LineWords WordsOf(std::string_view line) {
  std::string_view rest = CodePart(line);
  LineWords words;
  words.first = TakeWord(rest);
  words.second = TakeWord(rest);
  words.afterSecond = SkipBlanks(rest);
  return words;
}

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

CodeBlocks CheckBlocks(const std::vector<std::string_view>& lines, const BlockRules& rules) {
  Checker checker(rules);
  for (std::size_t i = 0; i < lines.size(); ++i) checker.Line(static_cast<std::uint32_t>(i + 1), lines[i]);
  return checker.Finish();
}

}  // namespace kelp
