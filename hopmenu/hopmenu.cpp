#include "hopmenu/hopmenu.h"

#include "containers/fatal_halt.h"
#include "containers/io_check.h"
#include "containers/str_list.h"
#include "core/handoff.h"
#include "core/options.h"
#include "hopmenu/hopmenu_run.h"
#include "hopmenu/main_menu.h"
#include "platform/platform.h"
#include "ui/menu_base.h"
#include "ui/mouse.h"

namespace hopdir {
namespace {

bool IsHopmenuOption(const Str255& word) {
  const Str255 upper = UpCaseStr(word);
  return upper == "-A" || upper == "-P" || word == "--history";
}

constexpr ProgramUsage kUsage{
    "hopmenu",
    "Usage: hm [-A | -P | PART]    changes the shell's directory (hm runs hopmenu)\n"
    "  hm          pick a directory on a full-screen page, mouse or keys\n"
    "  hm -A       go back to the most recent destination\n"
    "  hm -P       go back to the directory left on the most recent jump\n"
    "  hm PART     go to the most recent directory whose path contains PART\n"
    "  --history   show the recent directories, most recent first",
    IsHopmenuOption, true,
    "Keys on the page:\n"
    "  Up, Down, PgUp, PgDn, Home, End   move the highlight\n"
    "  Tab, Shift+Tab    the other list       Enter     press the highlighted entry\n"
    "  Backspace, Left   the parent           Right     into the highlighted entry\n"
    "  Esc               ABORT                F10, Ctrl+D   DONE\n"
    "  F2, F3            drive back, forward  F4        the root\n"
    "  F5                hot, cold or files   Ctrl+U    clear the filter\n"
    "  typing filters the paths list (Esc and Backspace undo it first);\n"
    "  the wheel scrolls the list under the pointer"};

// Sets the destination from -A, -P or the first operand and clears
// ShowMenu; without an operand, or with one empty operand alone, the menu
// runs. A key found in no history entry halts.
void LookupArgument(HopmenuRun& run, const ProgramOptions& options) {
  const Str255 own = UpCaseStr(options.Own);
  if (own == "-A" || own == "-P") {
    run.ShowMenu = false;
    run.Destination = run.Recent.Entry(own == "-A" ? 1 : 2);
    return;
  }
  Process& process = Os().process;
  const int operands = process.ArgCount() - options.FirstOperand + 1;
  const Str255 typed = process.Arg(options.FirstOperand);
  if (operands <= 0 || (operands == 1 && typed.Empty())) return;
  run.ShowMenu = false;
  int16_t position = run.Recent.Find(UpCaseStr(typed));
  // The key as the user typed it where names keep their case, upper-cased
  // where the history is.
  if (position == 0) {
    FatalHalt(Os().paths.StoredForm(typed).ToStd() + " not found in history list.");
  }
  run.Destination = run.Recent.Entry(position);
}

[[noreturn]] void PrintHistory(const History& recent) {
  for (int16_t i = 1; i <= recent.Entries().Count; ++i) {
    CheckIo(Os().console.WriteOutputLine(recent.Entry(i).View()));
  }
  ExitProgram(0);
}

// Reads and drops every key waiting in the console input.
void FlushKeyboard() {
  Console& console = Os().console;
  while (console.KeyPressed()) console.ReadKey();
  // Keys the backend has not yet taken from the console input go too.
  console.DiscardKeys();
}

}  // namespace

void RunHopmenu() {
  ClaimHandoff();
  const ProgramOptions options = ReadOptions(kUsage);
  HopmenuRun run;
  // Every menu object of the page is built on black.
  DefaultBackColor = 0;
  run.StartDirectory = Os().files.CurrentDirectory();
  run.Recent.Load();
  if (options.Own == "--history") PrintHistory(run.Recent);
  LookupArgument(run, options);
  if (run.ShowMenu) {
    // The page needs the console itself; standard handles may be redirected.
    if (!Os().console.OpenScreen()) {
      Os().console.WriteErrorLine(
          "hopmenu: no console to show the menu in; give -A, -P or part of a recent directory");
      ExitProgram(1);
    }
    RunMainMenu(run);
  }
  if (!run.UserAborted) {
    WriteDestination(run.Destination);
    run.Recent.Save(run.StartDirectory, run.Destination);
  }
  StopMouse();
  FlushKeyboard();
  ExitProgram(run.UserAborted ? 1 : 0);
}

}  // namespace hopdir
