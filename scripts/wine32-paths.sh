# Sourced: where scripts/setup-wine32 puts the 32-bit Wine runtime, and the
# name of its binfmt_misc registration. Outside the build tree, so that a
# clean clone finds it ready; outside the system's packages, so that the
# `wine` wrapper keeps running 64-bit Wine.
KELP_WINE32_HOME=${KELP_WINE32_HOME:-/opt/kelp32-wine32}
KELP_WINE32_ROOT=$KELP_WINE32_HOME/i386-root
KELP_WINE32_QEMU=$KELP_WINE32_HOME/qemu/qemu-i386
KELP_WINE32_BINFMT=kelp32-i386
