// Dense MASM source for the benchmarks: every line carries instructions,
// registers, directives or Win32 names of the shipped syntax.fmt, most with a
// trailing comment, laid out with blanks or TABs, as hand-written modules are. The same lines every
// time, so that runs compare.
#pragma once

#include <cstddef>
#include <string>

namespace kelp::bench {

inline constexpr const char* kDenseMasmLines[] = {
    "    mov     eax, [ebx+4]            ; load the count",
    "\tpush\tecx\t\t; keep it",
    "    invoke  SendMessage, hWnd, WM_SETTEXT, 0, addr szText",
    "    .if eax != 0 && ecx > 10        ; both set",
    "    lea     esi, [edi+ecx*4+8]",
    "\txor\tedx, edx",
    "    call    GetModuleHandle         ; the instance",
    "    cmp     dword ptr [esi], 0",
    "\tjne\t@F\t\t\t; skip",
    "    .endif",
    "    pop     ecx                     ; restore",
    "WndProc proc uses ebx esi edi hWin:DWORD, uMsg:DWORD, wParam:DWORD, lParam:DWORD",
    "    LOCAL   rect:RECT",
    "\tshl\teax, 2\t; times four\tfor the table",
    "    add     eax, offset table       ; index into the table",
    "    ret",
};

// `lines` lines, each ended by CR LF as a file holds them.
inline std::string DenseMasm(std::size_t lines) {
  std::string text;
  constexpr std::size_t kVariety = sizeof(kDenseMasmLines) / sizeof(kDenseMasmLines[0]);
  for (std::size_t i = 0; i < lines; ++i) {
    text += kDenseMasmLines[i % kVariety];
    text += "\r\n";
  }
  return text;
}

// At least `bytes` of the same source as an editor control gives its visible
// text: a lone CR at each line end.
inline std::string DenseVisibleText(std::size_t bytes) {
  std::string text;
  constexpr std::size_t kVariety = sizeof(kDenseMasmLines) / sizeof(kDenseMasmLines[0]);
  for (std::size_t i = 0; text.size() < bytes; ++i) {
    text += kDenseMasmLines[i % kVariety];
    text += '\r';
  }
  return text;
}

}  // namespace kelp::bench
