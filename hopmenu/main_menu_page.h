// The objects and state of hopmenu's page: drive buttons and root button at
// the top left, the subdirectories below them, the recent directories or
// the files on the right, DONE, ABORT and the view legend beneath those,
// and the status line at the bottom.
#ifndef HOPDIR_HOPMENU_MAIN_MENU_PAGE_H_
#define HOPDIR_HOPMENU_MAIN_MENU_PAGE_H_

#include <cstdint>

#include "core/entry_list.h"
#include "hopmenu/hopmenu_run.h"
#include "platform/short_string.h"
#include "ui/frame_box.h"
#include "ui/mark_list.h"

namespace hopdir {

// What the right-hand list shows.
inline constexpr int kHotView = 0;    // recent directories; a press ends the menu
inline constexpr int kColdView = 1;   // recent directories; a press moves the page
inline constexpr int kFilesView = 2;  // the plain files of Destination

// "HOT/cold/files", "hot/COLD/files" or "hot/cold/FILES".
const char* ViewLegend(int view);

class MainMenuPage {
 public:
  explicit MainMenuPage(HopmenuRun& run) : Run(run) {}

  HopmenuRun& Run;                // its destination is what the page shows
  int RightView = kHotView;       // survives rebuilds
  EntryList* DirList = nullptr;   // subdirectories of the destination
  EntryList* FileList = nullptr;  // its plain files, in the files view only

  // The wait for a press ends when one of these is set.
  bool PathChosen = false;
  bool MenuDone = false;
  bool DriveChanged = false;
  Str255 ChosenName;   // the full name of the subdirectory pressed, or empty
  Str255 DriveString;  // the drive of Destination as the page names it (D:, /home)

  FrameBoxObj DrivePrevButton;
  FrameBoxObj DriveNextButton;
  FrameBoxObj RootButton;
  MarkListObj PathsList;
  MarkListObj RightList;
  FrameBoxObj DoneButton;
  FrameBoxObj AbortButton;
  FrameBoxObj ViewButton;

  // Lists the destination again, clears the screen, builds and draws every
  // object from the measured screen size and clears the wait's flags.
  void Rebuild();
  // Clears the flags that end the wait, for a wait on the same page.
  void ResumeWait();
  // One mouse press of any button, tested against the objects in a fixed
  // order; scrolling and view changes leave the page standing.
  void HandleClick();
  // To the current directory of the next (or previous) drive with free
  // space; nothing when there is none.
  void StepDrive(bool forward);

 private:
  void StepView();
  void ListFiles();
  void ShowRightList();
};

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_MAIN_MENU_PAGE_H_
