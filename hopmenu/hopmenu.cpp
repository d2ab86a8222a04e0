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
  // The first hit from entry 1 on: the most recent matching directory wins.
  if (!HistoryList->SubstringInList(key)) FatalHalt(key + " not found in history list.");
  Destination = HistoryList->GetString(HistoryList->SubstringPosition(key));
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
  if (ShowMenu) RunMainMenu();
  if (!UserAborted) {
    WriteDestination(Destination);
    SaveHistory();
  }
  StopMouse();
  FlushKeyboard();
  ExitProgram(UserAborted ? 1 : 0);
}

}  // namespace hopdir
