#include "core/options.h"

#include <string>

#include "containers/io_check.h"
#include "platform/platform.h"

namespace hopdir {
namespace {

// Each line of `text` through `write`, which reports an I/O error number.
template <typename Write>
int WriteLines(std::string_view text, Write write) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    if (int result = write(text.substr(0, end)); result != 0) return result;
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return 0;
}

// The usage, then the lines of the options every program shares.
std::string UsageText(const ProgramUsage& usage) {
  std::string text(usage.Text);
  std::string help = "  -h, --help";
  if (const std::string_view help_switch = Os().paths.HelpSwitch(); !help_switch.empty()) {
    help += ", ";
    help += help_switch;
  }
  help.resize(14, ' ');
  text += "\n" + help + "show this text";
  text += "\n  --version   show the version";
  text += "\n  --          end the options: an operand may then start with -";
  if (!usage.After.empty()) text += "\n" + std::string(usage.After);
  return text;
}

}  // namespace

ProgramOptions ReadOptions(const ProgramUsage& usage) {
  ProgramOptions options;
  Process& process = Os().process;
  if (process.ArgCount() < 1) return options;
  const Str255 word = process.Arg(1);
  Console& console = Os().console;
  const std::string_view help_switch = Os().paths.HelpSwitch();
  if (word == "-h" || word == "--help" || (!help_switch.empty() && word == help_switch)) {
    CheckIo(WriteLines(UsageText(usage),
                       [&](std::string_view line) { return console.WriteOutputLine(line); }));
    ExitProgram(0);
  }
  if (word == "--version") {
    CheckIo(console.WriteOutputLine(std::string(usage.Name) + " (Hopdir) " + HOPDIR_VERSION));
    ExitProgram(0);
  }
  if (word == "--") {
    options.FirstOperand = 2;
    return options;
  }
  if (usage.IsOwnOption != nullptr && usage.IsOwnOption(word)) {
    options.Own = word;
    options.FirstOperand = 2;
    return options;
  }
  if (word[0] == '-' && word.Length() > 1 && usage.UnknownIsError) {
    // The report itself failing cannot change the exit code any more.
    console.WriteErrorLine(std::string(usage.Name) + ": unknown option " + word.ToStd());
    WriteLines(UsageText(usage),
               [&](std::string_view line) { return console.WriteErrorLine(line); });
    ExitProgram(2);
  }
  return options;
}

}  // namespace hopdir
