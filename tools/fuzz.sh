#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds each (60 when not given),
# starting from its seed corpus in tests/fuzz/corpus. A crash, a hang, a
# leak or a broken invariant ends the script with the failing input kept
# under build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"
status=0
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  work=$(mktemp -d)
  echo "--- ${target}_fuzz for ${seconds} s"
  # New inputs go to the scratch corpus; the seeds in the tree stay as they are.
  if ! "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/${target}-" \
      "$work" "$seeds" 2>"$work.log"; then
    tail -n 40 "$work.log"
    echo "FINDING in ${target}_fuzz: input kept in $findings" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units' "$work.log" || true
  fi
  rm -rf "$work" "$work.log"
done
exit $status
