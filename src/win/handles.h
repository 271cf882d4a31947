// Handles in 32-bit record fields, and per-window pointers in extra bytes.
// USER and GDI handles are 32-bit significant on Win64 as well; narrowing
// keeps the low half and widening sign-extends it, as HandleToLong and
// LongToHandle do.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/control_record.h"

namespace kelp::win {

template <typename HandleType>
Handle32 ToHandle32(HandleType handle) {
  return static_cast<Handle32>(reinterpret_cast<std::uintptr_t>(handle));
}

template <typename HandleType>
HandleType FromHandle32(Handle32 value) {
  return reinterpret_cast<HandleType>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

// Slot n of a window's extra bytes, one pointer wide: offsets 0 and 4 on
// Win32, 0 and 8 on Win64, so the 20 extra bytes always hold two of them.
inline int ExtraSlot(int n) { return n * static_cast<int>(sizeof(LONG_PTR)); }

template <typename T>
T* WindowPointer(HWND window, int slot) {
  return reinterpret_cast<T*>(::GetWindowLongPtrA(window, ExtraSlot(slot)));
}

template <typename T>
void SetWindowPointer(HWND window, int slot, T* pointer) {
  ::SetWindowLongPtrA(window, ExtraSlot(slot), reinterpret_cast<LONG_PTR>(pointer));
}

}  // namespace kelp::win
