// The shipped binaries end the process where the C++ runtime would throw:
// when memory runs out, and when a standard library check fails (a vector
// or string past its largest size, a position past a string's end).
//
// Why this keeps their behaviour: our code is compiled without exceptions,
// so nothing of ours catches one, and a throw reached std::terminate, which
// printed the exception on stderr and called abort(). The library is called
// across the Win32 boundary (exports, window procedures, hooks), which no
// exception may cross: from a 32-bit DLL one cannot (its unwinder knows its
// own frames only), and from a 64-bit one it would leave the library's state
// half changed, since our frames run no destructors. These definitions print
// the same two lines and call abort() without throwing, so that the
// exception-handling runtime (unwinder, personality routine, the demangler
// of the terminate message, winpthread under them: 230 KB of the
// 32-bit DLL) is not linked at all.
//
// Linked only into the shipped binaries (kelp_release_binary ABORT_ON_FAILURE):
// the test programs, which link the library's objects, keep the standard
// runtime. Replacing the global allocation functions is standard C++; the
// std::__throw_* functions are the GNU library's own helpers, which its
// headers call instead of throwing. Should a header ever call one not
// defined here, the library's definitions are linked too and the link fails
// on the ones defined twice. No std::set_new_handler is ever called in these
// modules, so no new-handler is consulted.
#include <bits/functexcept.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <new>

namespace {

// fputs, not fprintf: MinGW's C++ fprintf is its own formatter, 20 KB.
[[noreturn]] void Terminate(const char* type, const char* what) {
  for (const char* part : {"terminate called after throwing an instance of '", type, "'\n  what():  ", what, "\n"}) {
    std::fputs(part, stderr);
  }
  std::abort();
}

void* Allocate(std::size_t bytes) noexcept { return std::malloc(bytes != 0 ? bytes : 1); }

void* AllocateOrEnd(std::size_t bytes) {
  void* block = Allocate(bytes);
  if (block == nullptr) Terminate("std::bad_alloc", "std::bad_alloc");
  return block;
}

}  // namespace

void* operator new(std::size_t bytes) { return AllocateOrEnd(bytes); }
void* operator new[](std::size_t bytes) { return AllocateOrEnd(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return Allocate(bytes); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace std {

void __throw_bad_exception() { Terminate("std::bad_exception", "std::bad_exception"); }
void __throw_bad_alloc() { Terminate("std::bad_alloc", "std::bad_alloc"); }
void __throw_bad_array_new_length() { Terminate("std::bad_array_new_length", "std::bad_array_new_length"); }
void __throw_bad_cast() { Terminate("std::bad_cast", "std::bad_cast"); }
void __throw_bad_typeid() { Terminate("std::bad_typeid", "std::bad_typeid"); }
void __throw_logic_error(const char* what) { Terminate("std::logic_error", what); }
void __throw_domain_error(const char* what) { Terminate("std::domain_error", what); }
void __throw_invalid_argument(const char* what) { Terminate("std::invalid_argument", what); }
void __throw_length_error(const char* what) { Terminate("std::length_error", what); }
void __throw_out_of_range(const char* what) { Terminate("std::out_of_range", what); }
// The message is a format whose arguments are left out.
void __throw_out_of_range_fmt(const char* format, ...) { Terminate("std::out_of_range", format); }
void __throw_runtime_error(const char* what) { Terminate("std::runtime_error", what); }
void __throw_range_error(const char* what) { Terminate("std::range_error", what); }
void __throw_overflow_error(const char* what) { Terminate("std::overflow_error", what); }
void __throw_underflow_error(const char* what) { Terminate("std::underflow_error", what); }

}  // namespace std
