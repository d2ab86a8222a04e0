// The running POSIX process: its arguments and environment, and the one way
// out, which leaves the terminal as it was found.
#ifndef HOPDIR_PLATFORM_POSIX_PROCESS_H_
#define HOPDIR_PLATFORM_POSIX_PROCESS_H_

#include <string>
#include <vector>

#include "platform/posix/console.h"
#include "platform/process.h"

namespace hopdir {

class PosixProcess : public Process {
 public:
  PosixProcess(PosixConsole& console, int argc, char** argv);

  int ArgCount() override;
  Str255 Arg(int index) override;
  bool Environment(const char* name, std::string& value) override;
  [[noreturn]] void Exit(int code) override;

 private:
  PosixConsole& console_;
  std::vector<std::string> args_;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_PROCESS_H_
