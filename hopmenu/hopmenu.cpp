#include "hopmenu/hopmenu.h"

#include "containers/fatal_halt.h"
#include "containers/str_list.h"
#include "core/batch_file.h"
#include "hopmenu/history.h"
#include "hopmenu/main_menu.h"
#include "platform/platform.h"
#include "ui/menu_base.h"
#include "ui/mouse.h"

namespace hopdir {
namespace {

// The first history entry, from entry 1 on, in which `key` occurs: the most
// recent matching directory wins. Entries are compared in the platform's
// search form: as stored on Windows, where the program writes them upper
// case, and upper-cased where paths keep their case.
int16_t HistoryPosition(const Str255& key) {
  const PathRules& rules = Os().paths;
  for (int16_t i = 1; i <= HistoryList->Count; ++i) {
    if (rules.SearchForm(HistoryList->GetString(i)).Find(key.View()) >= 0) return i;
  }
  return 0;
}

}  // namespace

void LookupArgument() {
  Process& process = Os().process;
  if (process.ArgCount() == 1 && process.Arg(1).Empty()) return;
  ShowMenu = false;
  Str255 key = UpCaseStr(process.Arg(1));
  if (key == "-A") {
    Destination = HistoryList->GetString(1);
    return;
  }
  if (key == "-P") {
    Destination = HistoryList->GetString(2);
    return;
  }
  int16_t position = HistoryPosition(key);
  if (position == 0) FatalHalt(key + " not found in history list.");
  Destination = HistoryList->GetString(position);
}

void FlushKeyboard() {
  Console& console = Os().console;
  while (console.KeyPressed()) console.ReadKey();
  // Keys the backend has not yet taken from the console input go too.
  console.DiscardKeys();
}

void RunHopmenu() {
  UserAborted = false;
  // Every menu object of the page is built on black.
  DefaultBackColor = 0;
  StartDirectory = Os().files.CurrentDirectory();
  LoadHistory();
  ShowMenu = true;
  if (Os().process.ArgCount() >= 1) LookupArgument();
  if (ShowMenu) {
    // The page needs the console itself; standard handles may be redirected.
    if (!Os().console.OpenScreen()) {
      Os().console.WriteErrorLine(
          "hopmenu: no console to show the menu in; give -A, -P or part of a recent directory");
      ExitProgram(1);
    }
    RunMainMenu();
  }
  if (!UserAborted) {
    WriteDestination(Destination);
    SaveHistory();
  }
  StopMouse();
  FlushKeyboard();
  ExitProgram(UserAborted ? 1 : 0);
}

}  // namespace hopdir
