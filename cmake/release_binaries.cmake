# How the shipped binaries (Kelp32.dll, mhook.dll, kelp.exe) are made, so
# that a package carries only what runs.

# kelp_release_binary(<target>): after each link, splits the debug
# information of a shipped binary off: <binary>.debug beside it in the build
# tree holds the DWARF sections and the symbol table, the binary keeps
# neither and names its .debug file in a .gnu_debuglink section (gdb finds
# it there). The build tree's binary is then the one the package ships and
# the tests run. Call it after every other POST_BUILD step of the target (the
# i686 import libraries read the symbols of the linked DLL).
function(kelp_release_binary target)
  set(binary $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${KELP_OBJCOPY} --only-keep-debug ${binary} ${binary}.debug
    COMMAND ${KELP_OBJCOPY} --strip-all --add-gnu-debuglink=${binary}.debug ${binary}
    COMMENT "Debug information of $<TARGET_FILE_NAME:${target}> to $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()
