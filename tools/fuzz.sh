#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds each (60 when not given),
# starting from its seed corpus in tests/fuzz/corpus and the inputs of past
# findings in tests/fuzz/regressions. A crash, a hang, a leak or a broken
# invariant ends the script with the failing input kept under
# build/fuzz/findings. Installs what a fresh Debian machine lacks first
# (clang and libFuzzer's runtime; needs root for that).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

source tools/packages.sh
need cmake cmake
need ninja ninja-build
need clang++ clang
install_missing
# libFuzzer's runtime is packaged apart from the compiler, per version.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' >"$scratch/probe.cpp"
if ! clang++ -fsanitize=fuzzer "$scratch/probe.cpp" -o "$scratch/probe" 2>/dev/null; then
  version=$(clang++ -dumpversion)
  install_packages "libclang-rt-${version%%.*}-dev"
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"
ran=0
failed=0
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  inputs=("$seeds")
  [ ! -d "tests/fuzz/regressions/$target" ] || inputs+=("tests/fuzz/regressions/$target")
  work="$scratch/$target"
  log="$scratch/$target.log"
  mkdir "$work"
  ran=$((ran + 1))
  echo "--- ${target}_fuzz for ${seconds} s"
  # New inputs go to the scratch corpus; the kept ones in the tree stay as
  # they are.
  if ! "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/${target}-" \
      "$work" "${inputs[@]}" 2>"$log"; then
    tail -n 40 "$log"
    echo "FINDING in ${target}_fuzz: input kept in $findings" >&2
    failed=$((failed + 1))
  else
    grep -E '^stat::number_of_executed_units' "$log" || true
  fi
done
echo "fuzz: $((ran - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
