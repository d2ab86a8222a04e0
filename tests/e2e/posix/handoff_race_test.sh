#!/usr/bin/env bash
# hm and hf in one real shell, named by the argument (bash, zsh or fish),
# with a TMPDIR that every user may write and that has no sticky bit, while
# another user (nobody) renames files of their own over the handoff files
# there, every other one the moment it is made, the rest once written: none
# of their commands runs, and every jump lands. It needs root, to be both
# users.
source "$(dirname "$0")/lib.sh"

shell="${1:?the shell to test: bash, zsh or fish}"
: "${HOPDIR_RACER:?HOPDIR_RACER must name the tools/handoff_racer program}"
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: a second user's racer needs root"
  exit 77
fi

start=$(new_dir Start)
mkdir "$start/Target"
pane_start main "$shell" "$start"
tmpdir="$(pane_dir main)/tmp"
chmod 0711 "$E2E_TMP" "$(pane_dir main)"
chmod 0777 "$tmpdir"
pwned="$E2E_TMP/pwned"
strikes="$E2E_TMP/strikes"
: >"$strikes"
setpriv --reuid=nobody --regid=nogroup --clear-groups \
  "$HOPDIR_RACER" "$tmpdir" "touch '$pwned'" >"$strikes" &
racer=$!
trap 'kill "$racer" 2>/dev/null; e2e_cleanup' EXIT
# The racer watches the folder before the first jump.
racer_watching() {
  grep -qs '^inotify wd:' "/proc/$racer/fdinfo/"*
}
wait_until 10 "the racer to watch $tmpdir" racer_watching

case_start "$shell: 25 jumps against a racer in a shared TMPDIR: each lands, none of its commands runs"
for run in $(seq 1 25); do
  if [ $((run % 2)) -eq 1 ]; then
    command='hf targ' landing="$start/Target"
  else
    command='hf ..' landing="$start"
  fi
  pane_run main "$command"
  [ ! -e "$pwned" ] || fail "run $run: a command of the racer's ran"
  assert_status 0 "run $run: $command"
  assert_pwd main "$landing" "run $run: $command"
done
# It did race: every other handoff file made was struck at once.
struck_enough() {
  [ "$(grep -c ^struck "$strikes")" -ge 12 ]
}
wait_until 10 "the racer's strikes" struck_enough
[ ! -e "$pwned" ] || fail "a command of the racer's ran"

e2e_done
