#include "platform/win32/win32_platform.h"

#include "platform/platform.h"
#include "platform/win32/console.h"
#include "platform/win32/file_system.h"
#include "platform/win32/process.h"

namespace hopdir {

void InstallWin32Platform(int argc, char** argv) {
  // Built on first use and never destroyed: the process ends through
  // ExitProcess, with the backends still in use.
  static Win32Console console;
  static Win32FileSystem files;
  static Win32Process process(console, argc, argv);
  static Platform platform{console, files, process};
  console.EndOnControlEvents();
  InstallPlatform(&platform);
}

}  // namespace hopdir
