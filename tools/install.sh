#!/usr/bin/env bash
# Builds the native programs (the native preset, incrementally) and
# installs them with the shell functions into ~/.local, or PREFIX:
#   PREFIX/bin/hopmenu, hopfind, hopclean
#   PREFIX/share/hopdir/hopdir.bash, hopdir.fish
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
set -euo pipefail

usage() {
  echo "usage: [PREFIX=DIR] tools/install.sh [--no-rc]"
  echo "Builds Hopdir and installs it into DIR (~/.local when PREFIX is not set);"
  echo "--no-rc: do not add the line that loads hm and hf to the shells' rc files."
}

edit_rc=1
for arg in "$@"; do
  case "$arg" in
    --no-rc) edit_rc=0 ;;
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

source tools/packages.sh
need cmake cmake
need ninja ninja-build
need g++ g++
install_missing

# The preset's end-to-end tests need tmux, zsh and fish, which a user of
# the programs may not have: without them the build leaves the tests out.
configure=(cmake --preset native)
if ! command -v tmux >/dev/null || ! command -v zsh >/dev/null || ! command -v fish >/dev/null; then
  configure+=(-DHOPDIR_POSIX_E2E=OFF)
fi
"${configure[@]}" >/dev/null
cmake --build --preset native
cmake --install build/native --prefix "$prefix" --strip

marker="# Hopdir: hm and hf (tools/install.sh)"

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
    mkdir -p "$(dirname "$file")"
    printf '%s\n' "$line" >"$file"
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

echo "Installed the programs in $prefix/bin and the shell functions in $prefix/share/hopdir."
if [ "$edit_rc" -eq 0 ]; then
  echo "Left the rc files alone (--no-rc). To load hm and hf, add to ~/.bashrc or ~/.zshrc:"
  echo "  $(rc_line bash)"
  echo "and to ~/.config/fish/config.fish:"
  echo "  $(rc_line fish)"
  exit 0
fi
for shell in bash zsh fish; do
  command -v "$shell" >/dev/null || continue
  case "$shell" in
    bash) rc="$HOME/.bashrc" ;;
    zsh) rc="${ZDOTDIR:-$HOME}/.zshrc" ;;
    fish) rc="${XDG_CONFIG_HOME:-$HOME/.config}/fish/config.fish" ;;
  esac
  put_rc_line "$rc" "$(rc_line "$shell")"
done
echo "Open a new shell and type hm."
