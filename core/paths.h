// Small path helpers shared by the programs; the separator is the
// platform's ('\' on Windows, '/' on POSIX).
#ifndef HOPDIR_CORE_PATHS_H_
#define HOPDIR_CORE_PATHS_H_

#include "platform/short_string.h"

namespace hopdir {

// Appends the separator to a non-empty path that does not end in one (only
// the separator counts: on Windows "D:" and "x/" get a backslash). Clipped
// at 255.
void EnsureTrailingSeparator(Str255& path);

// Removes one trailing separator, except from a root (D:\, /) and from a
// path of one character.
void StripTrailingSeparator(Str255& path);

}  // namespace hopdir

#endif  // HOPDIR_CORE_PATHS_H_
