#!/usr/bin/env bash
# Creates the Wine prefix that every end-to-end test shares (a few seconds
# the first time), and waits until Wine has settled so that tests may then
# run in parallel.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix to create}"
export WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
fi
wine cmd /c exit >/dev/null 2>&1
wineserver -w
[ -d "$WINEPREFIX/dosdevices" ] || { echo "Wine prefix $WINEPREFIX was not created" >&2; exit 1; }
