#include "platform/cmd_handoff.h"
#include "platform/native_platform.h"
#include "platform/path_rules.h"
#include "platform/platform.h"
#include "platform/win32/console.h"
#include "platform/win32/file_system.h"
#include "platform/win32/process.h"

namespace hopdir {

void InstallNativePlatform(int argc, char** argv) {
  // Built on first use and never destroyed: the process ends through
  // ExitProcess, with the backends still in use.
  static Win32Console console;
  static Win32FileSystem files;
  static Win32Process process(console, argc, argv);
  static const WindowsPathRules paths;
  static CmdHandoff handoff;
  static Platform platform{console, files, process, paths, handoff};
  console.EndOnControlEvents();
  InstallPlatform(&platform);
}

}  // namespace hopdir
