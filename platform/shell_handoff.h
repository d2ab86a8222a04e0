// The handoff of a destination to the shell that started the program: a
// program cannot change its shell's directory, so it writes a small script
// that the shell's wrapper runs afterwards. The backend chooses the writer
// and where its file lives: a cmd.exe batch file beside the programs, or a
// script for bash, zsh or fish in the file that the shell function made for
// this one run.
#ifndef HOPDIR_PLATFORM_SHELL_HANDOFF_H_
#define HOPDIR_PLATFORM_SHELL_HANDOFF_H_

#include "platform/short_string.h"

namespace hopdir {

class ShellHandoff {
 public:
  virtual ~ShellHandoff() = default;

  // The file this run's handoff goes to, which the clean-up deletes; empty
  // when there is none (no wrapper started the program).
  virtual Str255 Location() = 0;
  // Takes hold of this run's handoff before the user is asked anything, so
  // that a handoff the program could not write fails before the page is
  // shown. Returns the platform's I/O error number. A handoff whose file
  // is made only when the destination is written has nothing to take.
  virtual int Claim() { return 0; }
  // Hands `destination`, a whole path, to the shell. Returns the platform's
  // I/O error number, 0 on success.
  virtual int Write(const Str255& destination) = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_SHELL_HANDOFF_H_
