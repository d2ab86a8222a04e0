#!/usr/bin/env bash
# The terminal around the page: its settings and screen as found after
# every way the program ends (DONE, ABORT, Ctrl+C, SIGTERM), Ctrl+Z and fg
# with the page drawn again, a SIGWINCH that finds the size unchanged
# drawing it again all the same, keys typed while it cannot read them
# never reaching the shell, and no processor time spent and no wake-ups
# while it waits.
source "$(dirname "$0")/lib.sh"

start=$(new_dir s)
mkdir "$start/alpha"
notes=$(pane_dir main)
# An interactive shell puts its own terminal settings back when a job ends
# or stops, which would hide what the program left: sh notes them right
# before and right after hopmenu. Its trap lets it go on after a Ctrl+C
# that ends hopmenu, which gets the default action back on exec.
cat >"$E2E_TMP/menu.sh" <<'EOF'
trap : INT
stty -a >"$1/before"
hopmenu >"$1/out"
status=$?
stty -a >"$1/after"
exit "$status"
EOF
menu_sh="sh $(pane_quote "$E2E_TMP/menu.sh") $(pane_quote "$notes")"

# row_is NAME ROW TEXT: the pane's ROW reads TEXT, trailing blanks aside.
row_is() {
  [ "$(pane_screen "$1" -S $(($2 - 1)) -E $(($2 - 1)))" == "$3" ]
}

# page_up NAME DIR: the page is up and shows DIR/ as its destination.
page_up() {
  pane_wait_flags "$1" "1 1 1"
  wait_until "$E2E_PATIENCE" "the page on $2" row_is "$1" 25 "Current destination: $2/"
}

# page_ended NAME STATUS WHAT: the program ended with STATUS, the screen
# and the terminal's settings as sh found them.
page_ended() {
  pane_wait_prompt "$1"
  assert_status "$2" "$3"
  assert_eq "0 0 0" "$(pane_flags "$1")" "mouse reporting and alternate screen after $3"
  cmp -s "$notes/before" "$notes/after" ||
    fail "$3: stty -a differs: $(diff "$notes/before" "$notes/after")"
}

# stopped NAME WHAT: the job stopped and the shell is back at its prompt,
# the page gone from the screen.
stopped() {
  pane_wait_prompt "$1"
  assert_status 148 "the job stopped by $2"
  assert_eq "0 0 0" "$(pane_flags "$1")" "mouse reporting and alternate screen after $2"
}

# resumed NAME DIR: fg brings the page on DIR back.
resumed() {
  pane_type "$1" fg
  pane_keys "$1" Enter
  page_up "$1" "$2"
}

pane_start main bash "$start"

case_start "the terminal as found after DONE, ABORT, Ctrl+C and SIGTERM"
for end in DONE ABORT Ctrl+C SIGTERM; do
  rm -f "$notes/before" "$notes/after"
  pane_type main "$menu_sh"
  pane_keys main Enter
  page_up main "$start"
  case $end in
    DONE)
      status=0
      pane_press main 30 23
      ;;
    ABORT)
      status=1
      pane_press main 38 23
      ;;
    Ctrl+C)
      status=130
      pane_keys main C-c
      ;;
    SIGTERM)
      status=143
      kill -TERM "$(menu_pid main)"
      ;;
  esac
  page_ended main "$status" "$end"
done

case_start "Ctrl+Z stops sh and hopmenu with the terminal as found; after fg the page is back and takes presses"
pane_type main "$menu_sh"
pane_keys main Enter
page_up main "$start"
pane_keys main C-z
stopped main "Ctrl+Z"
pane_run_output main 'echo at the prompt'
assert_eq $'at the prompt\n' "$PANE_OUTPUT" "a command while the page is stopped"
resumed main "$start"
pane_press main 3 7
page_up main "$start/alpha"
pane_press main 30 23
page_ended main 0 "DONE after fg"
assert_file_bytes "$notes/out" "$(literal "$start/alpha")\n" "the destination after fg"

case_start "hm stopped by SIGTSTP, then by Ctrl+Z: the prompt works, the page comes back, and cannot hand over"
pane_type main hm
pane_keys main Enter
page_up main "$start"
kill -TSTP "$(menu_pid main)"
stopped main "SIGTSTP"
resumed main "$start"
pane_keys main C-z
stopped main "Ctrl+Z"
assert_no_handoff main "once hm has returned"
pane_run_output main 'echo at the prompt'
assert_eq $'at the prompt\n' "$PANE_OUTPUT" "a command while hm is stopped"
resumed main "$start"
pane_press main 3 7
page_up main "$start/alpha"
pane_press main 30 23
# A function cannot wait for a stopped program: hm went on and deleted
# its handoff file, which the program then fails to find, rather than
# leave a new one behind.
pane_wait_prompt main
assert_status 2 "DONE after fg, once hm has returned"
assert_eq "0 0 0" "$(pane_flags main)" "mouse reporting and alternate screen after DONE"
assert_contains "$(pane_screen main)" "Runtime error 2: I/O failure." "the report after DONE"
assert_no_handoff main "after DONE"
assert_pwd main "$start" "after DONE"

case_start "a SIGWINCH that finds the size as it was draws the whole page again"
# sh around hopmenu: an interactive shell would take a job stopped with
# SIGSTOP to the background.
pane_type main "$menu_sh"
pane_keys main Enter
page_up main "$start"
pid=$(menu_pid main)
# Shrunk and grown back while the program is stopped: the SIGWINCHes wait
# for it, and find the size as it was.
kill -STOP "$pid"
e2e_tmux resize-window -t "=main:" -x 40 -y 12
e2e_tmux resize-window -t "=main:" -x 80 -y 25
kill -CONT "$pid"
page_up main "$start"
# A terminal crops and rewraps what it shows when resized: the page must
# not trust what it drew before, even when the size is the same.
printf '\e[2J\e[5;5Hscribbled' >"$(e2e_tmux display -p -t "=main:" '#{pane_tty}')"
wait_until 10 "the scribble" pane_shows main scribbled
kill -WINCH "$pid"
page_up main "$start"
! pane_shows main scribbled || fail "the page was not drawn whole again after the SIGWINCH"
pane_keys main Escape
page_ended main 1 "Esc after the SIGWINCH"

case_start "keys typed while the page cannot read them never reach the shell"
pane_type main "$menu_sh"
pane_keys main Enter
page_up main "$start"
pid=$(menu_pid main)
kill -STOP "$pid"
pane_type main "touch $(pane_quote "$E2E_TMP/leaked")"
pane_keys main Enter
# Pending while the program is stopped, SIGTERM comes before any read.
kill -TERM "$pid"
kill -CONT "$pid"
page_ended main 143 "SIGTERM on a stopped page"
pane_run main true
[ ! -e "$E2E_TMP/leaked" ] || fail "the keys typed on the stopped page ran as a command"

case_start "the waiting page takes no processor time and wakes for nothing, keys typed meanwhile or not, and drops those keys"
pane_type main hm
pane_keys main Enter
page_up main "$start"
pane_type main "false "
pid=$(menu_pid main)
# cpu_us: the processor time the page has used so far, in microseconds:
# the first field of each thread's schedstat, in nanoseconds. utime and
# stime of /proc/PID/stat count whole clock ticks (10 ms), too coarse for
# what is allowed here: two readings taken a little over one tick of use
# apart may differ by two. Kernels without schedstat get those ticks.
cpu_us() {
  local task run fields total=0
  if [ -r "/proc/$pid/schedstat" ]; then
    for task in /proc/"$pid"/task/*/schedstat; do
      read -r run _ <"$task"
      total=$((total + run / 1000))
    done
  else
    # utime and stime, the 14th and 15th fields (the name, in parentheses,
    # holds no blank here).
    read -ra fields <"/proc/$pid/stat"
    total=$(((fields[13] + fields[14]) * 1000000 / $(getconf CLK_TCK)))
  fi
  echo "$total"
}
# The times the process gave up the processor of its own accord: each
# wake-up from a wait ends in one.
wake_ups() {
  sed -n 's/^voluntary_ctxt_switches:[[:space:]]*//p' "/proc/$pid/status"
}
before=$(cpu_us)
woken=$(wake_ups)
# The page waits for a press meanwhile.
sleep 5
used=$((($(cpu_us) - before) / 1000))
woken=$(($(wake_ups) - woken))
[ "$used" -lt 20 ] || fail "the page used ${used} ms of processor time in 5 s of waiting"
[ "$woken" -le 3 ] || fail "the page woke $woken times in 5 s of waiting"
pane_press main 38 23
pane_wait_prompt main
assert_status 1 "ABORT after the wait"
pane_run main 'true'
assert_status 0 "the command typed after the page (the keys typed on it gone)"

e2e_done
