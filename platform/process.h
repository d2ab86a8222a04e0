// The running process: its arguments and its only way out.
#ifndef HOPDIR_PLATFORM_PROCESS_H_
#define HOPDIR_PLATFORM_PROCESS_H_

#include "platform/short_string.h"

namespace hopdir {

class Process {
 public:
  virtual ~Process() = default;
  virtual int ArgCount() = 0;         // arguments after the program name
  virtual Str255 Arg(int index) = 0;  // 1-based; empty outside 1..ArgCount
  // The value of an environment variable; false when it is not set or too
  // long for a short string (a clipped path would name another file).
  virtual bool Environment(const char* name, Str255& value) = 0;
  // Ends the program with `code`, restoring the console's modes first.
  [[noreturn]] virtual void Exit(int code) = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_PROCESS_H_
