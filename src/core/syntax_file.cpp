#include "core/syntax_file.h"

namespace kelp {
namespace {

constexpr ColourRef kColourTable[kColourEntryCount] = {
    0x000000FF,  // 1 red
    0x00805F50,  // 2 slate blue-grey
    0x008515C7,  // 3 violet red
    0x00F66F00,  // 4 azure blue
    0x00FF0000,  // 5 blue
    0x00880088,  // 6 purple
    0x008F8FBC,  // 7 rosy brown
    0x000000FF,  // 8 red
    0xCC000000,  // 9 black, with a high byte that is not part of the colour
    0x00000000,  // 10 black
    0x00909000,  // 11 teal: comments
};

// "=" and the one character after it.
constexpr std::size_t kSkipAfterEquals = 2;
// The line end and the two-character key before the next "=".
constexpr std::size_t kKeyAndLineEnd = 4;

std::string_view WithoutFinalLineEnd(std::string_view value) {
  if (value.ends_with("\r\n")) return value.substr(0, value.size() - 2);
  if (value.ends_with('\r') || value.ends_with('\n')) return value.substr(0, value.size() - 1);
  return value;
}

}  // namespace

ColourRef SyntaxColour(std::uint32_t entry) {
  return entry >= 1 && entry <= kColourEntryCount ? kColourTable[entry - 1] : 0;
}

void ReadSyntaxText(std::string_view file, KeywordHeap& heap, KeywordTable& table) {
  const std::size_t firstEquals = file.find('=');
  if (firstEquals == std::string_view::npos) return;
  std::size_t start = firstEquals + kSkipAfterEquals;
  for (std::uint32_t entry = 1; entry <= kColourEntryCount && start <= file.size(); ++entry) {
    const std::size_t nextEquals = file.find('=', start);
    if (nextEquals == std::string_view::npos) {
      const std::string_view last = WithoutFinalLineEnd(file.substr(start));
      AddKeywords(heap, last.data(), last.size(), entry, table);
      return;
    }
    const std::size_t count = nextEquals - start;
    AddKeywords(heap, file.data() + start, count > kKeyAndLineEnd ? count - kKeyAndLineEnd : 0, entry, table);
    start = nextEquals + kSkipAfterEquals;
  }
}

}  // namespace kelp
