// The POSIX handoff by name: a script that starts a program makes a fresh
// private file for the run, names it in HOPDIR_HANDOFF and its shell's
// dialect in HOPDIR_SHELL, and sources the file when the program
// succeeded, as a plain sh script may do in a directory of its own. The
// shell functions hold their file open instead (DescriptorHandoff).
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

// `destination` as the shells get it: a relative one starts with ./, so that
// no shell takes it for the previous directory (-), an option (--help), or
// a name to look up in CDPATH. An empty one stays empty.
std::string HandedOnForm(std::string_view destination);

// One line that changes to `destination` exactly, whatever bytes its name
// holds (quotes, $, `, \, !, *, blanks, newlines, invalid UTF-8), ended by LF;
// an empty line for an empty destination.
std::string PosixScriptText(std::string_view destination, ShellDialect dialect);

class PosixHandoff : public ShellHandoff {
 public:
  // HOPDIR_HANDOFF, or empty when no shell function started the program.
  Str255 Location() override;
  // The script into the handoff file, which the function made and which is
  // never made here; without one, the destination (in its handed-on form)
  // and a line feed on standard output, for `cd "$(hopfind part)"`.
  int Write(const Str255& destination) override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_HANDOFF_H_
