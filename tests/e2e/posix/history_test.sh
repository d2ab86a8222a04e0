#!/usr/bin/env bash
# hm -A, -P and part of a path in bash, jumping through the history that
# hopmenu keeps in HOPDIR_HOME.
source "$(dirname "$0")/lib.sh"

root=$(new_dir root)
start="$root/Start"
tools="$root/Work/Tools"
home="$root/Home"
mkdir -p "$start" "$tools" "$home"
pane_start main bash "$start"
history="$(pane_dir main)/hopdir/HOPMENU.DAT"

case_start "the first save creates HOPDIR_HOME and the history, LF-ended"
[ ! -e "$(pane_dir main)/hopdir" ] || fail "HOPDIR_HOME exists before the first save"
pane_run main 'hm -A'
assert_status 0 "hm -A with an empty history"
assert_pwd main "$start" "hm -A with an empty history"
# The empty destination is saved as an empty line, which the next load skips.
assert_file_bytes "$history" "\n$(literal "$start")\n" "history after the first save"

case_start "part of a path, -P, -A and -p jump through the history, names keeping their case"
pane_run main "builtin cd $(pane_quote "$tools")"
pane_run main 'hm sTaRt'
assert_status 0 "hm sTaRt"
assert_pwd main "$start" "hm sTaRt"
pane_run main 'hm -P'
assert_pwd main "$tools" "hm -P"
pane_run main "builtin cd $(pane_quote "$home")"
pane_run main 'hm -A'
assert_pwd main "$tools" "hm -A"
pane_run main 'hm -p'
assert_status 0 "hm -p"
assert_pwd main "$home" "hm -p"
assert_file_bytes "$history" "$(literal "$home")\n$(literal "$tools")\n$(literal "$start")\n" \
  "history after the jumps"

case_start "a working directory that was removed is not recorded"
mkdir "$root/Doomed"
pane_run main "builtin cd $(pane_quote "$root/Doomed")"
rmdir "$root/Doomed"
pane_run main 'hm -A'
assert_status 0 "hm -A from a removed working directory"
assert_pwd main "$home" "hm -A from a removed working directory"
assert_file_bytes "$history" "$(literal "$home")\n$(literal "$tools")\n$(literal "$start")\n" \
  "history after hm -A from a removed working directory"

case_start "a directory its mode keeps the user out of is no destination"
if [ "$(id -u)" -eq 0 ]; then
  # As nobody, whom the mode keeps out (it would not keep root out).
  locked="$root/Locked"
  data=$(new_dir nobody-data)
  mkdir -m 700 "$locked"
  printf '%s\n' "$locked" >"$data/HOPMENU.DAT"
  chown -R nobody "$data"
  chmod 0711 "$E2E_TMP"
  run_direct "$root" setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env "HOPDIR_HOME=$data" "$HOPDIR_BIN/hopmenu" -A
  assert_eq "1||Halting with error-code 1, because:"$'\n'"$locked is not a directory that can be entered."$'\n' \
    "$STATUS|$OUT|$ERR" "hopmenu -A as nobody to $locked"
  assert_file_bytes "$data/HOPMENU.DAT" "$(literal "$locked")\n" "nobody's history"
else
  echo "SKIP: needs root, to be another user"
fi

case_start "a history of 150 lines gives hm -A its first and is saved as 100"
mkdir -p "$root/d"{001..150}
printf '%s\n' "$root/d"{001..150} >"$history"
pane_run main 'hm -A'
assert_status 0 "hm -A with 150 lines"
assert_pwd main "$root/d001" "hm -A with 150 lines"
assert_eq 100 "$(wc -l <"$history")" "lines saved"
assert_eq "$root/d001" "$(head -n 1 "$history")" "the first line saved"
assert_eq "$root/d099" "$(tail -n 1 "$history")" "the last line saved"

e2e_done
