# Windows test programs run under Wine, for both architectures: 64-bit ones
# under `wine`, 32-bit ones under scripts/wine32 (i386 Wine in qemu's
# user-mode emulation). Each architecture has its own prefix and its own X
# display (scripts/test starts both), so a 64-bit and a 32-bit test that
# both use the mouse can run side by side; on one display they run one at a
# time.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(KELP_WINE_PREFIX ${CMAKE_SOURCE_DIR}/build/wine32)
  set(KELP_WINE_COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine32)
  set(KELP_WINE_DISPLAY_LOCK display32)
  # Emulated: CPU-bound code runs about three times slower.
  set(KELP_WINE_TIMEOUT_FACTOR 3)
  set(KELP_TEST_SUFFIX _i686)
  # The long loops of the resilience, stress and random-user tests run a
  # quarter as many times (tests/win/harness.h, LoopCount).
  set(KELP_WINE_SHORT_RUN KELP_SHORT_RUN=1)
else()
  set(KELP_WINE_PREFIX ${CMAKE_SOURCE_DIR}/build/wine)
  set(KELP_WINE_COMMAND wine)
  set(KELP_WINE_DISPLAY_LOCK display)
  set(KELP_WINE_TIMEOUT_FACTOR 1)
  set(KELP_TEST_SUFFIX "")
  set(KELP_WINE_SHORT_RUN "")
endif()
# KELP_ARCH tells tests/wine_test_env.sh which display is this architecture's.
set(KELP_WINE_ENVIRONMENT WINEPREFIX=${KELP_WINE_PREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
    KELP_WINE=${KELP_WINE_COMMAND} KELP_ARCH=${CMAKE_SYSTEM_PROCESSOR} ${KELP_WINE_SHORT_RUN})
set(KELP_WINE_RUNNER ${CMAKE_SOURCE_DIR}/tests/run_under_wine.sh)

# kelp_wine_test_run(<name> [KEEP_NAME] TIMEOUT <seconds> LABELS <labels>
#                    COMMAND <command>... [PROPERTIES <more test properties>...]):
# a test that runs Windows programs on this architecture's display. The name
# gets the architecture's suffix (win_editor_tests_i686) unless it names the
# architecture itself (KEEP_NAME); the timeout is the 64-bit one, stretched
# for emulation.
function(kelp_wine_test_run name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "KEEP_NAME" "TIMEOUT;LABELS" "COMMAND;PROPERTIES")
  if(NOT KELP_RUN_UNDER_WINE)
    return()
  endif()
  if(NOT arg_KEEP_NAME)
    string(APPEND name "${KELP_TEST_SUFFIX}")
  endif()
  math(EXPR timeout "${arg_TIMEOUT} * ${KELP_WINE_TIMEOUT_FACTOR}")
  add_test(NAME ${name} COMMAND ${arg_COMMAND})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KELP_WINE_ENVIRONMENT}"
    RESOURCE_LOCK ${KELP_WINE_DISPLAY_LOCK} TIMEOUT ${timeout} LABELS "${arg_LABELS}" ${arg_PROPERTIES})
endfunction()
