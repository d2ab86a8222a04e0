// The handoff to the shell: a two-line batch file in the programs' own
// directory that the wrapper script runs in the calling shell (on POSIX, a
// script in the file the shell function made for the run).
#ifndef HOPDIR_CORE_BATCH_FILE_H_
#define HOPDIR_CORE_BATCH_FILE_H_

#include "platform/short_string.h"

namespace hopdir {

inline constexpr const char* BatchFileName = "HopdirTemp.Bat";

// ProgramDir followed by BatchFileName, clipped at 255 characters, or the
// handoff file the platform's shell function named instead.
Str255 BatchFilePath();

// Creates or truncates the batch file and writes the drive part as line 1
// and cd "path part" as line 2, each ended by CR LF (on POSIX: one line
// that changes to the whole destination). Any I/O failure ends the program
// with the platform's error number.
void WriteChangeDirBatch(const Str255& drive_part, const Str255& path_part);

// Splits a destination after its first two characters and writes the batch.
void WriteDestination(const Str255& destination);

}  // namespace hopdir

#endif  // HOPDIR_CORE_BATCH_FILE_H_
