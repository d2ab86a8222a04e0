# Completion of hm for fish (found in a directory of $fish_complete_path):
# the recent directories whose paths contain what was typed, ignoring the
# case of a to z alone, as hopmenu looks them up; most recent first, from
# hopmenu --history.

# __hopdir_containing is hf's, in the file beside this one.
functions -q __hopdir_containing; or source (status dirname)/hf.fish

function __hopdir_complete_hm
    set -l typed (commandline -ct)
    set -l part (string unescape -- $typed); or set part $typed
    set -l recent (command hopmenu --history 2>/dev/null)
    set -q recent[1]; or return
    __hopdir_containing "$part" $recent
end

complete -c hm -f -k -a '(__hopdir_complete_hm)'
