// The POSIX handoff: the shell functions of hopdir.bash and hopdir.fish make
// a fresh private file for each run (mktemp), name it in HOPDIR_HANDOFF and
// their shell's dialect in HOPDIR_SHELL, and source the file when the
// program succeeded. Two shells therefore never share a handoff file.
#ifndef HOPDIR_PLATFORM_POSIX_HANDOFF_H_
#define HOPDIR_PLATFORM_POSIX_HANDOFF_H_

#include <string>
#include <string_view>

#include "platform/shell_handoff.h"

namespace hopdir {

// The shells whose syntax the script is written in.
enum class ShellDialect {
  kPosix,      // any POSIX sh (dash): cd -- '...'
  kBashOrZsh,  // builtin cd, so that a user's cd function is not run
  kFish,
};

// HOPDIR_SHELL's value ("sh", "fish", anything else bash or zsh) as a dialect.
ShellDialect DialectNamed(std::string_view name);

// One line that changes to `destination` exactly, whatever bytes its name
// holds (quotes, $, `, \, !, *, blanks, newlines, invalid UTF-8), ended by LF;
// an empty line for an empty destination.
std::string PosixScriptText(std::string_view destination, ShellDialect dialect);

class PosixHandoff : public ShellHandoff {
 public:
  // HOPDIR_HANDOFF, or empty when no shell function started the program.
  Str255 Location() override;
  // The script quotes every byte: no destination is refused.
  int Refusal(const Str255& destination, std::string& message) override;
  // The script into the handoff file, which the function made and which is
  // never made here; without one, the destination and a line feed on
  // standard output, for `cd "$(hopfind part)"`.
  int Write(const Str255& destination) override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_HANDOFF_H_
