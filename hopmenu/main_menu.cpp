#include "hopmenu/main_menu.h"

#include <memory>

#include "core/paths.h"
#include "hopmenu/history.h"
#include "hopmenu/main_menu_page.h"
#include "hopmenu/run_state.h"
#include "platform/platform.h"
#include "ui/dir_list.h"
#include "ui/mouse.h"
#include "ui/screen_probe.h"

namespace hopdir {
namespace {

// How long the wait for a press sleeps when no mouse event is waiting, so
// that it does not keep a processor busy.
constexpr int kIdleWaitMilliseconds = 50;

// The menu leaves the console as a plain command line expects it.
constexpr uint8_t kLeaveTextColor = 15;
constexpr uint8_t kLeaveBackColor = 0;

constexpr int16_t kDirListCapacity = 200;
constexpr int16_t kFileListCapacity = 5000;

void WaitForPress(MainMenuPage& page) {
  do {
    PollMouse();
    if (MouseClicked) {
      page.HandleClick();
    } else {
      Os().console.WaitForInput(kIdleWaitMilliseconds);
    }
  } while (!page.PathChosen && !page.MenuDone && !page.DriveChanged);
}

}  // namespace

void GoToParent() {
  StripTrailingBackslash(Destination);
  int last = Destination.FindLast('\\');
  if (last >= 0) Destination.Truncate(last);
}

void RunMainMenu() {
  ProbeScreenSize();
  MainMenuPage page;
  page.RightView = HistoryAvailable ? kHotView : kFilesView;
  StartMouse();
  // The lists are dropped with the menu; nothing else refers to them then.
  auto dir_list = std::make_unique<DirListObj>();
  dir_list->Init(kDirListCapacity, false);
  auto file_list = std::make_unique<DirListObj>();
  file_list->Init(kFileListCapacity, false);
  page.DirList = dir_list.get();
  page.FileList = file_list.get();
  page.MenuDone = false;
  EnsureTrailingBackslash(StartDirectory);
  Destination = StartDirectory;

  for (;;) {
    page.Rebuild();
    WaitForPress(page);
    if (page.MenuDone) {
      StripTrailingBackslash(Destination);
      break;
    }
    if (page.ChosenName == ".") continue;
    if (page.ChosenName == "..") {
      GoToParent();
      EnsureTrailingBackslash(Destination);
      continue;
    }
    // A subdirectory, or an empty name after a cold recent directory, a
    // drive step or the root button.
    EnsureTrailingBackslash(Destination);
    Destination.Append(page.ChosenName);
    EnsureTrailingBackslash(Destination);
  }

  Console& console = Os().console;
  console.SetTextColor(kLeaveTextColor);
  console.SetBackColor(kLeaveBackColor);
  console.ClearScreen();
}

}  // namespace hopdir
