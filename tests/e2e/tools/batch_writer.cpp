// batch_writer DESTINATION: writes the batch file for DESTINATION into its
// own directory through the real backend's handoff, as WriteDestination
// does short of asking whether the destination can be entered, so that the
// file can be tested on its own, for destinations that need not exist.
#include <string>

#include "containers/io_check.h"
#include "platform/native_platform.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  const hopdir::Str255 destination = hopdir::Os().process.Arg(1);
  std::string message;
  if (const int refused = hopdir::Os().handoff.Refusal(destination, message); refused != 0) {
    hopdir::CheckIo(hopdir::Os().console.WriteLine(message));
    hopdir::ExitProgram(refused);
  }
  hopdir::CheckIo(hopdir::Os().handoff.Write(destination));
  hopdir::ExitProgram(0);
}
