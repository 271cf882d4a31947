#include "win/records.h"

#include <windows.h>

namespace kelp::win {
namespace {
int gSuccessesBeforeFailure = -1;  // -1: no failure planned
}

void* AllocateRecord(std::size_t size) {
  if (gSuccessesBeforeFailure >= 0 && gSuccessesBeforeFailure-- == 0) return nullptr;
  return reinterpret_cast<void*>(::GlobalAlloc(GMEM_ZEROINIT, size));
}

void FreeRecord(void* record) {
  if (record != nullptr) ::GlobalFree(reinterpret_cast<HGLOBAL>(record));
}

void FailOneAllocation(int successes) { gSuccessesBeforeFailure = successes; }

}  // namespace kelp::win
