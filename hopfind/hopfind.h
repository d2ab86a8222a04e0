// hopfind: goes to the first immediate subdirectory of the current
// directory whose name contains the one argument, ignoring the case of a..z.
#ifndef HOPDIR_HOPFIND_HOPFIND_H_
#define HOPDIR_HOPFIND_HOPFIND_H_

namespace hopdir {

// The whole program after start-up: writes the batch file and exits 0, or
// prints the usage halt and exits 1 without touching the batch file.
[[noreturn]] void RunHopfind();

}  // namespace hopdir

#endif  // HOPDIR_HOPFIND_HOPFIND_H_
