// Small path helpers shared by the programs.
#ifndef HOPDIR_CORE_PATHS_H_
#define HOPDIR_CORE_PATHS_H_

#include "platform/short_string.h"

namespace hopdir {

// Appends a backslash to a non-empty path that does not end in one (only a
// backslash counts: "D:" and "x/" get one). Clipped at 255.
void EnsureTrailingBackslash(Str255& path);

}  // namespace hopdir

#endif  // HOPDIR_CORE_PATHS_H_
