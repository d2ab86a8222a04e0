// hopmenu: the interactive directory chooser's main body. With no argument
// it shows the menu page; "-A", "-P" or part of a recent directory jump
// without one; --history lists the recent directories. The choice goes to
// the shell through the handoff.
#ifndef HOPDIR_HOPMENU_HOPMENU_H_
#define HOPDIR_HOPMENU_HOPMENU_H_

namespace hopdir {

// The whole program after start-up. Exit code 0 when a destination was
// chosen, 1 after ABORT or a fatal halt. Never returns.
[[noreturn]] void RunHopmenu();

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_HOPMENU_H_
