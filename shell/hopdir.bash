# shellcheck shell=bash
# Hopdir for bash and zsh: hm and hf change the directory of this shell.
# Source this file from ~/.bashrc or ~/.zshrc; hopmenu, hopfind and
# hopclean must be on PATH.
#
# A program cannot change its shell's directory, so each run gets a fresh
# file that the function makes itself, exclusively and private, and holds
# open. The program writes a cd line there, quoted for HOPDIR_SHELL,
# through the descriptor named in HOPDIR_HANDOFF_FD, and removes the file's
# name as soon as it holds the file; the function reads the line back
# through its own descriptor, never by the name, so that nobody who may
# rename files in TMPDIR can slip a file of theirs in, and runs it only
# when the program succeeded. The function returns the program's exit
# status and leaves no variable behind.

# `function NAME` rather than `NAME()`, so that an alias of the same name
# defined earlier in the rc file cannot break the definition.
function hm {
  __hopdir_jump hopmenu "$@"
}

function hf {
  __hopdir_jump hopfind "$@"
}

# __hopdir_open: makes this run's handoff file in TMPDIR, else in /tmp, and
# opens it for writing; sets the caller's __hopdir_file and __hopdir_fd.
function __hopdir_open {
  local __hopdir_dir __hopdir_try __hopdir_word="" __hopdir_mask=""
  if [ -n "${ZSH_VERSION-}" ]; then
    zmodload -F zsh/system b:sysopen 2>/dev/null || return 1
  else
    # noclobber makes > create the file or fail; `local -` puts the option
    # back on return. The mask keeps the file the user's alone; Linux shows
    # the one in force without the fork that $(umask) costs.
    local -
    set -C
    { builtin read -r __hopdir_word && builtin read -r __hopdir_word __hopdir_mask; } \
      </proc/self/status 2>/dev/null
    [ "$__hopdir_word" = Umask: ] || __hopdir_mask=$(builtin umask)
  fi
  for __hopdir_dir in "${TMPDIR-}" /tmp; do
    # Only an absolute directory, short enough for the programs' paths of
    # 255 bytes: a relative one names another place once the shell has
    # moved, and a TMPDIR such as -p is no option here.
    case $__hopdir_dir in
      /*) ;;
      *) continue ;;
    esac
    [ "${#__hopdir_dir}" -le 200 ] || continue
    for __hopdir_try in 1 2 3; do
      __hopdir_file="$__hopdir_dir/hopdir.${SRANDOM-$RANDOM}$RANDOM$RANDOM"
      if [ -n "${ZSH_VERSION-}" ]; then
        sysopen -w -o creat,excl,nofollow -m 600 -u __hopdir_fd "$__hopdir_file" 2>/dev/null &&
          return 0
      else
        builtin umask 077
        if { exec {__hopdir_fd}>"$__hopdir_file"; } 2>/dev/null; then
          builtin umask "$__hopdir_mask"
          # noclobber still opens what is there already when it is no
          # regular file (a pipe someone put in the way): not that.
          [ -f "/dev/fd/$__hopdir_fd" ] && return 0
          exec {__hopdir_fd}>&-
        fi
        builtin umask "$__hopdir_mask"
      fi
    done
  done
  return 1
}

# __hopdir_restore MODES: the terminal as a program that died of a signal
# may have left it (mouse reporting, alternate screen, autowrap, cursor)
# put back, and the terminal modes MODES (stty -g) when they were saved.
# The alternate screen is entered before it is left, so that a terminal
# that is not in it keeps its cursor where it is.
function __hopdir_restore {
  {
    builtin printf '\033[?1006l\033[?1003l\033[?1002l\033[?1000l\033[?7h\033[?25h'
    builtin printf '\033[?1049h\033[?1049l'
  } 2>/dev/null >/dev/tty
  if [ -n "$1" ]; then
    command stty "$1" </dev/tty 2>/dev/null || :
  fi
}

# __hopdir_jump PROGRAM [ARG...]
function __hopdir_jump {
  local __hopdir_program="$1" __hopdir_shell=bash __hopdir_int_trap="" __hopdir_file=""
  local __hopdir_fd="" __hopdir_status=0 __hopdir_modes=""
  shift
  # A program that Ctrl+C ends would otherwise end this function with it,
  # before the file is closed: with a trap of its own the shell goes on.
  # zsh puts the user's trap back by itself when the function returns.
  if [ -n "${ZSH_VERSION-}" ]; then
    __hopdir_shell=zsh
    setopt local_options local_traps
  else
    __hopdir_int_trap=$(trap -p INT)
  fi
  trap : INT
  if __hopdir_open; then
    # The page changes the terminal's modes: they are noted for a program
    # that dies of a signal without putting them back.
    if [ "$__hopdir_program" = hopmenu ] && [ -z "${1-}" ]; then
      __hopdir_modes=$(command stty -g </dev/tty 2>/dev/null) || __hopdir_modes=""
    fi
    HOPDIR_HANDOFF="$__hopdir_file" HOPDIR_HANDOFF_FD="$__hopdir_fd" \
      HOPDIR_SHELL="$__hopdir_shell" command "$__hopdir_program" "$@" || __hopdir_status=$?
    # A cd that fails (the directory went meanwhile) has said so; under
    # err_return or errexit it must not end the function before the file
    # is closed.
    if [ "$__hopdir_status" -eq 0 ]; then
      builtin source "/dev/fd/$__hopdir_fd" || __hopdir_status=$?
    elif [ "$__hopdir_status" -gt 128 ]; then
      __hopdir_restore "$__hopdir_modes"
    fi
    # A program that Ctrl+Z only stopped may still end once this function
    # has gone on: a byte in the file tells it that nobody reads it now.
    builtin printf x >&"$__hopdir_fd"
    exec {__hopdir_fd}>&-
    # The program removes the name once it holds the file; one that never
    # got so far did not. Should hopclean itself be missing, it still goes.
    if [ -e "$__hopdir_file" ] || [ -L "$__hopdir_file" ]; then
      HOPDIR_HANDOFF="$__hopdir_file" command hopclean 2>/dev/null ||
        command rm -f -- "$__hopdir_file"
    fi
  else
    builtin printf 'hopdir: cannot make a handoff file in %s or /tmp\n' "${TMPDIR:-/tmp}" >&2
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
