#include "containers/io_check.h"

#include <string>

#include "platform/platform.h"

namespace hopdir {

void CheckIo(int result) {
  if (result == 0) return;
  // When the report itself cannot be written (standard output is what
  // failed) the exit code still tells.
  std::string report = "Runtime error " + std::to_string(result) + ": I/O failure.";
  Os().console.WriteLine(report);
  ExitProgram(result);
}

}  // namespace hopdir
