# shellcheck shell=bash
# Sourced by the tools that install the Linux programs (install.sh,
# build-deb.sh), after tools/packages.sh and their own `need` lines.
#
#   build_native_programs   installs what is missing for the build, then
#                           configures and builds the native preset
#
# The preset's end-to-end tests need tmux, zsh and fish, which a user of the
# programs may not have: without them the build leaves the tests out.
build_native_programs() {
  need cmake cmake
  need ninja ninja-build
  need g++ g++
  install_missing
  local configure=(cmake --preset native)
  if ! command -v tmux >/dev/null || ! command -v zsh >/dev/null || ! command -v fish >/dev/null; then
    configure+=(-DHOPDIR_POSIX_E2E=OFF)
  fi
  "${configure[@]}" >/dev/null
  cmake --build --preset native
}
