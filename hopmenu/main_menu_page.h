// The objects and state of hopmenu's page: drive buttons and root button at
// the top left, the subdirectories below them, the recent directories or
// the files on the right, DONE, ABORT and the view legend beneath those,
// and the status line at the bottom. Below the size at which they fit, one
// line that says so instead.
#ifndef HOPDIR_HOPMENU_MAIN_MENU_PAGE_H_
#define HOPDIR_HOPMENU_MAIN_MENU_PAGE_H_

#include <cstdint>

#include "core/entry_filter.h"
#include "core/entry_list.h"
#include "hopmenu/hopmenu_run.h"
#include "platform/short_string.h"
#include "ui/frame_box.h"
#include "ui/keyboard.h"
#include "ui/mark_list.h"

namespace hopdir {

// What the right-hand list shows.
inline constexpr int kHotView = 0;    // recent directories; a press ends the menu
inline constexpr int kColdView = 1;   // recent directories; a press moves the page
inline constexpr int kFilesView = 2;  // the plain files of Destination

// "HOT/cold/files", "hot/COLD/files" or "hot/cold/FILES".
const char* ViewLegend(int view);

// The list whose highlight the keys move.
enum class PageFocus : uint8_t { kPaths, kRight };

class MainMenuPage {
 public:
  explicit MainMenuPage(HopmenuRun& run) : Run(run) {}

  HopmenuRun& Run;                // its destination is what the page shows
  int RightView = kHotView;       // survives rebuilds
  EntryList* DirList = nullptr;   // subdirectories of the destination
  EntryList* FileList = nullptr;  // its plain files, in the files view only
  EntryFilter Shown;              // DirList as the filter lets it through
  Str255 Filter;                  // typed on the page, for the paths list
  PageFocus Focus = PageFocus::kPaths;
  int ParkedHighlight = 1;  // the highlight of the list without the focus
  // The directory just left for its parent: the next listing highlights it.
  Str255 LeftName;
  // The window is below the size at which the page fits: one line says so.
  bool TooSmall = false;

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

  // Lists the destination again, clears the filter and the screen, builds
  // and draws every object from the measured screen size, highlights the
  // directory just left (else the first subdirectory) and clears the wait's
  // flags.
  void Rebuild();
  // The page at a new size: the same listing, filter, focus and highlights.
  void Resize();
  // Clears the flags that end the wait, for a wait on the same page.
  void ResumeWait();
  // One mouse press of any button, tested against the objects in a fixed
  // order; scrolling and view changes leave the page standing.
  void HandleClick();
  // A turn of the wheel scrolls the list under the pointer.
  void HandleWheel();
  // One key: moves a highlight, edits the filter, or acts as the press it
  // stands for.
  void HandleKey(const KeyStroke& key);
  // To the current directory of the next (or previous) drive with free
  // space; nothing when there is none.
  void StepDrive(bool forward);

 private:
  void Build(int paths_highlight, int right_highlight);
  void StepView();
  void ListFiles();
  void ShowRightList();
  void ShowPaths();
  void ChoosePath(int position);
  void ChooseRight(int position);
  MarkListObj& FocusedList();
  void HandlePlainKey(char key);
  void HandleExtendedKey(char code);
  void PressHighlighted();
  void SwitchFocus();
  void TypeIntoFilter(char key);
  void EraseFromFilter(bool all);
  void GoUp();
  void Finish(bool aborted);
};

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_MAIN_MENU_PAGE_H_
