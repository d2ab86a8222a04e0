# shellcheck shell=bash
# Hopdir for bash and zsh: hm and hf change the directory of this shell.
# Source this file from ~/.bashrc or ~/.zshrc; hopmenu, hopfind and
# hopclean must be on PATH.
#
# A program cannot change its shell's directory, so each run gets a fresh
# private file from mktemp, named to the program in HOPDIR_HANDOFF; the
# program writes a cd line there, quoted for HOPDIR_SHELL, and the file is
# sourced only when the program succeeded. hopclean then deletes it. The
# function returns the program's exit status and leaves no variable behind.

# `function NAME` rather than `NAME()`, so that an alias of the same name
# defined earlier in the rc file cannot break the definition.
function hm {
  __hopdir_jump hopmenu "$@"
}

function hf {
  __hopdir_jump hopfind "$@"
}

# __hopdir_jump PROGRAM [ARG...]
function __hopdir_jump {
  local __hopdir_program="$1" __hopdir_shell=bash __hopdir_int_trap="" __hopdir_file
  local __hopdir_status=0
  shift
  # A program that Ctrl+C ends would otherwise end this function with it,
  # before the file is deleted: with a trap of its own the shell goes on.
  # zsh puts the user's trap back by itself when the function returns.
  if [ -n "${ZSH_VERSION-}" ]; then
    __hopdir_shell=zsh
    setopt local_options local_traps
  else
    __hopdir_int_trap=$(trap -p INT)
  fi
  trap : INT
  # The programs take paths of up to 255 bytes: a deeper TMPDIR is passed over.
  local __hopdir_dir="${TMPDIR:-/tmp}"
  [ "${#__hopdir_dir}" -le 200 ] || __hopdir_dir=/tmp
  if __hopdir_file=$(command mktemp "$__hopdir_dir/hopdir.XXXXXXXXXX"); then
    # The file is sourced and deleted after the cd: a relative name would
    # then point elsewhere.
    case $__hopdir_file in
      /*) ;;
      *) __hopdir_file="$PWD/$__hopdir_file" ;;
    esac
    HOPDIR_HANDOFF="$__hopdir_file" HOPDIR_SHELL="$__hopdir_shell" \
      command "$__hopdir_program" "$@" || __hopdir_status=$?
    # A cd that fails (the directory is gone) has said so; under
    # err_return or errexit it must not end the function before the file
    # is deleted.
    if [ "$__hopdir_status" -eq 0 ]; then
      builtin source "$__hopdir_file" || :
    fi
    # Should hopclean itself be missing, the file still goes.
    HOPDIR_HANDOFF="$__hopdir_file" command hopclean || command rm -f -- "$__hopdir_file"
  else
    __hopdir_status=1
  fi
  if [ -z "${ZSH_VERSION-}" ]; then
    if [ -n "$__hopdir_int_trap" ]; then
      eval "$__hopdir_int_trap"
    else
      trap - INT
    fi
  fi
  return "$__hopdir_status"
}
