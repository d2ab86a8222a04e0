#!/usr/bin/env bash
# Hostile input for a waiting page, through tmux as a terminal would send
# it: random bytes with NULs and control characters, escape sequences cut
# short or with huge parameters, SGR and X10 mouse reports with absurd
# coordinates (tools/hostile_input.cpp makes them). The page neither dies
# nor hangs; it still takes presses, ends normally and leaves the terminal
# as it found it. The keys the terminal turns into signals, and those that
# move or end the page, are kept out of the random bytes; the signal keys
# are sent on their own afterwards.
source "$(dirname "$0")/lib.sh"
: "${HOPDIR_HOSTILE_INPUT:?HOPDIR_HOSTILE_INPUT must name the hostile_input tool}"

seed="${E2E_SEED:-$RANDOM}"
echo "seed $seed (E2E_SEED=$seed repeats this run)"

start=$(new_dir Start)
mkdir "$start/Target"
chunks="$E2E_TMP/chunks"

# send_hostile NAME SEED SIZE: SIZE bytes of hostile input into the pane,
# in pieces of 4 KiB through a paste buffer, which passes every byte as it
# is (the page does not ask for bracketed pastes). Should the page be gone,
# no more is sent: the shell would take the rest as typed commands.
send_hostile() {
  rm -rf "$chunks"
  mkdir "$chunks"
  "$HOPDIR_HOSTILE_INPUT" "$2" "$3" 80 25 | (cd "$chunks" && split -b 4096 -a 4)
  for chunk in "$chunks"/*; do
    pane_has_flags "$1" "1 1 1" || fail "the page is gone after $(basename "$chunk") of the hostile input"
    e2e_tmux load-buffer -b hostile "$chunk"
    e2e_tmux paste-buffer -r -d -b hostile -t "=$1:"
  done
}

# end_sequence NAME: three CANs, which end whatever sequence the hostile
# bytes left open, without waiting for the decoder to give up on it: a key
# sent right after an X10 mouse report's "ESC [ M" would otherwise be taken
# for one of the report's three bytes, or not, depending on whether the
# page's wait for the rest of the report had run out by then.
end_sequence() {
  pane_type "$1" $'\x18\x18\x18'
}

# press_text NAME TEXT: a press on the first cell where TEXT shows. Three
# CANs and Ctrl+U go first, ending what the hostile bytes left open and
# clearing the filter they typed; end_sequence goes again before the press.
press_text() {
  pane_type "$1" $'\x18\x18\x18\x15'
  pane_wait_text "$1" "$2"
  local row=0 line
  while IFS= read -r line; do
    row=$((row + 1))
    if [[ "$line" == *"$2"* ]]; then
      line=${line%%"$2"*}
      end_sequence "$1"
      pane_press "$1" $((${#line} + 1)) "$row"
      return
    fi
  done < <(pane_screen "$1")
  fail "'$2' is not on the screen of pane $1"
}

# signal_key NAME HEX: the key of byte HEX (1a Ctrl+Z, 1c Ctrl+\, 03 Ctrl+C),
# after end_sequence.
signal_key() {
  end_sequence "$1"
  e2e_tmux send-keys -t "=$1:" -H "$2"
}

# assert_terminal_restored NAME WHAT: no mouse reporting, no alternate
# screen, and the terminal's modes as they were before the page.
assert_terminal_restored() {
  assert_eq "0 0 0" "$(pane_flags "$1")" "$2: mouse reporting, SGR mouse, alternate screen"
  assert_eq "$modes" "$(stty -g -F "$(e2e_tmux display -p -t "=$1:" '#{pane_tty}')")" \
    "$2: the terminal's modes"
}

case_start "256 KiB of hostile input: the page waits on, takes two presses, lands and restores"
# No interactive shell: whatever the page might leave unread goes to cat.
E2E_PANE_SHELL[page]=bash
# shellcheck disable=SC2016 # the script's own arguments
e2e_tmux new-session -d -s page -x 80 -y 25 -c "$start" -- env -i HOME="$E2E_TMP" TERM=screen \
  LANG=C.UTF-8 LC_ALL=C.UTF-8 PATH="$HOPDIR_BIN:/usr/bin:/bin" TMPDIR="$E2E_TMP" \
  HOPDIR_HOME="$E2E_TMP/hopdir" bash --norc --noprofile -c \
  '. "$1"; stty -g >"$2"; hm; echo "$?" >"$3"; pwd >"$4"; exec cat >/dev/null' \
  - "$HOPDIR_SHELL_DIR/hopdir.bash" "$E2E_TMP/modes" "$E2E_TMP/status" "$E2E_TMP/landed"
pane_wait_flags page "1 1 1"
pane_wait_text page DONE
modes=$(cat "$E2E_TMP/modes")
send_hostile page "$seed" 262144
press_text page Target
pane_wait_text page "Current destination: $start/Target/"
press_text page DONE
wait_until "$E2E_PATIENCE" "hm to end" test -s "$E2E_TMP/status"
assert_eq 0 "$(cat "$E2E_TMP/status")" "hm's status after hostile input"
assert_eq "$start/Target" "$(cat "$E2E_TMP/landed")" "where hm landed after hostile input"
assert_terminal_restored page "after DONE"

case_start "after hostile input Ctrl+Z stops the page on the user's terminal, fg shows it again, Ctrl+\\ ends it"
pane_start main bash "$start"
modes=$(stty -g -F "$(e2e_tmux display -p -t "=main:" '#{pane_tty}')")
pane_type main hopmenu
pane_keys main Enter
pane_wait_flags main "1 1 1"
send_hostile main $((seed + 1)) 32768
signal_key main 1a
pane_wait_prompt main
assert_status 148 "hopmenu stopped by Ctrl+Z"
assert_terminal_restored main "after Ctrl+Z"
pane_type main fg
pane_keys main Enter
pane_wait_flags main "1 1 1"
pane_wait_text main DONE
send_hostile main $((seed + 2)) 32768
signal_key main 1c
pane_wait_prompt main
assert_status 131 "hopmenu ended by Ctrl+\\"
assert_terminal_restored main "after Ctrl+\\"

case_start "after hostile input Ctrl+C ends hm on the user's terminal, where the shell was"
pane_type main hm
pane_keys main Enter
pane_wait_flags main "1 1 1"
send_hostile main $((seed + 3)) 32768
signal_key main 03
pane_wait_prompt main
assert_status 130 "hm ended by Ctrl+C"
assert_pwd main "$start" "hm ended by Ctrl+C"
assert_no_handoff main "after Ctrl+C"
assert_terminal_restored main "after Ctrl+C"

e2e_done
