// The page from the keyboard: a highlight in the list that has the focus,
// a filter typed into the paths list, and keys for what the buttons do.
#include "hopmenu/main_menu_page.h"
#include "platform/platform.h"

namespace hopdir {
namespace {

// Home and End: farther than any list is long.
constexpr int kFar = 1 << 30;

}  // namespace

MarkListObj& MainMenuPage::FocusedList() {
  return Focus == PageFocus::kPaths ? PathsList : RightList;
}

void MainMenuPage::HandleKey(const KeyStroke& key) {
  MenuDone = false;
  if (TooSmall) {
    // Nothing of the page is there to act on; it waits for a resize.
    if (!key.Extended && key.Code == kKeyEsc) Finish(true);
    return;
  }
  if (IsTypedCharacter(key)) {
    TypeIntoFilter(key.Code);
  } else if (key.Extended) {
    HandleExtendedKey(key.Code);
  } else {
    HandlePlainKey(key.Code);
  }
}

void MainMenuPage::HandlePlainKey(char key) {
  switch (key) {
    case kKeyEnter:
    case kKeyLineFeed:
      PressHighlighted();
      break;
    case kKeyTab:
      SwitchFocus();
      break;
    case kKeyBackspace:
      if (Filter.Empty()) {
        GoUp();
      } else {
        EraseFromFilter(false);
      }
      break;
    case kKeyEsc:
      if (Filter.Empty()) {
        Finish(true);
      } else {
        EraseFromFilter(true);
      }
      break;
    case kKeyCtrlU:
      EraseFromFilter(true);
      break;
    case kKeyCtrlD:
      Finish(false);
      break;
    default:
      break;
  }
}

void MainMenuPage::HandleExtendedKey(char code) {
  MarkListObj& list = FocusedList();
  switch (code) {
    case kKeyUp:
      list.MoveHighlight(-1);
      break;
    case kKeyDown:
      list.MoveHighlight(1);
      break;
    case kKeyPageUp:
      list.MoveHighlight(-list.PageSize);
      break;
    case kKeyPageDown:
      list.MoveHighlight(list.PageSize);
      break;
    case kKeyHome:
      list.MoveHighlight(-kFar);
      break;
    case kKeyEnd:
      list.MoveHighlight(kFar);
      break;
    case kKeyShiftTab:
      SwitchFocus();
      break;
    case kKeyLeft:
      GoUp();
      break;
    case kKeyRight:
      if (Focus == PageFocus::kPaths) PressHighlighted();
      break;
    case kKeyF2:
      StepDrive(false);
      break;
    case kKeyF3:
      StepDrive(true);
      break;
    case kKeyF4:
      Run.Destination = Os().paths.RootOf(Run.Destination);
      DriveChanged = true;
      break;
    case kKeyF5:
      if (Run.Recent.Available()) StepView();
      break;
    case kKeyF10:
      Finish(false);
      break;
    default:
      break;
  }
}

void MainMenuPage::PressHighlighted() {
  if (Focus == PageFocus::kPaths) {
    ChoosePath(PathsList.Highlight);
  } else {
    ChooseRight(RightList.Highlight);
  }
}

void MainMenuPage::SwitchFocus() {
  MarkListObj& from = FocusedList();
  const int parked = ParkedHighlight;
  ParkedHighlight = from.Highlight;
  from.Highlight = 0;
  from.Draw();
  Focus = Focus == PageFocus::kPaths ? PageFocus::kRight : PageFocus::kPaths;
  MarkListObj& to = FocusedList();
  to.SetHighlight(parked);
  to.Draw();
}

// Typing narrows the paths list; the highlight goes to the first match.
void MainMenuPage::TypeIntoFilter(char key) {
  if (Focus != PageFocus::kPaths) SwitchFocus();
  Filter.Append(key);
  Shown.Apply(*DirList, Filter.View());
  ShowPaths();
  PathsList.SetHighlight(Shown.FirstMatch());
  PathsList.Draw();
}

// Widening the list keeps the highlighted directory where it is still shown.
void MainMenuPage::EraseFromFilter(bool all) {
  if (Filter.Empty()) return;
  if (Focus != PageFocus::kPaths) SwitchFocus();
  const Str255 highlighted(Shown.Name(PathsList.Highlight));
  if (all) {
    Filter = Str255();
  } else {
    // The last character, however many bytes and cells it takes.
    Console& console = Os().console;
    const int cells = console.TextCells(Filter.View());
    Filter.Truncate(static_cast<int>(console.FitCells(Filter.View(), cells - 1)));
  }
  Shown.Apply(*DirList, Filter.View());
  ShowPaths();
  // "." or ".." was highlighted only for want of a match.
  const bool dot = highlighted == "." || highlighted == "..";
  const int kept = dot ? 0 : Shown.Find(highlighted.View());
  PathsList.SetHighlight(kept > 0 ? kept : Shown.FirstMatch());
  PathsList.Draw();
}

void MainMenuPage::GoUp() {
  ChosenName = "..";
  PathChosen = true;
}

void MainMenuPage::Finish(bool aborted) {
  MenuDone = true;
  Run.UserAborted = aborted;
}

}  // namespace hopdir
