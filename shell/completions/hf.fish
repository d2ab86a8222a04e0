# Completion of hf for fish (found in a directory of $fish_complete_path):
# the subdirectories of the current directory whose names contain what was
# typed, ignoring the case of a to z alone, as hopfind matches them; hidden
# ones too, as hopfind sees them. fish escapes each name as it inserts it.
# It takes the candidates one a line, whatever separates them, so a name
# with a line break is not offered: its pieces would name other places.
# hopfind looks in a name's first 80 bytes only, which fish, counting
# characters, cannot cut exactly: a longer name is offered when it holds
# the part anywhere, and hf then says when it is not found.

# __hopdir_containing TEXT CANDIDATE...: the candidates that contain TEXT,
# one a line; a to z match either case, every other character only itself
# (fish's own case rules know every alphabet).
function __hopdir_containing -a text
    set -l pattern
    for char in (string split '' -- $text)
        if string match -qr '^[A-Za-z]$' -- $char
            set -a pattern '['(string lower -- $char)(string upper -- $char)']'
        else
            set -a pattern (string escape --style=regex -- $char)
        end
    end
    set pattern (string join '' -- '' $pattern)
    for candidate in $argv[2..]
        string match -qr -- $pattern $candidate; and printf '%s\n' $candidate
    end
end

function __hopdir_complete_hf
    # The word as typed, without its quoting; as it stands when a quote is
    # still open.
    set -l typed (commandline -ct)
    set -l part (string unescape -- $typed); or set part $typed
    set -l dirs */ .*/
    set dirs (string match -rv -- '\n' $dirs | string replace -r '/$' '')
    set -q dirs[1]; or return
    __hopdir_containing "$part" $dirs
end

complete -c hf -f -a '(__hopdir_complete_hf)'
