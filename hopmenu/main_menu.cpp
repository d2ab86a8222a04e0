#include "hopmenu/main_menu.h"

#include <memory>
#include <string>

#include "core/entry_list.h"
#include "core/paths.h"
#include "hopmenu/history.h"
#include "hopmenu/main_menu_page.h"
#include "platform/platform.h"
#include "ui/keyboard.h"
#include "ui/mouse.h"
#include "ui/screen_probe.h"

namespace hopdir {
namespace {

// The menu leaves the console as a plain command line expects it.
constexpr uint8_t kLeaveTextColor = 15;
constexpr uint8_t kLeaveBackColor = 0;

// The longest destination, with its trailing separator, that the page
// moves to: a Windows listing adds a wildcard of three characters, and the
// whole pattern must fit in a short string. That is below the longest path
// the file APIs accept (259 characters on Windows), so every destination
// the page shows is listed completely and reaches the shell whole.
constexpr size_t kLongestDestination = Str255::kCapacity - 3;

// Takes keys and mouse events in the order they came until one ends the
// wait; false when the window changed its size instead and the page must
// be measured and built again. `after_press` says that a press rebuilt
// the page just now: the second press of its double click, landing on the
// new page, is no press of its own. On return it says whether a press
// ended this wait.
bool WaitForAction(MainMenuPage& page, bool& after_press) {
  Console& console = Os().console;
  do {
    if (console.WindowResized()) {
      after_press = false;
      return false;
    }
    switch (console.NextInput()) {
      case InputKind::kKey:
        after_press = false;
        page.HandleKey(ReadKeyStroke());
        break;
      case InputKind::kMouse:
        PollMouse();
        if (MouseClicked && !(MouseDoubleClicked && after_press)) {
          page.HandleClick();
          after_press = page.PathChosen || page.DriveChanged;
        } else if (MouseClicked) {
          after_press = false;
        } else if (MouseWheelTurn() != 0) {
          after_press = false;
          page.HandleWheel();
        }
        break;
      case InputKind::kNone:
        // Sleeps until input, a signal or a resize: no timer.
        console.WaitForInput(kWaitWithoutLimit);
        break;
    }
  } while (!page.PathChosen && !page.MenuDone && !page.DriveChanged);
  return true;
}

// The last part of `path`, the directory it names: SUB of D:\WORK\SUB\.
Str255 LastPart(Str255 path) {
  StripTrailingSeparator(path);
  return path.Sub(path.FindLast(Os().paths.Separator()) + 1);
}

// `destination` followed by `name`, a separator after each; false, with
// `destination` unchanged, when the result would be longer than the page
// can list.
bool AppendToDestination(Str255& destination, const Str255& name) {
  const char separator = Os().paths.Separator();
  std::string next(destination.View());
  if (!next.empty() && next.back() != separator) next += separator;
  next += name.View();
  if (!next.empty() && next.back() != separator) next += separator;
  if (next.size() > kLongestDestination) return false;
  destination = next;
  return true;
}

// `path` one level up: D:\WORK\SUB\ becomes D:\WORK, D:\WORK\ becomes D:
// (the caller adds the separator back).
void GoToParent(Str255& path) {
  StripTrailingSeparator(path);
  int last = path.FindLast(Os().paths.Separator());
  if (last < 0) return;
  // The parent of a directory just below a root without a drive part
  // ("/home") is that root itself.
  if (last == 0) {
    path = Os().paths.RootOf(path);
    return;
  }
  path.Truncate(last);
}

}  // namespace

void RunMainMenu(HopmenuRun& run) {
  ProbeScreenSize();
  MainMenuPage page(run);
  page.RightView = run.Recent.Available() ? kHotView : kFilesView;
  Console& console = Os().console;
  // The page shows where the keys act by its highlight, not by a cursor.
  console.ShowCursor(false);
  StartMouse();
  // The lists are dropped with the menu; nothing else refers to them then.
  EntryList dir_list;
  EntryList file_list;
  page.DirList = &dir_list;
  page.FileList = &file_list;
  page.MenuDone = false;
  EnsureTrailingSeparator(run.StartDirectory);
  Str255& destination = run.Destination;
  destination = run.StartDirectory;

  bool rebuild = true;
  bool after_press = false;
  for (;;) {
    if (rebuild) page.Rebuild();
    rebuild = true;
    const Str255 shown = destination;
    if (!WaitForAction(page, after_press)) {
      ProbeScreenSize();
      page.Resize();
      page.ResumeWait();
      rebuild = false;
      continue;
    }
    if (page.MenuDone) {
      StripTrailingSeparator(destination);
      break;
    }
    if (page.ChosenName == ".") continue;
    if (page.ChosenName == "..") {
      // Its listing highlights the directory left, for Enter to go back.
      page.LeftName = LastPart(destination);
      GoToParent(destination);
      EnsureTrailingSeparator(destination);
      continue;
    }
    // A subdirectory, or an empty name after a cold recent directory, a
    // drive step or the root button. A destination too deep to be listed
    // whole is refused: the page stays as it is.
    if (!AppendToDestination(destination, page.ChosenName)) {
      destination = shown;
      page.ResumeWait();
      rebuild = false;
      after_press = false;
    }
  }

  console.SetTextColor(kLeaveTextColor);
  console.SetBackColor(kLeaveBackColor);
  console.ClearScreen();
  console.ShowCursor(true);
}

}  // namespace hopdir
