#include "core/handoff.h"

#include <string>

#include "containers/io_check.h"
#include "platform/platform.h"

namespace hopdir {

void WriteDestination(const Str255& destination) {
  std::string message;
  if (const int refused = Os().handoff.Refusal(destination, message); refused != 0) {
    CheckIo(Os().console.WriteLine(message));
    ExitProgram(refused);
  }
  CheckIo(Os().handoff.Write(destination));
}

}  // namespace hopdir
