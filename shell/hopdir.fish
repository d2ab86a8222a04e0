# Hopdir for fish: hm and hf change the directory of this shell. Put this
# file in ~/.config/fish/conf.d/ (or source it from config.fish); hopmenu,
# hopfind and hopclean must be on PATH.
#
# A program cannot change its shell's directory, so each run gets a fresh
# private file from mktemp, named to the program in HOPDIR_HANDOFF; the
# program writes a cd line there, quoted for fish, and the file is sourced
# only when the program succeeded. hopclean then deletes it. The function
# returns the program's exit status and leaves no variable behind.

function hm --description 'Change to a directory chosen on the Hopdir page, or a recent one'
    __hopdir_jump hopmenu $argv
end

function hf --description 'Change to the first subdirectory whose name contains the argument'
    __hopdir_jump hopfind $argv
end

# __hopdir_jump PROGRAM [ARG...]
function __hopdir_jump
    set -l dir /tmp
    # The programs take paths of up to 255 bytes: a deeper TMPDIR is passed over.
    if set -q TMPDIR; and test -n "$TMPDIR"; and test (string length -- $TMPDIR) -le 200
        set dir $TMPDIR
    end
    set -l file (command mktemp $dir/hopdir.XXXXXXXXXX)
    or return 1
    # The file is sourced and deleted after the cd: a relative name would
    # then point elsewhere.
    string match -q -- '/*' $file
    or set file $PWD/$file
    # fish gives up the rest of a function when a program in it dies of
    # Ctrl+C, which would leave the file behind: sh waits for the program
    # instead and hands its status on (128 + the signal).
    HOPDIR_HANDOFF=$file HOPDIR_SHELL=fish command sh -c 'trap : INT; "$@"; exit' $argv[1] $argv
    set -l program_status $status
    if test $program_status -eq 0
        source $file
    end
    # Should hopclean itself be missing, the file still goes.
    HOPDIR_HANDOFF=$file command hopclean
    or command rm -f -- $file
    return $program_status
end
