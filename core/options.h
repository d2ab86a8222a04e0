// The options the programs share, read from the first argument: -h and
// --help (and the platform's own help switch, /? on Windows) print the
// program's usage on standard output, --version its version, and -- ends
// the options. A program may know words of its own (hopmenu: --history,
// -A, -P). Any other word that starts with '-' there is an error, except a
// lone '-', which is an operand like any other.
#ifndef HOPDIR_CORE_OPTIONS_H_
#define HOPDIR_CORE_OPTIONS_H_

#include <string_view>

#include "platform/short_string.h"

namespace hopdir {

// What a program tells about itself for --help, --version and an unknown
// option.
struct ProgramUsage {
  std::string_view Name;  // as it is run: "hopmenu"
  // Its usage, lines separated by '\n'; the shared options follow it.
  std::string_view Text;
  // Whether `word` is one of its own options (an unknown word is not).
  bool (*IsOwnOption)(const Str255& word) = nullptr;
  // hopclean ignores arguments it does not know rather than halt.
  bool UnknownIsError = true;
  // Lines after the shared options (hopmenu's keys), empty for none.
  std::string_view After;
};

// What the first argument asked for, once the shared options are handled.
struct ProgramOptions {
  Str255 Own;            // the program's own option as typed, empty for none
  int FirstOperand = 1;  // 1-based position of the first operand
};

// Prints the usage (exit 0) for -h and --help, the version (exit 0) for
// --version, and for an unknown option a line naming it and the usage on
// standard error (exit 2); returns in every other case.
ProgramOptions ReadOptions(const ProgramUsage& usage);

}  // namespace hopdir

#endif  // HOPDIR_CORE_OPTIONS_H_
