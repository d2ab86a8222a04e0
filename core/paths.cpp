#include "core/paths.h"

#include "platform/platform.h"

namespace hopdir {

void EnsureTrailingBackslash(Str255& path) {
  const char separator = Os().paths.Separator();
  if (!path.Empty() && path.Last() != separator) path.Append(separator);
}

}  // namespace hopdir
