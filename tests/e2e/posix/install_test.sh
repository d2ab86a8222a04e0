#!/usr/bin/env bash
# tools/install.sh as a user runs it, into a throwaway HOME whose .bashrc
# it extends: run twice (the rc files keep one line, replaced when PREFIX
# changed; the history stays), then hf and hm -A in a new interactive bash
# that knows only its rc file; --uninstall and --purge put HOME back. As root, once more as an unprivileged user
# (nobody) with PREFIX, on a copy of the tree that user can build in.
source "$(dirname "$0")/lib.sh"

: "${HOPDIR_SOURCE_DIR:?HOPDIR_SOURCE_DIR must name the source tree}"
marker="# Hopdir: hm and hf (tools/install.sh)"
# Another user reaches its folders through the scratch folder.
chmod 755 "$E2E_TMP"

# as_owner DIR COMMAND...: runs COMMAND as the owner of DIR, with nothing of
# the test's environment but what COMMAND sets itself.
as_owner() {
  local owner
  owner=$(stat -c '%u:%g' "$1")
  shift
  if [ "$owner" = "$(id -u):$(id -g)" ]; then
    env -i "$@"
  else
    setpriv --reuid="${owner%:*}" --regid="${owner#*:}" --clear-groups env -i "$@"
  fi
}

# run_install TREE HOME [VAR=VALUE...] [-- ARG...]: TREE/tools/install.sh as the
# owner of HOME, with HOME, the system's PATH and the variables given; its
# output is in $INSTALL_OUTPUT.
run_install() {
  local tree="$1" home="$2" vars=() log="$E2E_TMP/install.log"
  shift 2
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    vars+=("$1")
    shift
  done
  [ $# -eq 0 ] || shift
  if ! as_owner "$home" HOME="$home" PATH=/usr/local/bin:/usr/bin:/bin "${vars[@]}" \
    "$tree/tools/install.sh" "$@" >"$log" 2>&1; then
    fail "tools/install.sh ${vars[*]} $* failed:
$(tail -n 30 "$log")"
  fi
  INSTALL_OUTPUT=$(cat "$log")
}

# assert_rc_line FILE PREFIX: FILE has exactly one line with the marker,
# and it names PREFIX.
assert_rc_line() {
  local lines
  lines=$(grep -F -- "$marker" "$1") || fail "$1 has no line that loads hm and hf"
  assert_eq 1 "$(wc -l <<<"$lines")" "lines that load hm and hf in $1"
  assert_contains "$lines" "$2/share/hopdir/hopdir." "the line in $1"
}

# user_files OWNER NAME: a folder NAME owned by OWNER (user:group) holding
# home/ with the .bashrc of a user (the test's prompt, nothing of Hopdir)
# and, below start/, the directories the jumps go to. Prints its path.
user_files() {
  local dir
  dir=$(new_dir "$2")
  mkdir -p "$dir/home" "$dir/start/Apart" "$dir/start/Other" "$dir/recent"
  pane_prompt_lines bash >"$dir/home/.bashrc"
  chown -R "$1" "$dir"
  printf '%s\n' "$dir"
}

# jumps NAME USER_FILES: a new interactive bash in USER_FILES/start: hf part
# goes to start/Apart, hm -A to the most recent destination of the history
# the user kept (written by hand into the data directory).
jumps() {
  local files="$2"
  pane_start_home "$1" "$files/home" "$files/start"
  pane_run "$1" 'hf part'
  assert_status 0 "hf part"
  assert_pwd "$1" "$files/start/Apart" "hf part"
  pane_run "$1" 'hm -A'
  assert_status 0 "hm -A"
  assert_pwd "$1" "$files/recent" "hm -A"
  pane_stop "$1"
}

# write_history USER_FILES: the history a user has: recent/ was the last jump's
# destination. Prints its path.
write_history() {
  local data="$1/home/.local/share/hopdir"
  as_owner "$1/home" mkdir -p "$data"
  printf '%s\n%s\n' "$1/recent" "$1/start" >"$data/HOPMENU.DAT"
  chown --reference="$1/home" "$data/HOPMENU.DAT"
  printf '%s\n' "$data/HOPMENU.DAT"
}

case_start "$(id -un): installed into ~/.local twice, one line in each rc file, the history kept"
me=$(user_files "$(id -u):$(id -g)" me)
run_install "$HOPDIR_SOURCE_DIR" "$me/home"
assert_contains "$INSTALL_OUTPUT" "$me/home/.bashrc: added the line" "what install.sh said"
kept=$(write_history "$me")
run_install "$HOPDIR_SOURCE_DIR" "$me/home"
assert_contains "$INSTALL_OUTPUT" "$me/home/.bashrc: loads hm and hf already" "what install.sh said"
assert_rc_line "$me/home/.bashrc" "$me/home/.local"
# The prompt lines the user had come first, as they were.
assert_eq "$(pane_prompt_lines bash)" "$(head -n 2 "$me/home/.bashrc")" "the user's own lines"
for shell in zsh fish; do
  command -v "$shell" >/dev/null || continue
  rc="$me/home/.zshrc"
  [ "$shell" = zsh ] || rc="$me/home/.config/fish/config.fish"
  assert_rc_line "$rc" "$me/home/.local"
done
assert_file_bytes "$kept" "$(literal "$me/recent")\n$(literal "$me/start")\n" "the history"
before=$(cat "$me/home/.bashrc")
run_install "$HOPDIR_SOURCE_DIR" "$me/home" PREFIX="$me/elsewhere" -- --no-rc
assert_eq "$before" "$(cat "$me/home/.bashrc")" ".bashrc after --no-rc"

case_start "$(id -un): hf part and hm -A in a new bash"
jumps main "$me"

case_start "$(id -un): --uninstall leaves HOME as before the install but for the history; --purge, as before"
# home_state HOME: every path in HOME with its type, mode and, for a file,
# its bytes' checksum.
home_state() {
  (cd "$1" && find . -printf '%p %y %m\n' | sort && find . -type f -exec md5sum {} + | sort)
}
fresh=$(user_files "$(id -u):$(id -g)" fresh)
before=$(home_state "$fresh/home")
run_install "$HOPDIR_SOURCE_DIR" "$fresh/home"
write_history "$fresh" >/dev/null
with_history=$(home_state "$fresh/home")
run_install "$HOPDIR_SOURCE_DIR" "$fresh/home" -- --uninstall
assert_eq "$before" "$(home_state "$fresh/home" | grep -vF ./.local)" "HOME but for .local after --uninstall"
# Of .local, the history and the folders it lies in, as they were.
history_lines='^\./\.local(/share(/hopdir(/HOPMENU\.DAT)?)?)? | \./\.local/share/hopdir/HOPMENU\.DAT$'
assert_eq "$(grep -E "$history_lines" <<<"$with_history")" \
  "$(home_state "$fresh/home" | grep -F ./.local)" ".local after --uninstall"
run_install "$HOPDIR_SOURCE_DIR" "$fresh/home"
run_install "$HOPDIR_SOURCE_DIR" "$fresh/home" -- --purge
assert_eq "$before" "$(home_state "$fresh/home")" "HOME after --purge"

if [ "$(id -u)" -ne 0 ]; then
  echo "--- not root: no other user to install as"
  e2e_done
  exit 0
fi

case_start "nobody: installed with PREFIX from a copy of the tree, then with another PREFIX"
user="$(id -u nobody):$(id -g nobody)"
them=$(user_files "$user" them)
tree="$them/tree"
mkdir "$tree"
tar -C "$HOPDIR_SOURCE_DIR" --exclude=./build --exclude=./dist --exclude=./.git -cf - . |
  tar -C "$tree" -xf -
chown -R "$user" "$tree"
run_install "$tree" "$them/home" PREFIX="$them/first"
kept=$(write_history "$them")
run_install "$tree" "$them/home" PREFIX="$them/second"
assert_contains "$INSTALL_OUTPUT" "$them/home/.bashrc: replaced the line" "what install.sh said"
assert_rc_line "$them/home/.bashrc" "$them/second"
assert_eq "$user" "$(stat -c '%u:%g' "$them/second/bin/hopmenu")" "owner of the installed hopmenu"
assert_file_bytes "$kept" "$(literal "$them/recent")\n$(literal "$them/start")\n" "the history"

case_start "nobody: hf part and hm -A in a new bash"
jumps other "$them"

e2e_done
