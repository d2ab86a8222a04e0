#!/usr/bin/env bash
# The real file system backend under Wine: program path, current
# directories per drive, free space, directory search, raw files, and the
# batch file's code page conversion.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
work=$(new_dir work)
out="$E2E_TMP/out"
results="$E2E_TMP/results"

# probe COMMAND...: backend_probe.exe without a console, from $work.
probe() {
  rm -f "$results"
  run_wine "$out" "$work" "$programs/backend_probe.exe" "$(win_path "$results")" "$@"
  assert_status 0 "backend_probe $*"
}

case_start "the program's own path and the current directories"
drive=$(new_dir drive-d)
mkdir -p "$drive/inner"
map_drive d "$drive"
probe exe cwd drive-cwd 26 drive-cwd 4 drive-cwd 0
assert_lines "$results" "paths" "exe $(win_path "$programs/backend_probe.exe")" \
  "cwd $(win_path "$work")" "drive-cwd $(win_path "$work")" 'drive-cwd D:\' "drive-cwd "
rm -f "$results"
run_wine "$out" "$work" cmd /c "cd /d D:\\inner & cd /d $(win_path "$work") & \
$(win_path "$programs/backend_probe.exe") $(win_path "$results") drive-cwd 4 cwd"
assert_lines "$results" "a drive's own current directory, kept by cmd" 'drive-cwd D:\inner' \
  "cwd $(win_path "$work")"

case_start "free space of present drives; -1 for a letter without a drive"
unmapped_drive u
probe free 26 free 4 free 21 free 27
z_free=$(sed -n 's/^free //p' "$results" | sed -n 1p)
d_free=$(sed -n 's/^free //p' "$results" | sed -n 2p)
[ "$z_free" -gt 0 ] || fail "drive Z: reports $z_free free bytes"
[ "$d_free" -gt 0 ] || fail "the mapped drive D: reports $d_free free bytes"
assert_eq "free -1" "$(sed -n 3p "$results")" "unmapped drive U:"
assert_eq "free -1" "$(sed -n 4p "$results")" "drive number 27"

case_start "a wildcard search returns names, short names, attributes, sizes and times"
listed=$(new_dir listed)
mkdir "$listed/Alpha"
printf '12345' >"$listed/b.txt"
printf 'x' >"$listed/LongFileName.text"
probe list "$(win_path "$listed")\\*"
sort_entries=$(grep '^entry' "$results" | sort)
assert_contains "$sort_entries" "entry .||10|0|1" "the directory itself"
assert_contains "$sort_entries" "entry ..||10|0|1" "the parent"
assert_contains "$sort_entries" "entry Alpha||10|0|1" "a subdirectory"
assert_contains "$sort_entries" "entry b.txt||20|5|1" "a file of 5 bytes"
long=$(grep '^entry LongFileName.text|' "$results") || fail "long name missing: $(cat "$results")"
[[ "$long" =~ ^entry\ LongFileName.text\|[A-Z0-9_~]{1,8}\.TEX\|20\|1\|1$ ]] ||
  fail "long name without its 8.3 alias: $long"
assert_eq 5 "$(grep -c '^entry' "$results")" "entries of *"
probe list "$(win_path "$listed")\\*.txt" list "$(win_path "$listed")\\none\\*" \
  list "$(win_path "$listed")\\z*"
assert_lines "$results" "*.txt, then a missing directory and no match" "entry b.txt||20|5|1"

case_start "raw files: read, create, replace and delete, with the Windows error numbers"
files=$(new_dir files)
printf 'line 1\r\nline 2\nlast' >"$files/text.txt"
f=$(win_path "$files")
probe read "$f\\text.txt" read "$f" read "$f\\none.txt" write "$f\\none\\x.txt" hi \
  write "$f\\new.txt" "hello" replace "$f\\new.txt" "$f\\text.txt" read "$f\\text.txt" \
  delete "$f\\new.txt" replace "$f\\gone.txt" "$f\\text.txt" delete "$f\\text.txt" \
  delete "$f\\text.txt" delete "$f"
assert_lines "$results" "file operations" \
  "read $(printf 'line 1\r\nline 2\nlast' | od -An -tx1 | tr -d ' \n')" "read-error 5" \
  "read-error 2" "write-error 3" "wrote" "replace 0" "read 68656c6c6f" "delete 2" "replace 2" \
  "delete 0" "delete 2" "delete 5"
assert_missing "$files/new.txt" "the replaced source"
assert_exists "$files" "the directory that could not be deleted"

case_start "names go to the console's code page for the batch file"
probe shell "Müller" shell "Œuvre" shell "plain" shell ""
assert_lines "$results" "without a console: the OEM code page 437" "shell 4d816c6c6572" \
  "shell-error 1113" "shell 706c61696e" "shell "
many_u=$(printf 'ü%.0s' {1..200})
rm -f "$results"
run_console "$out" "$work" cmd /c "chcp 65001 >nul & $(win_path "$programs/backend_probe.exe") \
$(win_path "$results") shell Müller shell Œuvre shell $many_u"
# 200 characters become 400 bytes, all of them kept.
assert_lines "$results" "a UTF-8 console (chcp 65001)" "shell 4dc3bc6c6c6572" \
  "shell c59275767265" "shell $(printf 'c3bc%.0s' {1..200})"

e2e_done
