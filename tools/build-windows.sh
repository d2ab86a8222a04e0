#!/usr/bin/env bash
# Builds the Windows programs and their wrapper scripts into
# build/windows/bin/, and the download, dist/hopdir-windows-x64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows
cmake --build --preset windows
mkdir -p dist
cp build/windows/dist/hopdir-windows-x64.zip dist/
echo "dist/hopdir-windows-x64.zip"
