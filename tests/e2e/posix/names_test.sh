#!/usr/bin/env bash
# Some 400 directory names made of every byte a name may hold (all but NUL
# and /), UTF-8 and not, with leading dashes, blanks, quotes, $, `, !, %,
# backslashes and line breaks, each found by hopfind through a part that
# only it holds: the handoff that hopfind writes, run by the real shell
# named by the argument, lands in exactly that directory. bash, zsh and fish
# go through hf of their shell functions; dash, which has none, sources the
# file that hopfind wrote for HOPDIR_SHELL=sh. One shell process goes
# through all the names.
# Literal $, ` and \ in single quotes are what these names are about:
# shellcheck disable=SC2016,SC1003
source "$(dirname "$0")/lib.sh"

shell="${1:?the shell to test: bash, zsh, dash or fish}"
# Names are bytes here; the shells themselves run in a UTF-8 locale.
LC_ALL=C
seed="${E2E_SEED:-$RANDOM}"
RANDOM=$seed
echo "seed $seed (E2E_SEED=$seed repeats this run)"

parent=$(new_dir n)
# The programs take paths of up to 255 bytes.
longest=$((255 - ${#parent} - 1))
names=()

# add_name PREFIX SUFFIX: the name PREFIX @N@ SUFFIX, N its number. "@N@"
# is the part hopfind is given: no other name holds it, since only the
# tags hold an @ followed by digits and another @.
add_name() {
  names+=("$1@${#names[@]}@$2")
}

# Every byte but NUL and / first in a name, where an unquoted one does
# most harm, and last, in runs of eight.
run=""
for code in $(seq 1 255); do
  [ "$code" -ne 47 ] || continue
  printf -v hex %02x "$code"
  # shellcheck disable=SC2059 # the format is the byte's escape
  printf -v byte "\\x$hex"
  add_name "$byte" ""
  run+=$byte
  [ "${#run}" -lt 8 ] || { add_name "" "$run"; run=""; }
done
add_name "" "$run"

# What shells give a meaning to, and what terminals and decoders trip on.
add_name - ""
add_name -- ""
add_name "-P " ""
add_name "-- -x" ""
add_name ' leading blank' 'trailing blank '
add_name $'tab\t' $'\ttab'
add_name "'" "'"
add_name "'\\''" '"'
add_name '$HOME' '${PATH}'
add_name '$(echo x)' '`id`'
add_name '!!' '!$ !-1'
add_name '%s%n%d' '%%'
add_name '\n\\' '\'
add_name '*' '?[a-z]'
add_name '~' '~root'
add_name '{a,b}' '{1..3}'
add_name '# not a comment' ';&|<>()'
add_name $'\n' $'\n'
add_name $'\r\n' $'\r'
add_name $'\e[31m' $'\e]0;title\a'
add_name '(echo fish)' '$status %self'
add_name '\X41\x41' "\\'"
add_name ... '..'
add_name . ' .'
add_name Müller-日本語-😀 'Ω'
add_name $'e\xcc\x81' $'\xe2\x80\x8f\xe2\x80\x8b\xef\xbb\xbf'
add_name $'\x80\xbf' $'\xc0\xaf'
add_name $'\xed\xa0\x80' $'\xf4\x90\x80\x80'
add_name $'\xe6\x97' $'\xff\xfe'

# Names of random pieces (bytes, UTF-8 characters, broken ones), one of
# them as long as a name may be here. hopfind looks at the first 80 bytes
# of a name only, so the tag stands within them.
pieces=(a Z 0 ' ' - _ . "'" '"' '$' '`' '!' '%' '\' '*' '?' '[' '{' '}' '~' '#' ';' '&' '|'
  '<' '(' ')' '=' $'\n' $'\t' $'\r' $'\e' $'\x7f' $'\x01' é ß 日 😀 $'\xe2\x80\x8b' $'\x80'
  $'\xc3' $'\xff' $'\xe6\x97' $'\xf0\x9f\x98')
for i in $(seq 120); do
  name=""
  for _ in $(seq $((RANDOM % 40 + 1))); do
    name+=${pieces[RANDOM % ${#pieces[@]}]}
  done
  [ "$i" -ne 1 ] || name=$(printf 'y%.0s' $(seq 300))
  tag="@${#names[@]}@"
  room=$((${#name} < 80 - ${#tag} ? ${#name} : 80 - ${#tag}))
  cut=$((RANDOM % (room + 1)))
  name="${name:0:cut}$tag${name:cut}"
  names+=("${name:0:longest}")
done
(cd "$parent" && mkdir -- "${names[@]}")
count=${#names[@]}
landed="$E2E_TMP/landed"
mkdir "$landed"

# The loop in each shell's own syntax: change back to the parent, hop to
# name N, and write the directory the shell is in to $landed/N.
case "$shell" in
  bash | zsh)
    script='. "$HOPDIR_SHELL_DIR/hopdir.bash"
i=0
while [ "$i" -lt "$COUNT" ]; do
  builtin cd -- "$PARENT" || exit 1
  hf "@$i@" >/dev/null
  builtin pwd >"$LANDED/$i"
  i=$((i + 1))
done'
    command=("$shell" -c "$script")
    [ "$shell" != bash ] || command=(bash --norc --noprofile -c "$script")
    [ "$shell" != zsh ] || command=(zsh -f -c "$script")
    ;;
  dash)
    # As the shell functions do, the handoff file is made before the
    # program runs: the programs never create one.
    script='umask 077
: >"$HANDOFF"
i=0
while [ "$i" -lt "$COUNT" ]; do
  cd -- "$PARENT" || exit 1
  if HOPDIR_HANDOFF="$HANDOFF" HOPDIR_SHELL=sh hopfind "@$i@" >/dev/null; then
    . "$HANDOFF"
  fi
  pwd >"$LANDED/$i"
  i=$((i + 1))
done'
    command=(dash -c "$script")
    ;;
  fish)
    script='source $HOPDIR_SHELL_DIR/hopdir.fish
for i in (seq 0 (math $COUNT - 1))
  cd $PARENT; or exit 1
  hf "@$i@" >/dev/null
  builtin pwd >$LANDED/$i
end'
    command=(fish --no-config -c "$script")
    ;;
  *) fail "no shell named '$shell'" ;;
esac

case_start "$shell: $count names, each reached through hopfind, land exactly"
mkdir -m 700 "$E2E_TMP/tmp"
env -i HOME="$E2E_TMP" LANG=C.UTF-8 LC_ALL=C.UTF-8 TMPDIR="$E2E_TMP/tmp" \
  PATH="$HOPDIR_BIN:/usr/local/bin:/usr/bin:/bin" HOPDIR_SHELL_DIR="$HOPDIR_SHELL_DIR" \
  COUNT="$count" PARENT="$parent" LANDED="$landed" HANDOFF="$E2E_TMP/handoff" \
  "${command[@]}" </dev/null >"$E2E_TMP/shell.out" 2>&1 ||
  fail "$shell ended with status $?: $(head -c 2000 "$E2E_TMP/shell.out")"
wrong=0
for ((i = 0; i < count; i++)); do
  expected="$parent/${names[i]}"$'\n'
  got=""
  [ ! -f "$landed/$i" ] || IFS= read -r -d '' got <"$landed/$i" || true
  if [ "$got" != "$expected" ]; then
    wrong=$((wrong + 1))
    [ "$wrong" -gt 10 ] ||
      echo "name $i: expected $(printf '%q' "${expected%$'\n'}"), the shell is in $(printf '%q' "${got%$'\n'}")" >&2
  fi
done
[ "$wrong" -eq 0 ] || fail "$wrong of $count names did not land; what $shell said:
$(head -c 2000 "$E2E_TMP/shell.out")"
assert_eq "" "$(ls -A "$E2E_TMP/tmp")" "handoff files left in TMPDIR"

e2e_done
