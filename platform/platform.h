// The one accessor through which the library reaches the operating system.
// A program's main installs the real backend; tests install the fake one.
#ifndef HOPDIR_PLATFORM_PLATFORM_H_
#define HOPDIR_PLATFORM_PLATFORM_H_

#include "platform/console.h"
#include "platform/file_system.h"
#include "platform/path_rules.h"
#include "platform/process.h"
#include "platform/shell_handoff.h"

namespace hopdir {

struct Platform {
  Console& console;
  FileSystem& files;
  Process& process;
  const PathRules& paths;
  ShellHandoff& handoff;
};

// Installs the backend for the rest of the run (tests may install anew).
void InstallPlatform(Platform* platform);
// The installed backend; using it before installation is a programming error.
Platform& Os();
// Ends the program through the installed backend's Exit.
[[noreturn]] void ExitProgram(int code);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_PLATFORM_H_
