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
# hopfind as it is, but noting the handoff file's mode and owner before and
# after the program wrote it, its name and the shell named to it.
spies="$E2E_TMP/spies"
seen="$E2E_TMP/handoff-seen"
stand_in "$spies" hopfind <<EOF
stat -c '%a %u' -- "\$HOPDIR_HANDOFF" >>"$seen"
"$HOPDIR_BIN/hopfind" "\$@" && status=0 || status=\$?
stat -c '%a %u' -- "\$HOPDIR_HANDOFF" >>"$seen"
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
assert_eq "600 $(id -u)|600 $(id -u)|$shell" "${handoff[0]}|${handoff[1]}|${handoff[2]}" \
  "handoff file's mode and owner before and after the program wrote it, and the shell named"
assert_eq "$(pane_dir main)/tmp/hopdir." "${handoff[3]%??????????}" "handoff file made in TMPDIR"
assert_no_handoff main "after hf"

case_start "$shell: hm -A goes back to the directory left"
pane_run main 'hm -A'
assert_status 0 "hm -A"
assert_pwd main "$start" "hm -A"

case_start "$shell: hm -P to a directory that is gone leaves the shell where it was"
rmdir "$start/MyProjects"
pane_run main 'hm -P'
assert_status 0 "hm -P (the program's status)"
assert_pwd main "$start" "hm -P to a directory that is gone"
assert_no_handoff main "after hm -P to a directory that is gone"

case_start "$shell: a name with blanks, quotes, \$, \`, \\, !, *, a leading -, a newline and invalid UTF-8 lands exactly"
pane_run main 'hf weird'
assert_status 0 "hf weird"
assert_pwd main "$start/$weird" "hf weird"

case_start "$shell: a failing hf leaves the shell where it was and returns the program's status"
pane_run_output main 'hf nomatch'
assert_status 1 "hf nomatch"
assert_eq "Halting because: Found no subdirectory containing NOMATCH
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
