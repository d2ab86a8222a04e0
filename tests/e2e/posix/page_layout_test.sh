#!/usr/bin/env bash
# The page of hm as the terminal shows it, row for row: started at 80 x 25
# and at 120 x 40, and drawn anew at 80 x 30 and then at 120 x 40 when the
# window grows under it. Names in CJK and with accents keep every frame in its column, and a
# long CJK name is cut between two characters.
source "$(dirname "$0")/lib.sh"

work=$(new_dir w)
cjk20=""
for _ in 1 2 3 4 5 6 7 8 9 10; do cjk20+="漢字"; done
long_cjk="ab$cjk20"
mkdir "$work/alpha" "$work/Beta" "$work/Café Ünïcode" "$work/中文目录" "$work/$long_cjk"
# The right list shows the history; its entries need not exist.
recent=(/srv/Café /srv/中文)

# rep TEXT N: TEXT N times over.
rep() {
  local i out=""
  for ((i = 0; i < $2; i++)); do out+=$1; done
  printf '%s' "$out"
}

# cells TEXT: the terminal cells TEXT takes.
cells() {
  printf '%s' "$1" | wc -L
}

# A list box WIDTH cells wide: its top row with TITLE centred, an entry
# row with TEXT after one blank, its bottom row.
box_top() {
  local title_cells before
  title_cells=$(cells "$2")
  before=$((($1 - 1) / 2 - title_cells / 2 - 1))
  printf '┌%s%s%s┐' "$(rep ─ "$before")" "$2" "$(rep ─ $(($1 - 2 - before - title_cells)))"
}
box_row() {
  printf '│ %s%*s│' "$2" $(($1 - 3 - $(cells "$2"))) ''
}
box_bottom() {
  printf '└%s┘' "$(rep ─ $(($1 - 2)))"
}

# status_row COLS DESTINATION: the status line; a destination too long for
# it keeps its end after an ellipsis.
status_row() {
  local room=$(($1 - 23)) destination="$2"
  [ "${#destination}" -le "$room" ] || destination="…${destination: -$((room - 1))}"
  printf 'Current destination: %s' "$destination"
}

# expected_page COLS ROWS MOUNT ENTRY...: the start page in $work, whose
# paths list holds ENTRY... and is titled after MOUNT, each row without
# its trailing blanks.
expected_page() {
  local cols="$1" rows="$2" mount="$3" row left right line
  local left_cols=$((cols / 3))
  local right_cols=$((cols - left_cols))
  shift 3
  local entries=("$@")
  for ((row = 1; row <= rows; row++)); do
    case $row in
      1) left="┌────────┐┌────────┐┌───┐" ;;
      2) left="│ <Mount ││ Mount> ││ / │" ;;
      3) left="└────────┘└────────┘└───┘" ;;
      4) left=$(box_top "$left_cols" "Paths on $mount") ;;
      $((rows - 1))) left=$(box_bottom "$left_cols") ;;
      "$rows") left=$(status_row "$cols" "$work/") ;;
      *) left=$(box_row "$left_cols" "${entries[row - 5]:-}") ;;
    esac
    [ "$row" -gt 3 ] || left+=$(rep ' ' $((left_cols - 25)))
    case $row in
      1) right=$(box_top "$right_cols" "Recent Directories:") ;;
      $((rows - 4))) right=$(box_bottom "$right_cols") ;;
      $((rows - 3))) right="┌──────┐┌───────┐┌────────────────┐" ;;
      $((rows - 2))) right="│ DONE ││ ABORT ││ HOT/cold/files │" ;;
      $((rows - 1))) right="└──────┘└───────┘└────────────────┘" ;;
      "$rows") right="" ;;
      *) right=$(box_row "$right_cols" "${recent[row - 2]:-}") ;;
    esac
    line="$left$right"
    printf '%s\n' "${line%"${line##*[! ]}"}"
  done
}

# assert_screen NAME EXPECTED WHAT: the pane shows EXPECTED, row for row.
assert_screen() {
  local actual row
  local -a want got
  actual=$(pane_screen "$1")
  [ "$actual" != "$2" ] || return 0
  mapfile -t want <<<"$2"
  mapfile -t got <<<"$actual"
  for ((row = 0; row < ${#want[@]} || row < ${#got[@]}; row++)); do
    [ "${want[row]:-}" == "${got[row]:-}" ] ||
      fail "$3: row $((row + 1)) differs
expected: '${want[row]:-}'
actual:   '${got[row]:-}'"
  done
}

# wait_screen NAME EXPECTED WHAT: waits (E2E_PATIENCE at most) until the
# pane shows EXPECTED, then asserts it.
wait_screen() {
  local deadline=$((SECONDS + E2E_PATIENCE))
  until [ "$(pane_screen "$1")" == "$2" ] || [ "$SECONDS" -ge "$deadline" ]; do
    sleep 0.05
  done
  assert_screen "$@"
}

# open_page NAME: runs hm in the pane and waits for its page.
open_page() {
  pane_type "$1" hm
  pane_keys "$1" Enter
  pane_wait_flags "$1" "1 1 1"
  pane_wait_text "$1" "Current destination: "
}

# The mount point the paths list is named after (the storage mount holding
# $work, which depends on the machine): a mount point, and one above $work.
mount_shown() {
  local title mount
  title=$(pane_screen "$1" | sed -n 4p)
  mount=${title#*Paths on }
  mount=${mount%%─*}
  awk -v m="$mount" '$2 == m { found = 1 } END { exit !found }' /proc/self/mounts ||
    fail "the paths list's title names '$mount', which is no mount point"
  [[ "$mount" == / || "$work/" == "$mount/"* ]] || fail "'$mount' does not hold $work"
  printf '%s\n' "$mount"
}

for pane in main wide; do
  mkdir -p "$(pane_dir "$pane")/hopdir"
  printf '%s\n' "${recent[@]}" >"$(pane_dir "$pane")/hopdir/HOPMENU.DAT"
done

case_start "the start page at 80 x 25, with its colours"
pane_start main bash "$work"
open_page main
mount=$(mount_shown main)
# The long name is cut to the 23 cells of a row: 22 cells of it, then the
# ellipsis.
small=(. .. "ab${cjk20:0:10}…" alpha Beta "Café Ünïcode" 中文目录)
wait_screen main "$(expected_page 80 25 "$mount" "${small[@]}")" "the page at 80 x 25"
colours=$(pane_screen main -e)
assert_contains "$colours" $'\e[32mDONE' "DONE in green"
assert_contains "$colours" $'\e[97mABORT' "ABORT in white"
status=$(status_row 80 "$work/")
assert_contains "$colours" $'\e[97mdestination:\e[39m \e[32m'"${status#Current destination: }" \
  "the caption white, the destination green"

case_start "the start page at 120 x 40"
PANE_SIZE="120 40"
pane_start wide bash "$work"
open_page wide
# 37 cells a row: 36 to the 17th CJK character, then the ellipsis.
large=(. .. "ab${cjk20:0:17}…" alpha Beta "Café Ünïcode" 中文目录)
wide_page=$(expected_page 120 40 "$mount" "${large[@]}")
wait_screen wide "$wide_page" "the page at 120 x 40"
# ABORT lies in columns 49-57 of rows 37-39.
pane_press wide 52 38
pane_wait_prompt wide
assert_status 1 "ABORT at 120 x 40"

case_start "a page at 80 x 25 grown to 80 x 30, its rows alone, is drawn anew at the new size"
pane_resize main 80 30
wait_screen main "$(expected_page 80 30 "$mount" "${small[@]}")" "the page grown to 80 x 30"

case_start "a page at 80 x 30 grown to 120 x 40 is drawn anew at the new size, and presses follow"
pane_resize main 120 40
wait_screen main "$wide_page" "the page grown to 120 x 40"
# DONE now lies in columns 41-48 of rows 37-39.
pane_press main 44 38
pane_wait_prompt main
assert_status 0 "DONE at the new size"
assert_eq "0 0 0" "$(pane_flags main)" "mouse reporting and alternate screen after DONE"
assert_pwd main "$work" "DONE at the new size"

e2e_done
