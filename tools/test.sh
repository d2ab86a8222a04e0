#!/usr/bin/env bash
# Builds the presets and runs every test: the native libraries against the
# fake backend (with sanitizers), the native programs in real shells in
# tmux, then the Windows programs under Wine.
# Installs what a fresh Debian machine lacks first (needs root for that).
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/packages.sh
need cmake cmake
need ninja ninja-build
need g++ g++
need_file /usr/include/gtest/gtest.h libgtest-dev
need x86_64-w64-mingw32-g++ g++-mingw-w64-x86-64
need wine wine wine64
need script bsdutils
need tmux tmux
need zsh zsh
need fish fish
need dash dash
need lintian lintian
need mandoc mandoc
need man man-db
need dpkg-deb dpkg
install_missing

cmake --preset dev
cmake --build --preset dev
ctest --preset dev

cmake --preset native
cmake --build --preset native
ctest --preset native

cmake --preset windows
cmake --build --preset windows
ctest --preset windows
