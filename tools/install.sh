#!/usr/bin/env bash
# Builds the native programs (the native preset, incrementally) and
# installs them with the shell functions into ~/.local, or PREFIX:
#   PREFIX/bin/hopmenu, hopfind, hopclean
#   PREFIX/share/hopdir/hopdir.bash, hopdir.fish
#   PREFIX/share/man/man1/hopmenu.1, hopfind.1, hopclean.1, man7/hopdir.7
#   the completions and fish's hm and hf in PREFIX/share/bash-completion,
#   PREFIX/share/zsh and PREFIX/share/fish
# Then it gives each shell of bash, zsh and fish that is installed here
# (found on PATH) one line in its rc file that puts PREFIX/bin on PATH and
# loads hm and hf: ~/.bashrc, ${ZDOTDIR:-~}/.zshrc and
# ${XDG_CONFIG_HOME:-~/.config}/fish/config.fish, each made if missing.
# The line is found again by its closing comment, so a second run (after
# a pull, or with another PREFIX) replaces it and never adds another.
# --no-rc leaves the rc files alone. Running it again upgrades in place;
# the history, kept apart in the data directory, stays as it is.
# What a fresh Debian machine lacks (cmake, ninja-build, g++) is installed
# with apt-get when run as root, and named otherwise.
# --uninstall takes away what the installs into PREFIX put there (listed in
# PREFIX/share/hopdir/installed: files, the directories they made, the rc
# files they made) and the lines in the rc files; an rc file an install
# made goes only when nothing else is left in it. The history stays, unless
# --purge (which uninstalls too) is given.
set -euo pipefail

usage() {
  echo "usage: [PREFIX=DIR] tools/install.sh [--no-rc | --uninstall [--purge]]"
  echo "Builds Hopdir and installs it into DIR (~/.local when PREFIX is not set);"
  echo "--no-rc: do not add the line that loads hm and hf to the shells' rc files;"
  echo "--uninstall: remove what was installed into DIR and the rc lines;"
  echo "--purge: uninstall, and remove the history of recent directories too."
}

edit_rc=1
uninstall=0
purge=0
for arg in "$@"; do
  case "$arg" in
    --no-rc) edit_rc=0 ;;
    --uninstall) uninstall=1 ;;
    --purge) uninstall=1 purge=1 ;;
    -h | --help)
      usage
      exit 0
      ;;
    *)
      usage >&2
      exit 2
      ;;
  esac
done

: "${HOME:?HOME must be set}"
# Relative to where the user stands, not to the tree.
prefix=$(realpath -m -- "${PREFIX:-$HOME/.local}")
if [[ "$prefix" == *$'\n'* ]]; then
  echo "PREFIX must not hold a line break: the rc files name it on one line" >&2
  exit 2
fi
cd "$(dirname "$0")/.."
marker="# Hopdir: hm and hf (tools/install.sh)"
record="$prefix/share/hopdir/installed"

# rc_files: the rc files of bash, zsh and fish, one a line.
rc_files() {
  printf '%s\n' "$HOME/.bashrc" "${ZDOTDIR:-$HOME}/.zshrc" \
    "${XDG_CONFIG_HOME:-$HOME/.config}/fish/config.fish"
}

if [ "$uninstall" -eq 1 ]; then
  # shellcheck source=tools/uninstall.sh
  source tools/uninstall.sh
  exit 0
fi

source tools/packages.sh
source tools/native_build.sh
build_native_programs

# What this install makes, added to what earlier ones made: an upgrade
# finds their directories there already.
made=$(mktemp)
trap 'rm -f -- "$made"' EXIT
[ ! -f "$record" ] || cat -- "$record" >"$made"
# note_dirs DIR: DIR and each missing directory above it, as made.
note_dirs() {
  local dir="$1"
  while [ ! -e "$dir" ]; do
    printf 'dir\t%s\n' "$dir" >>"$made"
    dir=$(dirname -- "$dir")
  done
}
# The directories the install will make are those of a staged install
# that are missing here.
stage=$(mktemp -d)
DESTDIR="$stage" cmake --install build/native --prefix "$prefix" >/dev/null
while IFS= read -r -d '' dir; do
  note_dirs "$prefix/$dir"
done < <(find "$stage$prefix" -mindepth 1 -type d -printf '%P\0')
note_dirs "$prefix"
rm -rf -- "$stage"
cmake --install build/native --prefix "$prefix" --strip
awk '{ print "file\t" $0 }' build/native/install_manifest.txt >>"$made"

# rc_line SHELL: the line that puts $prefix/bin on PATH and loads the
# functions, quoted for SHELL.
rc_line() {
  local bin="$prefix/bin" functions
  if [ "$1" = fish ]; then
    functions="$prefix/share/hopdir/hopdir.fish"
    # In single quotes fish still gives \ and ' a meaning.
    bin=${bin//\\/\\\\} functions=${functions//\\/\\\\}
    bin=${bin//\'/\\\'} functions=${functions//\'/\\\'}
    printf "if test -r '%s'; fish_add_path --global '%s'; source '%s'; end  %s\n" \
      "$functions" "$bin" "$functions" "$marker"
  else
    functions="$prefix/share/hopdir/hopdir.bash"
    # %q quotes for bash; zsh reads the same quoting.
    # shellcheck disable=SC2016 # $PATH is the rc file's to expand
    printf 'if [ -r %q ]; then case :$PATH: in *:%q:*) ;; *) PATH=%q:$PATH ;; esac; . %q; fi  %s\n' \
      "$functions" "$bin" "$bin" "$functions" "$marker"
  fi
}

# put_rc_line FILE LINE: LINE in place of the first line of FILE that ends
# in the marker (dropping any others), or at its end; FILE is made if
# missing. Written aside and moved over the file (its target, when it is a
# link) in one step, so that an rc file is never left half written.
put_rc_line() {
  local file="$1" line="$2" target temp had
  if [ ! -e "$file" ]; then
    note_dirs "$(dirname "$file")"
    mkdir -p "$(dirname "$file")"
    printf '%s\n' "$line" >"$file"
    printf 'rc\t%s\n' "$file" >>"$made"
    echo "$file: made it, with the line that loads hm and hf"
    return
  fi
  target=$(realpath -- "$file")
  had=$(grep -cF -- "$marker" "$target" || true)
  if [ "$had" -eq 1 ] && grep -qxF -- "$line" "$target"; then
    echo "$file: loads hm and hf already"
    return
  fi
  temp=$(mktemp "$target.XXXXXX")
  HOPDIR_RC_LINE="$line" HOPDIR_RC_MARKER="$marker" awk '
    index($0, ENVIRON["HOPDIR_RC_MARKER"]) {
      if (!done) print ENVIRON["HOPDIR_RC_LINE"]
      done = 1
      next
    }
    { print }
    END { if (!done) print ENVIRON["HOPDIR_RC_LINE"] }
  ' "$target" >"$temp"
  chmod --reference="$target" "$temp"
  mv -f -- "$temp" "$target"
  if [ "$had" -eq 0 ]; then
    echo "$file: added the line that loads hm and hf"
  else
    echo "$file: replaced the line that loads hm and hf"
  fi
}

# save_record: what the installs made, each once, beside the functions.
save_record() {
  sort -u -- "$made" >"$record.new"
  mv -f -- "$record.new" "$record"
}

echo "Installed the programs in $prefix/bin and the shell functions in $prefix/share/hopdir."
if [ "$edit_rc" -eq 0 ]; then
  save_record
  echo "Left the rc files alone (--no-rc). To load hm and hf, add to ~/.bashrc or ~/.zshrc:"
  echo "  $(rc_line bash)"
  echo "and to ~/.config/fish/config.fish:"
  echo "  $(rc_line fish)"
  exit 0
fi
mapfile -t rcs < <(rc_files)
for shell in bash zsh fish; do
  command -v "$shell" >/dev/null || continue
  case "$shell" in
    bash) rc=${rcs[0]} ;;
    zsh) rc=${rcs[1]} ;;
    fish) rc=${rcs[2]} ;;
  esac
  put_rc_line "$rc" "$(rc_line "$shell")"
done
save_record
echo "Open a new shell and type hm."
