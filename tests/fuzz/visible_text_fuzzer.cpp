// Any bytes as a keyword file and a visible text (the first byte says where
// the file ends): the runs to draw lie inside the text, in order and apart;
// words hold no separator, comment pieces no line end or TAB, and every
// colour entry is one the table has.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/counting_heap.h"  // tests/core
#include "core/keyword_table.h"
#include "core/syntax_file.h"
#include "core/visible_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = data[0] < input.size() ? data[0] : input.size();
  const std::string_view file = input.substr(0, split);
  const std::string_view text = input.substr(split);

  kelp::test::CountingHeap heap;
  kelp::KeywordTable table;
  kelp::ReadSyntaxText(file, heap, table);

  std::size_t end = 0;
  kelp::SplitVisibleText(text, [&](const kelp::TextRun& run) {
    Check(run.length > 0 && run.offset >= end && run.offset + run.length <= text.size());
    const std::string_view piece = text.substr(run.offset, run.length);
    for (char c : piece) {
      if (run.kind == kelp::RunKind::kWord)
        Check(!kelp::IsWordSeparator(c) && c != ';');
      else
        Check(c != '\r' && c != '\n' && c != '\t' && c != '\0');
    }
    end = run.offset + run.length;
  });

  end = 0;
  kelp::ColourVisibleText(text, table, [&](std::size_t offset, std::size_t length, std::uint32_t entry) {
    Check(length > 0 && offset >= end && offset + length <= text.size());
    Check(entry >= 1 && entry <= kelp::kColourEntryCount);
    end = offset + length;
  });

  if (text.size() >= 4) {
    std::uint32_t packed = 0;
    for (int i = 0; i < 4; ++i)
      packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << (8 * i);
    const kelp::CharPosition position = kelp::UnpackCharPosition(packed);
    Check(position.x >= -32768 && position.x <= 32767 && position.y >= -32768 && position.y <= 32767);
  }
  kelp::FreeKeywordNodes(heap, table);
  return 0;
}
