// The handoff the shell functions of hopdir.bash and hopdir.fish use: they
// make a fresh file for each run, exclusively and private, hold it open,
// name the descriptor in HOPDIR_HANDOFF_FD (and the file in
// HOPDIR_HANDOFF), and read the script back through their own descriptor,
// never by the name. The program writes only through the descriptor it
// inherited, so that nobody who may rename files in a shared TMPDIR can
// put a file of theirs in its place; and it removes the file's name as
// soon as it holds the file, so that nothing is left behind when the
// terminal closes while the page is up. Without HOPDIR_HANDOFF_FD the
// handoff goes by name, or to standard output, as PosixHandoff's does.
#ifndef HOPDIR_PLATFORM_POSIX_DESCRIPTOR_HANDOFF_H_
#define HOPDIR_PLATFORM_POSIX_DESCRIPTOR_HANDOFF_H_

#include "platform/posix_handoff.h"

namespace hopdir {

class DescriptorHandoff : public PosixHandoff {
 public:
  // Takes the inherited descriptor: only a regular file of this user's
  // that nobody else may read or write.
  int Claim() override;
  // Through the descriptor, unless the function has given the file up
  // meanwhile (it goes on when Ctrl+Z stops the program, and marks the
  // file with a byte): the write fails then, as nobody would read it.
  int Write(const Str255& destination) override;

 private:
  int fd_ = -1;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_DESCRIPTOR_HANDOFF_H_
