#!/usr/bin/env bash
# hopmenu.exe with its standard handles redirected: the page takes the
# console itself while messages stay with standard output; without any
# console the menu ends with one line on standard error, and argument jumps
# go on. Wine gives a process no console at all when it starts without a
# terminal (run_wine), as Windows does for a detached process.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
batch="$programs/HopdirTemp.Bat"
history="$programs/HOPMENU.DAT"
out="$E2E_TMP/out"
redirected="$E2E_TMP/redirected"
modes="$E2E_TMP/modes"
work=$(new_dir work)
mkdir -p "$work/SUB"
# The destinations of the history, which must exist to be jumped to.
drive=$(new_dir drive)
mkdir "$drive/TOOLS" "$drive/WORK"
map_drive r "$drive"

case_start "redirected output and input: the page is on the console, the message in the file"
# A folder in place of the history: the save fails, and its message must
# reach the redirected output while the page is on the console.
mkdir "$history"
printf '@"%s" >"%s" <NUL\r\n' "$(win_path "$programs/hopmenu.exe")" "$(win_path "$redirected")" \
  >"$programs/driver.cmd"
# Entry 3 of the paths list (".", "..", SUB) is on row 7; DONE is at 30,23.
INJECT_OPTIONS=(--mode "$(win_path "$modes")" --press 5,7 --press 30,23)
run_console "$out" "$work" cmd /c "$(win_path "$programs/driver.cmd")"
assert_status 0 "SUB then DONE with redirected handles"
sub=$(win_path "$work/SUB")
assert_batch_file "$batch" "${sub:0:2}" "${sub:2}" "batch file after SUB then DONE"
assert_file_bytes "$redirected" "Unable to save history to $(literal "$(win_path "$history")")\r\n" \
  "the redirected output"
assert_contains "$(console_text "$out")" "Current destination: $sub\\" "the page on the console"
before=$(sed -n 's/^before //p' "$modes")
[ -n "$before" ] || fail "no console input mode was recorded"
assert_eq "$before" "$(sed -n 's/^after //p' "$modes")" "console input mode after the run"
rmdir "$history"

case_start "no console at all: one line on standard error, nothing written; -A still jumps"
printf 'left' >"$batch"
printf 'R:\\TOOLS\r\nR:\\WORK\r\n' >"$history"
run_wine "$out" "$work" "$programs/hopmenu.exe"
assert_status 1 "the menu without a console"
assert_file_bytes "$out.stderr" \
  'hopmenu: no console to show the menu in; give -A, -P or part of a recent directory\r\n' \
  "standard error"
assert_file_empty "$out" "standard output"
assert_file_bytes "$batch" 'left' "the batch file"
assert_file_bytes "$history" 'R:\\TOOLS\r\nR:\\WORK\r\n' "the history"
run_wine "$out" "$work" "$programs/hopmenu.exe" -A
assert_status 0 "hopmenu -A without a console"
assert_batch_file "$batch" "R:" "\\TOOLS" "batch file of -A"

e2e_done
