#include "hopmenu/hopmenu.h"

#include "containers/fatal_halt.h"
#include "containers/str_list.h"
#include "core/handoff.h"
#include "hopmenu/hopmenu_run.h"
#include "hopmenu/main_menu.h"
#include "platform/platform.h"
#include "ui/menu_base.h"
#include "ui/mouse.h"

namespace hopdir {
namespace {

// Sets the destination from the first command-line argument and clears
// ShowMenu, unless the only argument is empty. A key found in no history
// entry halts.
void LookupArgument(HopmenuRun& run) {
  Process& process = Os().process;
  if (process.ArgCount() == 1 && process.Arg(1).Empty()) return;
  run.ShowMenu = false;
  Str255 key = UpCaseStr(process.Arg(1));
  if (key == "-A") {
    run.Destination = run.Recent.Entry(1);
    return;
  }
  if (key == "-P") {
    run.Destination = run.Recent.Entry(2);
    return;
  }
  int16_t position = run.Recent.Find(key);
  if (position == 0) FatalHalt(key + " not found in history list.");
  run.Destination = run.Recent.Entry(position);
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
  HopmenuRun run;
  // Every menu object of the page is built on black.
  DefaultBackColor = 0;
  run.StartDirectory = Os().files.CurrentDirectory();
  run.Recent.Load();
  if (Os().process.ArgCount() >= 1) LookupArgument(run);
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
