#!/usr/bin/env bash
# hm and hf in one real shell, named by the argument (bash, zsh or fish),
# whose rc file sets the options and aliases that users commonly have
# before it sources the functions.
source "$(dirname "$0")/lib.sh"

shell="${1:?the shell to test: bash, zsh or fish}"
case "$shell" in
  bash)
    PANE_RC="set -u -o noclobber
alias cd='echo cd-alias' rm='echo rm-alias' mktemp='echo mktemp-alias' source='echo source-alias'"
    list_variables="compgen -v"
    cd_command="builtin cd"
    ;;
  zsh)
    PANE_RC="setopt no_unset no_clobber sh_word_split ksh_arrays err_return
alias cd='echo cd-alias' rm='echo rm-alias' mktemp='echo mktemp-alias' source='echo source-alias'"
    list_variables="print -rl -- \${(k)parameters[@]}"
    cd_command="builtin cd"
    ;;
  fish)
    list_variables="set -n"
    cd_command="cd"
    ;;
esac

start=$(new_dir Start)
weird=$'-a b\'c"d$e`f\\g!h*i\nj\xffk %x{y}~ Weird'
mkdir "$start/Archive" "$start/MyProjects" "$start/$weird"
touch "$start/projects.txt"
# hopfind as it is, but noting the handoff file's mode and owner before the
# program ran, its mode, owner and links after (through the descriptor, as
# the name has gone), its name and the shell named to it.
spies="$E2E_TMP/spies"
seen="$E2E_TMP/handoff-seen"
stand_in "$spies" hopfind <<EOF
stat -c '%a %u' -- "\$HOPDIR_HANDOFF" >>"$seen"
"$HOPDIR_BIN/hopfind" "\$@" && status=0 || status=\$?
stat -L -c '%a %u %h' -- "/dev/fd/\$HOPDIR_HANDOFF_FD" >>"$seen"
printf '%s\n' "\$HOPDIR_SHELL" "\$HOPDIR_HANDOFF" >>"$seen"
exit "\$status"
EOF
# hopmenu that has written a change of directory when it is interrupted.
sleepers="$E2E_TMP/sleepers"
stand_in "$sleepers" hopmenu <<EOF
echo 'builtin cd /' >"\$HOPDIR_HANDOFF"
touch "$E2E_TMP/menu-started"
exec sleep 60
EOF

pane_start main "$shell" "$start/Archive"
pane_path_first main "$spies"
# The names of the shell's variables once it has changed directories.
pane_run main "$cd_command $(pane_quote "$start")"
pane_run_output main "$list_variables"
variables=$PANE_OUTPUT

case_start "$shell: hm -A before any jump stays where it is, quietly"
pane_run_output main 'hm -A'
assert_status 0 "hm -A with an empty history"
assert_eq "" "$PANE_OUTPUT" "what hm -A printed"
assert_pwd main "$start" "hm -A with an empty history"

case_start "$shell: hf ignores the case of a-z and keeps the name's; the handoff file is private and goes"
pane_run main 'hf pRoJ'
assert_status 0 "hf pRoJ"
assert_pwd main "$start/MyProjects" "hf pRoJ"
mapfile -t handoff <"$seen"
assert_eq "600 $(id -u)|600 $(id -u) 0|$shell" "${handoff[0]}|${handoff[1]}|${handoff[2]}" \
  "handoff file's mode and owner before, mode, owner and links after the program, the shell named"
assert_eq "$(pane_dir main)/tmp" "${handoff[3]%/hopdir.*}" "handoff file made in TMPDIR"
assert_no_handoff main "after hf"

case_start "$shell: hm -A goes back to the directory left"
pane_run main 'hm -A'
assert_status 0 "hm -A"
assert_pwd main "$start" "hm -A"

case_start "$shell: hm -P to a directory that is gone says so and leaves the shell and the history alone"
rmdir "$start/MyProjects"
history="$(pane_dir main)/hopdir/HOPMENU.DAT"
recorded=$(cat "$history")
pane_run_output main 'hm -P'
assert_status 1 "hm -P to a directory that is gone"
assert_eq "Halting with error-code 1, because:
$start/MyProjects is not a directory that can be entered.
" "$PANE_OUTPUT" "what hm -P said"
assert_eq "$recorded" "$(cat "$history")" "the history after hm -P to a directory that is gone"
assert_pwd main "$start" "hm -P to a directory that is gone"
assert_no_handoff main "after hm -P to a directory that is gone"

case_start "$shell: a page killed by SIGKILL leaves the terminal as the function found it"
pane_run_output main 'command stty -g'
modes=$PANE_OUTPUT
hms=(hm)
# A shell without job control (a script) does not put the modes back itself.
[ "$shell" = fish ] || hms+=("$shell -c '. $HOPDIR_SHELL_DIR/hopdir.bash; hm'")
for hm in "${hms[@]}"; do
  pane_type main "$hm"
  pane_keys main Enter
  pane_wait_flags main "1 1 1"
  kill -KILL "$(menu_pid main)"
  pane_wait_prompt main
  assert_status 137 "$hm killed by SIGKILL"
  assert_eq "0 0 0 1 1" \
    "$(pane_flags main) $(e2e_tmux display -p -t =main: '#{wrap_flag} #{cursor_flag}')" \
    "mouse reporting, alternate screen, autowrap and cursor after SIGKILL of $hm"
  pane_run_output main 'command stty -g'
  assert_eq "$modes" "$PANE_OUTPUT" "the terminal's modes after SIGKILL of $hm"
done
assert_no_handoff main "after SIGKILL"

case_start "$shell: a TMPDIR that is missing, no directory or relative gives way to /tmp"
set_tmpdir() {
  if [ "$shell" = fish ]; then
    pane_run main "set -gx TMPDIR $(pane_quote "$1")"
  else
    pane_run main "TMPDIR=$(pane_quote "$1")"
  fi
}
for tmpdir in "$E2E_TMP/missing" "$start/projects.txt" "-p"; do
  set_tmpdir "$tmpdir"
  pane_run main 'hf arch'
  assert_status 0 "hf arch with TMPDIR $tmpdir"
  assert_pwd main "$start/Archive" "hf arch with TMPDIR $tmpdir"
  pane_run main "$cd_command .."
done
set_tmpdir "$(pane_dir main)/tmp"

case_start "$shell: closing the terminal while the page is up leaves no handoff file"
pane_start closing "$shell" "$start"
pane_type closing 'hm'
pane_keys closing Enter
pane_wait_flags closing "1 1 1"
closing_shell=$(e2e_tmux display -p -t =closing: '#{pane_pid}')
pane_stop closing
gone() {
  ! kill -0 "$1" 2>/dev/null
}
wait_until 10 "the closed pane's shell to end" gone "$closing_shell"
assert_no_handoff closing "after the terminal was closed"

case_start "$shell: a name with blanks, quotes, \$, \`, \\, !, *, a leading -, a newline and invalid UTF-8 lands exactly"
pane_run main 'hf weird'
assert_status 0 "hf weird"
assert_pwd main "$start/$weird" "hf weird"

case_start "$shell: a failing hf leaves the shell where it was and returns the program's status"
pane_run_output main 'hf nomatch'
assert_status 1 "hf nomatch"
assert_eq "Halting because: Found no subdirectory containing nomatch
Invoke with: hopfind Part_of_Subdirectory_Name
  to change into subdirectory with that part in its name.
" "$PANE_OUTPUT" "hf nomatch's output"
assert_pwd main "$start/$weird" "after hf nomatch"
assert_no_handoff main "after hf nomatch"

case_start "$shell: Ctrl+C during the program deletes the handoff file and returns 130"
pane_path_first main "$sleepers"
pane_type main 'hm'
pane_keys main Enter
wait_until "$E2E_PATIENCE" "the stand-in hopmenu" test -e "$E2E_TMP/menu-started"
pane_keys main C-c
pane_wait_prompt main
assert_status 130 "hm ended by Ctrl+C"
assert_no_handoff main "after Ctrl+C"
assert_pwd main "$start/$weird" "after Ctrl+C (the handoff file was not run)"

case_start "$shell: the functions leave no variable behind, and the user's INT trap as it was"
pane_run_output main "$list_variables"
assert_eq "$variables" "$PANE_OUTPUT" "the names of the shell's variables"
if [ "$shell" != fish ]; then
  pane_run_output main 'trap'
  assert_eq "" "$PANE_OUTPUT" "traps after Ctrl+C"
  pane_run main "trap 'echo user-trap' INT"
  pane_run main 'hf nomatch'
  pane_run_output main 'trap'
  assert_eq "trap -- 'echo user-trap' $([ "$shell" = bash ] && echo SIGINT || echo INT)" \
    "${PANE_OUTPUT%$'\n'}" "the user's INT trap after hf"
fi

e2e_done
