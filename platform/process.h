// The running process: its arguments and its only way out.
#ifndef HOPDIR_PLATFORM_PROCESS_H_
#define HOPDIR_PLATFORM_PROCESS_H_

#include <string>

#include "platform/short_string.h"

namespace hopdir {

class Process {
 public:
  virtual ~Process() = default;
  virtual int ArgCount() = 0;         // arguments after the program name
  virtual Str255 Arg(int index) = 0;  // 1-based; empty outside 1..ArgCount
  // The whole value of an environment variable; false when it is not set.
  // A path in it may be longer than a short string holds: the caller
  // decides, never clipping it into another file's name.
  virtual bool Environment(const char* name, std::string& value) = 0;
  // Ends the program with `code`, restoring the console's modes first.
  [[noreturn]] virtual void Exit(int code) = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_PROCESS_H_
