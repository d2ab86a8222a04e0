#!/usr/bin/env bash
# hopmenu.exe and hm.cmd under Wine: the mouse page driven by console input
# that console_inject writes ahead, the jumps named by an argument, the
# history file, and the console left as it was found (modes, keys, screen).
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
cp "$HOPDIR_BIN/hm.cmd" "$programs/"
batch="$programs/HopdirTemp.Bat"
history="$programs/HOPMENU.DAT"
hopmenu=$(win_path "$programs/hopmenu.exe")
out="$E2E_TMP/out"
screen="$E2E_TMP/screen.txt"
modes="$E2E_TMP/modes.txt"
probe="$E2E_TMP/probe.txt"
driver="$programs/driver.cmd"

root=$(new_dir drive)
mkdir -p "$root/WORK/SUB" "$root/WORK/alpha" "$root/TOOLS"
map_drive m "$root"

# Cells of the page on 80 x 25 (1-based column,row).
DONE=30,23
ABORT=39,23
LEGEND=50,23
# Entry k of the paths list is on row 4 + k, of the recent directories on row 1 + k.
path_cell() { echo "5,$((4 + $1))"; }
recent_cell() { echo "30,$((1 + $1))"; }

# on_page DIR INJECT_OPTION... -- PROGRAM [ARG...]: runs PROGRAM in a console
# whose input holds the scripted events, started in DIR; the console input
# modes before and after go to $modes, the window after the run to $screen.
on_page() {
  local dir="$1"
  shift
  rm -f "$screen" "$modes"
  run_console "$out" "$dir" "$programs/console_inject.exe" --mode "$(win_path "$modes")" \
    --screen "$(win_path "$screen")" "$@"
}

# assert_batch DRIVE PATH WHAT: the batch file holds exactly the two lines.
assert_batch() {
  assert_batch_file "$batch" "$@"
}

# assert_modes_restored WHAT: the console input mode after the run is the
# one found before it.
assert_modes_restored() {
  [ -f "$modes" ] || fail "$1: no modes were recorded"
  local before after
  before=$(sed -n 's/^before //p' "$modes")
  after=$(sed -n 's/^after //p' "$modes")
  [ -n "$before" ] || fail "$1: no mode before the run"
  assert_eq "$before" "$after" "$1: console input mode after the run"
}

case_start "a walk with the mouse: SUB, then DONE"
rm -f "$batch" "$history"
on_page "$root/WORK" --press "$(path_cell 4)" --press $DONE -- "$hopmenu"
assert_status 0 "SUB then DONE"
assert_batch "M:" "\\WORK\\SUB" "batch file after SUB then DONE"
assert_file_bytes "$history" 'M:\\WORK\\SUB\r\nM:\\WORK\r\n' "history after SUB then DONE"
page=$(console_text "$out")
assert_contains "$page" "Paths on Drive M:" "the page's paths list"
assert_contains "$page" "Current destination: M:\\WORK\\" "the first page's status line"
assert_contains "$page" "Current destination: M:\\WORK\\SUB\\" "the second page's status line"
assert_contains "$page" "HOT/cold/files" "the view legend"
assert_eq "" "$(tr -d ' \n' <"$screen")" "the window after the menu ended"
assert_modes_restored "SUB then DONE"

case_start "hm.cmd lands the calling cmd where the menu ended and cleans up"
printf '@call "%s" %%*\r\n@cd > "%s"\r\n' "$(win_path "$programs/hm.cmd")" \
  "$(win_path "$E2E_TMP/cwd.txt")" >"$driver"
# A drive's root lists no "." and "..": TOOLS is its first entry.
on_page "$root/WORK" --press "$(path_cell 2)" --press "$(path_cell 1)" --press $DONE -- \
  cmd /c "$(win_path "$driver")"
assert_status 0 "hm.cmd: .. then TOOLS then DONE"
assert_eq "M:\\TOOLS" "$(tr -d '\r\n' <"$E2E_TMP/cwd.txt")" "the calling cmd's directory"
assert_missing "$batch" "the batch file after hm.cmd"
assert_file_bytes "$history" 'M:\\TOOLS\r\nM:\\WORK\r\nM:\\WORK\\SUB\r\n' "history after hm.cmd"

case_start "ABORT writes no batch file and leaves the history byte for byte"
printf 'left' >"$batch"
printf 'm:\\tools\nM:\\WORK\r\n\r\n' >"$history"
on_page "$root/WORK" --press "$(path_cell 4)" --press $ABORT -- "$hopmenu"
assert_status 1 "ABORT"
assert_file_bytes "$batch" 'left' "the batch file after ABORT"
assert_file_bytes "$history" 'm:\\tools\nM:\\WORK\r\n\r\n' "history after ABORT"
assert_missing "$programs/HOPMENU.\$\$\$" "the temporary history file"
assert_modes_restored "ABORT"

case_start "a recent directory in the hot view ends the menu at once"
rm -f "$batch"
printf 'M:\\TOOLS\r\nM:\\WORK\r\n' >"$history"
on_page "$root/WORK" --press "$(recent_cell 1)" -- "$hopmenu"
assert_status 0 "hot recent directory"
assert_batch "M:" "\\TOOLS" "batch file after the hot recent directory"
assert_file_bytes "$history" 'M:\\TOOLS\r\nM:\\WORK\r\n' "history after the hot recent directory"

case_start "keys typed while the page is shown are gone afterwards"
printf '@"%s"\r\n@"%s" "%s" pressed\r\n' "$hopmenu" "$(win_path "$programs/backend_probe.exe")" \
  "$(win_path "$probe")" >"$driver"
rm -f "$probe"
on_page "$root/WORK" --keys abc --press $LEGEND --keys xyz --press $DONE -- \
  cmd /c "$(win_path "$driver")"
assert_status 0 "DONE after typing"
assert_lines "$probe" "keys waiting after hopmenu" "pressed 0"
assert_batch "M:" "\\WORK" "batch file after typing and DONE"

case_start "-p jumps back where the last jump started, without a page"
rm -f "$batch"
printf 'M:\\TOOLS\r\nM:\\WORK\r\n' >"$history"
run_wine "$out" "$root/TOOLS" "$programs/hopmenu.exe" -p
assert_status 0 "hopmenu -p"
assert_file_empty "$out" "output of hopmenu -p"
assert_batch "M:" "\\WORK" "batch file of hopmenu -p"
assert_file_bytes "$history" 'M:\\WORK\r\nM:\\TOOLS\r\n' "history after hopmenu -p"

case_start "-A goes to the most recent destination, without a page"
rm -f "$batch"
printf 'M:\\TOOLS\r\nM:\\WORK\r\n' >"$history"
run_wine "$out" "$root/WORK" "$programs/hopmenu.exe" -A
assert_status 0 "hopmenu -A"
assert_file_empty "$out" "output of hopmenu -A"
assert_batch "M:" "\\TOOLS" "batch file of hopmenu -A"
assert_file_bytes "$history" 'M:\\TOOLS\r\nM:\\WORK\r\n' "history after hopmenu -A"

case_start "a substring goes to the most recent directory that holds it"
printf 'M:\\WORK\r\nM:\\TOOLS\\OLD\r\nM:\\TOOLS\r\n' >"$history"
run_wine "$out" "$root/WORK" "$programs/hopmenu.exe" tool extra
assert_status 0 "hopmenu tool"
assert_batch "M:" "\\TOOLS\\OLD" "batch file of hopmenu tool"

case_start "an argument found nowhere halts and touches nothing"
printf 'left' >"$batch"
printf 'M:\\WORK\r\n' >"$history"
run_wine "$out" "$root/WORK" "$programs/hopmenu.exe" nowhere
assert_status 1 "hopmenu nowhere"
assert_file_bytes "$out" 'Halting with error-code 1, because:\r\nNOWHERE not found in history list.\r\n' \
  "output of hopmenu nowhere"
assert_file_bytes "$batch" 'left' "the batch file after the halt"
assert_file_bytes "$history" 'M:\\WORK\r\n' "history after the halt"

case_start "250 subdirectories page to their last; a press walks into 3000, whose 6000 files list; DONE lands"
mkdir -p "$root/BIG/MANY"
(cd "$root/BIG" && seq -f 'D%03g' 1 250 | xargs mkdir)
(cd "$root/BIG/MANY" && seq -f 'M%04g' 1 3000 | xargs mkdir && seq -f 'F%04g.TXT' 1 6000 | xargs touch)
rm -f "$batch"
printf 'M:\\BIG\r\n' >"$history"
# Cold view, into BIG; 253 entries with "." and "..": the down arrows page
# to the last, MANY; into it, the files view, DONE.
pages=()
for _ in $(seq 1 14); do pages+=(--press 24,22); done
on_page "$root/WORK" --press $LEGEND --press "$(recent_cell 1)" "${pages[@]}" \
  --press "$(path_cell 19)" --press $LEGEND --press $DONE -- "$hopmenu"
assert_status 0 "DONE in a directory of 3000 subdirectories"
assert_batch "M:" "\\BIG\\MANY" "batch file after DONE in MANY"
assert_modes_restored "the page in a directory of 3002 entries"

case_start "a history of 150 lines gives -A its first line and is saved as 100"
(cd "$root" && seq -f 'H%03g' 1 150 | xargs mkdir)
rm -f "$batch"
for i in $(seq -f '%03g' 1 150); do printf 'M:\\H%s\r\n' "$i"; done >"$history"
run_wine "$out" "$root/WORK" "$programs/hopmenu.exe" -A
assert_status 0 "hopmenu -A with 150 lines"
assert_batch "M:" "\\H001" "batch file of -A with 150 lines"
assert_eq 100 "$(wc -l <"$history")" "lines saved"
assert_eq $'M:\\H099\r' "$(tail -n 1 "$history")" "the last line saved"

case_start "the page waits for a press without using the processor or waking up"
waiting="$E2E_TMP/waiting"
rm -f "$batch" "$waiting" "$E2E_TMP/ticks"

# page_pid: the process of the hopmenu.exe that this script started.
page_pid() {
  local pid
  for pid in $(pgrep -x hopmenu.exe); do
    # Another test's hopmenu.exe may end meanwhile.
    if [[ "$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline")" == *"$(basename "$E2E_TMP")"* ]]; then
      echo "$pid"
      return
    fi
  done
  return 1
}
# page_stands: the page has been drawn, its status line last.
page_stands() {
  [ -f "$waiting" ] && [[ "$(console_text "$waiting")" == *"Current destination: M:\\WORK\\"* ]]
}
# Processor ticks (user + system) of the waiting program, and the times
# its main thread gave up the processor of its own accord (each wake-up
# from a wait ends in one), sampled five seconds apart once the page
# stands; Ctrl+C ends the menu once they are in (or what went wrong is).
(
  (
    wait_until "$E2E_PATIENCE" "the page" page_stands
    pid=$(page_pid) || fail "no hopmenu.exe of this script runs"
    first=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    woken=$(sed -n 's/^voluntary_ctxt_switches:[[:space:]]*//p' "/proc/$pid/status")
    sleep 5
    second=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    woken=$(($(sed -n 's/^voluntary_ctxt_switches:[[:space:]]*//p' "/proc/$pid/status") - woken))
    echo "$((second - first)) $woken"
  ) >"$E2E_TMP/ticks.part" 2>"$E2E_TMP/ticks.error" || echo none >"$E2E_TMP/ticks.part"
  mv "$E2E_TMP/ticks.part" "$E2E_TMP/ticks"
) &
TYPE_AFTER_FILE="$E2E_TMP/ticks"
run_console_typing '\003' "$waiting" "$root/WORK" "$programs/hopmenu.exe"
wait
read -r ticks woken <"$E2E_TMP/ticks" || true
[[ "$ticks" =~ ^[0-9]+$ && "$woken" =~ ^[0-9]+$ ]] ||
  fail "no processor time was sampled: $(cat "$E2E_TMP/ticks.error")"
# A busy wait would take about 500 ticks of 10 ms in five seconds; a wait
# of 50 ms at a time would wake 100 times.
[ "$ticks" -lt 2 ] || fail "the waiting page used $ticks ticks of processor time in five seconds"
[ "$woken" -le 5 ] || fail "the waiting page woke $woken times in five seconds"
assert_missing "$batch" "the batch file after Ctrl+C"

case_start "a history file that cannot be replaced is reported and the jump goes on"
rm -f "$history"
mkdir "$history"
run_wine "$out" "$root/WORK" "$programs/hopmenu.exe" -A
assert_status 0 "hopmenu -A with a folder in place of the history"
assert_file_bytes "$out" "Unable to save history to $(literal "$(win_path "$history")")\r\n" \
  "output of hopmenu -A"
assert_batch "" "" "batch file from an empty history"
assert_missing "$programs/HOPMENU.\$\$\$" "the temporary history file"
rmdir "$history"

e2e_done
