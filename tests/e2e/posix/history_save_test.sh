#!/usr/bin/env bash
# hopmenu -A, run directly (the destination printed on standard output),
# where its history cannot be saved as usual: a full file system, a lock
# held by another, data directories too long for the file names, a
# read-only HOPMENU.DAT; and where it must be saved elsewhere than first
# meets the eye: HOPMENU.DAT a symbolic link, HOPDIR_HOME relative or
# ending in /, HOME missing. The jump goes on each time (status 0, the
# destination printed, a warning on standard error), and no file is
# written under a clipped or wrong name.
source "$(dirname "$0")/lib.sh"

start=$(new_dir start)
target=$(new_dir target)
home=$(new_dir home)
user_env=("HOME=$home")

# jump HOPDIR_HOME [VAR=VALUE...]: hopmenu -A from $start.
jump() {
  run_direct "$start" "${user_env[@]}" "HOPDIR_HOME=$1" "${@:2}" hopmenu -A
}

# assert_jumped DESTINATION WARNED_PATH WHAT: status 0, DESTINATION printed,
# and "Unable to save history to WARNED_PATH" said (nothing when empty).
assert_jumped() {
  assert_status 0 "$3"
  assert_eq "$1"$'\n' "$OUT" "$3: the destination printed"
  local warning=""
  [ -z "$2" ] || warning="Unable to save history to $2"$'\n'
  assert_eq "$warning" "$ERR" "$3: the warning"
}

# path_of_length N LETTER: a path under $E2E_TMP that is N bytes long, its
# names made of LETTER, none longer than 200 bytes.
path_of_length() {
  local path="$E2E_TMP/$2" part
  part=$(printf "$2%.0s" $(seq 200))
  while [ $(($1 - ${#path})) -gt 201 ]; do path+="/${part:0:150}"; done
  printf '%s/%s\n' "$path" "${part:0:$(($1 - ${#path} - 1))}"
}

case_start "a full file system: the jump goes on, the history stays as it was"
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: a file system of its own needs root"
else
  full="$E2E_TMP/full"
  mkdir "$full"
  # A small file system of its own, in a mount namespace of its own, filled
  # up once the history is in it; what is in it afterwards is copied out.
  unshare -m bash -c '
    mount -t tmpfs -o size=64k tmpfs "$1" || exit 99
    printf "%s\n" "$2" >"$1/HOPMENU.DAT"
    cat /dev/zero >"$1/filler" 2>/dev/null
    (cd "$3" && exec env -i LC_ALL=C.UTF-8 HOPDIR_HOME="$1" "$4" -A) >"$5/.out" 2>"$5/.err"
    echo $? >"$5/.status"
    cp "$1/HOPMENU.DAT" "$5/full-history"
    ls -A "$1" >"$5/full-files"' _ "$full" "$target" "$start" "$HOPDIR_BIN/hopmenu" "$E2E_TMP" ||
    fail "no full file system could be made (unshare and mount need root)"
  STATUS=$(cat "$E2E_TMP/.status") OUT=$(cat "$E2E_TMP/.out") ERR=$(cat "$E2E_TMP/.err")
  OUT+=$'\n' ERR+=$'\n'
  assert_jumped "$target" "$full/HOPMENU.DAT" "a full file system"
  assert_file_bytes "$E2E_TMP/full-history" "$(literal "$target")\n" "the history on the full file system"
  assert_eq $'HOPMENU.DAT\nHOPMENU.LCK\nfiller' "$(cat "$E2E_TMP/full-files")" "the files left there"
fi

case_start "a lock held by another for longer than a save: the jump goes on after about two seconds"
held=$(new_dir held)
printf '%s\n' "$target" >"$held/HOPMENU.DAT"
# This script holds the lock, as flock(1) would for a command of the user's.
exec 8>"$held/HOPMENU.LCK"
flock 8
# A run that waited for ever would stop here; timeout ends it to say so.
run_direct "$start" "${user_env[@]}" "HOPDIR_HOME=$held" timeout 20 "$HOPDIR_BIN/hopmenu" -A
exec 8>&-
assert_jumped "$target" "$held/HOPMENU.DAT" "a lock held"
assert_file_bytes "$held/HOPMENU.DAT" "$(literal "$target")\n" "the history under a lock held"

case_start "data directories too long for the file names: refused, never clipped"
# With HOPMENU.DAT and its slash, 243 bytes make a path of 255, which fits;
# a trailing / changes nothing; 244 bytes do not fit.
fits=$(path_of_length 243 f)
mkdir -p "$fits"
jump "$fits"
assert_jumped "" "" "a data directory of 243 bytes"
assert_file_bytes "$fits/HOPMENU.DAT" "\n$(literal "$start")\n" "the history in 243 bytes"
fits_slash=$(path_of_length 243 s)
jump "$fits_slash/"
assert_jumped "" "" "a data directory of 243 bytes and a trailing /"
assert_file_bytes "$fits_slash/HOPMENU.DAT" "\n$(literal "$start")\n" "the history in 243 bytes and /"
for length in 244 300; do
  long=$(path_of_length $length o)
  mkdir -p "$long"
  jump "$long"
  assert_jumped "" "$long/HOPMENU.DAT" "a data directory of $length bytes"
  assert_eq "" "$(ls -A "$long")" "what was made in a data directory of $length bytes"
  rm -r "$E2E_TMP/o"
done
assert_eq "" "$(ls -A "$home")" "HOME after data directories too long"
long_home=$(path_of_length 240 h)
mkdir -p "$long_home"
run_direct "$start" "HOME=$long_home" hopmenu -A
assert_jumped "" "$long_home/.local/share/hopdir/HOPMENU.DAT" "a HOME of 240 bytes"
assert_eq "" "$(ls -A "$long_home")" "what was made in a HOME of 240 bytes"

case_start "a read-only history is left alone; a linked one is updated where it lies"
readonly_home=$(new_dir readonly)
printf '%s\n' "$target" >"$readonly_home/HOPMENU.DAT"
chmod 444 "$readonly_home/HOPMENU.DAT"
jump "$readonly_home"
assert_jumped "$target" "$readonly_home/HOPMENU.DAT" "a read-only history"
assert_file_bytes "$readonly_home/HOPMENU.DAT" "$(literal "$target")\n" "the read-only history"
assert_eq "444" "$(stat -c %a "$readonly_home/HOPMENU.DAT")" "the read-only history's mode"
linked=$(new_dir linked)
dotfiles=$(new_dir dotfiles)
printf '%s\n' "$target" >"$dotfiles/history"
ln -s ../dotfiles/history "$linked/HOPMENU.DAT"
jump "$linked"
assert_jumped "$target" "" "a linked history"
[ -L "$linked/HOPMENU.DAT" ] || fail "the linked history is no link any more"
assert_file_bytes "$dotfiles/history" "$(literal "$target")\n$(literal "$start")\n" \
  "the file the link leads to"
assert_eq "HOPMENU.DAT HOPMENU.LCK|history" "$(ls -A "$linked" | xargs)|$(ls -A "$dotfiles")" \
  "the files beside the link and beside its target"

case_start "a relative HOPDIR_HOME counts as unset; HOME itself is never made"
jump relative "XDG_DATA_HOME=$home/data"
assert_jumped "" "" "a relative HOPDIR_HOME"
[ ! -e "$start/relative" ] || fail "a relative HOPDIR_HOME made a folder in the working directory"
assert_file_bytes "$home/data/hopdir/HOPMENU.DAT" "\n$(literal "$start")\n" \
  "the history in XDG_DATA_HOME"
run_direct "$start" "HOME=$E2E_TMP/nohome" hopmenu -A
assert_jumped "" "$E2E_TMP/nohome/.local/share/hopdir/HOPMENU.DAT" "a HOME that does not exist"
[ ! -e "$E2E_TMP/nohome" ] || fail "a HOME that did not exist was made"

e2e_done
