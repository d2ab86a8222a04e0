#!/usr/bin/env bash
# hopclean.exe: deletes HopdirTemp.Bat in its own directory, whatever the
# working directory, and says "Delete failed." when it cannot; always exit 0.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
work=$(new_dir work)
out="$E2E_TMP/out"

case_start "deletes the batch file in its own directory and not in the working directory"
printf 'D:\r\ncd "\\"\r\n' >"$programs/HopdirTemp.Bat"
printf 'keep' >"$work/HopdirTemp.Bat"
run_wine "$out" "$work" "$programs/hopclean.exe"
assert_status 0 "first run"
assert_file_empty "$out" "first run's output"
assert_missing "$programs/HopdirTemp.Bat" "batch file in the program directory"
assert_file_bytes "$work/HopdirTemp.Bat" 'keep' "file of that name in the working directory"

case_start "a second run prints Delete failed. and still exits 0"
run_wine "$out" "$work" "$programs/hopclean.exe"
assert_status 0 "second run"
assert_file_bytes "$out" 'Delete failed.\r\n' "second run's output"
assert_file_bytes "$work/HopdirTemp.Bat" 'keep' "file in the working directory after the second run"

case_start "arguments change nothing"
printf 'x' >"$programs/HopdirTemp.Bat"
run_wine "$out" "$work" "$programs/hopclean.exe" -A "" "HopdirTemp.Bat" "$(win_path "$work")"
assert_status 0 "run with arguments"
assert_file_empty "$out" "output of the run with arguments"
assert_missing "$programs/HopdirTemp.Bat" "batch file after the run with arguments"
assert_file_bytes "$work/HopdirTemp.Bat" 'keep' "file named by an argument"
run_wine "$out" "$work" "$programs/hopclean.exe" "$(win_path "$work/HopdirTemp.Bat")"
assert_status 0 "second run with arguments"
assert_file_bytes "$out" 'Delete failed.\r\n' "second run with arguments"

case_start "a directory in place of the batch file cannot be deleted"
mkdir "$programs/HopdirTemp.Bat"
run_wine "$out" "$work" "$programs/hopclean.exe"
assert_status 0 "run against a directory"
assert_file_bytes "$out" 'Delete failed.\r\n' "run against a directory"
assert_exists "$programs/HopdirTemp.Bat" "the directory"
rmdir "$programs/HopdirTemp.Bat"

case_start "in a console the message shows on the screen"
run_console "$out" "$work" "$programs/hopclean.exe"
assert_status 0 "run in a console"
assert_eq "Delete failed." "$(console_text "$out" | tr -d '\n')" "console output"

case_start "a failing write of the message ends with the I/O error number"
STATUS=0
(cd "$work" && exec wine "$programs/hopclean.exe" >/dev/full 2>/dev/null </dev/null) || STATUS=$?
assert_status 112 "output to a full device (ERROR_DISK_FULL)"

e2e_done
