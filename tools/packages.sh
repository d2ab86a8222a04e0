# shellcheck shell=bash
# Sourced by the tools: what a fresh Debian machine lacks is installed with
# apt-get when the tool runs as root, and named otherwise.
#
#   need COMMAND PACKAGE...   the packages, when COMMAND is not on PATH
#   need_file FILE PACKAGE... the packages, when FILE is not there
#   install_missing           installs what was named, or says what to
#                             install and ends the tool with exit code 1
#   install_packages PACKAGE... installs these at once, the same way

missing_packages=()

need() {
  local command="$1"
  shift
  command -v "$command" >/dev/null || missing_packages+=("$@")
}

need_file() {
  local file="$1"
  shift
  [ -e "$file" ] || missing_packages+=("$@")
}

install_packages() {
  [ $# -gt 0 ] || return 0
  if [ "$(id -u)" -ne 0 ] || ! command -v apt-get >/dev/null; then
    echo "Missing: $*. Install them first (on Debian: sudo apt-get install $*)," \
      "then run this again." >&2
    exit 1
  fi
  echo "Installing: $*"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q "$@"
}

install_missing() {
  install_packages "${missing_packages[@]}"
  missing_packages=()
}
