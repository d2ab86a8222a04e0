#!/usr/bin/env bash
# Eight hopmenu.exe runs against one program directory at the same time:
# every run keeps both of its entries in HOPMENU.DAT, and a reader that
# goes on reading the file meanwhile only ever sees whole histories.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
history="$programs/HOPMENU.DAT"
lock_file="$programs/HOPMENU.LCK"
holder="$programs/holder.txt"
base=$(win_path "$E2E_TMP")
base=${base^^}

# Run i starts in START-i and jumps to TARGET-i, which the history holds.
targets=()
starts=()
for i in $(seq 8); do
  mkdir -p "$E2E_TMP/START-$i" "$E2E_TMP/TARGET-$i"
  targets+=("$base\\TARGET-$i")
  starts+=("$base\\START-$i")
done
printf '%s\r\n' "${targets[@]}" >"$history"
all_entries=$(printf '%s\n' "${targets[@]}" "${starts[@]}" | sort)
sorted_targets=$(printf '%s\n' "${targets[@]}" | sort)

# assert_whole_history FILE WHAT: FILE holds CR LF lines only, each one of
# the sixteen entries, none twice, the eight destinations among them.
assert_whole_history() {
  local file="$1" what="$2" lines
  [ "$(tail -c 2 "$file" | od -An -tx1 | tr -d ' \n')" == 0d0a ] || fail "$what: no CR LF at the end"
  ! grep -qv $'\r$' "$file" || fail "$what: a line without CR LF: $(od -An -c "$file")"
  lines=$(tr -d '\r' <"$file" | sort)
  [ "$(uniq <<<"$lines")" == "$lines" ] || fail "$what: an entry twice:
$lines"
  [ -z "$(comm -23 <(echo "$lines") <(echo "$all_entries"))" ] || fail "$what: unknown lines:
$lines"
  [ -z "$(comm -13 <(echo "$lines") <(echo "$sorted_targets"))" ] || fail "$what: entries lost:
$lines"
}

case_start "eight runs at once keep all sixteen entries; a reader sees whole files only"
# backend_probe holds the history's lock until a line arrives on its input,
# so that runs have read the history and wait to save together;
# then it reads the file, lets go, and reads it again and again while they
# save, until the runs have ended, and once more after that: it sees the
# history before the runs, what they save meanwhile, and what they leave.
# Its input is a FIFO that only this script writes: should the script end
# early, it lets the probe go, and tells it the runs have ended.
fifo="$E2E_TMP/release"
mkfifo "$fifo"
(cd "$programs" && exec wine backend_probe.exe holder.txt lock HOPMENU.LCK say locked line \
  read HOPMENU.DAT unlock read-until HOPMENU.DAT ended read HOPMENU.DAT <"$fifo" >/dev/null 2>&1) &
exec {release}>"$fifo"
# shellcheck disable=SC2016 # expanded when the script ends
at_exit 'touch "$programs/ended"; exec {release}>&-'
wait_until "$E2E_PATIENCE" "the holder to take the lock" grep -qs '^locked' "$holder"
assert_eq "lock 0" "$(head -n 1 "$holder")" "the holder's lock"
runs=()
for i in $(seq 8); do
  (exec {release}>&- && cd "$E2E_TMP/START-$i" && wine "$programs/hopmenu.exe" "TARGET-$i" \
    >"$E2E_TMP/out-$i" 2>&1 </dev/null; echo $? >"$E2E_TMP/status-$i") &
  runs+=($!)
done
# Wine's server keeps one descriptor for each handle open on the lock file:
# the holder's and one for every run that waits for the lock. No run ends
# before the lock is let go, unless it failed. A run gives its save up
# after about two seconds of waiting, so the holder lets go as soon as two
# wait, rather than when the last of eight slow starts comes; the others
# come while those save.
waiting=0
deadline=$((SECONDS + E2E_PATIENCE))
until [ "$waiting" -ge 3 ] || compgen -G "$E2E_TMP/status-*" >/dev/null ||
  [ "$SECONDS" -ge "$deadline" ]; do
  sleep 0.1
  waiting=$(find /proc/[0-9]*/fd -lname "$lock_file" 2>/dev/null | wc -l || true)
done
[ "$waiting" -ge 3 ] || fail "only $((waiting - 1)) of the eight runs came to wait for the lock:
$(cat "$E2E_TMP"/out-*)"
echo >&"$release"
wait "${runs[@]}" || true
touch "$programs/ended"
wait
exec {release}>&-
for i in $(seq 8); do
  assert_eq 0 "$(cat "$E2E_TMP/status-$i")" "exit code of run $i"
  assert_file_empty "$E2E_TMP/out-$i" "output of run $i"
done
assert_whole_history "$history" "the history after the eight runs"
assert_eq 16 "$(wc -l <"$history")" "entries in the history"
reads_seen=0
while read -r content; do
  printf '%s' "$content" | perl -ne 'print pack("H*", $_)' >"$E2E_TMP/read"
  assert_whole_history "$E2E_TMP/read" "a history read during the runs"
  reads_seen=$((reads_seen + 1))
done < <(sed -n 's/^read //p' "$holder" | sort -u)
assert_eq 0 "$(grep -c '^read-error' "$holder")" "reads that failed"
# The initial file, the last one and at least one in between.
[ "$reads_seen" -ge 3 ] || fail "the reader saw only $reads_seen different histories"

case_start "a lock held for longer than a save: the run warns, keeps the history and still jumps"
cp "$history" "$E2E_TMP/before-held"
rm -f "$holder" "$programs/HopdirTemp.Bat"
held_fifo="$E2E_TMP/release-held"
mkfifo "$held_fifo"
(cd "$programs" && exec wine backend_probe.exe holder.txt lock HOPMENU.LCK say locked line \
  <"$held_fifo" >/dev/null 2>&1) &
exec {held}>"$held_fifo"
wait_until "$E2E_PATIENCE" "the holder to take the lock" grep -qs '^locked' "$holder"
status=0
# A run that waited for ever would stop here; timeout ends it to say so.
(cd "$E2E_TMP/START-1" && exec timeout "$E2E_PATIENCE" wine "$programs/hopmenu.exe" TARGET-2) \
  >"$E2E_TMP/out-held" 2>&1 </dev/null || status=$?
echo >&"$held"
exec {held}>&-
wait
assert_eq 0 "$status" "exit code under a lock held"
grep -q '^Unable to save history to .*HOPMENU.DAT' "$E2E_TMP/out-held" ||
  fail "no warning under a lock held: $(cat "$E2E_TMP/out-held")"
cmp -s "$history" "$E2E_TMP/before-held" || fail "the history changed under a lock held"
grep -q 'TARGET-2' "$programs/HopdirTemp.Bat" || fail "no jump under a lock held"

e2e_done
