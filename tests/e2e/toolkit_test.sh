#!/usr/bin/env bash
# The console toolkit on the real backend: the window size measured in a
# 120 x 40 and an 80 x 25 terminal, and framed boxes read back cell by cell
# (characters and colours) from Wine's console.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
out="$E2E_TMP/out"
result="$E2E_TMP/result"
screen="$E2E_TMP/screen"
colors="$E2E_TMP/colors"

# toolkit_probe SIZE: toolkit_probe.exe in a terminal of SIZE ("COLS ROWS"),
# the window read back into $screen and $colors afterwards.
toolkit_probe() {
  rm -f "$result" "$screen" "$colors"
  CONSOLE_SIZE="$1"
  INJECT_OPTIONS=(--screen "$(win_path "$screen")" --colors "$(win_path "$colors")")
  run_console "$out" "$programs" "$programs/toolkit_probe.exe" "$(win_path "$result")"
  assert_status 0 "toolkit_probe in $1"
}

# text_cells ROW COL COUNT: COUNT characters of the window from the 1-based
# cell COL, ROW (blanks where the row's trailing blanks were removed).
text_cells() {
  local line
  line=$(sed -n "$1p" "$screen")
  line+=$(printf '%*s' "$(($2 + $3))" "")
  echo "${line:$(($2 - 1)):$3}"
}

# color_cells ROW COL COUNT: the attributes (two hex digits each) of COUNT
# cells from COL, ROW.
color_cells() {
  local line
  line=$(sed -n "$1p" "$colors")
  echo "${line:$((($2 - 1) * 2)):$(($3 * 2))}"
}

# repeat TEXT COUNT: TEXT COUNT times.
repeat() {
  local i text=""
  for ((i = 0; i < $2; i++)); do text+="$1"; done
  echo "$text"
}

case_start "in a 120 x 40 terminal the window is 120 x 40 and the toolkit measures it"
toolkit_probe "120 40"
assert_file_bytes "$result" '120 40\r\n' "measured size"
assert_eq 40 "$(wc -l <"$screen")" "rows read back"
assert_eq "$(repeat "240 " 40)" "$(awk '{ printf "%d ", length($0) }' "$colors")" \
  "hex digits per row (120 cells)"
blank=$(color_cells 1 1 1)

case_start "the single-line box fills columns 100 to 108 of rows 35 to 37, nothing around it"
assert_eq "┌$(repeat ─ 7)┐" "$(text_cells 35 100 9)" "top edge"
assert_eq "│ Probe │" "$(text_cells 36 100 9)" "caption between the sides"
assert_eq "└$(repeat ─ 7)┘" "$(text_cells 37 100 9)" "bottom edge"
for row in 34 35 36 37 38; do
  assert_eq " " "$(text_cells "$row" 99 1)" "cell 99 of row $row"
  assert_eq " " "$(text_cells "$row" 109 1)" "cell 109 of row $row"
done
assert_eq "$(repeat " " 11)" "$(text_cells 34 99 11)" "row 34 above the box"
assert_eq "$(repeat " " 11)" "$(text_cells 38 99 11)" "row 38 below the box"

case_start "the single-line frame is yellow on blue, the caption white on blue"
assert_eq "$blank$(repeat 1e 9)$blank" "$(color_cells 35 99 11)" "top edge colours"
assert_eq "${blank}1e$(repeat 1f 7)1e$blank" "$(color_cells 36 99 11)" "caption row colours"
assert_eq "$blank$(repeat 1e 9)$blank" "$(color_cells 37 99 11)" "bottom edge colours"
assert_eq "$(repeat "$blank" 11)" "$(color_cells 34 99 11)" "row 34 colours"
assert_eq "$(repeat "$blank" 11)" "$(color_cells 38 99 11)" "row 38 colours"

case_start "the double-line box fills columns 3 to 11 of rows 2 to 5 in its own colours"
assert_eq "  ║ Twin  ║" "$(sed -n 3p "$screen")" "first line"
assert_eq "  ║ Lines ║" "$(sed -n 4p "$screen")" "second line"
assert_eq "  ╚$(repeat ═ 7)╝" "$(sed -n 5p "$screen")" "bottom edge"
assert_eq "  ╔$(repeat ═ 7)╗" "$(sed -n 2p "$screen")" "top edge"
assert_eq "$blank$blank$(repeat 4a 9)$blank" "$(color_cells 2 1 12)" "top edge colours"
assert_eq "$blank${blank}4a$(repeat 4c 7)4a$blank" "$(color_cells 3 1 12)" "first line colours"
assert_eq "$blank${blank}4a$(repeat 4c 7)4a$blank" "$(color_cells 4 1 12)" "second line colours"
assert_eq "$blank$blank$(repeat 4a 9)$blank" "$(color_cells 5 1 12)" "bottom edge colours"

case_start "in an 80 x 25 terminal the same program measures 80 x 25"
toolkit_probe "80 25"
assert_file_bytes "$result" '80 25\r\n' "measured size"
assert_eq 25 "$(wc -l <"$screen")" "rows read back"
assert_eq "  ╔$(repeat ═ 7)╗" "$(sed -n 2p "$screen")" "the on-screen box still drawn"

e2e_done
