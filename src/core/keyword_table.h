// The keyword table of the code editor's colouring: 256 buckets, one per
// first byte of a lower-cased keyword, each a singly linked list of nodes,
// newest first, so that a word listed twice takes the colour it was given
// last. Nodes come from a heap the caller supplies (the process heap in the
// library, malloc in the native tests) and stay until FreeKeywordNodes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelp {

// Longest keyword stored; longer words are left out of the table.
inline constexpr std::size_t kMaxKeywordLength = 127;
inline constexpr std::size_t kKeywordBucketCount = 256;

// Where nodes and keyword texts are allocated (zero-filled) and freed.
// Allocate returns nullptr when memory runs out; Free(nullptr) does nothing.
class KeywordHeap {
 public:
  virtual void* Allocate(std::size_t bytes) = 0;
  virtual void Free(void* block) = 0;

 protected:
  ~KeywordHeap() = default;
};

struct KeywordNode {
  std::uint32_t length;       // characters of the keyword
  char* text;                 // lower-cased, zero-terminated, its own block
  std::uint32_t colourEntry;  // entry of the colour table (1..11)
  KeywordNode* next;
};

struct KeywordTable {
  KeywordNode* buckets[kKeywordBucketCount] = {};
  // Bit n of a bucket's mask is set when it holds a keyword of n characters:
  // most words on screen that are no keyword are turned away without
  // walking the bucket's nodes, which lie scattered over the heap.
  std::uint64_t lengthMasks[kKeywordBucketCount][(kMaxKeywordLength + 1) / 64] = {};
};

// Letters A..Z lower-cased; every other byte stays as it is, so that the
// bucket of a keyword and of a word on screen always agree.
inline char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Splits one value of the keyword file into keywords (runs of anything but
// space and TAB; a keyword ends at its first zero byte) and pushes each on
// the front of its bucket with the colour entry. Keywords longer than
// kMaxKeywordLength, empty ones and those whose allocation fails are skipped.
void AddKeywords(KeywordHeap& heap, const char* value, std::size_t length, std::uint32_t colourEntry,
                 KeywordTable& table);

// The colour entry of a word, compared whole and ignoring letter case; 0 when
// no keyword matches.
std::uint32_t FindKeyword(const KeywordTable& table, std::string_view word);

// Frees every node and keyword text and leaves the table empty.
void FreeKeywordNodes(KeywordHeap& heap, KeywordTable& table);

bool IsEmpty(const KeywordTable& table);

}  // namespace kelp
