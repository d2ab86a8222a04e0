// The handoff of the chosen destination to the shell, through the writer
// and the file that the platform's backend chooses.
#ifndef HOPDIR_CORE_HANDOFF_H_
#define HOPDIR_CORE_HANDOFF_H_

#include "platform/short_string.h"

namespace hopdir {

// Takes hold of this run's handoff, first thing in a program that writes
// one; a failure ends the program with the platform's error number.
void ClaimHandoff();

// Hands the whole destination to the shell. A destination that is not a
// directory the user may enter halts first; any I/O failure ends the
// program with the platform's error number.
void WriteDestination(const Str255& destination);

}  // namespace hopdir

#endif  // HOPDIR_CORE_HANDOFF_H_
