#include "hopclean/hopclean.h"

#include "containers/io_check.h"
#include "platform/platform.h"

namespace hopdir {

void RunHopclean() {
  // One attempt, whatever the reason for a failure; the exit code stays 0
  // either way.
  if (Os().files.DeleteFile(Os().handoff.Location()) != 0) {
    CheckIo(Os().console.WriteLine("Delete failed."));
  }
  ExitProgram(0);
}

}  // namespace hopdir
