# shellcheck shell=bash
# Helpers that the Wine and the POSIX end-to-end harnesses share; each
# lib.sh sources this file and defines `fail`, which these call.

# How long any wait for a condition goes on before it fails, in seconds:
# generous, since a loaded machine may be slow; a test that passes never
# waits that long.
E2E_PATIENCE=60

# case_start NAME: names the case that the following assertions belong to.
case_start() {
  E2E_CASE="$1"
  echo "--- $E2E_CASE"
}

# wait_until SECONDS WHAT COMMAND [ARG...]: runs COMMAND every 50 ms until
# it succeeds; fails with WHAT once SECONDS have passed, however long each
# try took.
wait_until() {
  local seconds="$1" what="$2" deadline
  shift 2
  deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "timed out after ${seconds}s waiting for $what"
    sleep 0.05
  done
}

# e2e_done: the last line of a script.
e2e_done() {
  echo "all cases of $E2E_NAME passed"
}

# assert_eq EXPECTED ACTUAL WHAT
assert_eq() {
  [ "$1" == "$2" ] || fail "$3: expected '$1', got '$2'"
}

# assert_status EXPECTED WHAT: the exit status of the last run ($STATUS).
assert_status() {
  [ "$STATUS" -eq "$1" ] || fail "$2: expected exit status $1, got $STATUS"
}

# assert_file_bytes FILE FORMAT WHAT: FILE holds exactly the bytes that
# printf FORMAT produces.
assert_file_bytes() {
  local file="$1" expected="$E2E_TMP/.expected"
  [ -f "$file" ] || fail "$3: $file does not exist"
  # shellcheck disable=SC2059 # FORMAT is the test's printf format
  printf "$2" >"$expected"
  if ! cmp -s "$expected" "$file"; then
    fail "$3: bytes differ
expected: $(od -An -c "$expected")
actual:   $(od -An -c "$file")"
  fi
}

# literal TEXT: TEXT escaped for use inside an assert_file_bytes FORMAT.
literal() {
  local text="${1//\\/\\\\}"
  printf '%s\n' "${text//%/%%}"
}

# assert_contains TEXT NEEDLE WHAT
assert_contains() {
  [[ "$1" == *"$2"* ]] || fail "$3: '$2' not found in:
$1"
}
