// The program-wide state of one hopmenu run: where it started, where the
// user is to be taken, and how the run is to end.
#ifndef HOPDIR_HOPMENU_RUN_STATE_H_
#define HOPDIR_HOPMENU_RUN_STATE_H_

#include "platform/short_string.h"

namespace hopdir {

// The current directory of the current drive when the program started.
extern Str255 StartDirectory;
// The directory the batch file takes the user to.
extern Str255 Destination;
// Set only by the main menu: the user pressed ABORT.
extern bool UserAborted;
// True unless the command line names a destination.
extern bool ShowMenu;

// Sets the start-up values: empty strings, UserAborted false, ShowMenu true.
void StartRunState();

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_RUN_STATE_H_
