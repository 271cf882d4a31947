#include "designer/grab_handles.h"

#include <array>

namespace kelp {
namespace {

std::array<HWND, 8> gHandleSet{};

void CloseHandleSet() {
  for (HWND& handle : gHandleSet) {
    if (handle != nullptr) ::SendMessageA(handle, WM_CLOSE, 0, 0);
    handle = nullptr;
  }
}

}  // namespace

void ShowGrabHandles(HWND /*target*/, int mode) {
  if (mode == kGrabHandlesRemove) CloseHandleSet();
}

}  // namespace kelp
