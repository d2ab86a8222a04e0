#!/usr/bin/env bash
# Builds the presets and runs every test: the native libraries against the
# fake backend (with sanitizers), the native programs in real shells in
# tmux, then the Windows programs under Wine.
# Installs what a fresh Debian machine lacks first (needs root for that).
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
command -v cmake >/dev/null || missing+=(cmake)
command -v ninja >/dev/null || missing+=(ninja-build)
command -v g++ >/dev/null || missing+=(g++)
[ -e /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
command -v x86_64-w64-mingw32-g++ >/dev/null || missing+=(g++-mingw-w64-x86-64)
command -v wine >/dev/null || missing+=(wine wine64)
command -v script >/dev/null || missing+=(bsdutils)
command -v tmux >/dev/null || missing+=(tmux)
command -v zsh >/dev/null || missing+=(zsh)
command -v fish >/dev/null || missing+=(fish)
command -v dash >/dev/null || missing+=(dash)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or install these packages first): ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "${missing[@]}"
fi

cmake --preset dev
cmake --build --preset dev
ctest --preset dev

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
