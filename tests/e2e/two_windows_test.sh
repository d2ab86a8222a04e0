#!/usr/bin/env bash
# Two cmd windows of one user jump through hf.cmd in loops at the same time,
# each from a directory of its own to a destination of its own: every jump
# lands in its own window's destination, and none fails.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
cp "$HOPDIR_BIN/hf.cmd" "$programs/"
root=$(new_dir drive)
mkdir -p "$root/ra/alpha" "$root/rb/beta"
map_drive w "$root"
# One user's windows share one TEMP.
temp=$(new_dir temp)
jumps=100

case_start "two windows jump $jumps times each at once, every jump to its own destination"
windows=()
for window in a:alpha b:beta; do
  from=${window%%:*} to=${window#*:}
  printf '@echo off\r\nset "TEMP=%s"\r\nfor /l %%%%i in (1,1,%s) do (\r\n  cd /d W:\\r%s\r\n  call "%s" %s\r\n  cd\r\n)\r\n' \
    "$(win_path "$temp")" "$jumps" "$from" "$(win_path "$programs/hf.cmd")" "$to" \
    >"$programs/window-$from.cmd"
  (cd "$programs" && exec wine cmd /c "window-$from.cmd" >"$E2E_TMP/window-$from.out" \
    2>"$E2E_TMP/window-$from.err" </dev/null) &
  windows+=($!)
done
# What each window did shows in what it printed, not in its exit code.
for window in "${windows[@]}"; do wait "$window" || true; done
for window in a:alpha b:beta; do
  from=${window%%:*} to=${window#*:}
  # Wine's cd shows the directory's real case.
  expected=$(for ((k = 0; k < jumps; k++)); do echo "W:\\r$from\\$to"; done)
  assert_eq "$expected" "$(tr -d '\r' <"$E2E_TMP/window-$from.out")" "where window $from landed"
  assert_eq "" "$(cat "$E2E_TMP/window-$from.err")" "what window $from reported"
done
assert_eq "" "$(ls "$temp")" "what the jumps left in TEMP"
assert_missing "$programs/HopdirTemp.Bat" "a batch file beside the programs"

e2e_done
