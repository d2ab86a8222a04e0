// The handoff of a destination to the shell that started the program: a
// program cannot change its shell's directory, so it writes a small script
// that the shell's wrapper runs afterwards. The backend chooses the writer:
// a cmd.exe batch file beside the programs, or a script for bash, zsh or
// fish in the file that the shell function made for this one run.
#ifndef HOPDIR_PLATFORM_SHELL_HANDOFF_H_
#define HOPDIR_PLATFORM_SHELL_HANDOFF_H_

#include "platform/short_string.h"

namespace hopdir {

class ShellHandoff {
 public:
  virtual ~ShellHandoff() = default;

  // The file the handoff goes to, given the batch file beside the programs;
  // empty when there is none (no wrapper started the program).
  virtual Str255 Location(const Str255& beside_programs) = 0;
  // Writes the change of directory to `location`: the destination is
  // `drive_part` followed by `path_part` (split after its first two
  // characters). Returns the platform's I/O error number, 0 on success.
  virtual int Write(const Str255& location, const Str255& drive_part, const Str255& path_part) = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_SHELL_HANDOFF_H_
