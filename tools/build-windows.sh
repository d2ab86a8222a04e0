#!/usr/bin/env bash
# Builds the Windows programs and their wrapper scripts into build/windows/bin/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows
cmake --build --preset windows
