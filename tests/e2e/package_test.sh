#!/usr/bin/env bash
# The Windows download as a user meets it: unzipped into a folder of their
# own in a fresh Wine prefix, put on PATH, and used from cmd with hf.
source "$(dirname "$0")/lib.sh"
: "${HOPDIR_ZIP:?HOPDIR_ZIP must name dist/hopdir-windows-x64.zip}"

case_start "the zip holds the programs, the wrappers and README.txt"
listing=$(cmake -E tar tf "$HOPDIR_ZIP" | sort | tr '\n' ' ')
assert_eq "README.txt hf.cmd hm.cmd hopclean.exe hopfind.exe hopmenu.exe " "$listing" "zip contents"

case_start "unzipped into a fresh prefix, hf.cmd from PATH lands cmd in the subdirectory"
export WINEPREFIX="$E2E_TMP/prefix"
# The prefix's own server writes into the prefix (the registry, as it
# ends) until it has ended: the scratch folder goes after that.
prefix=$(printf '%q' "$WINEPREFIX")
at_exit "WINEPREFIX=$prefix wineserver -k; WINEPREFIX=$prefix wineserver -w"
wineboot -i >/dev/null 2>&1
local_app_data=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
programs=$(winepath -u "$local_app_data\\Programs\\Hopdir" 2>/dev/null)
mkdir -p "$programs"
(cd "$programs" && cmake -E tar xf "$HOPDIR_ZIP")
version=$(wine "$programs/hopmenu.exe" --version 2>/dev/null | tr -d '\r')
assert_eq "Hopdir ${version##* } for Windows" "$(head -n 1 "$programs/README.txt" | tr -d '\r')" \
  "README.txt's first line, beside hopmenu --version: $version"
work=$(new_dir Work)
mkdir "$work/MyProjects" "$work/Archive"
out="$E2E_TMP/out"
# The prefix's own programs folder, as a user would put it on PATH.
(cd "$work" && wine cmd /c "set PATH=%LOCALAPPDATA%\\Programs\\Hopdir;%PATH% & hf proj & cd" \
  >"$out" 2>"$out.stderr") || fail "cmd ended with $?"
landed=$(tr -d '\r' <"$out" | tail -n 1)
expected=$(win_path "$work/MyProjects")
# Wine's cd shows the directory's real case, the batch file its upper case.
[ "${landed,,}" == "${expected,,}" ] || fail "expected to land in $expected, got '$landed'"
assert_missing "$programs/HopdirTemp.Bat" "the batch file after hf"

e2e_done
