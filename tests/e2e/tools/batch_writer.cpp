// batch_writer DESTINATION: writes the batch file for DESTINATION into its
// own directory through the real backend's handoff, as the programs do once
// they know the destination can be entered, so that the file can be tested
// on its own, for destinations that need not exist.
#include "containers/io_check.h"
#include "platform/native_platform.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  hopdir::CheckIo(hopdir::Os().handoff.Write(hopdir::Os().process.Arg(1)));
  hopdir::ExitProgram(0);
}
