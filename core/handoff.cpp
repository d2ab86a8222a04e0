#include "core/handoff.h"

#include "containers/fatal_halt.h"
#include "containers/io_check.h"
#include "platform/platform.h"

namespace hopdir {

void ClaimHandoff() { CheckIo(Os().handoff.Claim()); }

void WriteDestination(const Str255& destination) {
  // A directory that is gone, is no directory or may not be entered would
  // fail the shell's cd after the history had taken it in: the run ends
  // here instead. No destination at all (-A before any jump) leaves the
  // shell where it is.
  if (!destination.Empty() && Os().files.CanChangeTo(destination) != 0) {
    FatalHalt(destination.ToStd() + " is not a directory that can be entered.");
  }
  CheckIo(Os().handoff.Write(destination));
}

}  // namespace hopdir
