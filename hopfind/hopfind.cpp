#include "hopfind/hopfind.h"

#include <memory>

#include "containers/io_check.h"
#include "containers/str_list.h"
#include "core/dir_list.h"
#include "core/handoff.h"
#include "core/options.h"
#include "core/paths.h"
#include "platform/file_system.h"
#include "platform/platform.h"

namespace hopdir {
namespace {

constexpr int16_t kListCapacity = 2000;

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

// The first listed name, in enumeration order, whose upper-cased form
// contains `part`; 0 when there is none.
int16_t FirstMatch(const DirListObj& list, const Str255& part) {
  for (int16_t i = 1; i <= list.Count; ++i) {
    if (UpCaseStr(list.GetString(i)).Find(part.View()) >= 0) return i;
  }
  return 0;
}

// The start directory followed by the first subdirectory, in enumeration
// order, whose upper-cased name contains `part`; halts when there is none.
// The name is handed on in the platform's stored form: upper-cased on
// Windows, as it is where names keep their case.
Str255 FindDestination(DirListObj& list, Str255 startDir, const Str255& typed) {
  const Str255 part = UpCaseStr(typed);
  list.Init(kListCapacity, false);
  EnsureTrailingSeparator(startDir);
  list.ListDir(startDir + "*.*", AnyAttrMask, kAttrDirectory);
  int16_t position = FirstMatch(list, part);
  // The part as the user typed it where names keep their case, upper-cased
  // where names are handed on so.
  if (position == 0) UsageHalt("Found no subdirectory containing " + Os().paths.StoredForm(typed));
  // A slot keeps only 80 characters of a name; the record at the same
  // position (the list is never sorted) has the full name, so a long name
  // still leads to a directory that exists.
  const DirEntry& entry = *list.Entries[static_cast<size_t>(position)];
  return startDir + Os().paths.StoredForm(entry.Name);
}

}  // namespace

void RunHopfind() {
  ClaimHandoff();
  const ProgramOptions options = ReadOptions(kUsage);
  Process& process = Os().process;
  if (process.ArgCount() - options.FirstOperand != 0) {
    UsageHalt(Os().paths.StoredForm(Str255("hopfind")) + " takes one parameter");
  }
  Str255 startDir = Os().files.CurrentDirectory();
  // Kept until the program ends, never released before.
  auto list = std::make_unique<DirListObj>();
  Str255 destination = FindDestination(*list, startDir, process.Arg(options.FirstOperand));
  WriteDestination(destination);
  ExitProgram(0);
}

}  // namespace hopdir
