#include "core/program_dir.h"

#include "platform/platform.h"

namespace hopdir {

Str255 ProgramDir;
const char* const BannerTitle =
    "Hopdir : Utilities to Change Directories within command-line Windows.";
const char* const BannerNotice = "Hopdir is maintained by its developers; free to use and change.";

Str255 DirectoryPart(const Str255& path) {
  const PathRules& rules = Os().paths;
  for (int i = path.Length() - 1; i >= 0; --i) {
    if (rules.EndsDirectoryPart(path[i])) return path.Sub(0, i + 1);
  }
  return Str255();
}

void StartCore() { ProgramDir = DirectoryPart(Os().files.ExecutablePath()); }

}  // namespace hopdir
