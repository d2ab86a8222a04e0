#!/usr/bin/env bash
# The Debian package as a user meets it: tools/build-deb.sh builds it and
# lintian finds no error; then, as root, dpkg -i installs it into this very
# system: a new fish has hf with no rc edit, a new bash with the line the
# package names has hm -A, man hopmenu shows the page, one version
# throughout, and dpkg -r takes every file away again. The package is
# removed at the end whatever happened, and a system that has Hopdir
# installed already is left alone.
source "$(dirname "$0")/lib.sh"

: "${HOPDIR_SOURCE_DIR:?HOPDIR_SOURCE_DIR must name the source tree}"

case_start "tools/build-deb.sh builds a package lintian and mandoc find nothing wrong in"
for tool in lintian mandoc; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/test.sh installs it)"
done
log="$E2E_TMP/build-deb.log"
"$HOPDIR_SOURCE_DIR/tools/build-deb.sh" "$E2E_TMP/dist" >"$log" 2>&1 ||
  fail "tools/build-deb.sh failed: $(tail -n 30 "$log")"
deb=$(tail -n 1 "$log")
[ -f "$deb" ] || fail "no package at '$deb'"
version=$(dpkg-deb -f "$deb" Version)
assert_eq "hopdir_${version}_$(dpkg --print-architecture).deb" "$(basename "$deb")" "the package's name"
lintian --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
  fail "lintian: $(cat "$E2E_TMP/lintian.log")"
dpkg-deb -x "$deb" "$E2E_TMP/contents"
pages=("$E2E_TMP"/contents/usr/share/man/man*/*)
assert_eq 4 "${#pages[@]}" "manual pages in the package"
for page in "${pages[@]}"; do
  lint=$(gzip -dc "$page" | mandoc -T lint -W warning 2>&1) || fail "mandoc -T lint $page: $lint"
done

if [ "$(id -u)" -ne 0 ]; then
  echo "--- SKIPPED: not root, so the package is not installed (dpkg -i, the shells, man, dpkg -r)"
  exit 77
fi
# One package test at a time on this machine, from whichever tree: they
# install the same files. The lock is on dpkg's own folder, which dpkg
# itself never locks so, and no file of the test's is left behind for it.
exec {lock}</var/lib/dpkg
flock -w 900 "$lock" || fail "another package test held the lock for 15 minutes"
if dpkg-query -W hopdir >/dev/null 2>&1; then
  echo "--- SKIPPED: a hopdir package is installed here already; it is left as it is"
  exit 77
fi
installed=0
remove_package() {
  [ "$installed" -eq 0 ] || dpkg -r hopdir >/dev/null 2>&1 || true
}
trap 'remove_package; e2e_cleanup' EXIT

# The package's paths that the system has not: none may be left after dpkg -r.
mapfile -t absent < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' |
  while IFS= read -r path; do [ -z "$path" ] || [ -e "$path" ] || printf '%s\n' "$path"; done)

case_start "dpkg -i installs it and names the line bash and zsh users add"
installed=1
output=$(dpkg -i "$deb" 2>&1) || fail "dpkg -i failed: $output"
line=$(grep -A1 'add this line' <<<"$output" | tail -n 1 | sed 's/^ *//')
assert_eq ". /usr/share/hopdir/hopdir.bash" "$line" "the line dpkg -i named"
assert_contains "$(cat "$HOPDIR_SOURCE_DIR/README.md")" "$line" "README.md"
mapfile -t listed < <(dpkg -L hopdir)
for path in "${listed[@]}"; do
  [ -e "$path" ] || fail "dpkg -L lists $path, which is not there"
done

case_start "a new fish jumps with hf, with no line in its config"
user=$(new_dir fish-user)
mkdir -p "$user/home/.config/fish" "$user/home/.local/share/fish/generated_completions" "$user/start/Apart"
pane_prompt_lines fish >"$user/home/.config/fish/config.fish"
pane_start_home fish "$user/home" "$user/start" fish
pane_run fish 'hf part'
assert_status 0 "hf part"
assert_pwd fish "$user/start/Apart" "hf part in fish"
pane_stop fish

case_start "a new bash with the line jumps with hm -A"
user=$(new_dir bash-user)
mkdir -p "$user/home/.local/share/hopdir" "$user/recent"
{
  pane_prompt_lines bash
  printf '%s\n' "$line"
} >"$user/home/.bashrc"
printf '%s\n' "$user/recent" >"$user/home/.local/share/hopdir/HOPMENU.DAT"
pane_start_home bash "$user/home"
pane_run bash 'hm -A'
assert_status 0 "hm -A"
assert_pwd bash "$user/recent" "hm -A in bash"
pane_stop bash

case_start "man hopmenu shows the page, of the version --version shows"
page=$(MANWIDTH=80 man -P cat hopmenu 2>&1) || fail "man hopmenu: $page"
assert_contains "$page" "HOPMENU(1)" "man hopmenu"
assert_contains "$page" "Hopdir $version" "the version on the page"
assert_eq "hopmenu (Hopdir) $version" "$(/usr/bin/hopmenu --version)" "hopmenu --version"

case_start "dpkg -r leaves nothing of it behind"
dpkg -r hopdir >/dev/null 2>&1 || fail "dpkg -r hopdir failed"
installed=0
for path in "${absent[@]}"; do
  [ ! -e "$path" ] || fail "$path is still there after dpkg -r"
done

e2e_done
