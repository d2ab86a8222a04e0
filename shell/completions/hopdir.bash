# shellcheck shell=bash
# Completion of hm and hf for bash. bash-completion loads this file from
# its completions directory, where it lies under the name of each command,
# the first time either is completed; it may also be sourced from ~/.bashrc.
#
#   hf PART<Tab>  the subdirectories of the current directory whose names
#                 contain PART, ignoring the case of a to z alone, as
#                 hopfind matches them
#   hm PART<Tab>  the recent directories whose paths contain PART, most
#                 recent first, from hopmenu --history
#
# The candidates are quoted for the command line (printf %q), so that names
# with blanks, quotes or line breaks land as one word. After an opening
# quote, readline completes the text inside it: a candidate goes in as it
# is there, and only when that quote can hold it.

# __hopdir_upper TEXT: TEXT with a..z upper-cased and every other byte as it
# is, in REPLY; in the C locale ^^ knows no other letters.
function __hopdir_upper {
  local LC_ALL=C
  REPLY=${1^^}
}

# __hopdir_typed TEXT: the word being completed, TEXT as readline gives it,
# without its quoting and upper-cased, in REPLY; the quote it opened (' or
# "), if any, in __hopdir_quote.
function __hopdir_typed {
  local word=${COMP_WORDS[COMP_CWORD]} part="" i
  __hopdir_quote=""
  case $word in
    \"* | \'*) [ "${word:1}" != "$1" ] || __hopdir_quote=${word:0:1} ;;
  esac
  if [ -n "$__hopdir_quote" ]; then
    part=$1
  else
    for ((i = 0; i < ${#1}; i++)); do
      [ "${1:i:1}" != "\\" ] || ((i += 1))
      part+=${1:i:1}
    done
  fi
  __hopdir_upper "$part"
}

# __hopdir_offer CANDIDATE PART [BYTES]: CANDIDATE, in the quoting of the
# word, joins COMPREPLY when it contains PART (from __hopdir_typed), within
# its first BYTES bytes when given.
function __hopdir_offer {
  __hopdir_upper "$1"
  if [ -n "${3-}" ]; then
    local LC_ALL=C
    REPLY=${REPLY:0:$3}
  fi
  [[ $REPLY == *"$2"* ]] || return 0
  case $__hopdir_quote in
    \') [[ $1 != *\'* ]] || return 0 ;;
    \") [[ $1 != *[\"\$\`\\!]* ]] || return 0 ;;
    *) printf -v REPLY %q "$1" ;;
  esac
  [ -z "$__hopdir_quote" ] || REPLY=$1
  COMPREPLY+=("$REPLY")
}

function __hopdir_complete_hf {
  local part dir had_nullglob=0 had_dotglob=0 dirs __hopdir_quote
  COMPREPLY=()
  [ "$COMP_CWORD" -eq 1 ] || return 0
  __hopdir_typed "$2"
  part=$REPLY
  # Hidden directories too, as hopfind sees them; the user's glob options
  # are put back at once.
  shopt -q nullglob && had_nullglob=1
  shopt -q dotglob && had_dotglob=1
  shopt -s nullglob dotglob
  dirs=(*/)
  [ "$had_nullglob" -eq 1 ] || shopt -u nullglob
  [ "$had_dotglob" -eq 1 ] || shopt -u dotglob
  # hopfind looks for the part in a name's first 80 bytes.
  for dir in "${dirs[@]}"; do
    __hopdir_offer "${dir%/}" "$part" 80
  done
}

function __hopdir_complete_hm {
  local part line __hopdir_quote
  COMPREPLY=()
  [ "$COMP_CWORD" -eq 1 ] || return 0
  __hopdir_typed "$2"
  part=$REPLY
  while IFS= read -r line; do
    __hopdir_offer "$line" "$part"
  done < <(command hopmenu --history 2>/dev/null)
  # In the history's order, most recent first, where bash can keep it.
  compopt -o nosort 2>/dev/null || :
}

complete -F __hopdir_complete_hf hf
complete -F __hopdir_complete_hm hm
