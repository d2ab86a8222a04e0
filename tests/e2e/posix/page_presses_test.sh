#!/usr/bin/env bash
# Presses on the page of hm, sent as a terminal sends them, and where the
# shell ends up: a subdirectory, "..", the root button, DONE and ABORT, hot
# and cold presses on the history with the legend's three views, and a name
# with a blank, a quote and a $ in bash, zsh and fish.
source "$(dirname "$0")/lib.sh"

root=$(new_dir r)
start="$root/Start"
odd="Bob's \$5 dir"
mkdir -p "$start/alpha/deep" "$start/$odd" "$start/zeta" "$root/Hot" "$root/Cold"
touch "$root/Hot/notes.txt"

# Where things are on a page of 80 x 25: entry I of the paths list in row
# 4 + I (at column COL, 3 unless given), the history's entry I in row 1 + I,
# the buttons in row 23.
entry() { pane_press "$1" "${3:-3}" $((4 + $2)); }
recent() { pane_press "$1" 40 $((1 + $2)); }
done_button() { pane_press "$1" 30 23; }
abort_button() { pane_press "$1" 38 23; }
legend() { pane_press "$1" 50 23; }
root_button() { pane_press "$1" 23 2; }

# row NAME ROW: one row of the pane's screen, without its trailing blanks.
row() {
  pane_screen "$1" -S $(($2 - 1)) -E $(($2 - 1))
}
row_is() {
  [ "$(row "$1" "$2")" == "$3" ]
}
row_has() {
  [[ "$(row "$1" "$2")" == *"$3"* ]]
}

# wait_destination NAME DIR: waits until the status line names DIR/ (its
# end after an ellipsis when it is too long for 57 cells).
wait_destination() {
  local shown="$2"
  [ "$shown" == / ] || shown+=/
  [ "${#shown}" -le 57 ] || shown="…${shown: -56}"
  wait_until "$E2E_PATIENCE" "the destination $shown" row_is "$1" 25 "Current destination: $shown"
}

# open_page NAME DIR: runs hm in the pane and waits for its page on DIR.
open_page() {
  pane_type "$1" hm
  pane_keys "$1" Enter
  pane_wait_flags "$1" "1 1 1"
  wait_destination "$1" "$2"
}

# ended NAME STATUS WHAT: hm ended with STATUS, on the shell's own screen.
ended() {
  pane_wait_prompt "$1"
  assert_status "$2" "$3"
  assert_eq "0 0 0" "$(pane_flags "$1")" "mouse reporting and alternate screen after $3"
  assert_no_handoff "$1" "after $3"
}

# set_history NAME DIR...: the pane's history holds DIR..., most recent first.
set_history() {
  local name="$1"
  shift
  mkdir -p "$(pane_dir "$name")/hopdir"
  printf '%s\n' "$@" >"$(pane_dir "$name")/hopdir/HOPMENU.DAT"
}

pane_start main bash "$start"

case_start "a subdirectory, then DONE, lands there; ABORT leaves the shell where it was"
open_page main "$start"
entry main 3
wait_destination main "$start/alpha"
done_button main
ended main 0 "DONE"
assert_pwd main "$start/alpha" "DONE after alpha"
open_page main "$start/alpha"
entry main 3
wait_destination main "$start/alpha/deep"
abort_button main
ended main 1 "ABORT"
assert_pwd main "$start/alpha" "ABORT after deep"

case_start "'..' goes up one level at a time, the root button to /"
open_page main "$start/alpha"
entry main 2
wait_destination main "$start"
# Another cell: two quick presses on one cell are a double click, one step.
entry main 2 4
wait_destination main "$root"
root_button main
wait_destination main /
assert_contains "$(row main 4)" "Paths on /─" "the paths list's title at /"
done_button main
ended main 0 "DONE at /"
assert_pwd main / "DONE at /"

case_start "a hot press on the history ends the page there"
pane_run main "builtin cd $(pane_quote "$start")"
set_history main "$root/Hot" "$root/Cold"
open_page main "$start"
recent main 2
ended main 0 "a hot press"
assert_pwd main "$root/Cold" "a hot press on the second entry"

case_start "a hot press on a directory that is gone says so and leaves the shell and the history alone"
set_history main "$root/Gone" "$root/Hot"
open_page main "$root/Cold"
recent main 1
ended main 1 "a hot press on a directory that is gone"
assert_contains "$(pane_screen main -J)" "$root/Gone is not a directory that can be entered." \
  "what the hot press on a directory that is gone said"
assert_file_bytes "$(pane_dir main)/hopdir/HOPMENU.DAT" "$(literal "$root/Gone")\n$(literal "$root/Hot")\n" \
  "the history after the hot press on a directory that is gone"
assert_pwd main "$root/Cold" "a hot press on a directory that is gone"

case_start "a name with a line feed or a carriage return takes one row, and the rows below take their presses"
mkdir "$root/ctl" "$root/ctl/a"$'\n'"line" "$root/ctl/b"$'\r'"cr" "$root/ctl/zzz"
pane_run main "builtin cd $(pane_quote "$root/ctl")"
open_page main "$root/ctl"
assert_eq "│ a?line                 │|│ b?cr                   │|│ zzz                    │" \
  "$(row main 7 | cut -b1-30)|$(row main 8 | cut -b1-30)|$(row main 9 | cut -b1-30)" \
  "the rows of the names with a line feed and a carriage return"
entry main 5
wait_destination main "$root/ctl/zzz"
abort_button main
ended main 1 "ABORT after zzz"
pane_run main "builtin cd $(pane_quote "$root/Cold")"

case_start "a cold press moves the page and the page stays; the legend goes on to the files and back"
set_history main "$root/Hot" "$root/Cold"
open_page main "$root/Cold"
legend main
wait_until "$E2E_PATIENCE" "the cold legend" row_is main 23 "│                        ││ DONE ││ ABORT ││ hot/COLD/files │"
recent main 1
wait_destination main "$root/Hot"
assert_eq "1 1 1" "$(pane_flags main)" "the page after a cold press"
legend main
wait_until "$E2E_PATIENCE" "the files legend" row_is main 23 "│                        ││ DONE ││ ABORT ││ hot/cold/FILES │"
# The right list begins after the 26 columns of the paths list.
right=$(row main 1)
assert_eq "┌──────────────────────Files:────────────────────────┐" "${right:26}" \
  "the right list's title in the files view"
right=$(row main 2)
assert_eq "│ notes.txt                                          │" "${right:26}" "the files of Hot"
legend main
wait_until "$E2E_PATIENCE" "the hot legend" row_is main 23 "│                        ││ DONE ││ ABORT ││ HOT/cold/files │"
right=$(row main 1)
assert_eq "┌────────────────Recent Directories:─────────────────┐" "${right:26}" \
  "the right list's title in the hot view"
done_button main
ended main 0 "DONE after a cold press"
assert_pwd main "$root/Hot" "DONE after a cold press"

case_start "250 subdirectories page to their last; a press walks into 3000, whose 6000 files show; hf finds the last"
big="$root/Big"
mkdir -p "$big/many"
(cd "$big" && seq -f 'd%03g' 1 250 | xargs mkdir)
(cd "$big/many" && seq -f 'm%04g' 1 3000 | xargs mkdir && seq -f 'f%04g.txt' 1 6000 | xargs touch)
set_history main "$root/Hot"
pane_run main "builtin cd $(pane_quote "$big")"
open_page main "$big"
# 253 entries with "." and "..": the down arrows page to the last, many.
for _ in $(seq 1 14); do pane_press main 24 22; done
wait_until 10 "the last page of Big" row_has main 23 "│ many "
assert_contains "$(row main 5)" "│ d233 " "the first entry of the last page"
entry main 19
wait_destination main "$big/many"
assert_contains "$(row main 5)" "│ .   " "the first entry in many"
legend main
legend main
wait_until 10 "the files legend" row_has main 23 "hot/cold/FILES"
assert_contains "$(row main 2)" "│ f" "a file of many in the files view"
done_button main
ended main 0 "DONE in many"
assert_pwd main "$big/many" "DONE in a directory of 3000 subdirectories"
pane_run main 'hf m3000'
assert_status 0 "hf m3000"
assert_pwd main "$big/many/m3000" "hf, the last of 3000 subdirectories"

case_start "a name with a blank, a quote and a \$ lands exactly, in bash, zsh and fish"
pane_run main "builtin cd $(pane_quote "$start")"
pane_start zsh zsh "$start"
pane_start fish fish "$start"
for pane in main zsh fish; do
  open_page "$pane" "$start"
  entry "$pane" 4
  wait_destination "$pane" "$start/$odd"
  done_button "$pane"
  ended "$pane" 0 "DONE in ${E2E_PANE_SHELL[$pane]}"
  assert_pwd "$pane" "$start/$odd" "the odd name in ${E2E_PANE_SHELL[$pane]}"
done

e2e_done
