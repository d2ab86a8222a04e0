// hopclean: deletes the temporary batch file from the programs' directory.
#ifndef HOPDIR_HOPCLEAN_HOPCLEAN_H_
#define HOPDIR_HOPCLEAN_HOPCLEAN_H_

namespace hopdir {

// The whole program after start-up; arguments are ignored. Never returns.
[[noreturn]] void RunHopclean();

}  // namespace hopdir

#endif  // HOPDIR_HOPCLEAN_HOPCLEAN_H_
