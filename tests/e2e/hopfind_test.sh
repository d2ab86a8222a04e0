#!/usr/bin/env bash
# hopfind.exe and hf.cmd under Wine: the first subdirectory whose name holds
# the argument becomes the destination, the wrapper lands the calling cmd
# there, and every usage halt leaves an existing batch file alone.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
cp "$HOPDIR_BIN/hf.cmd" "$programs/"
batch="$programs/HopdirTemp.Bat"
hf=$(win_path "$programs/hf.cmd")
out="$E2E_TMP/out"

work=$(new_dir tree/Work)
mkdir "$work/Archive" "$work/MyProjects"
touch "$work/projects.txt"
work_win=$(win_path "$work")

# assert_batch DRIVE PATH WHAT: the batch file holds exactly the two lines.
assert_batch() {
  assert_batch_file "$batch" "$@"
}

# hf_then_cd DIR ARG...: runs cmd /c "hf.cmd ARG... & cd" in DIR and leaves
# the directory cd printed in $LANDED.
hf_then_cd() {
  local dir="$1"
  shift
  run_wine "$out" "$dir" cmd /c "$hf $* & cd"
  LANDED=$(tr -d '\r' <"$out" | tail -n 1)
}

# assert_landed EXPECTED WHAT: Wine's cd shows the directory's real case, so
# the comparison ignores case.
assert_landed() {
  [ "${LANDED,,}" == "${1,,}" ] || fail "$2: expected to land in '$1', got '$LANDED'"
}

# usage_format REASON: the usage halt's three lines as a printf format.
usage_format() {
  printf '%s' "Halting because: $(literal "$1")\\r\\n"
  printf '%s' 'Invoke with: hopfind Part_of_Subdirectory_Name\r\n'
  printf '%s' '  to change into subdirectory with that part in its name.\r\n'
}

case_start "proj in Work goes to MYPROJECTS, silently"
run_wine "$out" "$work" "$programs/hopfind.exe" proj
assert_status 0 "hopfind proj"
assert_file_empty "$out" "output of hopfind proj"
assert_batch "Z:" "${work_win#Z:}\\MYPROJECTS" "batch file of hopfind proj"
[[ "$(sed -n 2p "$batch" | tr -d '\r')" == *'\Work\MYPROJECTS"' ]] || fail "line 2 ends in \\Work\\MYPROJECTS\""

case_start "hf.cmd proj lands the calling cmd in MYPROJECTS and cleans up"
rm -f "$batch"
hf_then_cd "$work" proj
assert_landed "$work_win\\MYPROJECTS" "hf.cmd proj"
assert_missing "$batch" "batch file after hf.cmd"

case_start "usage halts print three lines, exit 1 and leave the batch file alone"
check_usage() {
  local reason="$1" what="$2"
  shift 2
  printf 'Z:\r\ncd "\\"\r\n' >"$batch"
  run_wine "$out" "$work" "$programs/hopfind.exe" "$@"
  assert_status 1 "$what"
  assert_file_bytes "$out" "$(usage_format "$reason")" "output of $what"
  assert_file_bytes "$batch" 'Z:\r\ncd "\\"\r\n' "batch file after $what"
}
check_usage "HOPFIND takes one parameter" "no argument"
check_usage "HOPFIND takes one parameter" "two arguments" proj arch
check_usage "Found no subdirectory containing ZZZ" "no match" zzz
check_usage "Found no subdirectory containing " "an empty argument" ""
check_usage "Found no subdirectory containing .TXT" "a file's name" .txt

case_start "/? prints the usage; -x is an unknown option: the usage on standard error, exit 2"
run_wine "$out" "$work" "$programs/hopfind.exe" "/?"
assert_status 0 "hopfind /?"
grep -q '^Usage: hf PART' "$out" || fail "hopfind /? printed: $(cat "$out")"
run_wine "$out" "$work" "$programs/hopfind.exe" -x
assert_status 2 "hopfind -x"
assert_file_empty "$out" "output of hopfind -x"
grep -q '^hopfind: unknown option -x' "$out.stderr" || fail "hopfind -x said: $(cat "$out.stderr")"
assert_file_bytes "$batch" 'Z:\r\ncd "\\"\r\n' "batch file after hopfind -x"

case_start "hf.cmd after a usage halt does not run the batch file left behind"
hf_then_cd "$work" zzz
assert_landed "$work_win" "hf.cmd zzz"
assert_file_bytes "$batch" 'Z:\r\ncd "\\"\r\n' "batch file after hf.cmd zzz"
rm -f "$batch"

case_start "hf.cmd keeps the caller's echo state and leaves no variables"
for state in on off; do
  printf '@echo %s\r\n@set >"%s"\r\n@call "%s" proj\r\n@set >"%s"\r\n@echo\r\n' "$state" \
    "$(win_path "$E2E_TMP/before.txt")" "$hf" "$(win_path "$E2E_TMP/after.txt")" >"$E2E_TMP/caller.cmd"
  run_wine "$out" "$work" cmd /c "$(win_path "$E2E_TMP/caller.cmd")"
  # Windows says "ECHO is on.", Wine "Echo is ON".
  echoed=$(tr -d '\r.' <"$out" | grep -v '^$' | tail -n 1)
  assert_eq "echo is $state" "${echoed,,}" "echo state $state"
  cmp -s "$E2E_TMP/before.txt" "$E2E_TMP/after.txt" || fail "variables changed:
$(diff "$E2E_TMP/before.txt" "$E2E_TMP/after.txt")"
done

case_start "at a drive root the path part starts with a single backslash"
drive_root=$(new_dir driveroot)
mkdir "$drive_root/Work" "$drive_root/Other"
map_drive q "$drive_root"
run_wine "$out" "$E2E_TMP" cmd /c "Q: & cd \\ & $(win_path "$programs/hopfind.exe") wor"
assert_status 0 "hopfind wor at Q:\\"
assert_batch "Q:" "\\WORK" "batch file at a drive root"
run_wine "$out" "$E2E_TMP" cmd /c "Q: & cd \\ & $hf wor & cd"
LANDED=$(tr -d '\r' <"$out" | tail -n 1)
assert_landed 'Q:\WORK' "hf.cmd wor at Q:\\"

case_start ".. in a non-root directory leads to the parent"
run_wine "$out" "$work/Archive" "$programs/hopfind.exe" ..
assert_status 0 "hopfind .."
assert_batch "Z:" "${work_win#Z:}\\Archive\\.." "batch file of hopfind .."
hf_then_cd "$work/Archive" ..
assert_landed "$work_win" "hf.cmd .."

case_start "a percent sign in the name survives the batch file"
mkdir "$work/50%done"
run_wine "$out" "$work" "$programs/hopfind.exe" 0%d
assert_status 0 "hopfind 0%d"
assert_batch "Z:" "${work_win#Z:}\\50%%DONE" "batch file of hopfind 0%d"
# Wine's cmd expands a percent sign that %* passes on a second time (Windows
# does not), so the wrapper gets an argument without one.
hf_then_cd "$work" 50
assert_landed "$work_win\\50%done" "hf.cmd 50"

case_start "a name longer than 80 characters leads to the whole directory"
long="Long-$(printf 'x%.0s' {1..90})-tail"
mkdir "$work/$long"
hf_then_cd "$work" long-x
assert_landed "$work_win\\$long" "hf.cmd long-x"

case_start "Müller in a console: the batch file is read in the console's code page"
mkdir "$work/Müller"
run_wine "$out" "$work" "$programs/hopfind.exe" ü
assert_status 0 "hopfind ü"
# ü is 0xFC in the ANSI code page of the file APIs and 0x81 in the OEM one.
assert_batch "Z:" "${work_win#Z:}\\M"$'\x81'"LLER" "batch file of hopfind ü"
rm -f "$batch"
run_console "$out" "$work" cmd /c "$hf ller & cd > $(win_path "$E2E_TMP/landed.txt")"
assert_status 0 "hf.cmd ller in a console"
LANDED=$(iconv -f CP437 -t UTF-8 "$E2E_TMP/landed.txt" | tr -d '\r')
assert_landed "$work_win\\Müller" "hf.cmd ller in a console"
assert_missing "$batch" "batch file after hf.cmd ller"

case_start "a directory of 3000 subdirectories is searched to its last"
big=$(new_dir big)
mkdir "$big"/dir{1..2999} "$big/Zlast"
touch "$big"/file{1..20}.txt
run_wine "$out" "$big" "$programs/hopfind.exe" zlast
assert_status 0 "hopfind zlast among 3000 subdirectories"
assert_batch "Z:" "$(win_path "$big" | cut -c3-)\\ZLAST" "batch file of the last of 3000"

e2e_done
