// hopclean: deletes the handoff file of the run that just ended (the batch
// file beside the programs on Windows).
#ifndef HOPDIR_HOPCLEAN_HOPCLEAN_H_
#define HOPDIR_HOPCLEAN_HOPCLEAN_H_

namespace hopdir {

// The whole program after start-up; arguments are ignored. Never returns.
[[noreturn]] void RunHopclean();

}  // namespace hopdir

#endif  // HOPDIR_HOPCLEAN_HOPCLEAN_H_
