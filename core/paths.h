// Small path helpers shared by the programs.
#ifndef HOPDIR_CORE_PATHS_H_
#define HOPDIR_CORE_PATHS_H_

#include "platform/short_string.h"

namespace hopdir {

// Appends the platform's separator (a backslash on Windows) to a non-empty
// path that does not end in one (only the separator counts: "D:" and "x/"
// get a backslash). Clipped at 255.
void EnsureTrailingBackslash(Str255& path);

}  // namespace hopdir

#endif  // HOPDIR_CORE_PATHS_H_
