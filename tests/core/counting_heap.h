// A keyword heap for native tests and fuzzers: calloc and free, a count of
// the blocks still allocated, and a switch that makes it run out of memory.
#pragma once

#include <cstdlib>

#include "core/keyword_table.h"

namespace kelp::test {

class CountingHeap final : public KeywordHeap {
 public:
  void* Allocate(std::size_t bytes) override {
    if (failing) return nullptr;
    ++live;
    return std::calloc(1, bytes);
  }
  void Free(void* block) override {
    if (block == nullptr) return;
    --live;
    std::free(block);
  }
  long live = 0;
  bool failing = false;
};

}  // namespace kelp::test
