# The import libraries of our DLLs, in both styles a host links with:
#   lib<name>.dll.a  MinGW (GNU dlltool), what the build links kelp.exe with;
#   <name>.lib       MSVC (llvm-dlltool short import objects), for link.exe,
#                    lld-link and the MinGW linker alike.
# On i686 the exports are __stdcall with undecorated names: both libraries
# offer the decorated symbols a caller's compiler asks for (_Init_DLL@8) and
# import the plain names.
find_program(KELP_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)

# kelp_import_libraries(<dll target> <exports.def>): makes both beside the
# target's linker file ($<TARGET_LINKER_FILE_DIR>) after each link.
function(kelp_import_libraries target def)
  get_target_property(name ${target} OUTPUT_NAME)
  set(msvc_library $<TARGET_LINKER_FILE_DIR:${target}>/${name}.lib)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_SOURCE_DIR}/cmake/stdcall_import_library.sh ${KELP_NM} ${KELP_DLLTOOL}
              $<TARGET_FILE:${target}> ${def} $<TARGET_LINKER_FILE:${target}> ${KELP_LLVM_DLLTOOL} ${msvc_library}
      COMMENT "Import libraries of ${name}.dll with __stdcall decorations")
  else()
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${KELP_LLVM_DLLTOOL} -m i386:x86-64 -d ${def} -l ${msvc_library}
      COMMENT "MSVC-style import library of ${name}.dll")
  endif()
endfunction()
