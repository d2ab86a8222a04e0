# fish loads a function from the file named after it in a directory of
# $fish_function_path the first time it is called. hm, hf and their helper
# are one file, hopdir.fish, shared with those who source it from
# config.fish: loading it defines all three. It lies in share/hopdir, two
# levels up from share/fish/vendor_functions.d.
source (status dirname)/../../hopdir/hopdir.fish
