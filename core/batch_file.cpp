#include "core/batch_file.h"

#include "core/io_check.h"
#include "core/program_dir.h"
#include "platform/platform.h"
#include "platform/text_file.h"

namespace hopdir {
namespace {

// cmd.exe reads a batch file in the console's code page, so each part is
// converted first: a name that code page cannot hold is an I/O failure
// before the file is touched, never a silent wrong directory.
Str255 ToShell(const Str255& text) {
  Str255 encoded;
  CheckIo(Os().files.ToShellCodePage(text, encoded));
  return encoded;
}

// cmd.exe expands every % in a batch file, so each one is written doubled;
// the rest passes through byte for byte, without clipping.
void WriteEscaped(TextFile& batch, const Str255& text) {
  int start = 0;
  for (int i = 0; i <= text.Length(); ++i) {
    if (i < text.Length() && text[i] != '%') continue;
    if (i > start) CheckIo(batch.Write(text.Sub(start, i - start).View()));
    if (i < text.Length()) CheckIo(batch.Write("%%"));
    start = i + 1;
  }
}

}  // namespace

Str255 BatchFilePath() { return ProgramDir + BatchFileName; }

void WriteChangeDirBatch(const Str255& drive_part, const Str255& path_part) {
  Str255 drive = ToShell(drive_part);
  Str255 path = ToShell(path_part);
  TextFile batch;
  CheckIo(batch.CreateForWriting(BatchFilePath()));
  WriteEscaped(batch, drive);
  CheckIo(batch.WriteLine(""));
  CheckIo(batch.Write("cd \""));
  WriteEscaped(batch, path);
  CheckIo(batch.WriteLine("\""));
  CheckIo(batch.Close());
}

void WriteDestination(const Str255& destination) {
  WriteChangeDirBatch(destination.Sub(0, 2), destination.Sub(2));
}

}  // namespace hopdir
