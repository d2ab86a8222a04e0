#include "core/batch_file.h"

#include "core/io_check.h"
#include "core/program_dir.h"
#include "platform/platform.h"

namespace hopdir {

Str255 BatchFilePath() { return Os().handoff.Location(ProgramDir + BatchFileName); }

void WriteChangeDirBatch(const Str255& drive_part, const Str255& path_part) {
  CheckIo(Os().handoff.Write(BatchFilePath(), drive_part, path_part));
}

void WriteDestination(const Str255& destination) {
  WriteChangeDirBatch(destination.Sub(0, 2), destination.Sub(2));
}

}  // namespace hopdir
