// hopmenu: the interactive directory chooser's main body. With no argument
// it shows the menu page; "-A", "-P" or part of a recent directory jump
// without one. The choice goes to the shell through the batch file.
#ifndef HOPDIR_HOPMENU_HOPMENU_H_
#define HOPDIR_HOPMENU_HOPMENU_H_

#include "hopmenu/run_state.h"

namespace hopdir {

// The whole program after start-up. Exit code 0 when a destination was
// chosen, 1 after ABORT or a fatal halt. Never returns.
[[noreturn]] void RunHopmenu();

// Sets Destination from the first command-line argument and clears ShowMenu,
// unless the only argument is empty. A key found in no history entry halts.
void LookupArgument();

// Reads and drops every key waiting in the console input.
void FlushKeyboard();

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_HOPMENU_H_
