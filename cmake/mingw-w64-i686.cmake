# Cross build for 32-bit Windows with MinGW-w64 (posix threads). This kernel
# runs 64-bit code only: the programs run under i386 Wine inside qemu's
# user-mode emulation (scripts/wine32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KELP_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine32)
