#!/usr/bin/env bash
# hopfind's handoff, run directly, into what a shell function or a script
# hands it: by name (HOPDIR_HANDOFF) only a regular file of the user's,
# never through a symbolic link; through an inherited descriptor
# (HOPDIR_HANDOFF_FD) only a regular file of the user's that nobody else
# may read or write and that is still empty when written, whose name goes
# only while it is still that file's. Everything else is refused (exit
# status 13, or 2 for a file that holds bytes already: given up) and left as
# it was. Needs root, for a file of another user's.
source "$(dirname "$0")/lib.sh"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: a file of another user's needs root"
  exit 77
fi
start=$(new_dir start)
mkdir "$start/target"
script="builtin cd -- '$start/target'"$'\n'
files=$(new_dir files)

# file NAME [MODE [OWNER [CONTENT]]]: a file in $files, empty unless CONTENT.
file() {
  printf '%s' "${4-}" >"$files/$1"
  chmod "${2:-600}" "$files/$1"
  chown "${3:-root}" "$files/$1"
  printf '%s\n' "$files/$1"
}

# hand_on STATUS WHAT [VAR=VALUE...]: hopfind targ with the variables,
# ending with STATUS.
hand_on() {
  local status="$1" what="$2"
  shift 2
  run_direct "$start" HOPDIR_SHELL=bash "$@" hopfind targ
  assert_status "$status" "$what"
  assert_eq "" "$OUT" "$what: standard output"
}

case_start "by name: a regular file of the user's only"
hand_on 0 "a file of the user's" "HOPDIR_HANDOFF=$(file own)"
assert_eq "${script}x" "$(cat "$files/own" && echo x)" "the file of the user's"
hand_on 13 "/dev/null" HOPDIR_HANDOFF=/dev/null
mkfifo "$files/fifo"
# A reader is there, as one who put the pipe in the way would be.
exec 7<>"$files/fifo"
hand_on 13 "a named pipe with a reader" "HOPDIR_HANDOFF=$files/fifo"
exec 7>&-
hand_on 13 "a file of another user's" "HOPDIR_HANDOFF=$(file theirs 600 nobody)"
assert_eq "" "$(cat "$files/theirs")" "the file of another user's"
ln -s "$(file linked)" "$files/link"
hand_on 13 "a symbolic link to a file of the user's" "HOPDIR_HANDOFF=$files/link"
assert_eq "" "$(cat "$files/linked")" "the file the link leads to"

case_start "through a descriptor: an empty private file of the user's only; its name goes if still its"
ln "$(file fresh)" "$files/fresh-kept"
hand_on 0 "a fresh file" HOPDIR_HANDOFF_FD=9 "HOPDIR_HANDOFF=$files/fresh" 9>>"$files/fresh"
[ ! -e "$files/fresh" ] || fail "the fresh file's name is still there"
assert_eq "${script}x" "$(cat "$files/fresh-kept" && echo x)" "the fresh file"
other=$(file other)
hand_on 0 "a name that leads to another file" HOPDIR_HANDOFF_FD=9 "HOPDIR_HANDOFF=$other" \
  9>>"$(file fresh2)"
[ -e "$other" ] || fail "the other file's name went"
assert_eq "${script}x" "$(cat "$files/fresh2" && echo x)" "the file behind the descriptor"
mkfifo -m 600 "$files/own-fifo"
exec 7<>"$files/own-fifo"
hand_on 13 "a named pipe of the user's" HOPDIR_HANDOFF_FD=9 9>"$files/own-fifo"
exec 7>&-
hand_on 13 "a file of another user's" HOPDIR_HANDOFF_FD=9 9>>"$(file theirs2 600 nobody)"
hand_on 13 "a file others may read" HOPDIR_HANDOFF_FD=9 9>>"$(file readable 644)"
hand_on 2 "a file given up" HOPDIR_HANDOFF_FD=9 9>>"$(file given-up 600 root x)"
for name in theirs2 readable given-up; do
  [ "$(stat -c %s "$files/$name")" -le 1 ] || fail "$name was written"
done

case_start "the bash function passes over a pipe put where its next handoff file would be"
# Without SRANDOM the names come from RANDOM, which a seed makes known.
planted="$files/hopdir.$(RANDOM=42 && echo "$RANDOM$RANDOM$RANDOM")"
mkfifo -m 600 "$planted"
exec 7<>"$planted"
run_direct "$start" "TMPDIR=$files" "PATH=$HOPDIR_BIN:/usr/bin:/bin" bash -c \
  '. "$1" && unset SRANDOM && RANDOM=42 && hf targ && builtin pwd' _ "$HOPDIR_SHELL_DIR/hopdir.bash"
exec 7>&-
assert_eq "0|$start/target"$'\n' "$STATUS|$OUT" "hf targ with a pipe in the way"
[ -p "$planted" ] || fail "the pipe in the way went"

e2e_done
