#include "core/program_dir.h"

#include "platform/platform.h"

namespace hopdir {

Str255 ProgramDir;

void StartCore() { ProgramDir = Os().paths.DirectoryPart(Os().files.ExecutablePath()); }

}  // namespace hopdir
