#!/usr/bin/env bash
# Some 90 directory names of what a Windows name may hold (every printable
# ASCII character but \ / : * ? " < > |, the accented letters and signs
# that both the ANSI code page 1252 and the OEM code page 437 have, what cmd
# gives a meaning to: % ! ^ & ( ) ' ; , = and blanks), each found by
# hopfind.exe through hf.cmd with a part that only it holds: the batch file
# that hf.cmd runs lands cmd in exactly that directory. One cmd goes
# through all the names, running hf.cmd as a user would.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir programs)
cp "$HOPDIR_BIN/hf.cmd" "$programs/"
parent=$(new_dir n)
names=()

# add_name PREFIX SUFFIX: the name PREFIX @N@ SUFFIX, N its number; "@N@"
# is what hf.cmd is given, and only this name holds it. Windows takes no
# name that ends in a dot or a blank, so SUFFIX never does.
add_name() {
  names+=("$1@${#names[@]}@$2")
}

# add_pairs CHARACTER...: the characters two by two, one first and one
# last in a name (a dot or a blank only first).
add_pairs() {
  while [ $# -gt 0 ]; do
    if [ $# -gt 1 ] && [[ "$2" != [.\ ] ]]; then
      add_name "$1" "$2"
      shift 2
    else
      add_name "$1" ""
      shift
    fi
  done
}
# Every printable ASCII character a name may hold.
ascii=()
for code in $(seq 32 126); do
  printf -v hex %02x "$code"
  # shellcheck disable=SC2059 # the format is the character's escape
  printf -v char "\\x$hex"
  [[ "$char" == [\\/:*?\"\<\>\|] ]] || ascii+=("$char")
done
add_pairs "${ascii[@]}"
# The letters and signs of both code pages, and a no-break space.
add_pairs ¡ ¢ £ ¥ ª « ¬ ° ± ² µ · º » ¼ ½ ¿ Ä Å Æ Ç É Ñ Ö Ü ß à á â ä å æ ç è é ê ë ì í î ï ñ ò ó \
  ô ö ÷ ù ú û ü ÿ ƒ $'\u00a0'
# What cmd gives a meaning to, inside the quotes of the batch file's cd.
add_name '%PATH%' '%1'
add_name '%~dp0' '%%'
add_name '%' '%cd%'
add_name '!PATH!' '!'
add_name '^' '^^'
add_name '&' ' & echo x'
add_name '(' ')'
add_name "'" "'"
add_name ';,=' '+[]{}'
add_name '  two  blanks' '$`#~'
add_name - '--'
add_name 'PROGRA~1' '~1'
add_name '.' '.x'
add_name 'a & b %c% !d! ^e (f)' ''
add_name "$(printf 'L%.0s' $(seq 60))" "$(printf 'l%.0s' $(seq 100))"

(cd "$parent" && mkdir -- "${names[@]}")
count=${#names[@]}

# The loop: back to the parent, hf.cmd, and the directory cmd is in then.
# What hf.cmd says goes to a file of its own for each name.
landed="$E2E_TMP/landed.txt"
loop="$E2E_TMP/loop.cmd"
said="$E2E_TMP/said"
mkdir "$said"
{
  printf '@echo off\r\n'
  for ((i = 0; i < count; i++)); do
    printf 'cd /d "%s"\r\ncall "%s" @%d@ >"%s" 2>&1\r\ncd >>"%s"\r\n' "$(win_path "$parent")" \
      "$(win_path "$programs/hf.cmd")" "$i" "$(win_path "$said/$i")" "$(win_path "$landed")"
  done
} >"$loop"

case_start "$count names, each reached through hf.cmd, land cmd exactly"
run_wine "$E2E_TMP/out" "$E2E_TMP" cmd /c "$(win_path "$loop")"
assert_status 0 "cmd running the loop"
# Without a console cmd writes what cd says in the ANSI code page;
# Windows names keep no case.
mapfile -t lines < <(iconv -f CP1252 -t UTF-8 "$landed" | tr -d '\r')
assert_eq "$count" "${#lines[@]}" "directories cmd was in"
wrong=0
for ((i = 0; i < count; i++)); do
  expected=$(win_path "$parent/${names[i]}")
  if [ "${lines[i],,}" != "${expected,,}" ]; then
    wrong=$((wrong + 1))
    echo "name $i: expected '$expected', cmd is in '${lines[i]}'; hf.cmd said: $(cat "$said/$i")" >&2
  fi
done
[ "$wrong" -eq 0 ] || fail "$wrong of $count names did not land"
assert_missing "$programs/HopdirTemp.Bat" "the batch file after the last hf.cmd"

e2e_done
