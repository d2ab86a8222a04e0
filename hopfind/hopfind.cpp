#include "hopfind/hopfind.h"

#include <memory>
#include <optional>
#include <string_view>

#include "containers/io_check.h"
#include "containers/str_list.h"
#include "core/dir_list.h"
#include "core/entry_list.h"
#include "core/handoff.h"
#include "core/options.h"
#include "core/paths.h"
#include "platform/file_system.h"
#include "platform/platform.h"

namespace hopdir {
namespace {

constexpr ProgramUsage kUsage{
    "hopfind",
    "Usage: hf PART    changes the shell's directory (hf runs hopfind)\n"
    "  to the first subdirectory of the current one whose name contains PART,\n"
    "  ignoring the case of a to z"};

[[noreturn]] void UsageHalt(const Str255& reason) {
  CheckIo(Os().console.WriteLine(("Halting because: " + reason).View()));
  CheckIo(Os().console.WriteLine("Invoke with: hopfind Part_of_Subdirectory_Name"));
  CheckIo(Os().console.WriteLine("  to change into subdirectory with that part in its name."));
  ExitProgram(1);
}

// The first subdirectory of `dir` whose name, its a..z upper-cased,
// contains `part` within its first 80 characters (as a name is matched
// wherever it is listed): where the file system gives names in order, the
// first it gives; elsewhere the first in the page's order, so that the
// answer does not depend on how the names happen to be stored. The
// directory is read once, and never held whole.
std::optional<Str255> FirstMatch(const Str255& dir, const Str255& part) {
  const bool ordered = Os().paths.ListsInNameOrder();
  std::unique_ptr<DirectorySearch> search = Os().files.ListDirectory(dir, EntryDetail::kKinds);
  std::optional<Str255> best;
  FindRecord record;
  while (search != nullptr && search->Next(record)) {
    if (!AttributesAccepted(record.Attributes, AnyAttrMask, kAttrDirectory)) continue;
    const std::string_view name = record.Name.View();
    const size_t matched = Os().paths.ClipName(name, static_cast<size_t>(kNameItemWidth));
    if (!NameContains(name.substr(0, matched), part.View())) continue;
    if (ordered) return record.Name;
    if (!best || ComesBeforeOnPage(record.Name.View(), best->View())) best = record.Name;
  }
  return best;
}

}  // namespace

void RunHopfind() {
  ClaimHandoff();
  const ProgramOptions options = ReadOptions(kUsage);
  Process& process = Os().process;
  if (process.ArgCount() - options.FirstOperand != 0) {
    UsageHalt(Os().paths.StoredForm(Str255("hopfind")) + " takes one parameter");
  }
  Str255 start_dir = Os().files.CurrentDirectory();
  EnsureTrailingSeparator(start_dir);
  const Str255 typed = process.Arg(options.FirstOperand);
  const std::optional<Str255> name = FirstMatch(start_dir, UpCaseStr(typed));
  // The part as the user typed it where names keep their case, upper-cased
  // where names are handed on so.
  if (!name) UsageHalt("Found no subdirectory containing " + Os().paths.StoredForm(typed));
  // The name is handed on in the platform's stored form: upper-cased on
  // Windows, as it is where names keep their case.
  WriteDestination(start_dir + Os().paths.StoredForm(*name));
  ExitProgram(0);
}

}  // namespace hopdir
