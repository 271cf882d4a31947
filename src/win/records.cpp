#include "win/records.h"

#include <windows.h>

namespace kelp::win {
namespace {
int gSuccessesBeforeFailure = -1;  // -1: no failure planned
std::size_t gLiveBytes = 0;
}

void* AllocateRecord(std::size_t size) {
  if (gSuccessesBeforeFailure >= 0 && gSuccessesBeforeFailure-- == 0) return nullptr;
  void* record = reinterpret_cast<void*>(::GlobalAlloc(GMEM_ZEROINIT, size));
  if (record != nullptr) gLiveBytes += ::GlobalSize(reinterpret_cast<HGLOBAL>(record));
  return record;
}

void FreeRecord(void* record) {
  if (record == nullptr) return;
  gLiveBytes -= ::GlobalSize(reinterpret_cast<HGLOBAL>(record));
  ::GlobalFree(reinterpret_cast<HGLOBAL>(record));
}

std::size_t LiveRecordBytes() { return gLiveBytes; }

void FailOneAllocation(int successes) { gSuccessesBeforeFailure = successes; }

}  // namespace kelp::win
