# What the shipped binaries (Kelp32.dll, mhook.dll, kelp.exe) are built and
# linked with, so that a package carries only what runs. docs/performance.md
# ("Shipped sizes") measures what each part saves.
#
# KELP_RELEASE_COMPILE_OPTIONS, for every object of a shipped binary (the
# library's objects too, which the Windows test programs and benchmarks link
# through kelp32_static):
#   -Os                     smaller code (not in a Debug build);
#   -ffunction-sections     a section a function, so that the linker's
#                           --gc-sections can drop what nothing calls (not
#                           -fdata-sections: MinGW's GCC then puts variables
#                           that start as zero into .data sections, which take
#                           file space, and the 32-bit DLL grew by 3 KB);
#   -fno-exceptions         nothing of ours throws or catches: the library
#                           never lets an exception cross the Win32 boundary;
#   -fno-rtti               nothing asks a type at run time (no typeid, no
#                           dynamic_cast);
#   -fno-asynchronous-unwind-tables (i686 only)
#                           i686 unwind tables serve C++ exceptions only
#                           (32-bit Windows unwinds with its own frame chain),
#                           and without exceptions nothing reads them; each
#                           also holds its function against --gc-sections.
#                           x86_64 keeps them: there they are the .pdata and
#                           .xdata that Windows itself unwinds with.
set(KELP_RELEASE_COMPILE_OPTIONS
  $<$<NOT:$<CONFIG:Debug>>:-Os> -ffunction-sections -fno-exceptions -fno-rtti)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  list(APPEND KELP_RELEASE_COMPILE_OPTIONS -fno-asynchronous-unwind-tables)
endif()

# kelp_release_binary(<target> [ABORT_ON_FAILURE]): links a shipped binary
# with --gc-sections, and after each link splits its debug information off:
# <binary>.debug beside it in the build tree holds the DWARF sections and the
# symbol table, the binary keeps neither and names its .debug file in a
# .gnu_debuglink section (gdb finds it there). The build tree's binary is then
# the one the package ships and the tests run. ABORT_ON_FAILURE links the
# kelp_abort_on_failure objects (src/runtime), so that a failed allocation or
# a standard library check ends the process without the C++ exception
# runtime. Call it after every other POST_BUILD step of the target (the
# i686 import libraries read the symbols of the linked DLL).
function(kelp_release_binary target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ABORT_ON_FAILURE" "" "")
  target_link_options(${target} PRIVATE -Wl,--gc-sections)
  if(arg_ABORT_ON_FAILURE)
    target_link_libraries(${target} PRIVATE kelp_abort_on_failure)
  endif()
  set(binary $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${KELP_OBJCOPY} --only-keep-debug ${binary} ${binary}.debug
    COMMAND ${KELP_OBJCOPY} --strip-all --add-gnu-debuglink=${binary}.debug ${binary}
    COMMENT "Debug information of $<TARGET_FILE_NAME:${target}> to $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()
