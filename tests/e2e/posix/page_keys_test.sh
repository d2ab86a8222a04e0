#!/usr/bin/env bash
# The page of hm from the keyboard, the wheel and a double click, as a
# terminal sends them: a filter that narrows the list, Enter into the only
# match and F10 there, Backspace to the parent with the directory left
# highlighted, Esc, Tab to the recent directories, the wheel, one level for
# a double click, the line of a window too small, the ellipsis of a long
# name, and the cursor hidden on the page and shown after it.
source "$(dirname "$0")/lib.sh"

root=$(new_dir r)
start="$root/Start"
long="a_directory_name_far_too_long_for_its_row"
mkdir -p "$start/projects/src/website" "$start/papers" "$start/music" "$start/$long" \
  "$root/Hot" "$root/Double/one/two"
mkdir "$root/Many"
for i in $(seq -w 0 39); do mkdir "$root/Many/d$i"; done

# row NAME ROW: one row of the pane's screen, without its trailing blanks.
row() {
  pane_screen "$1" -S $(($2 - 1)) -E $(($2 - 1))
}
row_is() {
  [ "$(row "$1" "$2")" == "$3" ]
}

# list_row TEXT [RIGHT]: a row of the page at 80 x 25 between the top
# buttons and the bottom ones: TEXT in the paths list, RIGHT (blank unless
# given) in the right list.
list_row() {
  printf '│ %-23s││ %-51s│' "$1" "${2:-}"
}

# wait_destination NAME DIR: waits until the status line names DIR/ (its
# end after an ellipsis when it is too long for 57 cells).
wait_destination() {
  local shown="$2/"
  [ "${#shown}" -le 57 ] || shown="…${shown: -56}"
  wait_until 10 "the destination $shown" row_is "$1" 25 "Current destination: $shown"
}

# open_page NAME DIR: runs hm in the pane and waits for its page on DIR.
open_page() {
  pane_type "$1" hm
  pane_keys "$1" Enter
  pane_wait_flags "$1" "1 1 1"
  wait_destination "$1" "$2"
}

# ended NAME STATUS WHAT: hm ended with STATUS, the terminal as found.
ended() {
  pane_wait_prompt "$1"
  assert_status "$2" "$3"
  assert_eq "0 0 0" "$(pane_flags "$1")" "mouse reporting and alternate screen after $3"
}

# highlighted NAME ROW: ROW holds the highlight's light grey background.
highlighted() {
  pane_screen "$1" -e -S $(($2 - 1)) -E $(($2 - 1)) | grep -q $'\e\\[47m'
}

# cursor NAME: 1 when the pane shows its cursor, 0 when it is hidden.
cursor() {
  e2e_tmux display -p -t "=$1:" '#{cursor_flag}'
}

# set_history: the history holds Hot alone.
set_history() {
  mkdir -p "$(pane_dir main)/hopdir"
  printf '%s\n' "$root/Hot" >"$(pane_dir main)/hopdir/HOPMENU.DAT"
}

set_history
pane_start main bash "$start"

case_start "typing narrows the list, Enter walks into the only match, F10 lands there"
open_page main "$start"
pane_type main proj
wait_until 10 "the narrowed list" row_is main 7 "$(list_row projects)"
assert_eq "$(list_row "")" "$(row main 8)" "the row after the only match"
assert_contains "$(row main 24)" "└─Filter: proj─" "the filter in the list's bottom edge"
pane_keys main Enter
wait_destination main "$start/projects"
pane_type main src
pane_keys main Enter
wait_destination main "$start/projects/src"
pane_keys main F10
ended main 0 "F10"
assert_pwd main "$start/projects/src" "F10 after the filter"

case_start "Backspace goes up with the directory left highlighted, Enter back in; Esc aborts"
open_page main "$start/projects/src"
pane_keys main BSpace
wait_destination main "$start/projects"
assert_eq "$(list_row src)" "$(row main 7)" "the row of src"
highlighted main 7 || fail "src, the directory left, is not highlighted: $(pane_screen main -e | sed -n 7p)"
pane_keys main Enter
wait_destination main "$start/projects/src"
pane_keys main Escape
ended main 1 "Esc"
assert_pwd main "$start/projects/src" "Esc"

case_start "Tab, then Enter on the recent list's first entry (hot) lands there"
set_history
open_page main "$start/projects/src"
pane_keys main Tab
wait_until 10 "the recent entry highlighted" highlighted main 2
pane_keys main Enter
ended main 0 "Tab, Enter"
assert_pwd main "$root/Hot" "Tab, Enter on the recent list"

case_start "the wheel scrolls the list under the pointer by three rows"
pane_run main "builtin cd $(pane_quote "$root/Many")"
open_page main "$root/Many"
assert_eq "$(list_row .)" "$(row main 5)" "the first row before the wheel"
pane_type main $'\e[<65;5;10M'
# The up arrows now show in the last two columns of the first two rows.
wait_until 10 "the list scrolled" row_is main 5 "$(printf '│ d01%18s↑↑││%52s│' '' '')"
pane_keys main Escape
ended main 1 "Esc after the wheel"

case_start "a double click walks one level"
pane_run main "builtin cd $(pane_quote "$root/Double")"
open_page main "$root/Double"
# Both presses in one write: well inside the double-click time.
pane_type main $'\e[<0;5;7M\e[<0;5;7m\e[<0;5;7M\e[<0;5;7m'
wait_destination main "$root/Double/one"
pane_keys main F10
ended main 0 "F10 after a double click"
assert_pwd main "$root/Double/one" "a double click"

case_start "a long name ends in an ellipsis; the cursor is hidden on the page and shown after it, also after Ctrl+C"
pane_run main "builtin cd $(pane_quote "$start")"
assert_eq 1 "$(cursor main)" "the cursor at the prompt"
open_page main "$start"
line=$(row main 7)
assert_eq "│ ${long:0:22}…│" "${line:0:26}" "the long name's row"
assert_eq 0 "$(cursor main)" "the cursor on the page"
pane_keys main Escape
ended main 1 "Esc"
assert_eq 1 "$(cursor main)" "the cursor after the page"
# Ended by a signal, the page leaves without a last update of its own.
open_page main "$start"
assert_eq 0 "$(cursor main)" "the cursor on the page again"
pane_keys main C-c
ended main 130 "Ctrl+C"
assert_eq 1 "$(cursor main)" "the cursor after Ctrl+C"

case_start "at 30 x 8 one line says the window is too small, and Esc leaves it"
PANE_SIZE="30 8"
pane_start small bash "$start"
pane_type small hm
pane_keys small Enter
pane_wait_flags small "1 1 1"
wait_until 10 "the line of a window too small" row_is small 4 "   Too small: needs 75 x 10"
pane_keys small Escape
ended small 1 "Esc at 30 x 8"
assert_pwd small "$start" "Esc at 30 x 8"

e2e_done
