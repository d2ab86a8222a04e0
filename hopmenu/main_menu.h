// hopmenu's interactive page: the user walks from the start directory to a
// destination with the mouse alone; the menu reads no keys.
#ifndef HOPDIR_HOPMENU_MAIN_MENU_H_
#define HOPDIR_HOPMENU_MAIN_MENU_H_

#include "hopmenu/hopmenu_run.h"

namespace hopdir {

// Measures the screen, starts the mouse and runs the page until DONE, ABORT
// or a press on a recent directory in the hot view. Sets the run's
// destination (its trailing separator removed except at a root) and
// UserAborted, and leaves the screen cleared in white on black.
void RunMainMenu(HopmenuRun& run);

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_MAIN_MENU_H_
