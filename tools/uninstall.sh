# shellcheck shell=bash
# shellcheck disable=SC2154 # set by tools/install.sh, which sources this
# Sourced by tools/install.sh for --uninstall and --purge, with prefix,
# record, marker, purge and rc_files set: takes the lines ending in the
# marker out of the rc files, and away what the record lists (files, rc
# files the installs made, as long as nothing else is in them, and the
# directories they made, as long as they are empty); with --purge, the
# history too.

# drop_rc_line FILE: FILE without its lines that end in the marker, written
# aside and moved over its target in one step.
drop_rc_line() {
  local file="$1" target temp
  [ -f "$file" ] && grep -qF -- "$marker" "$file" || return 0
  target=$(realpath -- "$file")
  temp=$(mktemp "$target.XXXXXX")
  grep -vF -- "$marker" "$target" >"$temp" || true
  chmod --reference="$target" "$temp"
  mv -f -- "$temp" "$target"
  echo "$file: removed the line that loads hm and hf"
}

mapfile -t rcs < <(rc_files)
for rc in "${rcs[@]}"; do
  drop_rc_line "$rc"
done

made_files=() made_rcs=() made_dirs=()
if [ -f "$record" ]; then
  while IFS=$'\t' read -r kind path; do
    case "$kind" in
      file) made_files+=("$path") ;;
      rc) made_rcs+=("$path") ;;
      dir) made_dirs+=("$path") ;;
    esac
  done <"$record"
  rm -f -- "${made_files[@]}" "$record"
  echo "Removed the programs, the shell functions, the completions and the manual pages from $prefix."
else
  echo "$record is missing: no files of an install into $prefix to remove."
fi
for rc in "${made_rcs[@]}"; do
  if [ -f "$rc" ] && [ ! -s "$rc" ]; then
    rm -f -- "$rc"
    echo "$rc: removed it, made by the install and empty now"
  fi
done

# Deepest first, each only when empty.
if [ "${#made_dirs[@]}" -gt 0 ]; then
  printf '%s\0' "${made_dirs[@]}" | sort -zru | xargs -0 rmdir --ignore-fail-on-non-empty --
fi

if [ "$purge" -eq 1 ]; then
  # Where hopmenu keeps it: HOPDIR_HOME, else XDG_DATA_HOME/hopdir, else
  # ~/.local/share/hopdir, each only as an absolute path.
  data="$HOME/.local/share/hopdir"
  if [[ "${HOPDIR_HOME-}" == /* ]]; then
    data=$HOPDIR_HOME
  elif [[ "${XDG_DATA_HOME-}" == /* ]]; then
    data=$XDG_DATA_HOME/hopdir
  fi
  rm -f -- "$data/HOPMENU.DAT" "$data/HOPMENU.LCK" "$data/HOPMENU.\$\$\$"
  # The folder hopmenu made goes with it, and in the default place the
  # folders above it in HOME that hold nothing else (an earlier uninstall
  # kept them for the history); a folder the user named stays.
  if [ -z "${HOPDIR_HOME-}" ]; then
    rmdir -- "$data" 2>/dev/null || true
    dir=$(dirname -- "$data")
    while [[ "${XDG_DATA_HOME-}" != /* && "$dir" == "$HOME"/* ]] && rmdir -- "$dir" 2>/dev/null; do
      dir=$(dirname -- "$dir")
    done
  fi
  echo "Removed the history from $data."
fi
