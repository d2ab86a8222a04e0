// One run of hopmenu: where it started, where the user is to be taken, how
// the run is to end, and the history it reads and saves. The main body
// owns it and hands it to the page and to the saving code.
#ifndef HOPDIR_HOPMENU_HOPMENU_RUN_H_
#define HOPDIR_HOPMENU_HOPMENU_RUN_H_

#include "hopmenu/history.h"
#include "platform/short_string.h"

namespace hopdir {

struct HopmenuRun {
  // The current directory of the current drive when the program started.
  Str255 StartDirectory;
  // The directory the handoff takes the user to.
  Str255 Destination;
  // Set only by the page: the user pressed ABORT.
  bool UserAborted = false;
  // True unless the command line names a destination.
  bool ShowMenu = true;
  History Recent;
};

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_HOPMENU_RUN_H_
