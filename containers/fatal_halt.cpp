#include "containers/fatal_halt.h"

#include "platform/platform.h"

namespace hopdir {

// A halt already ends the program with its own exit code, so a failing
// write to standard output cannot be reported any better than that code.
void FatalHalt(std::string_view message) {
  Os().console.WriteLine("Halting with error-code 1, because:");
  Os().console.WriteLine(message);
  ExitProgram(1);
}

void StructureTooBig(const Str255& name) {
  Os().console.WriteLine("HALTING! -- Structure too big");
  Os().console.WriteLine(name.View());
  ExitProgram(1);
}

}  // namespace hopdir
