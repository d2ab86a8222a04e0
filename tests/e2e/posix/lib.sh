# shellcheck shell=bash
# Helpers for the POSIX end-to-end test scripts: source this file first.
#
# The test runs under CTest with HOPDIR_BIN (the programs) and
# HOPDIR_SHELL_DIR (hopdir.bash and hopdir.fish) set. It drives real
# interactive shells (bash, zsh, fish) in tmux panes of a fixed size, each
# with a throwaway HOME, its own TMPDIR and HOPDIR_HOME, PATH starting with
# $HOPDIR_BIN, the plain prompt "e2e$ " and the shell functions sourced.
# Every script gets its own scratch folder, $E2E_TMP, and its own tmux
# server (a socket in that folder), both removed at exit (kept when
# E2E_KEEP=1). A failed assertion prints what differed and the screen of
# every pane, and ends the script with exit code 1.
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

: "${HOPDIR_BIN:?HOPDIR_BIN must name the folder of the programs}"
: "${HOPDIR_SHELL_DIR:?HOPDIR_SHELL_DIR must name the folder of hopdir.bash and hopdir.fish}"
export LC_ALL=C.UTF-8 LANG=C.UTF-8
# A tmux of the user's (or of the test runner's) is never talked to.
unset TMUX TMUX_PANE

# A script that takes an argument (the shell to test) is named after both.
E2E_NAME=$(basename "$0" .sh)${1:+-$1}
E2E_TMP=$(realpath "$(mktemp -d "${TMPDIR:-/tmp}/hopdir-e2e-$E2E_NAME.XXXXXX")")
E2E_CASE="(setup)"
# By pane name: the shell, and the prompts waited for so far.
declare -A E2E_PANE_SHELL=() E2E_PROMPTS_SEEN=()
STATUS=0
PANE_PWD=""
PANE_OUTPUT=""

# The test's own tmux server: no configuration file, a socket in the
# scratch folder, so that parallel tests and the user's tmux never meet.
e2e_tmux() {
  tmux -S "$E2E_TMP/tmux.socket" -f /dev/null "$@"
}

# e2e_alive PID...: whether a process of the sessions PID... (the panes'
# shells lead one each) or the process PID is still there; a zombie, which
# writes nothing, counts as gone.
e2e_alive() {
  local ids state
  ids=$(IFS=,; echo "$*")
  for state in $(ps -o stat= -s "$ids"; ps -o stat= -p "$ids"); do
    [[ "$state" == Z* ]] || return 0
  done
  return 1
}

e2e_cleanup() {
  local ids=() deadline
  mapfile -t ids < <(
    e2e_tmux list-panes -a -F '#{pane_pid}' 2>/dev/null
    e2e_tmux display -p '#{pid}' 2>/dev/null
  )
  e2e_tmux kill-server 2>/dev/null || true
  # The shells, and what runs in them, go on for a moment after their
  # terminal hung up (bash saves its history then): the scratch folder goes
  # once nothing of theirs is left to write into it.
  deadline=$((SECONDS + E2E_PATIENCE))
  while [ "${#ids[@]}" -gt 0 ] && e2e_alive "${ids[@]}"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "note: processes of the panes outlived their terminal by ${E2E_PATIENCE}s; killed" >&2
      pkill -KILL -s "$(IFS=,; echo "${ids[*]}")" || true
      kill -KILL "${ids[@]}" 2>/dev/null || true
      deadline=$((SECONDS + E2E_PATIENCE))
    fi
    sleep 0.05
  done
  if [ "${E2E_KEEP:-0}" = 1 ]; then
    echo "kept $E2E_TMP"
  else
    rm -rf "$E2E_TMP"
  fi
}
trap e2e_cleanup EXIT

# Commands typed into the shells name files in here in single quotes.
if [[ "$E2E_TMP" == *[\'\\]* ]]; then
  echo "FAIL: the scratch folder $E2E_TMP holds a quote or a backslash" >&2
  exit 1
fi

# --- cases and failures ---


# fail MESSAGE...: reports a failure of the current case with the screen of
# every pane, and ends the script.
fail() {
  local pane
  echo "FAIL [$E2E_CASE]: $*" >&2
  for pane in "${!E2E_PANE_SHELL[@]}"; do
    echo "--- screen of pane $pane (${E2E_PANE_SHELL[$pane]}):" >&2
    e2e_tmux capture-pane -p -t "=$pane:" >&2 || true
  done
  exit 1
}


# --- folders and stand-ins ---

# new_dir NAME: a fresh folder under $E2E_TMP (NAME may hold slashes and any
# byte but NUL). Prints its path.
new_dir() {
  local dir="$E2E_TMP/$1"
  mkdir -p -- "$dir"
  printf '%s\n' "$dir"
}

# stand_in DIR NAME: a program NAME in the folder DIR (made if need be), a
# bash script read from standard input (without its #! line). With DIR
# first on a shell's PATH (pane_path_first), the stand-in runs in place of
# the program of that name in $HOPDIR_BIN, which it may run in turn.
stand_in() {
  local file="$1/$2"
  mkdir -p "$1"
  {
    echo '#!/usr/bin/env bash'
    cat
  } >"$file"
  chmod +x "$file"
}

# --- programs run directly ---

OUT=""
ERR=""

# run_direct DIR [VAR=VALUE...] PROGRAM [ARG...]: runs PROGRAM (of
# $HOPDIR_BIN when it is there, else of the system) in DIR with nothing of
# the environment but a UTF-8 locale and the variables given, standard
# input from /dev/null. Its standard output is in $OUT, its standard error
# in $ERR, byte for byte, and its exit status in $STATUS. Descriptors the
# caller opens around it are inherited.
run_direct() {
  local dir="$1" vars=() program
  shift
  while [[ "${1-}" == *=* ]]; do
    vars+=("$1")
    shift
  done
  program="$1"
  [ ! -x "$HOPDIR_BIN/$1" ] || program="$HOPDIR_BIN/$1"
  shift
  STATUS=0
  (cd "$dir" && exec env -i LC_ALL=C.UTF-8 "${vars[@]}" "$program" "$@") \
    </dev/null >"$E2E_TMP/.out" 2>"$E2E_TMP/.err" || STATUS=$?
  OUT=$(cat "$E2E_TMP/.out" && echo x)
  OUT=${OUT%x}
  ERR=$(cat "$E2E_TMP/.err" && echo x)
  ERR=${ERR%x}
}

# --- panes: real shells in tmux ---
#
# A pane NAME is one tmux session of the test's server, running a shell.
# Its files are in $(pane_dir NAME): home/ (HOME, with the rc file), tmp/
# (the shell's TMPDIR, where the functions make their handoff files) and
# hopdir/ (HOPDIR_HOME, not created beforehand).

# The size of the panes started next, "COLS ROWS".
PANE_SIZE="80 25"
# Lines in the shell's own syntax that the rc file runs just before it
# sources the functions (user options, aliases); cleared by pane_start.
PANE_RC=""
# What the shells show when they wait for a command.
PANE_PROMPT='e2e$ '

# pane_dir NAME: the pane's folder.
pane_dir() {
  printf '%s\n' "$E2E_TMP/pane-$1"
}

# pane_quote PATH: a path under $E2E_TMP in single quotes, which bash, zsh
# and fish all take literally (it holds no quote and no backslash).
pane_quote() {
  printf "'%s'\n" "$1"
}

# fish_quote TEXT: TEXT as one fish word; inside single quotes fish gives
# \ and ' a meaning of their own.
fish_quote() {
  local text="${1//\\/\\\\}"
  printf "'%s'\n" "${text//\'/\\\'}"
}

# pane_prompt_lines SHELL: the rc lines of SHELL (bash, zsh or fish) that
# set the prompt and, whenever the shell shows a new prompt, add a line
# with the last command's exit status to the file $E2E_PROMPTS.
pane_prompt_lines() {
  case "$1" in
    bash)
      cat <<EOF
PS1='$PANE_PROMPT'
PROMPT_COMMAND='printf "%s\\n" "\$?" >>"\$E2E_PROMPTS"'
EOF
      ;;
    zsh)
      cat <<EOF
PS1='$PANE_PROMPT'
precmd() { print -r -- \$? >>"\$E2E_PROMPTS"; }
EOF
      ;;
    fish)
      cat <<EOF
set -g fish_greeting
function fish_prompt; printf '%s' '$PANE_PROMPT'; end
function __e2e_prompt --on-event fish_prompt; echo \$status >>\$E2E_PROMPTS; end
EOF
      ;;
  esac
}

# pane_rc SHELL HOME: writes the rc file of SHELL (bash, zsh or fish) into
# the folder HOME: the prompt lines, $PANE_RC and the functions. Prints the
# command that starts the shell.
pane_rc() {
  local shell="$1" home="$2" rc load command
  case "$shell" in
    bash | zsh)
      load=". $(printf '%q' "$HOPDIR_SHELL_DIR/hopdir.bash")"
      if [ "$shell" = bash ]; then
        rc="$home/.bashrc" command="bash --noprofile -i"
      else
        rc="$home/.zshrc" command="zsh -o no_global_rcs -i"
      fi
      ;;
    fish)
      # With generated_completions present, fish does not start indexing
      # the manual pages in the background on its first run.
      mkdir -p "$home/.config/fish" "$home/.local/share/fish/generated_completions"
      rc="$home/.config/fish/config.fish" command="fish -i"
      load="source $(fish_quote "$HOPDIR_SHELL_DIR/hopdir.fish")"
      ;;
  esac
  {
    pane_prompt_lines "$shell"
    printf '%s\n%s\n' "$PANE_RC" "$load"
  } >"$rc"
  echo "$command"
}

# pane_start NAME SHELL [DIR]: starts SHELL (bash, zsh or fish) in a pane of
# PANE_SIZE, in DIR ($E2E_TMP unless given), and waits for its first prompt.
pane_start() {
  local name="$1" shell="$2" start="${3:-$E2E_TMP}" dir cols rows command=()
  case "$shell" in
    bash | zsh | fish) ;;
    *) fail "no shell named '$shell'" ;;
  esac
  dir=$(pane_dir "$name")
  read -r cols rows <<<"$PANE_SIZE"
  [[ "$cols" =~ ^[0-9]+$ && "$rows" =~ ^[0-9]+$ ]] || fail "PANE_SIZE '$PANE_SIZE' is not 'COLS ROWS'"
  mkdir -p "$dir/home" "$dir/tmp"
  : >"$dir/prompts"
  read -ra command <<<"$(pane_rc "$shell" "$dir/home")"
  PANE_RC=""
  E2E_PANE_SHELL[$name]=$shell
  E2E_PROMPTS_SEEN[$name]=0
  # Nothing of the test runner's environment reaches the shell.
  e2e_tmux new-session -d -s "$name" -x "$cols" -y "$rows" -c "$start" -- \
    env -i HOME="$dir/home" TERM=screen LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    PATH="$HOPDIR_BIN:/usr/local/bin:/usr/bin:/bin" TMPDIR="$dir/tmp" \
    HOPDIR_HOME="$dir/hopdir" E2E_PROMPTS="$dir/prompts" "${command[@]}" ||
    fail "tmux could not start pane $name"
  pane_wait_prompt "$name"
}

# pane_start_home NAME HOME [DIR [SHELL]]: starts an interactive SHELL (bash
# unless given, or fish) in a pane of PANE_SIZE, in DIR ($E2E_TMP unless
# given), as the owner of the folder HOME and with HOME as it is: its rc
# file (pane_prompt_lines and whatever the test put there) is the shell's
# own. PATH is the system's alone and HOPDIR_HOME is not set, as for a user
# of an installed Hopdir. Waits for the first prompt.
pane_start_home() {
  local name="$1" home="$2" start="${3:-$E2E_TMP}" shell="${4:-bash}" dir cols rows owner
  local as_owner=() command=(bash --noprofile -i)
  [ "$shell" = bash ] || command=(fish -i)
  dir=$(pane_dir "$name")
  read -r cols rows <<<"$PANE_SIZE"
  mkdir -p "$dir/tmp"
  : >"$dir/prompts"
  owner=$(stat -c '%u:%g' "$home")
  if [ "$owner" != "$(id -u):$(id -g)" ]; then
    chown "$owner" "$dir" "$dir/tmp" "$dir/prompts"
    as_owner=(setpriv --reuid="${owner%:*}" --regid="${owner#*:}" --clear-groups)
  fi
  E2E_PANE_SHELL[$name]=$shell
  E2E_PROMPTS_SEEN[$name]=0
  e2e_tmux new-session -d -s "$name" -x "$cols" -y "$rows" -c "$start" -- \
    "${as_owner[@]}" env -i HOME="$home" TERM=screen LANG=C.UTF-8 LC_ALL=C.UTF-8 \
    PATH=/usr/local/bin:/usr/bin:/bin TMPDIR="$dir/tmp" E2E_PROMPTS="$dir/prompts" \
    "${command[@]}" ||
    fail "tmux could not start pane $name"
  pane_wait_prompt "$name"
}

# pane_stop NAME: ends the pane and its shell.
pane_stop() {
  e2e_tmux kill-session -t "=$1"
  unset "E2E_PANE_SHELL[$1]" "E2E_PROMPTS_SEEN[$1]"
}

# pane_type NAME TEXT: types TEXT into the pane as it is (no Enter).
pane_type() {
  e2e_tmux send-keys -t "=$1:" -l -- "$2"
}

# pane_keys NAME KEY...: presses keys by their tmux names (Enter, C-c,
# Escape ...).
pane_keys() {
  local name="$1"
  shift
  e2e_tmux send-keys -t "=$name:" "$@"
}

# pane_prompted NAME: whether the shell has shown a prompt since the one
# pane_wait_prompt waited for last, and has it on the screen.
pane_prompted() {
  local name="$1" count col row
  count=$(wc -l <"$(pane_dir "$name")/prompts")
  [ "$count" -gt "${E2E_PROMPTS_SEEN[$name]}" ] || return 1
  read -r col row < <(e2e_tmux display -p -t "=$name:" '#{cursor_x} #{cursor_y}')
  [ "$col" -eq "${#PANE_PROMPT}" ] &&
    [ "$(e2e_tmux capture-pane -p -t "=$name:" -S "$row" -E "$row")" == "${PANE_PROMPT% }" ]
}

# pane_wait_prompt NAME [SECONDS]: waits (E2E_PATIENCE unless given) until
# the shell shows its next prompt, and puts the exit status of the command
# before it in $STATUS.
pane_wait_prompt() {
  local name="$1" prompts
  prompts="$(pane_dir "$name")/prompts"
  wait_until "${2:-$E2E_PATIENCE}" "the prompt of pane $name" pane_prompted "$name"
  E2E_PROMPTS_SEEN[$name]=$(wc -l <"$prompts")
  STATUS=$(tail -n 1 "$prompts")
}

# pane_run NAME COMMAND [SECONDS]: types COMMAND and Enter, and waits until
# the shell is back at its prompt; the command's exit status is in $STATUS.
pane_run() {
  pane_type "$1" "$2"
  pane_keys "$1" Enter
  pane_wait_prompt "$1" "${3:-$E2E_PATIENCE}"
}

# pane_run_output NAME COMMAND [SECONDS]: pane_run with the command's
# standard output and error going to a file, whose bytes end up in
# $PANE_OUTPUT (the command is typed as "COMMAND >FILE 2>&1").
pane_run_output() {
  local name="$1" file redirect=">|"
  file="$(pane_dir "$name")/output"
  rm -f "$file"
  [ "${E2E_PANE_SHELL[$name]}" != fish ] || redirect=">"
  pane_run "$name" "$2 $redirect$(pane_quote "$file") 2>&1" "${3:-$E2E_PATIENCE}"
  [ -f "$file" ] || fail "pane $name did not run: $2"
  PANE_OUTPUT=$(cat "$file" && echo x)
  PANE_OUTPUT=${PANE_OUTPUT%x}
}

# pane_pwd NAME: the shell's working directory, as its pwd builtin says,
# byte for byte in $PANE_PWD.
pane_pwd() {
  pane_run_output "$1" "builtin pwd"
  [ "$STATUS" -eq 0 ] || fail "pwd failed in pane $1: $PANE_OUTPUT"
  PANE_PWD=${PANE_OUTPUT%$'\n'}
}

# pane_path_first NAME DIR: puts DIR (under $E2E_TMP) first on the shell's
# PATH.
pane_path_first() {
  if [ "${E2E_PANE_SHELL[$1]}" = fish ]; then
    pane_run "$1" "set -gx PATH $(pane_quote "$2") \$PATH"
  else
    pane_run "$1" "PATH=$(pane_quote "$2"):\$PATH"
  fi
}

# pane_screen NAME [OPTION...]: the visible screen, one line a row without
# trailing blanks. -e keeps colours and attributes as escape sequences;
# other options go to tmux capture-pane as well.
pane_screen() {
  local name="$1"
  shift
  e2e_tmux capture-pane -p -t "=$name:" "$@"
}

# pane_shows NAME TEXT: whether the screen holds TEXT.
pane_shows() {
  [[ "$(pane_screen "$1")" == *"$2"* ]]
}

# pane_wait_text NAME TEXT [SECONDS]: waits (E2E_PATIENCE unless given)
# until the screen shows TEXT.
pane_wait_text() {
  wait_until "${3:-$E2E_PATIENCE}" "'$2' on the screen of pane $1" pane_shows "$1" "$2"
}

# pane_press NAME COL ROW: a left button press and release at the 1-based
# cell, as a terminal with SGR (1006) mouse reporting sends them.
pane_press() {
  pane_type "$1" $'\e[<0;'"$2;$3"$'M\e[<0;'"$2;$3"'m'
}

# pane_flags NAME: "MOUSE SGR ALTERNATE", each 1 or 0: whether the program
# in the pane has mouse reporting on, SGR coordinates on, and the
# alternate screen in use.
pane_flags() {
  e2e_tmux display -p -t "=$1:" '#{mouse_any_flag} #{mouse_sgr_flag} #{alternate_on}'
}

# pane_wait_flags NAME FLAGS [SECONDS]: waits (E2E_PATIENCE unless given)
# until pane_flags says FLAGS ("1 1 1" once a page is up, "0 0 0" once it
# is gone).
pane_wait_flags() {
  wait_until "${3:-$E2E_PATIENCE}" "flags '$2' in pane $1" pane_has_flags "$1" "$2"
}
pane_has_flags() {
  [ "$(pane_flags "$1")" == "$2" ]
}

# menu_pid NAME: the process id of the hopmenu in the pane (the pane's
# shell leads a session of its own).
menu_pid() {
  pgrep -x -s "$(e2e_tmux display -p -t "=$1:" '#{pane_pid}')" hopmenu
}

# pane_resize NAME COLS ROWS: gives the pane a new size; the program in it
# gets SIGWINCH.
pane_resize() {
  e2e_tmux resize-window -t "=$1:" -x "$2" -y "$3"
}

# --- assertions ---



# assert_pwd NAME DIR WHAT: the pane's shell is in DIR, byte for byte.
assert_pwd() {
  pane_pwd "$1"
  [ "$PANE_PWD" == "$2" ] || fail "$3: expected the shell in
$(printf '%q' "$2"), it is in
$(printf '%q' "$PANE_PWD")"
}

# assert_lacks TEXT NEEDLE WHAT
assert_lacks() {
  [[ "$1" != *"$2"* ]] || fail "$3: '$2' found in:
$1"
}



# assert_no_handoff NAME WHAT: no handoff file is left in the pane's TMPDIR.
assert_no_handoff() {
  local left
  left=$(cd "$(pane_dir "$1")/tmp" && find . -name 'hopdir.*')
  [ -z "$left" ] || fail "$2: handoff files left: $left"
}
