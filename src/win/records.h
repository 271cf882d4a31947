// Zero-filled records on the global heap, as the library's windows own them.
#pragma once

#include <cstddef>

namespace kelp::win {

// GlobalAlloc(GMEM_ZEROINIT) of at least `size` bytes; nullptr on failure.
void* AllocateRecord(std::size_t size);
void FreeRecord(void* record);

template <typename T>
T* AllocateRecord(std::size_t atLeast = sizeof(T)) {
  return static_cast<T*>(AllocateRecord(atLeast < sizeof(T) ? sizeof(T) : atLeast));
}

// Bytes of records allocated here and not yet freed (benchmarks, leak checks).
std::size_t LiveRecordBytes();

// Test seam: after `successes` more allocations succeed, the next one fails,
// as it would when memory runs out, so that failure paths can be exercised.
void FailOneAllocation(int successes);

}  // namespace kelp::win
