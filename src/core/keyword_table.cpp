#include "core/keyword_table.h"

#include <algorithm>
#include <iterator>

namespace kelp {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::size_t BucketOf(char first) {
  return static_cast<unsigned char>(LowerAscii(first));
}

void AddKeyword(KeywordHeap& heap, std::string_view word, std::uint32_t colourEntry, KeywordTable& table) {
  // A zero byte ends the keyword, as it ends the text it is compared with.
  word = word.substr(0, word.find('\0'));
  if (word.empty() || word.size() > kMaxKeywordLength) return;
  auto* node = static_cast<KeywordNode*>(heap.Allocate(sizeof(KeywordNode)));
  auto* text = static_cast<char*>(heap.Allocate(word.size() + 1));
  if (node == nullptr || text == nullptr) {
    heap.Free(node);
    heap.Free(text);
    return;
  }
  for (std::size_t i = 0; i < word.size(); ++i) text[i] = LowerAscii(word[i]);
  text[word.size()] = '\0';
  node->length = static_cast<std::uint32_t>(word.size());
  node->text = text;
  node->colourEntry = colourEntry;
  const std::size_t bucket = BucketOf(text[0]);
  KeywordNode*& head = table.buckets[bucket];
  node->next = head;
  head = node;
  table.lengthMasks[bucket][word.size() / 64] |= std::uint64_t{1} << (word.size() % 64);
}

bool MayHoldLength(const KeywordTable& table, std::size_t bucket, std::size_t length) {
  return length <= kMaxKeywordLength && (table.lengthMasks[bucket][length / 64] >> (length % 64) & 1) != 0;
}

bool SameIgnoringCase(const char* keyword, std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (keyword[i] != LowerAscii(word[i])) return false;
  }
  return true;
}

}  // namespace

void AddKeywords(KeywordHeap& heap, const char* value, std::size_t length, std::uint32_t colourEntry,
                 KeywordTable& table) {
  std::size_t i = 0;
  while (i < length) {
    while (i < length && IsBlank(value[i])) ++i;
    const std::size_t start = i;
    while (i < length && !IsBlank(value[i])) ++i;
    if (i > start) AddKeyword(heap, std::string_view(value + start, i - start), colourEntry, table);
  }
}

std::uint32_t FindKeyword(const KeywordTable& table, std::string_view word) {
  if (word.empty()) return 0;
  const std::size_t bucket = BucketOf(word[0]);
  if (!MayHoldLength(table, bucket, word.size())) return 0;
  for (const KeywordNode* node = table.buckets[bucket]; node != nullptr; node = node->next) {
    if (node->length == word.size() && SameIgnoringCase(node->text, word)) return node->colourEntry;
  }
  return 0;
}

void FreeKeywordNodes(KeywordHeap& heap, KeywordTable& table) {
  for (KeywordNode*& head : table.buckets) {
    while (head != nullptr) {
      KeywordNode* next = head->next;
      heap.Free(head->text);
      heap.Free(head);
      head = next;
    }
  }
  for (auto& mask : table.lengthMasks) std::fill(std::begin(mask), std::end(mask), 0);
}

bool IsEmpty(const KeywordTable& table) {
  for (const KeywordNode* head : table.buckets) {
    if (head != nullptr) return false;
  }
  return true;
}

}  // namespace kelp
