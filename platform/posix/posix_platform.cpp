#include "platform/native_platform.h"
#include "platform/path_rules.h"
#include "platform/platform.h"
#include "platform/posix/console.h"
#include "platform/posix/descriptor_handoff.h"
#include "platform/posix/file_system.h"
#include "platform/posix/process.h"

namespace hopdir {

void InstallNativePlatform(int argc, char** argv) {
  // Built on first use and never destroyed: the process ends through
  // _exit, with the backends still in use.
  static PosixConsole console;
  static PosixFileSystem files;
  static PosixProcess process(console, argc, argv);
  static const PosixPathRules paths;
  static DescriptorHandoff handoff;
  static Platform platform{console, files, process, paths, handoff};
  InstallPlatform(&platform);
}

}  // namespace hopdir
