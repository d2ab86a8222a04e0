#!/usr/bin/env bash
# hopmenu.exe's page from the keyboard and the wheel under Wine, with key
# and wheel records that console_inject writes: a filter that narrows the
# list, Enter into the only match and F10 there (hm.cmd lands), Backspace
# to the parent with the directory left highlighted, Esc, Tab to the
# recent directories, the wheel, one level for a double click, the line of
# a window too small, the mark of a long name, and the cursor hidden while
# the page is shown.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
cp "$HOPDIR_BIN/hm.cmd" "$programs/"
batch="$programs/HopdirTemp.Bat"
history="$programs/HOPMENU.DAT"
hopmenu=$(win_path "$programs/hopmenu.exe")
out="$E2E_TMP/out"
cursor="$E2E_TMP/cursor.txt"
driver="$programs/driver.cmd"
long="A_DIRECTORY_NAME_FAR_TOO_LONG_FOR_ITS_ROW"

root=$(new_dir drive)
mkdir -p "$root/WORK/SUB/a" "$root/WORK/SUB/b" "$root/WORK/SUB/c" "$root/WORK/alpha" "$root/WORK/$long" "$root/TOOLS"
mkdir "$root/MANY"
for i in $(seq -w 0 39); do mkdir "$root/MANY/D$i"; done
map_drive k "$root"
printf 'K:\\TOOLS\r\n' >"$history"

F10=0x79
ESC=0x1b
BACKSPACE=8
TAB=9

# keys DIR INJECT_OPTION... -- PROGRAM [ARG...]: runs PROGRAM in a console
# whose input holds the scripted events, started in DIR.
keys() {
  local dir="$1"
  shift
  rm -f "$batch"
  run_console "$out" "$dir" "$programs/console_inject.exe" "$@"
}

# with_hm: the driver runs hm.cmd, then notes where the calling cmd is.
printf '@call "%s" %%*\r\n@cd > "%s"\r\n' "$(win_path "$programs/hm.cmd")" \
  "$(win_path "$E2E_TMP/cwd.txt")" >"$driver"
landed() {
  tr -d '\r\n' <"$E2E_TMP/cwd.txt"
}

case_start "typing narrows the list, Enter walks into the only match, F10 lands hm.cmd there"
rm -f "$E2E_TMP/cwd.txt"
keys "$root/WORK" --keys su --wait-screen "Filter: su" --enter --vk $F10 -- \
  cmd /c "$(win_path "$driver")"
assert_status 0 "su, Enter, F10"
assert_eq "K:\\WORK\\SUB" "$(landed)" "the calling cmd's directory"
page=$(console_text "$out")
assert_contains "$page" "Filter: su" "the filter on the page"
assert_missing "$batch" "the batch file after hm.cmd"

case_start "Backspace goes up with the directory left highlighted, Enter goes back in"
keys "$root/WORK/SUB" --char $BACKSPACE --enter --vk $F10 -- "$hopmenu"
assert_status 0 "Backspace, Enter, F10"
assert_batch_file "$batch" "K:" "\\WORK\\SUB" "batch file after Backspace and Enter"

case_start "Esc aborts: no batch file, and hm.cmd leaves cmd where it was"
rm -f "$E2E_TMP/cwd.txt"
keys "$root/WORK" --char $ESC -- cmd /c "$(win_path "$driver")"
assert_eq "K:\\WORK" "$(landed)" "the calling cmd's directory after Esc"
assert_missing "$batch" "the batch file after Esc"

case_start "Tab, then Enter on the first recent directory (hot) ends there"
printf 'K:\\TOOLS\r\n' >"$history"
keys "$root/WORK" --char $TAB --enter -- "$hopmenu"
assert_status 0 "Tab, Enter"
assert_batch_file "$batch" "K:" "\\TOOLS" "batch file after Tab and Enter"

case_start "the wheel scrolls the list under the pointer by three rows, the highlight along"
# D00 is entry 3, highlighted; three rows on, entry 4 (D01) is the first shown.
keys "$root/MANY" --wheel 5,10,-1 --enter --vk $F10 -- "$hopmenu"
assert_status 0 "the wheel, Enter, F10"
assert_batch_file "$batch" "K:" "\\MANY\\D01" "batch file after the wheel"

case_start "a double click walks one level"
# SUB is entry 5 (row 9) in WORK, after alpha and the long name; in SUB,
# row 9 holds c.
keys "$root/WORK" --press 5,9 --press 5,9 --vk $F10 -- "$hopmenu"
assert_status 0 "a double click, F10"
assert_batch_file "$batch" "K:" "\\WORK\\SUB" "batch file after a double click"

case_start "a long name ends in the mark; the cursor is hidden on the page and shown after it"
keys "$root/WORK" --cursor "$(win_path "$cursor")" --wait-screen "${long:0:22}~" --char $ESC \
  -- "$hopmenu"
assert_status 1 "Esc"
assert_lines "$cursor" "the cursor before, during and after the page" "before 1" "during 0" \
  "after 1"

case_start "at 30 x 8 one line says the window is too small, and Esc leaves it"
CONSOLE_SIZE="30 8"
keys "$root/WORK" --wait-screen "Too small: needs 75 x 10" --char $ESC -- "$hopmenu"
assert_status 1 "Esc at 30 x 8"
assert_missing "$batch" "the batch file after Esc at 30 x 8"

e2e_done
