#!/usr/bin/env bash
# Times the native programs against an empty C program's start and against
# the directory jumpers that Debian packages (zoxide, autojump, wcd), all in
# one run on this machine, so that every figure is a ratio of times taken
# side by side; counts the bytes and write(2) calls of the page. Prints the
# table and writes it, with a description of the machine, to
# docs/benchmarks.md. A benchmark, not a test: nothing fails on a figure.
#
#   tools/bench.sh [RUNS [ROUNDS]]
#
# Each command is timed RUNS times (300 unless given) in ROUNDS rounds (10):
# hyperfine times one command after another, and rounds, each with its
# own empty program, keep a drift in the machine's load from favouring
# the commands timed early or late.
#
# As root it installs what it lacks (hyperfine, strace, tmux, the peers)
# with apt-get; otherwise it names the packages. The peers are run as
# black boxes, each with its own database in a scratch folder.
set -euo pipefail
cd "$(dirname "$0")/.."
# Column counts in bash are then characters, not bytes.
export LC_ALL=C.UTF-8
runs="${1:-300}"
rounds="${2:-10}"
[[ "$runs" =~ ^[1-9][0-9]*$ && "$rounds" =~ ^[1-9][0-9]*$ ]] || {
  echo "usage: tools/bench.sh [RUNS [ROUNDS]]" >&2
  exit 2
}
per_round=$(((runs + rounds - 1) / rounds))
warmup=$((per_round / 10 + 1))
load=$(cut -d' ' -f1-3 /proc/loadavg)

# --- what the run needs ---

source tools/packages.sh
need cmake cmake
need ninja ninja-build
need g++ g++
need cc gcc
need hyperfine hyperfine
need strace strace
need /usr/bin/time time
need tmux tmux
need zoxide zoxide
need autojump autojump
need wcd.exec wcd
install_missing

configure=(cmake --preset native)
if ! command -v zsh >/dev/null || ! command -v fish >/dev/null; then
  configure+=(-DHOPDIR_POSIX_E2E=OFF)
fi
"${configure[@]}" >/dev/null
cmake --build --preset native >/dev/null
bin="$PWD/build/native/bin"

work=$(mktemp -d "${TMPDIR:-/tmp}/hopdir-bench.XXXXXX")
shm=""
state="$work/state"
cleanup() {
  tmux -S "$work/tmux.socket" kill-server 2>/dev/null || true
  rm -rf "$work"
  [ -z "$shm" ] || rm -rf "$shm"
}
trap cleanup EXIT
# Every jump looks for "part": nothing else may hold it.
if [[ "${work,,}" == *part* ]]; then
  echo "The scratch folder $work holds 'part': set TMPDIR to another folder." >&2
  exit 1
fi

# q WORD: WORD quoted for a hyperfine command line.
q() {
  printf '%q' "$1"
}

# --- the ground: 100 directories to jump to, and two to list ---

# db/ holds the 100 directories that the history and the peers' databases
# know: d001 .. d099 and part, the one every jump looks for. The history
# has part in the middle, 60th of 100, most recent first.
mkdir -p "$work/db" "$work/home" "$work/data" "$work/wcd" "$work/seed" "$work/state" "$work/tools"
known=()
for i in $(seq 1 99); do
  known+=("$work/db/$(printf 'd%03d' "$i")")
done
known=("${known[@]:0:59}" "$work/db/part" "${known[@]:59}")
mkdir "${known[@]}"
printf '%s\n' "${known[@]}" >"$work/seed/HOPMENU.DAT"
# The shell functions hand each run a new, empty file from mktemp.
: >"$work/seed/handoff"
cp -a "$work/seed/." "$work/state/"

# t100/ .. t100000/: N subdirectories, part among them, for hopfind and
# the page.
sizes=(100 1000 10000 100000)
for n in "${sizes[@]}"; do
  mkdir "$work/t$n"
  (cd "$work/t$n" && seq -f 'sub%06g' 1 $((n - 1)) | xargs mkdir && mkdir part)
done

printf 'int main(void){return 0;}\n' >"$work/tools/empty.c"
(cd "$work/tools" && cc -o empty empty.c)
cc -O2 -o "$work/tools/bench-pty" tools/bench-pty.c
empty="$work/tools/empty"

# What every timed command runs with: nothing of the user's; HOME and the
# data directories in the scratch folder.
bench_env=(
  HOME="$work/home" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=xterm
  XDG_DATA_HOME="$work/data" HOPDIR_HOME="$work/state" HOPDIR_HANDOFF="$work/state/handoff"
  HOPDIR_SHELL=bash WCDHOME="$work/wcd"
)
# autojump runs only from a shell that sourced its integration: the
# variables that leaves behind are taken over as they are.
base=$(env -i "${bench_env[@]}" bash -c env | sort)
sourced=$(env -i "${bench_env[@]}" bash -c '. /usr/share/autojump/autojump.bash && env' | sort)
while IFS= read -r line; do
  bench_env+=("$line")
done < <(comm -13 <(printf '%s\n' "$base") <(printf '%s\n' "$sourced"))

# The peers learn the same 100 directories, once each, oldest first; wcd
# scans the same tree (db/ and the 100 below it) into its tree file.
for ((i = ${#known[@]} - 1; i >= 0; i--)); do
  env -i "${bench_env[@]}" zoxide add "${known[$i]}"
  env -i "${bench_env[@]}" autojump --add "${known[$i]}" >/dev/null
done
(cd "$work/db" && env -i "${bench_env[@]}" wcd.exec -S "$work/db" >/dev/null 2>&1)
for peer in "zoxide query part" "autojump part" "wcd.exec -j part"; do
  # shellcheck disable=SC2086 # the command's words
  found=$(cd / && env -i "${bench_env[@]}" $peer 2>/dev/null | tail -n 1)
  [ "$found" = "$work/db/part" ] || {
    echo "$peer found '$found', not $work/db/part" >&2
    exit 1
  }
done

# --- the page, in tmux: what it writes, and where ABORT is ---

tmux_() {
  tmux -S "$work/tmux.socket" -f /dev/null "$@"
}
wait_for() {
  local tries=200
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || {
      echo "timed out waiting for: $*" >&2
      exit 1
    }
    sleep 0.05
  done
}
page_up() {
  [ "$(tmux_ display -p -t =page: '#{mouse_any_flag}')" = 1 ]
}
screen_is_not() {
  [ "$(tmux_ capture-pane -p -t =page:)" != "$1" ]
}
page_gone() {
  ! tmux_ has-session -t =page 2>/dev/null
}
# cell_of TEXT SCREEN: "COL ROW" (1-based) of a cell inside the first TEXT
# on SCREEN: its second character.
cell_of() {
  local row=0 line
  while IFS= read -r line; do
    row=$((row + 1))
    if [[ "$line" == *"$1"* ]]; then
      line=${line%%"$1"*}
      echo "$((${#line} + 2)) $row"
      return
    fi
  done <<<"$2"
  echo "'$1' is not on the page" >&2
  exit 1
}
press() {
  tmux_ send-keys -t =page: -l $'\e[<0;'"$1;$2"$'M\e[<0;'"$1;$2"'m'
}

cp -a "$work/seed/." "$state/"
tmux_ new-session -d -s page -x 80 -y 25 -c "$work/t100" -- env -i "${bench_env[@]}" \
  strace -o "$work/page.strace" -e trace=openat,read,write,poll,ppoll,select,pselect6 \
  "$bin/hopmenu"
wait_for page_up
screen=$(tmux_ capture-pane -p -t =page:)
cell=$(cell_of ABORT "$screen")
read -r abort_col abort_row <<<"$cell"
# The first subdirectory in the list: a press walks into it.
cell=$(cell_of sub000001 "$screen")
read -r sub_col sub_row <<<"$cell"
press "$sub_col" "$sub_row"
wait_for screen_is_not "$screen"
press "$abort_col" "$abort_row"
wait_for page_gone

# Runs of writes to the terminal between two waits for input: a flush each.
mapfile -t flushes < <(awk '
  /^openat\(.*"\/dev\/tty"/ { tty = $NF; next }
  tty == "" { next }
  index($0, "write(" tty ",") == 1 { bytes += $NF; calls++; next }
  index($0, "read(" tty ",") == 1 || /^(poll|ppoll|select|pselect6)\(/ {
    if (calls) print bytes, calls
    bytes = calls = 0
  }
  END { if (calls) print bytes, calls }
' "$work/page.strace")
[ ${#flushes[@]} -ge 3 ] || {
  echo "the page made ${#flushes[@]} flushes, not a page, a redraw and its end" >&2
  exit 1
}
read -r first_bytes first_calls <<<"${flushes[0]}"
read -r redraw_bytes redraw_calls <<<"${flushes[1]}"
leave_bytes=0 leave_calls=0 most_calls=0
for flush in "${flushes[@]:2}"; do
  read -r bytes calls <<<"$flush"
  leave_bytes=$((leave_bytes + bytes))
  leave_calls=$((leave_calls + calls))
done
for flush in "${flushes[@]}"; do
  read -r bytes calls <<<"$flush"
  [ "$calls" -le "$most_calls" ] || most_calls=$calls
done

# Start to page to ABORT to exit, against the same terminal harness with
# the empty program.
pty=("$work/tools/bench-pty" 80 25 "$abort_col" "$abort_row")
status=0
(cd "$work/t100" && env -i "${bench_env[@]}" timeout 10 "${pty[@]}" "$bin/hopmenu") || status=$?
[ "$status" -eq 1 ] || {
  echo "hopmenu on the harness ended with $status, not 1 (ABORT)" >&2
  exit 1
}

# --- timing, in rounds ---

# timed GROUP DIR BASE [hyperfine option...] -- NAME COMMAND [NAME COMMAND...]:
# one hyperfine run of this round in DIR, the baseline command BASE (named
# "empty") first; every run starts from the seeded history and an empty
# handoff file in $state. Medians in seconds go to $work/GROUP.ROUND.csv.
timed() {
  local group="$1" dir="$2" names=(-n empty) commands=("$3") options=()
  shift 3
  while [ "$1" != -- ]; do
    options+=("$1")
    shift
  done
  shift
  while [ $# -gt 0 ]; do
    names+=(-n "$1")
    commands+=("$2")
    shift 2
  done
  echo "--- $group, round $round of $rounds"
  (cd "$dir" && env -i "${bench_env[@]}" hyperfine -N --style basic --warmup "$warmup" \
    --runs "$per_round" --prepare "cp -a $(q "$work/seed/.") $(q "$state/")" "${options[@]}" \
    --export-csv "$work/$group.$round.csv" "${names[@]}" "${commands[@]}")
}

# The history's replacement on tmpfs, where the file system has no disk
# to care for, shows what of hopmenu -A is the disk's.
if [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ] && [ -w /dev/shm ]; then
  shm=$(mktemp -d /dev/shm/hopdir-bench.XXXXXX)
fi
pty_line="$(q "${pty[0]}") ${pty[*]:1}"
for ((round = 1; round <= rounds; round++)); do
  timed jumps "$work/t100" "$(q "$empty")" -- \
    "hopfind part (100)" "$(q "$bin/hopfind") part" \
    "hopmenu -A" "$(q "$bin/hopmenu") -A" \
    "hopmenu part" "$(q "$bin/hopmenu") part" \
    "hopclean" "$(q "$bin/hopclean")" \
    "zoxide query part" "zoxide query part" \
    "zoxide add" "zoxide add $(q "$work/db/part")" \
    "autojump part" "autojump part" \
    "wcd -j part" "wcd.exec -j part"
  for n in 1000 10000 100000; do
    timed "wide$n" "$work/t$n" "$(q "$empty")" -- "hopfind part ($n)" "$(q "$bin/hopfind") part" \
      "find ($n)" "find . -maxdepth 1 -type d -name *part* -print -quit" \
      "find all ($n)" "find . -maxdepth 1 -type d -name *part* -print"
  done
  if [ -n "$shm" ]; then
    saved_env=("${bench_env[@]}")
    bench_env+=(HOPDIR_HOME="$shm" HOPDIR_HANDOFF="$shm/handoff")
    state="$shm"
    timed shm "$work/t100" "$(q "$empty")" -- "hopmenu -A (tmpfs)" "$(q "$bin/hopmenu") -A"
    state="$work/state"
    bench_env=("${saved_env[@]}")
  fi
  timed page "$work/t100" "env -C $(q "$work/t100") $pty_line $(q "$empty")" --ignore-failure -- \
    "page" "env -C $(q "$work/t100") $pty_line $(q "$bin/hopmenu")" \
    "page (10000)" "env -C $(q "$work/t10000") $pty_line $(q "$bin/hopmenu")"
done

# The largest memory of hopfind and of the page in a directory of 100000
# subdirectories (GNU time's maximum resident set size, in KiB; the page's
# is the largest of the harness and the program it runs).
rss_of() {
  local kib
  kib=$(cd "$1" && shift && env -i "${bench_env[@]}" /usr/bin/time -f '%M' -o "$work/rss" "$@" \
    >/dev/null 2>&1 || true; cat "$work/rss")
  printf '%s' "${kib##*$'\n'}"
}
cp -a "$work/seed/." "$state/"
rss_find=$(rss_of "$work/t100000" "$bin/hopfind" part)
cp -a "$work/seed/." "$state/"
rss_page=$(rss_of "$work/t100000" "${pty[@]}" "$bin/hopmenu")
# Where part lies in the order the directory gives its names, which is
# where find stops.
part_at=$(ls -U -f "$work/t100000" | grep -n -x part | cut -d: -f1)

# median FILE NAME: the median of NAME in a hyperfine CSV file, in seconds.
median() {
  awk -F, -v name="$2" '
    NR == 1 { for (i = 1; i <= NF; i++) if ($i == "median") col = i; next }
    $1 == name { print $col; found = 1 }
    END { if (!found) exit 1 }
  ' "$1"
}

# middle NUMBER...: the median of the numbers.
middle() {
  printf '%s\n' "$@" | sort -g | awk '
    { v[NR] = $1 }
    END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }
  '
}

# figure GROUP NAME: "SECONDS RATIO LOWEST HIGHEST" for NAME: over the
# rounds, the median of its medians, the median of its ratios to the empty
# program of the same round, and the lowest and highest of those ratios.
figure() {
  local times=() ratios=() round time base
  for ((round = 1; round <= rounds; round++)); do
    time=$(median "$work/$1.$round.csv" "$2")
    base=$(median "$work/$1.$round.csv" empty)
    times+=("$time")
    ratios+=("$(awk -v a="$time" -v b="$base" 'BEGIN { print a / b }')")
  done
  echo "$(middle "${times[@]}") $(middle "${ratios[@]}")" \
    "$(printf '%s\n' "${ratios[@]}" | sort -g | sed -n '1p;$p' | tr '\n' ' ')"
}

# --- the table ---

ms() {
  awk -v s="$1" 'BEGIN { printf "%.2f ms", s * 1000 }'
}
x() {
  awk -v a="$1" 'BEGIN { printf "%.2f", a }'
}
le() {
  awk -v a="$1" -v b="$2" 'BEGIN { exit !(a <= b) }'
}

# t[NAME]: median seconds; r[NAME]: ratio to the empty program, two
# places; range[NAME]: the lowest and highest of the rounds' ratios;
# spread[NAME]: both, as the table shows them.
declare -A t r range spread
record() {
  local seconds ratio lowest highest
  read -r seconds ratio lowest highest <<<"$(figure "$1" "$2")"
  t[$2]=$seconds
  r[$2]=$(x "$ratio")
  range[$2]="$(x "$lowest")–$(x "$highest")"
  spread[$2]="${r[$2]} (${range[$2]})"
}
record jumps empty
for name in "hopfind part (100)" "hopmenu -A" "hopmenu part" hopclean "zoxide query part" \
  "zoxide add" "autojump part" "wcd -j part"; do
  record jumps "$name"
done
for n in 1000 10000 100000; do
  for name in "hopfind part ($n)" "find ($n)" "find all ($n)"; do
    record "wide$n" "$name"
  done
done
record page page
page_ratio=$(middle "$(for ((round = 1; round <= rounds; round++)); do
  awk -v a="$(median "$work/page.$round.csv" "page (10000)")" \
    -v b="$(median "$work/page.$round.csv" page)" 'BEGIN { print a / b }'
done)")
t["page (10000)"]=$(middle "$(for ((round = 1; round <= rounds; round++)); do median "$work/page.$round.csv" "page (10000)"; done)")
page_base=$(middle "$(for ((round = 1; round <= rounds; round++)); do median "$work/page.$round.csv" empty; done)")
fastest_peer=""
for name in "zoxide query part" "autojump part" "wcd -j part"; do
  if [ -z "$fastest_peer" ] || ! le "${r[$fastest_peer]}" "${r[$name]}"; then
    fastest_peer=$name
  fi
done
# From two listings: what one more subdirectory costs hopfind.
per_entry=$(awk -v a="${t["hopfind part (100000)"]}" -v b="${t["hopfind part (1000)"]}" \
  'BEGIN { printf "%.3f", (a - b) / 99000 * 1e6 }')
shm_note=""
if [ -n "$shm" ]; then
  record shm "hopmenu -A (tmpfs)"
  shm_note="; with the history on tmpfs it costs ${r["hopmenu -A (tmpfs)"]} × the empty start (row below)"
fi

# verdict NAME START_LIMIT RIVAL CAUSE: "yes", or "no: " and what is missed
# and why. START_LIMIT (a ratio to the empty start) or RIVAL (a command
# that must not be faster) is empty where it sets no target.
verdict() {
  local name="$1" limit="$2" rival="$3" cause="$4" missed=()
  if [ -n "$limit" ] && ! le "${r[$name]}" "$limit"; then
    missed+=("${r[$name]} × the empty start, over $limit")
  fi
  if [ -n "$rival" ] && ! le "${t[$name]}" "${t[$rival]}"; then
    missed+=("slower than $rival ($(ms "${t[$rival]}"))")
  fi
  if [ ${#missed[@]} -eq 0 ]; then
    echo yes
  elif [ ${#missed[@]} -eq 1 ]; then
    echo "no: ${missed[0]}. $cause"
  else
    echo "no: ${missed[0]}; ${missed[1]}. $cause"
  fi
}

row() {
  printf '| %s | \x60%s\x60 | %s | %s | %s | %s |\n' "$@"
}
zq="zoxide query part"
jump_table=$(
  echo "| jump | command | median | × empty start (rounds' range) | target | target met |"
  echo "|---|---|---:|---:|---|---|"
  row "baseline" "empty (int main(void){return 0;})" "$(ms "${t[empty]}")" "1.00" "" ""
  row "hf part, 100 subdirectories" "hopfind part" "$(ms "${t["hopfind part (100)"]}")" \
    "${spread["hopfind part (100)"]}" "≤ 1.5 × empty, ≤ $fastest_peer" \
    "$(verdict "hopfind part (100)" 1.5 "$fastest_peer" "")"
  row "hf part, 1000 subdirectories" "hopfind part" "$(ms "${t["hopfind part (1000)"]}")" \
    "${spread["hopfind part (1000)"]}" "≤ 1.3 × empty" \
    "$(verdict "hopfind part (1000)" 1.3 "" "Past the start, reading the directory costs ${per_entry} µs an entry (from the rows of 1000 and 100000).")"
  for n in 1000 10000 100000; do
    if [ "$n" -gt 1000 ]; then
      if [ "$n" = 100000 ]; then
        target="≤ find, its floor (row below)"
        met=$(verdict "hopfind part ($n)" "" "find ($n)" "find stops at the first name that matches, the ${part_at}th of $n in the order the directory gives them; hopfind must read them all, because the first match is the first in the page's order, and does so at the speed of find reading the whole directory ($(ms "${t["find all ($n)"]}"), row below).")
      else
        target="" met=""
      fi
      row "hf part, $n subdirectories" "hopfind part" "$(ms "${t["hopfind part ($n)"]}")" \
        "${spread["hopfind part ($n)"]}" "$target" "$met"
    fi
    row "floor: find, $n subdirectories" "find DIR -maxdepth 1 -type d -name '*part*' -print -quit" \
      "$(ms "${t["find ($n)"]}")" "${spread["find ($n)"]}" "" ""
    row "find reading all $n" "find DIR -maxdepth 1 -type d -name '*part*' -print" \
      "$(ms "${t["find all ($n)"]}")" "${spread["find all ($n)"]}" "" ""
  done
  row "hm -A, history of 100" "hopmenu -A" "$(ms "${t["hopmenu -A"]}")" \
    "${spread["hopmenu -A"]}" "≤ $zq" \
    "$(verdict "hopmenu -A" "" "$zq" "Every jump saves the history: locked, written aside and renamed over the old file, which the file system pays for (ext4 starts writing the new file out at such a rename, so that a crash cannot leave it empty)${shm_note}. zoxide query writes nothing; its cd hook runs zoxide add, a process of its own (row below).")"
  if [ -n "$shm_note" ]; then
    row "hm -A, history on tmpfs" "hopmenu -A" "$(ms "${t["hopmenu -A (tmpfs)"]}")" \
      "${spread["hopmenu -A (tmpfs)"]}" "for comparison" ""
  fi
  row "hm part, history of 100" "hopmenu part" "$(ms "${t["hopmenu part"]}")" \
    "${spread["hopmenu part"]}" "≤ $zq" \
    "$(verdict "hopmenu part" "" "$zq" "Every jump saves the history, as for hm -A.")"
  row "handoff file deleted" "hopclean" "$(ms "${t[hopclean]}")" "${spread[hopclean]}" \
    "≤ 1.5 × empty (no peer has this step)" "$(verdict hopclean 1.5 "" "")"
  # What one jump of hm part costs in processes, against zoxide's: the
  # query and then the cd hook's zoxide add, which records the jump as
  # hopmenu's own save does.
  whole_hopdir=$(awk -v a="${t["hopmenu part"]}" -v b="${t[hopclean]}" 'BEGIN { print a + b }')
  whole_zoxide=$(awk -v a="${t["zoxide query part"]}" -v b="${t["zoxide add"]}" 'BEGIN { print a + b }')
  row "a recorded jump: hm part" "hopmenu part + hopclean" "$(ms "$whole_hopdir")" \
    "$(x "$(awk -v a="${r["hopmenu part"]}" -v b="${r[hopclean]}" 'BEGIN { print a + b }')")" \
    "≤ zoxide query part + zoxide add ($(ms "$whole_zoxide"))" \
    "$(le "$whole_hopdir" "$whole_zoxide" && echo yes || echo "no: slower than zoxide's query and hook")"
  row "peer: zoxide, 100 directories" "zoxide query part" \
    "$(ms "${t["zoxide query part"]}")" "${spread["zoxide query part"]}" "" ""
  row "peer: zoxide's cd hook" "zoxide add DIR" "$(ms "${t["zoxide add"]}")" \
    "${spread["zoxide add"]}" "" ""
  row "peer: autojump, 100 directories" "autojump part" "$(ms "${t["autojump part"]}")" \
    "${spread["autojump part"]}" "" ""
  row "peer: wcd, tree of 100 directories" "wcd -j part" "$(ms "${t["wcd -j part"]}")" \
    "${spread["wcd -j part"]}" "" ""
)

mib() {
  awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'
}
under_32() {
  [ -n "$1" ] && [ "$1" -le 32768 ] && echo yes || echo "no: $(mib "${1:-0}")"
}
memory_table=$(
  echo "| largest memory, 100000 subdirectories | max RSS | target | target met |"
  echo "|---|---:|---|---|"
  echo "| \`hopfind part\` | $(mib "$rss_find") | ≤ 32 MiB | $(under_32 "$rss_find") |"
  echo "| the page (start, first page, ABORT) | $(mib "$rss_page") | ≤ 32 MiB | $(under_32 "$rss_page") |"
)

kib=$(awk -v b="$first_bytes" 'BEGIN { printf "%.1f", b / 1024 }')
page_met="yes"
if [ "$first_bytes" -gt 16384 ] || [ "$first_calls" -gt 1 ]; then
  page_met="no: $first_bytes bytes in $first_calls writes"
fi
redraw_met="yes"
[ "$redraw_calls" -le 1 ] || redraw_met="no: $redraw_calls writes"
page_table=$(
  echo "| page, 80 × 25 | measured | target | target met |"
  echo "|---|---|---|---|"
  echo "| start → page on the terminal → ABORT → exit | $(ms "${t[page]}") median; $(ms "$page_base") for the same harness with the empty program (${r[page]} ×, rounds ${range[page]}) | | |"
  echo "| the same in a directory of 10000 subdirectories | $(ms "${t["page (10000)"]}") median; $(x "$page_ratio") × the page in 100 | ≤ 2 × the page in 100 | $(le "$page_ratio" 2 && echo yes || echo "no: $(x "$page_ratio") ×") |"
  echo "| first page | $first_bytes bytes ($kib KiB) in $first_calls write(2) | ≤ 16 KiB in ≤ 1 write | $page_met |"
  echo "| redraw after one press (into a subdirectory) | $redraw_bytes bytes in $redraw_calls write(2) | ≤ 1 write per flush | $redraw_met |"
  echo "| leaving the page (ABORT) | $leave_bytes bytes in $leave_calls write(2), $((${#flushes[@]} - 2)) flushes | | |"
  echo "| every flush of the run | at most $most_calls write(2) | ≤ 1 write per flush | $([ "$most_calls" -le 1 ] && echo yes || echo no) |"
)

cpu=$(lscpu 2>/dev/null | sed -n 's/^Model name: *//p' | head -n 1)
distribution=$(sed -n 's/^PRETTY_NAME=//p' /etc/os-release | tr -d '"')
machine=$(
  echo "- CPU: ${cpu:-unknown}, $(nproc) cores online"
  echo "- kernel: $(uname -sr); distribution: $distribution"
  echo "- compiler: $(c++ --version | head -n 1); the empty program: $(cc --version | head -n 1), default flags"
  echo "- $(hyperfine --version), $(zoxide --version), $(autojump --version 2>&1 | head -n 1)," \
    "$(wcd.exec -V 2>/dev/null | head -n 1 | sed 's/ - .*//'), $(strace -V | head -n 1), $(tmux -V)"
  echo "- scratch folder on $(findmnt -n -o FSTYPE -T "$work" 2>/dev/null || stat -f -c %T "$work"); load average at the start: $load"
  echo "- Hopdir $(git rev-parse --short HEAD 2>/dev/null || echo "(no git)"), native preset (Release); $rounds rounds of $per_round runs of each command, each after $warmup warm-up runs; $(date -u '+%Y-%m-%d %H:%M UTC')"
)

report=$(
  cat <<EOF
# Benchmarks

Produced by \`tools/bench.sh\` in one run on the machine described below.
hyperfine (\`-N\`, no shell) times each command in $rounds rounds of $per_round
runs, every round with its own run of the empty C program. A time is the
median over the rounds of each round's median; a ratio (× empty start) is
the median over the rounds of the command's median divided by that of the
empty program in the same round. The targets are checked on the ratios.

Every run starts from the same state: a history of 100 directories, the one
the jumps look for (\`part\`) 60th, and an empty handoff file as \`hm\` and \`hf\`
make with mktemp (\`HOPDIR_HANDOFF\` is set, so the programs write it as they
do for the shell functions). The peers are the Debian packages, run as
black boxes: zoxide and autojump learn the same 100 directories with
\`zoxide add\` and \`autojump --add\`, oldest first (autojump with the
variables its shell integration sets); wcd's tree file is \`wcd -S\` of the
folder holding those 100 directories, so it knows them and nothing else,
and \`wcd -j\` writes its go-script as in use. \`hf part\` lists a directory
of 100, 1000, 10000 and 100000 subdirectories, \`part\` among them, beside
\`find\` looking for the same name in the same directory: with \`-quit\` (the
floor) and reading the whole directory.

The page is timed on a pseudo-terminal of 80 × 25 (\`tools/bench-pty.c\`):
it clicks ABORT as soon as the program turns on mouse reporting, so a run
is start, first page, the click and the exit; the same harness running the
empty program is its baseline. Its bytes and write(2) calls come from
strace of a run in tmux: the first page, a press on the first
subdirectory (the page walks into it) and ABORT.

$jump_table

$page_table

$memory_table

Machine:

$machine
EOF
)
mkdir -p docs
printf '%s\n' "$report" >docs/benchmarks.md
echo
printf '%s\n' "$jump_table" "" "$page_table" "" "$memory_table" "" "$machine"
echo
echo "Written to docs/benchmarks.md"
