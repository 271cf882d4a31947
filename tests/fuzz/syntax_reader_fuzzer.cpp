// Any bytes as syntax.fmt: reading never touches memory outside the file,
// every stored keyword is a sane entry of its bucket, and freeing returns
// every block.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/counting_heap.h"  // tests/core
#include "core/keyword_table.h"
#include "core/syntax_file.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckNode(const kelp::KeywordNode& node, std::size_t bucket) {
  const std::string_view text(node.text);
  Check(text.size() == node.length && node.length >= 1 && node.length <= kelp::kMaxKeywordLength);
  Check(static_cast<unsigned char>(text[0]) == bucket);
  Check(node.colourEntry >= 1 && node.colourEntry <= kelp::kColourEntryCount);
  for (char c : text) Check(c != ' ' && c != '\t' && !(c >= 'A' && c <= 'Z'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kelp::test::CountingHeap heap;
  kelp::KeywordTable table;
  kelp::ReadSyntaxText(std::string_view(reinterpret_cast<const char*>(data), size), heap, table);
  for (std::size_t bucket = 0; bucket < kelp::kKeywordBucketCount; ++bucket) {
    for (const kelp::KeywordNode* node = table.buckets[bucket]; node != nullptr; node = node->next) {
      CheckNode(*node, bucket);
      Check(kelp::FindKeyword(table, node->text) != 0);
    }
  }
  kelp::FreeKeywordNodes(heap, table);
  Check(heap.live == 0 && kelp::IsEmpty(table));
  return 0;
}
