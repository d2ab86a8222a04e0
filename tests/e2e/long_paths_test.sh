#!/usr/bin/env bash
# Paths longer than the old limits: a directory 120 characters deep kept
# whole in the history and reached again through hm.cmd, and a batch file
# in UTF-8 in a console switched to code page 65001.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
cp "$HOPDIR_BIN/hm.cmd" "$programs/"
batch="$programs/HopdirTemp.Bat"
history="$programs/HOPMENU.DAT"
out="$E2E_TMP/out"
driver="$programs/driver.cmd"

root=$(new_dir drive)
map_drive l "$root"

case_start "hm -p after a jump out of a directory 120 characters deep lands back in it"
a=$(printf 'A%.0s' {1..38})
b=$(printf 'B%.0s' {1..38})
c=$(printf 'C%.0s' {1..39})
mkdir -p "$root/$a/$b/$c" "$root/TOOLS"
deep="L:\\$a\\$b\\$c"
assert_eq 120 "${#deep}" "length of the deep directory"
printf 'L:\\TOOLS\r\n' >"$history"
printf '@call "%s" tools\r\n@call "%s" -p\r\n@cd\r\n' "$(win_path "$programs/hm.cmd")" \
  "$(win_path "$programs/hm.cmd")" >"$driver"
run_wine "$out" "$root/$a/$b/$c" cmd /c "$(win_path "$driver")"
assert_status 0 "hm tools, then hm -p"
assert_eq "$deep" "$(tr -d '\r' <"$out" | tail -n 1)" "directory after hm -p"
# The second save found the deep directory again by its whole path.
assert_file_bytes "$history" "$(literal "$deep")\r\nL:\\\\TOOLS\r\n" "history after both jumps"

case_start "code page 65001: the batch file is in UTF-8"
# Names are UTF-8 inside, and a destination is at most 255 bytes of it:
# 108 characters here, 208 bytes; the batch file holds those bytes.
# Wine 8's cmd reads batch files in code page 437 whatever chcp says: the
# bytes are checked, the landing cannot be.
parent=$(printf 'é%.0s' {1..60})
target="CAFÉ-$(printf 'è%.0s' {1..39})"
mkdir -p "$root/$parent/$target"
printf '@chcp 65001 >nul\r\n@"%s" caf\r\n' "$(win_path "$programs/hopfind.exe")" >"$driver"
run_console "$out" "$root/$parent" cmd /c "$(win_path "$driver")"
assert_status 0 "chcp 65001, then hopfind caf"
assert_batch_file "$batch" "L:" "\\$parent\\$target" "batch file in UTF-8"

e2e_done
