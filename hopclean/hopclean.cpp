#include "hopclean/hopclean.h"

#include "containers/io_check.h"
#include "core/options.h"
#include "platform/platform.h"

namespace hopdir {

namespace {

constexpr ProgramUsage kUsage{
    "hopclean",
    "Usage: hopclean    deletes the handoff file of the jump that hm or hf has\n"
    "  just made (they run it themselves); other arguments are ignored",
    nullptr, false};

}  // namespace

void RunHopclean() {
  ReadOptions(kUsage);
  // One attempt, whatever the reason for a failure; the exit code stays 0
  // either way.
  if (Os().files.DeleteFile(Os().handoff.Location()) != 0) {
    CheckIo(Os().console.WriteLine("Delete failed."));
  }
  ExitProgram(0);
}

}  // namespace hopdir
