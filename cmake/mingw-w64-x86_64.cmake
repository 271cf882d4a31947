# Cross build for 64-bit Windows with MinGW-w64 (posix threads); run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KELP_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# What runs the Windows programs here (tests name tests/run_under_wine.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
