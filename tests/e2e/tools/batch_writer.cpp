// batch_writer DESTINATION: writes the batch file for DESTINATION into its
// own directory through the real backend and the core's handoff, exactly as
// the programs do, so the file can be tested on its own.
#include "core/handoff.h"
#include "platform/native_platform.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  hopdir::WriteDestination(hopdir::Os().process.Arg(1));
  hopdir::ExitProgram(0);
}
