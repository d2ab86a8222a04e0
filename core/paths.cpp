#include "core/paths.h"

#include "platform/platform.h"

namespace hopdir {

void EnsureTrailingSeparator(Str255& path) {
  const char separator = Os().paths.Separator();
  if (!path.Empty() && path.Last() != separator) path.Append(separator);
}

void StripTrailingSeparator(Str255& path) {
  if (Os().paths.IsRoot(path)) return;
  if (path.Length() > 1 && path.Last() == Os().paths.Separator()) path.Truncate(path.Length() - 1);
}

}  // namespace hopdir
