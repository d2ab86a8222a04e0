#!/usr/bin/env bash
# The batch file as the real backend writes it (through batch_writer.exe,
# which calls the core's WriteDestination): exact bytes, an I/O failure's
# exit code, and cmd.exe really landing in the destination.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
work=$(new_dir work)
out="$E2E_TMP/out"
batch="$programs/HopdirTemp.Bat"

# write_batch DESTINATION: batch_writer.exe run from the working directory.
write_batch() {
  run_wine "$out" "$work" "$programs/batch_writer.exe" "$1"
  assert_status 0 "batch_writer $1"
  assert_file_empty "$out" "batch_writer's output for $1"
}

case_start "two CR LF lines: the first two characters, then cd and the rest in quotes"
write_batch 'D:\Work\Projects'
assert_file_bytes "$batch" 'D:\r\ncd "\\Work\\Projects"\r\n' 'D:\Work\Projects'
write_batch 'D:\'
assert_file_bytes "$batch" 'D:\r\ncd "\\"\r\n' 'D:\'
write_batch ''
assert_file_bytes "$batch" '\r\ncd ""\r\n' 'empty destination'
write_batch '\\server\share'
assert_file_bytes "$batch" '\\\\\r\ncd "server\\share"\r\n' 'network path'
write_batch 'C:\My Files\a b'
assert_file_bytes "$batch" 'C:\r\ncd "\\My Files\\a b"\r\n' 'path with blanks'

case_start "a drive part that is no drive would run a command: refused, nothing written"
run_wine "$out" "$work" "$programs/batch_writer.exe" 'D'
assert_status 123 "batch_writer D (ERROR_INVALID_NAME)"
assert_file_bytes "$out" 'Cannot go to D: a Windows path starts with a drive letter and a colon, or with \\\\.\r\n' \
  "the message"
assert_file_bytes "$batch" 'C:\r\ncd "\\My Files\\a b"\r\n' "the batch file before"

case_start "a directory in place of the batch file: exit code 5 (access denied)"
rm -f "$batch"
mkdir "$batch"
run_wine "$out" "$work" "$programs/batch_writer.exe" 'D:\Work'
assert_status 5 "writing over a directory"
[ -d "$batch" ] || fail "the directory was replaced"
rmdir "$batch"

case_start "a percent sign is doubled and cmd.exe lands in the directory"
target=$(new_dir "50%done")
write_batch "$(win_path "$target")"
assert_contains "$(cat "$batch")" '\50%%done"' "line 2 of the batch file"
run_wine "$out" "$work" cmd /c "call $(win_path "$batch") & cd"
assert_status 0 "cmd /c call"
assert_eq "$(win_path "$target")" "$(tr -d '\r' <"$out" | tail -n 1)" "directory after the call"

case_start "a name with u-umlaut is written in the console's code page 437 and cmd.exe lands there"
target=$(new_dir "Müller")
run_console "$out" "$work" "$programs/batch_writer.exe" "$(win_path "$target")"
assert_status 0 "batch_writer in a console"
win_target=$(win_path "$target")
head=${win_target%Müller}
expected="${head:0:2}\\r\\ncd \"$(literal "${head:2}")M\\x81ller\"\\r\\n"
assert_file_bytes "$batch" "$expected" "batch file in code page 437"
run_console "$out" "$work" cmd /c "call $(win_path "$batch") & cd"
assert_status 0 "cmd /c call in a console"
assert_contains "$(console_text "$out")" "$win_target" "directory after the call"

case_start "without a console the OEM code page is used the same way"
rm -f "$batch"
write_batch "$(win_path "$target")"
assert_file_bytes "$batch" "$expected" "batch file in code page 437 without a console"

case_start "a name that code page 437 cannot hold and that has no short name fails before the file is touched"
printf 'old' >"$batch"
run_console "$out" "$work" "$programs/batch_writer.exe" 'D:\Œuvre'
assert_status 1113 "ERROR_NO_UNICODE_TRANSLATION"
assert_file_bytes "$batch" 'old' "the earlier batch file"

e2e_done
