#!/usr/bin/env bash
# hopmenu killed with SIGKILL at random moments of a jump, 200 times over a
# full history of long entries: after each kill the history is exactly the
# one before the jump or the one the jump writes, never a mix, and a
# temporary file that a kill left behind does not stop the next save.
#
# Each jump is first run to its end on a copy of the history's folder (the
# temporary and lock files included), which gives the one history it may
# write and how long it takes; then it runs for real and is killed at a
# random moment between half that time and a quarter more than it.
source "$(dirname "$0")/lib.sh"
: "${HOPDIR_KILL_AFTER:?HOPDIR_KILL_AFTER must name the kill_after tool}"

jumps=200
seed="${E2E_SEED:-$RANDOM}"
RANDOM=$seed
echo "seed $seed (E2E_SEED=$seed repeats this run)"

# 150 directories whose paths take about 250 of the 255 bytes a path may
# have; "dNNN-" is a part that only one of them holds.
root=$(new_dir dirs)
padding=$(printf 'x%.0s' $(seq $((245 - ${#root} - 6))))
dirs=()
for i in $(seq 100 249); do
  dirs+=("$root/d$i-$padding")
done
mkdir "${dirs[@]}"
home="$E2E_TMP/home"
copy="$E2E_TMP/copy"
mkdir -m 700 "$home"
history="$home/HOPMENU.DAT"
temp="$home/HOPMENU.\$\$\$"
printf '%s\n' "${dirs[@]:0:100}" >"$history"
allowed_before="$E2E_TMP/before"

# run_jump HOME DELAY PART: the jump to PART from a random directory, with
# the history in HOME, killed after DELAY microseconds (-1: never); what
# kill_after says is in $RESULT.
run_jump() {
  RESULT=$(cd "$start" && HOPDIR_HOME="$1" "$HOPDIR_KILL_AFTER" "$2" "$HOPDIR_BIN/hopmenu" "$3" \
    </dev/null 2>&1 >/dev/null)
}

# temp_identity: the temporary file's inode and change time, or "none".
temp_identity() {
  stat -c '%i %z' -- "$temp" 2>/dev/null || echo none
}

case_start "$jumps jumps killed at random moments leave the old or the new history"
killed=0 mid_save=0 finished=0 stale=0
for ((jump = 1; jump <= jumps; jump++)); do
  mapfile -t entries <"$history"
  # Never the first entry, so that every jump changes the history.
  entry=${entries[RANDOM % (${#entries[@]} - 2) + 2]}
  part=${entry#"$root/"}
  part=${part:0:5}
  start=${dirs[RANDOM % ${#dirs[@]}]}
  cp "$history" "$allowed_before"

  rm -rf "$copy"
  cp -a "$home" "$copy"
  [ ! -e "$temp" ] || stale=$((stale + 1))
  run_jump "$copy" -1 "$part"
  read -r outcome code took <<<"$RESULT"
  [ "$outcome $code" == "exited 0" ] || fail "jump $jump to $part run to its end: $RESULT"
  [ ! -e "$copy/HOPMENU.\$\$\$" ] || fail "a temporary file is there after jump $jump ran to its end"
  cmp -s "$copy/HOPMENU.DAT" "$allowed_before" &&
    fail "jump $jump from $start to $part saved nothing"

  before=$(temp_identity)
  # The save is the end of a run: most kills go to the second half of it.
  run_jump "$home" $((took / 2 + (RANDOM * 32768 + RANDOM) % (took * 3 / 4 + 1))) "$part"
  case "$RESULT" in
    killed)
      killed=$((killed + 1))
      after=$(temp_identity)
      [ "$after" == none ] || [ "$after" == "$before" ] || mid_save=$((mid_save + 1))
      ;;
    "exited 0 "*) finished=$((finished + 1)) ;;
    *) fail "jump $jump to $part: $RESULT" ;;
  esac
  cmp -s "$history" "$allowed_before" || cmp -s "$history" "$copy/HOPMENU.DAT" ||
    fail "jump $jump ($RESULT) left a history that is neither the one before nor the one after:
$(diff "$allowed_before" "$history" | head -n 20)"
done
echo "$killed kills, $mid_save of them between writing the temporary file and putting it in place;" \
  "$finished jumps ended before their kill; $stale saves found a temporary file left by a kill"
[ "$mid_save" -gt 0 ] || fail "no kill landed inside a save"
[ "$stale" -gt 0 ] || fail "no save found a temporary file left by a kill"

e2e_done
