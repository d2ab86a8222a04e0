#!/usr/bin/env bash
# The real console backend in Wine's console: mouse and key input scripted
# by console_inject.exe, output read back from the window, and the console's
# input mode restored on every way out.
source "$(dirname "$0")/lib.sh"

programs=$(new_program_dir)
out="$E2E_TMP/out"
results="$E2E_TMP/results"
mode="$E2E_TMP/mode"
screen="$E2E_TMP/screen"
colors="$E2E_TMP/colors"

# probe COMMAND...: backend_probe.exe in a console, with INJECT_OPTIONS.
probe() {
  rm -f "$results"
  run_console "$out" "$programs" "$programs/backend_probe.exe" "$(win_path "$results")" "$@"
}

# mode_line LABEL: the input mode console_inject recorded under LABEL.
mode_line() {
  sed -n "s/^$1 //p" "$mode"
}

case_start "mouse presses, releases and moves with 0-based cells of the window"
INJECT_OPTIONS=(--press 3,5 --right 80,25 --move 10,10 --down 1,1 --up 1,1)
probe mouse-on mouse 7 mouse-off
assert_status 0 "probe"
assert_lines "$results" "mouse events" "mouse 1 2 4 1" "mouse 0 2 4 3" "mouse 2 79 24 1" \
  "mouse 0 79 24 3" "mouse 0 9 9 2" "mouse 1 0 0 1" "mouse 0 0 0 3"

case_start "polling the mouse keeps the keys typed meanwhile, in order"
INJECT_OPTIONS=(--keys ab --press 4,4 --keys c)
probe mouse-on mouse 2 pressed keys 3 pressed
assert_lines "$results" "keys around a click" "mouse 1 3 3 1" "mouse 0 3 3 3" "pressed 1" \
  "key 97" "key 98" "key 99" "pressed 0"

case_start "extended keys read as 0 and the scan code; modifier keys alone are no keys"
INJECT_OPTIONS=(--vk 0x10 --vk 0x26 --vk 0x70 --keys x)
probe keys 5 pressed
assert_lines "$results" "extended keys" "key 0" "key 72" "key 0" "key 59" "key 120" "pressed 0"

case_start "discarding keys drops every waiting key but no mouse event"
INJECT_OPTIONS=(--keys abc --press 2,2 --keys d)
probe mouse-on pressed discard pressed mouse 1
assert_lines "$results" "after discard" "pressed 1" "pressed 0" "mouse 1 1 1 1"

case_start "a line read with the console's editing, keys typed ahead included, clipped at 255"
INJECT_OPTIONS=(--keys "hello wo" --keys "rld" --enter --keys "$(printf 'x%.0s' {1..300})" --enter)
probe pressed line line
long=$(printf 'x%.0s' {1..255})
assert_lines "$results" "lines read" "pressed 1" "line hello world" "line $long"

case_start "typed letters beyond ASCII arrive in the code page of names (1252)"
INJECT_OPTIONS=(--keys "üß" --keys "Müller" --enter)
probe keys 2 line
assert_lines "$results" "ü and ß as keys, then a line" "key 252" "key 223" "line $(printf 'M\xfcller')"

case_start "waiting for input blocks until input arrives, a key or a mouse event"
probe wait 1200
waited=$(sed -n 's/^waited //p' "$results")
[ "$waited" -ge 1100 ] || fail "an idle wait of 1200 ms ended after $waited ms"
INJECT_OPTIONS=(--keys k)
# Waits long enough that no delay of a loaded machine comes near them.
probe pressed wait 60000
waited=$(sed -n 's/^waited //p' "$results")
[ "$waited" -lt 30000 ] || fail "a waiting key did not end the wait ($waited ms)"
INJECT_OPTIONS=(--press 5,5)
probe mouse-on wait 60000
waited=$(sed -n 's/^waited //p' "$results")
[ "$waited" -lt 30000 ] || fail "a waiting mouse event did not end the wait ($waited ms)"

case_start "the input mode is restored at exit, after a fatal I/O error and on Ctrl+C"
# The probe notes the mode while it runs itself, once the mouse is on: a
# sample taken from outside at a fixed moment came too early when the
# probe was slow to start.
INJECT_OPTIONS=(--mode "$(win_path "$mode")")
probe mouse-on mode exit 3
assert_status 3 "exit code"
before=$(mode_line before)
during=$(sed -n 's/^mode //p' "$results")
assert_eq $(((0x$before | 0x98) & ~0x40)) $((0x$during)) \
  "mouse and window input on, quick-edit off while running"
assert_eq "$before" "$(mode_line after)" "mode after the exit"
INJECT_OPTIONS=(--mode "$(win_path "$mode")")
probe mouse-on io-fail 5
assert_status 5 "exit code of the I/O failure"
assert_eq "$before" "$(mode_line after)" "mode after the I/O failure"
rm -f "$results"
INJECT_OPTIONS=(--mode "$(win_path "$mode")")
TYPE_AFTER_FILE="$results"
run_console_typing '\003' "$out" "$programs" "$programs/backend_probe.exe" \
  "$(win_path "$results")" mouse-on say ready wait 120000 exit 4
assert_status $((0xC000013A)) "exit code after Ctrl+C (STATUS_CONTROL_C_EXIT)"
assert_eq "$before" "$(mode_line after)" "mode after Ctrl+C"
assert_lines "$results" "the program ends at Ctrl+C" "ready"

case_start "cursor positions within the window; positions outside it are ignored"
probe size goto 10 3 where goto 81 3 where goto 10 0 where goto 0 5 where goto 80 25 where \
  goto 1 26 where
assert_lines "$results" "cursor" "size 80 25" "where 10 3" "where 10 3" "where 10 3" \
  "where 10 3" "where 80 25" "where 80 25"

case_start "colours, clearing and text land in the window; frames show as box drawing"
INJECT_OPTIONS=(--screen "$(win_path "$screen")" --colors "$(win_path "$colors")")
probe color 15 1 clear goto 3 2 graphic c9cdcdbb goto 3 3 graphic ba goto 4 3 color 14 4 \
  text "Müller" color 15 1 graphic ba goto 3 4 graphic c8cdcdbc goto 1 6 graphic 18191a1b10111e1f \
  goto 1 7 text "$(printf 'w%.0s' {1..85})" where wait 0 where
assert_eq "where 6 8" "$(sed -n 1p "$results")" "cursor after wrapping"
assert_eq "where 6 8" "$(sed -n 3p "$results")" "cursor as the console reports it after the flush"
assert_eq "  ╔══╗" "$(sed -n 2p "$screen")" "row 2"
assert_eq "  ║Müller║" "$(sed -n 3p "$screen")" "row 3 (ANSI text between frame bytes)"
assert_eq "  ╚══╝" "$(sed -n 4p "$screen")" "row 4"
assert_eq "↑↓→←►◄▲▼" "$(sed -n 6p "$screen")" "arrows from code page 437 control bytes"
assert_eq "$(printf 'w%.0s' {1..80})" "$(sed -n 7p "$screen")" "row 7 (wrapped)"
assert_eq "wwwww" "$(sed -n 8p "$screen")" "row 8 (the wrapped rest)"
row3=$(sed -n 3p "$colors")
assert_eq "1f1f1f4e4e4e4e4e4e1f1f" "${row3:0:22}" "colours of row 3"
assert_eq "$(printf '1f%.0s' {1..80})" "$(sed -n 25p "$colors")" "cleared bottom row"

case_start "every byte of code page 437 shows as its character"
hex=""
for byte in $(seq 128 255); do hex+=$(printf '%02x' "$byte"); done
INJECT_OPTIONS=(--screen "$(win_path "$screen")")
probe clear goto 1 1 graphic "${hex:0:64}" goto 1 2 graphic "${hex:64:64}" \
  goto 1 3 graphic "${hex:128:64}" goto 1 4 graphic "${hex:192:64}"
for row in 0 1 2 3; do
  expected=$(printf "$(echo "${hex:$((row * 64)):64}" | sed 's/../\\x&/g')" | iconv -f CP437 -t UTF-8)
  assert_eq "$expected" "$(sed -n "$((row + 1))p" "$screen")" "bytes $((128 + row * 32)) to $((159 + row * 32))"
done

case_start "redirected output is plain bytes with CR LF line ends"
run_wine "$out" "$programs" "$programs/backend_probe.exe" "$(win_path "$results")" \
  color 14 1 clear goto 5 5 text "Müller" graphic c9cd textline "end"
assert_status 0 "probe with redirected output"
assert_file_bytes "$out" 'M\xfcller\xc9\xcdend\r\n' "redirected output"

case_start "arguments arrive as parsed by the C runtime, empty ones included"
rm -f "$results"
run_wine "$out" "$programs" "$programs/backend_probe.exe" "$(win_path "$results")" args "" \
  "a b" 'q"x' 'back\' "Müller"
assert_lines "$results" "arguments" "args 7" "arg $(printf '%s' "$(win_path "$results")" | od -An -tx1 | tr -d ' \n')" \
  "arg 61726773" "arg " "arg 612062" "arg 712278" "arg 6261636b5c" "arg 4dfc6c6c6572"

e2e_done
