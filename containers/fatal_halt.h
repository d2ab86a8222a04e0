// The program-wide fatal halts: a broken limit is never returned to a
// caller; the program says why in a message (standard output on Windows,
// standard error on POSIX) and ends with exit code 1.
#ifndef HOPDIR_CONTAINERS_FATAL_HALT_H_
#define HOPDIR_CONTAINERS_FATAL_HALT_H_

#include <string_view>

#include "platform/short_string.h"

namespace hopdir {

// Prints "Halting with error-code 1, because:" and `message`, one line
// each, and ends the program with exit code 1.
[[noreturn]] void FatalHalt(std::string_view message);

// The bounded-array family's own halt: "HALTING! -- Structure too big" and
// the routine's `name`, then exit code 1.
[[noreturn]] void StructureTooBig(const Str255& name);

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_FATAL_HALT_H_
