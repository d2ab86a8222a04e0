# Hopdir for fish: hm and hf change the directory of this shell. Put this
# file in ~/.config/fish/conf.d/ (or source it from config.fish); hopmenu,
# hopfind and hopclean must be on PATH.
#
# A program cannot change its shell's directory, so each run gets a fresh
# file that the function makes itself, exclusively and private, and holds
# open as descriptor 3 for the run. The program writes a cd line there,
# quoted for fish, through that descriptor (HOPDIR_HANDOFF_FD), and removes
# the file's name as soon as it holds the file; the line is read back
# through the same descriptor, never by the name, so that nobody who may
# rename files in TMPDIR can slip a file of theirs in, and runs only when
# the program succeeded. The function returns the program's exit status and
# leaves no variable behind.

function hm --description 'Change to a directory chosen on the Hopdir page, or a recent one'
    __hopdir_jump hopmenu $argv
end

function hf --description 'Change to the first subdirectory whose name contains the argument'
    __hopdir_jump hopfind $argv
end

# __hopdir_jump PROGRAM [ARG...]
function __hopdir_jump
    # fish gives up the rest of a function when a program in it dies of
    # Ctrl+C: sh waits for the program instead and hands its status on (128
    # + the signal). For a program that died of a signal it puts the
    # terminal back as the page may have left it (mouse reporting,
    # alternate screen, autowrap, cursor, and the modes when the page could
    # have changed them); the alternate screen is entered before it is left,
    # so that a terminal that is not in it keeps its cursor where it is.
    set -l helper '
trap : INT
modes=
if [ "$1" = hopmenu ] && [ -z "${2-}" ]; then modes=$(stty -g </dev/tty 2>/dev/null) || modes=; fi
"$@"
status=$?
if [ "$status" -gt 128 ]; then
  printf "\033[?1006l\033[?1003l\033[?1002l\033[?1000l\033[?7h\033[?25h\033[?1049h\033[?1049l" \
    2>/dev/null >/dev/tty
  [ -z "$modes" ] || stty "$modes" </dev/tty 2>/dev/null
fi
exit "$status"'
    set -l saved_umask $umask
    set -l opened 0
    set -l program_status 1
    set -l file
    for dir in $TMPDIR /tmp
        test $opened -eq 0; or break
        # Only an absolute directory, short enough for the programs' paths
        # of 255 bytes: a relative one names another place once the shell
        # has moved.
        string match -q -- '/*' $dir; and test (string length -- $dir) -le 200
        and test -d $dir -a -w $dir
        or continue
        for try in 1 2 3
            set file $dir/hopdir.(random 100000 999999)(random 100000 999999)(random 100000 999999)
            test -e $file; or test -L $file; and continue
            # >? creates the file or fails; the mask keeps it the user's alone
            # and is put back as soon as the file is open.
            set -g umask 0077
            begin
                set -g umask $saved_umask
                set opened 1
                HOPDIR_HANDOFF=$file HOPDIR_HANDOFF_FD=3 HOPDIR_SHELL=fish \
                    command sh -c $helper sh $argv
                set program_status $status
                if test $program_status -eq 0
                    # A cd that fails (the directory went meanwhile) has said so.
                    command cat /dev/fd/3 | source
                    or set program_status $status
                end
                # A program that Ctrl+Z only stopped may still end once this
                # function has gone on: a byte in the file tells it that
                # nobody reads it now.
                echo x >&3
            end 3>?$file
            set -g umask $saved_umask
            test $opened -eq 1; and break
        end
    end
    if test $opened -eq 0
        printf 'hopdir: cannot make a handoff file in %s or /tmp\n' "$TMPDIR" >&2
        return 1
    end
    # The program removes the name once it holds the file; one that never
    # got so far did not. Should hopclean itself be missing, it still goes.
    if test -e $file; or test -L $file
        HOPDIR_HANDOFF=$file command hopclean 2>/dev/null
        or command rm -f -- $file
    end
    return $program_status
end
