#include "core/paths.h"

namespace hopdir {

void EnsureTrailingBackslash(Str255& path) {
  if (!path.Empty() && path.Last() != '\\') path.Append('\\');
}

}  // namespace hopdir
