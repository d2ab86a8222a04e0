#!/usr/bin/env bash
# The completions of shell/completions/ in a real SHELL (bash, zsh or
# fish): hf al<Tab> completes to the subdirectory "Alpha dir" and the jump
# lands there, a name with quotes completes as safely, and hm <Tab> lists
# the recent directories of the history.
source "$(dirname "$0")/lib.sh"

shell="${1:?usage: completion_test.sh bash|zsh|fish}"
completions="$HOPDIR_SHELL_DIR/completions"
case "$shell" in
  bash) PANE_RC=". $(pane_quote "$completions/hopdir.bash")" ;;
  zsh) PANE_RC="fpath=($(pane_quote "$completions") \$fpath); autoload -Uz compinit; compinit -u -D" ;;
  fish) PANE_RC="set -p fish_complete_path $(pane_quote "$completions")" ;;
esac
start=$(new_dir start)
mkdir -p "$start/Alpha dir" "$start/Bravo" "$start/It's \"quoted\""
history_dir="$(pane_dir main)/hopdir"
mkdir -p "$history_dir"
printf '%s\n' "$(new_dir recent-one)" "$(new_dir recent-two)" >"$history_dir/HOPMENU.DAT"
pane_start main "$shell" "$start"

# complete_and_jump TYPED DIR: types TYPED and Tab, waits until the line is
# no longer what was typed, runs it and checks the shell is in DIR.
complete_and_jump() {
  pane_type main "$1"
  pane_keys main Tab
  wait_until "$E2E_PATIENCE" "a completion of '$1'" line_changed "$1"
  pane_keys main Enter
  pane_wait_prompt main
  assert_status 0 "$1<Tab>"
  assert_pwd main "$2" "$1<Tab>"
  pane_run main "cd $(pane_quote "$start")"
}
line_changed() {
  local last
  last=$(pane_screen main | grep -F "$PANE_PROMPT" | tail -n 1)
  [ "$last" != "$PANE_PROMPT$1" ] && [[ "$last" == "$PANE_PROMPT"hf* ]]
}

case_start "$shell: hf al<Tab> completes to Alpha dir"
complete_and_jump 'hf al' "$start/Alpha dir"

case_start "$shell: a name with quotes completes to a word that names it"
complete_and_jump 'hf quot' "$start/It's \"quoted\""

case_start "$shell: hm <Tab> lists the recent directories"
pane_type main 'hm '
# The first Tab puts the entries' common start on the line, the next one
# lists them; in bash the one after it, as the line has just changed.
pane_keys main Tab
pane_wait_text main "hm $E2E_TMP/recent-"
pane_keys main Tab
[ "$shell" != bash ] || pane_keys main Tab
pane_wait_text main recent-one
pane_wait_text main recent-two

e2e_done
