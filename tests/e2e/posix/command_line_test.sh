#!/usr/bin/env bash
# The programs on a command line of their own: the options they share and
# hopmenu's --history; messages on standard error, speaking of what was
# typed, and on standard output only the destination they print; control
# characters in a printed name escaped on a terminal and exact into a pipe;
# relative destinations that no shell takes for anything else (CDPATH, -,
# an option) in bash and fish.
source "$(dirname "$0")/lib.sh"

start=$(new_dir start)
history_home=$(new_dir data)
mkdir "$start/with-h" "$start/title"$'\e]0;PWNED\a'
printf '%s\n' "$start/with-h" "$start" >"$history_home/HOPMENU.DAT"
hop_env=("HOME=$E2E_TMP" "HOPDIR_HOME=$history_home")

case_start "the options: usage and version on standard output, an unknown option an error"
usage_of() {
  run_direct "$start" "${hop_env[@]}" "$1" --help
  assert_status 0 "$1 --help"
  assert_eq "" "$ERR" "$1 --help on standard error"
  USAGE=$OUT
}
usage_of hopmenu
assert_contains "$USAGE" "Usage: hm [-A | -P | PART]" "hopmenu's usage"
assert_contains "$USAGE" "--history" "hopmenu's usage"
hopmenu_usage=$USAGE
usage_of hopfind
assert_contains "$USAGE" "Usage: hf PART" "hopfind's usage"
usage_of hopclean
assert_contains "$USAGE" "Usage: hopclean" "hopclean's usage"
for program in hopmenu hopfind hopclean; do
  run_direct "$start" "${hop_env[@]}" "$program" --version
  assert_status 0 "$program --version"
  [[ "$OUT" =~ ^$program\ \(Hopdir\)\ [0-9]+\.[0-9]+\.[0-9]+$'\n'$ ]] ||
    fail "$program --version printed '$OUT'"
done
# hm -h used to look for -h in the history, and found with-h.
run_direct "$start" "${hop_env[@]}" hopmenu -h
assert_status 0 "hopmenu -h"
assert_eq "$hopmenu_usage" "$OUT" "hopmenu -h"
for program in hopmenu hopfind; do
  run_direct "$start" "${hop_env[@]}" "$program" -x
  assert_status 2 "$program -x"
  assert_eq "" "$OUT" "$program -x on standard output"
  assert_contains "$ERR" "$program: unknown option -x"$'\n'"Usage: " "$program -x"
done
run_direct "$start" "${hop_env[@]}" hopclean -x
assert_status 0 "hopclean -x (ignored)"
assert_eq "|Delete failed."$'\n' "$OUT|$ERR" "hopclean -x with no handoff file"
# After -- a word with a leading - is looked for.
run_direct "$start" "${hop_env[@]}" hopmenu -- -h
assert_status 0 "hopmenu -- -h"
assert_eq "$start/with-h"$'\n' "$OUT" "hopmenu -- -h"
run_direct "$start" "${hop_env[@]}" hopmenu --history
assert_status 0 "hopmenu --history"
assert_eq "$start/with-h"$'\n'"$start"$'\n' "$OUT" "hopmenu --history"

case_start "messages on standard error, with the part as it was typed; the destination alone on standard output"
run_direct "$start" "${hop_env[@]}" hopmenu music
assert_eq "1||Halting with error-code 1, because:"$'\n'"music not found in history list."$'\n' \
  "$STATUS|$OUT|$ERR" "hopmenu music"
run_direct "$start" "${hop_env[@]}" hopfind
assert_eq "1||Halting because: hopfind takes one parameter"$'\n' \
  "$STATUS|$OUT|$(head -n 1 <<<"$ERR")"$'\n' "hopfind without a part"
run_direct "$start" "${hop_env[@]}" hopfind zzZ
assert_eq "1||Halting because: Found no subdirectory containing zzZ"$'\n' \
  "$STATUS|$OUT|$(head -n 1 <<<"$ERR")"$'\n' "hopfind zzZ"

case_start "a name's control characters: exact into a pipe, escaped on a terminal"
run_direct "$start" hopfind title
assert_status 0 "hopfind title into a pipe"
assert_eq "$start/title"$'\e]0;PWNED\a\n' "$OUT" "hopfind title into a pipe"
pane_start main bash "$start"
title=$(e2e_tmux display -p -t =main: '#{pane_title}')
pane_run main 'command hopfind title; echo "status $?"'
assert_eq "$title" "$(e2e_tmux display -p -t =main: '#{pane_title}')" "the terminal's title"
assert_contains "$(pane_screen main -J)" "$start/title\\x1b]0;PWNED\\x07"$'\n'"status 0" \
  "hopfind title on the terminal"

case_start "relative destinations start with ./: CDPATH, - and --help in bash and fish"
# A working directory deeper than a path may be: hopfind hands on the name
# alone.
deep="$start"
while [ ${#deep} -le 255 ]; do deep+="/$(printf 'd%.0s' $(seq 60))"; done
mkdir -p "$deep/a/target" "$deep/a/-" "$deep/b/--help" "$E2E_TMP/cdpath/target"
pane_run main "CDPATH=$(pane_quote "$E2E_TMP/cdpath")"
for part in targ -; do
  pane_run main "builtin cd $(pane_quote "$deep/a")"
  pane_run main "hf $part"
  assert_status 0 "hf $part with CDPATH"
  pane_run_output main 'builtin pwd -P'
  assert_eq "$deep/a/${part/targ/target}"$'\n' "$PANE_OUTPUT" "hf $part with CDPATH"
done
pane_start fish fish "$deep/b"
pane_run fish 'hf hel'
assert_status 0 "hf hel in fish"
pane_run_output fish 'builtin pwd -P'
assert_eq "$deep/b/--help"$'\n' "$PANE_OUTPUT" "hf hel in fish"

e2e_done
