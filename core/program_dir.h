// The program's own directory, set once by the core's start-up step before
// a program's main body runs.
#ifndef HOPDIR_CORE_PROGRAM_DIR_H_
#define HOPDIR_CORE_PROGRAM_DIR_H_

#include "platform/short_string.h"

namespace hopdir {

// The directory of the running executable, up to and including the last
// backslash, slash or colon of its full path (the last slash on POSIX);
// empty when it has none.
extern Str255 ProgramDir;

// The core's start-up step: sets ProgramDir from the platform.
void StartCore();

}  // namespace hopdir

#endif  // HOPDIR_CORE_PROGRAM_DIR_H_
