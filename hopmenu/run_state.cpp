#include "hopmenu/run_state.h"

namespace hopdir {

Str255 StartDirectory;
Str255 Destination;
bool UserAborted = false;
bool ShowMenu = true;

void StartRunState() {
  StartDirectory = Str255();
  Destination = Str255();
  UserAborted = false;
  ShowMenu = true;
}

}  // namespace hopdir
