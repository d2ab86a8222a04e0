# Helpers for the end-to-end test scripts: source this file first.
#
# The test runs under CTest with HOPDIR_BIN (the programs), HOPDIR_TOOLS
# (console_inject.exe, batch_writer.exe, backend_probe.exe,
# toolkit_probe.exe) and WINEPREFIX set.
# Every script gets its own scratch folder, $E2E_TMP, removed at exit (kept
# when E2E_KEEP=1). A failed assertion prints what differed and ends the
# script with exit code 1.
set -euo pipefail
# shellcheck source=tests/e2e/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

: "${HOPDIR_BIN:?HOPDIR_BIN must name the folder of the .exe files}"
: "${HOPDIR_TOOLS:?HOPDIR_TOOLS must name the folder of the test tools}"
: "${WINEPREFIX:?WINEPREFIX must name the shared Wine prefix}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
# Wine turns the UTF-8 command line into the ANSI code page (1252): "ü" in
# an argument arrives as byte 0xFC.
export LC_ALL=C.UTF-8 LANG=C.UTF-8

E2E_NAME=$(basename "$0" .sh)
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/hopdir-e2e-$E2E_NAME.XXXXXX")
E2E_CASE="(setup)"
E2E_DRIVES=()
E2E_AT_EXIT=()
STATUS=0
# Wine starts programs slowly, the more so on a loaded machine.
E2E_PATIENCE=120

e2e_cleanup() {
  local command link
  for command in "${E2E_AT_EXIT[@]}"; do eval "$command" || true; done
  # Nothing the script started may still write into the scratch folder
  # while it goes.
  wait
  for link in "${E2E_DRIVES[@]}"; do rm -f "$link"; done
  if [ "${E2E_KEEP:-0}" = 1 ]; then
    echo "kept $E2E_TMP"
  else
    rm -rf "$E2E_TMP"
  fi
}
trap e2e_cleanup EXIT

# at_exit COMMAND: shell code that runs when the script ends, before its
# background jobs are waited for and its scratch folder goes.
at_exit() {
  E2E_AT_EXIT+=("$1")
}

# --- cases and failures ---


# fail MESSAGE...: reports a failure of the current case and ends the script.
fail() {
  echo "FAIL [$E2E_CASE]: $*" >&2
  exit 1
}


# --- folders and paths ---

# new_program_dir [NAME]: a fresh folder holding copies of every program and
# tool (.exe), so that each test has its own batch file and history. Prints
# its path.
new_program_dir() {
  local dir="$E2E_TMP/${1:-programs}"
  mkdir -p "$dir"
  cp "$HOPDIR_BIN"/*.exe "$HOPDIR_TOOLS"/*.exe "$dir"/
  echo "$dir"
}

# new_dir NAME: a fresh folder under $E2E_TMP (NAME may hold slashes and
# UTF-8 characters). Prints its path.
new_dir() {
  local dir="$E2E_TMP/$1"
  mkdir -p "$dir"
  echo "$dir"
}

# win_path PATH: the Windows form of a Linux path (Z: is /).
win_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# The prefix is shared: each script has drive letters of its own (see
# README.md), and holds a lock on each of them until it ends, so that
# scripts that use the same letter after all wait for each other.
drive_lock() {
  local lock_fd
  exec {lock_fd}>"$WINEPREFIX/hopdir-drive-${1,,}.lock"
  flock "$lock_fd"
}

# map_drive LETTER FOLDER: makes drive LETTER: show FOLDER until the script
# ends.
map_drive() {
  local letter="${1,,}" folder="$2"
  drive_lock "$letter"
  ln -sfn "$(realpath "$folder")" "$WINEPREFIX/dosdevices/$letter:"
  E2E_DRIVES+=("$WINEPREFIX/dosdevices/$letter:")
}

# unmapped_drive LETTER: makes sure that drive LETTER: shows nothing until
# the script ends (a link left by a script that was killed goes).
unmapped_drive() {
  local letter="${1,,}"
  drive_lock "$letter"
  rm -f "$WINEPREFIX/dosdevices/$letter:"
}

# --- running programs ---
#
# PROGRAM is a .exe path (Linux or Windows form) or a command that Windows
# finds by itself (cmd). It is started by console_inject.exe, so that
# $STATUS is the whole exit code (Wine hands only its low byte to Linux),
# and so that console input can be scripted (INJECT_OPTIONS below).

# Options for console_inject.exe on the next run_console (an array; cleared
# by the run): e.g. INJECT_OPTIONS=(--press 3,5 --keys ab --screen "$E2E_TMP/screen").
INJECT_OPTIONS=()

# e2e_command PROGRAM [ARG...]: the wine command line for one run, in the
# array E2E_COMMAND.
e2e_command() {
  local program="$1" status_file="$E2E_TMP/.status"
  shift
  [ -e "$program" ] && program=$(win_path "$program")
  rm -f "$status_file"
  E2E_COMMAND=(wine "$HOPDIR_TOOLS/console_inject.exe" --status "$(win_path "$status_file")"
    "${INJECT_OPTIONS[@]}" -- "$program" "$@")
  INJECT_OPTIONS=()
}

# e2e_status CODE: $STATUS from the status file, or CODE when the program
# never ran.
e2e_status() {
  local status_file="$E2E_TMP/.status"
  if [ -s "$status_file" ]; then
    STATUS=$(tr -d '\r\n' <"$status_file")
  else
    STATUS="$1"
    echo "note: no status from console_inject (wine ended with $1)" >&2
  fi
}

# run_wine OUT DIR PROGRAM [ARG...]: runs PROGRAM under Wine with DIR as its
# working directory, without a console: standard output goes byte for byte
# to the file OUT (standard error to OUT.stderr), standard input is empty.
# The exit code is left in $STATUS.
run_wine() {
  local out="$1" dir="$2" code=0
  shift 2
  e2e_command "$@"
  (cd "$dir" && exec "${E2E_COMMAND[@]}" >"$out" 2>"$out.stderr" </dev/null) || code=$?
  e2e_status "$code"
}

# run_console OUT DIR PROGRAM [ARG...]: the same in a console: a
# pseudo-terminal of 80 x 25 (CONSOLE_SIZE="COLS ROWS" for another size)
# whose input stays open and silent. OUT gets what the terminal received
# (see console_text). The exit code is left in $STATUS.
run_console() {
  run_console_typing "" "$@"
}

# run_console_typing BYTES OUT DIR PROGRAM [ARG...]: like run_console, and
# types BYTES (a printf format, e.g. '\003' for Ctrl+C) into the terminal
# as soon as the file TYPE_AFTER_FILE holds something (cleared by the run),
# which the program, or what watches it, writes once it is ready for them.
# Should that take longer than E2E_PATIENCE, BYTES are typed all the same,
# so that the run ends.
TYPE_AFTER_FILE=""
# The terminal's size, "COLS ROWS", for the console runs after it is set;
# Wine's console window takes it on.
CONSOLE_SIZE="80 25"
run_console_typing() {
  local bytes="$1" out="$2" dir="$3" fifo="$E2E_TMP/.terminal-input" command fd code=0
  local cols rows typer="" after="$TYPE_AFTER_FILE"
  shift 3
  read -r cols rows <<<"$CONSOLE_SIZE"
  [[ "$cols" =~ ^[0-9]+$ && "$rows" =~ ^[0-9]+$ ]] || fail "CONSOLE_SIZE '$CONSOLE_SIZE' is not 'COLS ROWS'"
  [ -p "$fifo" ] || mkfifo "$fifo"
  e2e_command "$@"
  printf -v command '%q ' "${E2E_COMMAND[@]}"
  # Held open for reading and writing, the FIFO never reports an end of
  # input, which script would pass on to the program as a Ctrl+D key.
  exec {fd}<>"$fifo"
  if [ -n "$bytes" ]; then
    [ -n "$after" ] || fail "run_console_typing: no TYPE_AFTER_FILE to wait for"
    (
      deadline=$((SECONDS + E2E_PATIENCE))
      until [ -s "$after" ] || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.05; done
      # shellcheck disable=SC2059 # BYTES is the caller's printf format
      printf "$bytes" >&"$fd"
    ) &
    typer=$!
  fi
  TYPE_AFTER_FILE=""
  SHELL=/bin/bash script -qec "stty cols $cols rows $rows; cd $(printf '%q' "$dir") && exec $command" \
    /dev/null <&"$fd" >"$out" 2>"$out.stderr" || code=$?
  # Once the program has ended there is nothing left to type for it.
  if [ -n "$typer" ]; then
    kill "$typer" 2>/dev/null || true
    wait "$typer" || true
  fi
  exec {fd}>&-
  e2e_status "$code"
}

# console_text FILE: the terminal output in FILE as plain text: cursor-right
# sequences become blanks, other escape sequences and CRs are dropped.
console_text() {
  perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\][^\a\e]*(\a|\e\\)//g; s/\e\[[0-9;?]*[A-Za-z]//g; s/\e[()][A-Za-z0-9]//g; s/\r//g' "$1"
}

# --- assertions ---





# assert_batch_file FILE DRIVE PATH WHAT: the batch file FILE holds exactly the
# drive line and the cd line of a destination split into DRIVE and PATH.
assert_batch_file() {
  assert_file_bytes "$1" "$(literal "$2")\r\ncd \"$(literal "$3")\"\r\n" "$4"
}

# assert_file_empty FILE WHAT
assert_file_empty() {
  [ -f "$1" ] || fail "$2: $1 does not exist"
  [ ! -s "$1" ] || fail "$2: expected nothing, got: $(od -An -c "$1")"
}

# assert_exists PATH WHAT / assert_missing PATH WHAT
assert_exists() {
  [ -e "$1" ] || fail "$2: $1 does not exist"
}
assert_missing() {
  [ ! -e "$1" ] || fail "$2: $1 still exists"
}


# assert_lines FILE WHAT EXPECTED_LINE...: FILE holds exactly these lines.
assert_lines() {
  local file="$1" what="$2" expected
  shift 2
  [ -f "$file" ] || fail "$what: $file does not exist"
  expected=$(printf '%s\n' "$@")
  [ "$(cat "$file")" == "$expected" ] || fail "$what: lines differ
expected:
$expected
actual:
$(cat "$file")"
}
