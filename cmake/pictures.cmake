# Pictures are kept as text (a palette and rows of characters, one a pixel)
# and made into .ico/.bmp files or C++ arrays at build time by picture_tool,
# a small program built with the host's compiler even in a cross build.
find_program(KELP_HOST_CXX NAMES g++ c++ clang++ REQUIRED NO_CMAKE_FIND_ROOT_PATH)
set(KELP_PICTURE_TOOL ${CMAKE_BINARY_DIR}/tools/picture_tool)
set(KELP_PICTURE_TOOL_SOURCE ${CMAKE_SOURCE_DIR}/tools/picture/picture_tool.cpp)
add_custom_command(
  OUTPUT ${KELP_PICTURE_TOOL}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/tools
  COMMAND ${KELP_HOST_CXX} -std=c++17 -O1 -Wall -o ${KELP_PICTURE_TOOL} ${KELP_PICTURE_TOOL_SOURCE}
  DEPENDS ${KELP_PICTURE_TOOL_SOURCE}
  COMMENT "Building picture_tool with the host compiler")
add_custom_target(picture_tool DEPENDS ${KELP_PICTURE_TOOL})
set(KELP_PICTURE_DIR ${CMAKE_BINARY_DIR}/pictures)

# kelp_picture_file(<out-var> <source.txt> <output name>): a made .ico or .bmp.
function(kelp_picture_file out_var source output)
  set(out ${KELP_PICTURE_DIR}/${output})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELP_PICTURE_DIR}
    COMMAND ${KELP_PICTURE_TOOL} ${source} ${out}
    DEPENDS picture_tool ${KELP_PICTURE_TOOL} ${source}
    COMMENT "Picture ${output}")
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()

# kelp_picture_icon_group(<out-var> <first image number> <source.txt> <output>):
# an icon directory (RT_GROUP_ICON) naming the icon images numbered from
# <first image number> on, which the resource script gives another number.
function(kelp_picture_icon_group out_var first source output)
  set(out ${KELP_PICTURE_DIR}/${output})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELP_PICTURE_DIR}
    COMMAND ${KELP_PICTURE_TOOL} --icon-group ${first} ${source} ${out}
    DEPENDS picture_tool ${KELP_PICTURE_TOOL} ${source}
    COMMENT "Icon directory ${output}")
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()

# kelp_picture_array(<out-var> <symbol> <source.txt> <output.inc>): a BMP file
# image as a C++ array, for pictures the library holds in its data.
function(kelp_picture_array out_var symbol source output)
  set(out ${KELP_PICTURE_DIR}/${output})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELP_PICTURE_DIR}
    COMMAND ${KELP_PICTURE_TOOL} --array ${symbol} ${source} ${out}
    DEPENDS picture_tool ${KELP_PICTURE_TOOL} ${source}
    COMMENT "Picture array ${output}")
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()
