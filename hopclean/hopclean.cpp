#include "hopclean/hopclean.h"

#include "core/batch_file.h"
#include "core/io_check.h"
#include "platform/platform.h"

namespace hopdir {

void RunHopclean() {
  // One attempt, whatever the reason for a failure; the exit code stays 0
  // either way.
  if (Os().files.DeleteFile(BatchFilePath()) != 0) {
    CheckIo(Os().console.WriteLine("Delete failed."));
  }
  ExitProgram(0);
}

}  // namespace hopdir
