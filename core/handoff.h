// The handoff of the chosen destination to the shell, through the writer
// and the file that the platform's backend chooses.
#ifndef HOPDIR_CORE_HANDOFF_H_
#define HOPDIR_CORE_HANDOFF_H_

#include "platform/short_string.h"

namespace hopdir {

// Takes hold of this run's handoff, first thing in a program that writes
// one; a failure ends the program with the platform's error number.
void ClaimHandoff();

// Hands the whole destination to the shell. A destination the shell may
// not be handed ends the program with the handoff's one-line message and
// error number, and one that is not a directory the user may enter halts,
// before anything is written; any I/O failure ends it with the platform's
// error number.
void WriteDestination(const Str255& destination);

}  // namespace hopdir

#endif  // HOPDIR_CORE_HANDOFF_H_
