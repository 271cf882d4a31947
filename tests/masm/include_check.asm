; include_check.asm: kelp32.inc and mhook.inc by themselves, as a host's
; first includes, with nothing of Win32 before them. Assembled for both
; architectures (JWasm -coff and -win64) with every warning an error; the
; 32-bit run maps names to upper case (no two names of the includes may
; differ in case alone), the 64-bit one packs structures to 8 bytes (the
; record must lie alike). The record is checked as the MASM host checks it.
IFNDEF RAX
  .386
  .model flat, stdcall
ENDIF
include kelp32.inc
include mhook.inc
include record_layout.inc
end
