# Sourced by the scripts that run Windows programs for CTest. CTest's
# environment says which Wine runs them (KELP_WINE: `wine`, or
# scripts/wine32 for 32-bit programs) and for which architecture
# (KELP_ARCH). scripts/test gives the 32-bit programs an X display of their
# own (KELP_DISPLAY32), so that they can run beside the 64-bit ones.
KELP_WINE=${KELP_WINE:-wine}
if [ "${KELP_ARCH:-}" = i686 ] && [ -n "${KELP_DISPLAY32:-}" ]; then
  export DISPLAY=$KELP_DISPLAY32
fi
