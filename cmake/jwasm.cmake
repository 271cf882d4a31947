# JWasm, built from its source in ../shared/tools (KELP_SHARED_TOOLS_DIR)
# once into this build tree; the command runs again only if the tools
# change. kelp_jwasm(<variable>) sets <variable> to the assembler's path
# and adds the command that builds it, for the calling folder's targets and
# tests to depend on.
function(kelp_jwasm variable)
  set(tools ${KELP_SHARED_TOOLS_DIR}/jwasm)
  set(prefix ${CMAKE_BINARY_DIR}/tools/jwasm)
  set(jwasm ${prefix}/bin/jwasm)
  add_custom_command(OUTPUT ${jwasm}
    COMMAND sh ${tools}/build-jwasm.sh ${tools}/jwasm-src.tar.xz ${prefix}
    DEPENDS ${tools}/build-jwasm.sh ${tools}/jwasm-src.tar.xz
    COMMENT "Building JWasm from ${tools} (once, about 25 s)"
    VERBATIM)
  set(${variable} ${jwasm} PARENT_SCOPE)
endfunction()
