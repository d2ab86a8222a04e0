// The running Windows process: arguments as the C runtime parsed the
// command line, and the one way out, which leaves the console as found.
#ifndef HOPDIR_PLATFORM_WIN32_PROCESS_H_
#define HOPDIR_PLATFORM_WIN32_PROCESS_H_

#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/win32/console.h"

namespace hopdir {

class Win32Process : public Process {
 public:
  Win32Process(Win32Console& console, int argc, char** argv);

  int ArgCount() override;
  Str255 Arg(int index) override;
  bool Environment(const char* name, std::string& value) override;
  [[noreturn]] void Exit(int code) override;

 private:
  Win32Console& console_;
  std::vector<std::string> args_;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_WIN32_PROCESS_H_
