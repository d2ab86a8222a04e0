#include "hopmenu/main_menu_page.h"

#include <vector>

#include "core/drives.h"
#include "hopmenu/status_line.h"
#include "platform/platform.h"
#include "ui/hot_zone.h"
#include "ui/mouse.h"
#include "ui/screen_probe.h"

namespace hopdir {
namespace {

constexpr uint8_t kDoneColor = 2;
constexpr const char* kRecentTitle = "Recent Directories:";
constexpr const char* kFilesTitle = "Files:";

// Shows `list` (or `names`) from its first entry.
void Bind(MarkListObj& view, StrListObj* list, const EntryList* names) {
  view.List = list;
  view.Names = names;
  view.FirstShown = 1;
  const int count = names != nullptr ? names->Count() : list->Count;
  view.LastShown = count < view.PageSize ? count : view.PageSize;
}

}  // namespace

const char* ViewLegend(int view) {
  switch (view) {
    case kHotView:
      return "HOT/cold/files";
    case kColdView:
      return "hot/COLD/files";
    default:
      return "hot/cold/FILES";
  }
}

void MainMenuPage::ListFiles() { FileList->List(Run.Destination, EntryList::Kind::kPlainFiles); }

void MainMenuPage::ShowRightList() {
  if (RightView == kFilesView) {
    RightList.Title = kFilesTitle;
    Bind(RightList, nullptr, FileList);
  } else {
    RightList.Title = kRecentTitle;
    Bind(RightList, &Run.Recent.Entries(), nullptr);
  }
}

void MainMenuPage::Rebuild() {
  const int16_t width = ScreenCols;
  const int16_t height = ScreenRows;
  const int16_t left_width = static_cast<int16_t>(width / 3);

  DriveString = Os().files.DriveLabelOf(Run.Destination);
  DirList->List(Run.Destination, EntryList::Kind::kSubdirectories);
  DirList->SortNames();
  Os().console.ClearScreen();

  const PathRules& rules = Os().paths;
  DrivePrevButton.Init(1, 1, rules.PreviousDriveCaption());
  DrivePrevButton.Draw();
  DriveNextButton.Init(static_cast<int16_t>(DrivePrevButton.X2 + 1), 1, rules.NextDriveCaption());
  DriveNextButton.Draw();
  RootButton.Init(static_cast<int16_t>(DriveNextButton.X2 + 1), 1, rules.RootCaption());
  RootButton.Draw();

  PathsList.Init(1, static_cast<int16_t>(DrivePrevButton.Y2 + 1), left_width,
                 static_cast<int16_t>(height - 1));
  PathsList.Title = rules.PathsTitle(DriveString);
  Bind(PathsList, nullptr, DirList);
  PathsList.Draw();

  RightList.Init(static_cast<int16_t>(left_width + 1), 1, width, static_cast<int16_t>(height - 4));
  if (RightView == kFilesView) ListFiles();
  ShowRightList();
  RightList.Draw();

  const int16_t button_row = static_cast<int16_t>(height - 3);
  DoneButton.Init(static_cast<int16_t>(left_width + 1), button_row, "DONE");
  DoneButton.SetTextColor(kDoneColor);
  DoneButton.Draw();
  AbortButton.Init(static_cast<int16_t>(DoneButton.X2 + 1), button_row, "ABORT");
  AbortButton.Draw();
  ViewButton.Init(static_cast<int16_t>(AbortButton.X2 + 1), button_row, ViewLegend(RightView));
  ViewButton.Draw();

  WriteStatusLine(Run.Destination);
  ResumeWait();
}

void MainMenuPage::ResumeWait() {
  PathChosen = false;
  ChosenName = Str255();
  DriveChanged = false;
}

void MainMenuPage::StepView() {
  RightView = (RightView + 1) % 3;
  if (RightView == kFilesView) ListFiles();
  // Hot to cold changes only the legend.
  if (RightView != kColdView) {
    ShowRightList();
    RightList.Draw();
  }
  ViewButton.Lines[0] = ViewLegend(RightView);
  ViewButton.Draw();
}

void MainMenuPage::StepDrive(bool forward) {
  FileSystem& files = Os().files;
  const std::vector<DrivePlace> places = files.DrivePlaces();
  const int current = files.DrivePlaceOf(Run.Destination);
  const int candidate = forward ? NextDrive(places, current) : PreviousDrive(places, current);
  if (candidate == current) return;
  DriveChanged = true;
  Run.Destination = files.CurrentDirectoryOn(places[static_cast<size_t>(candidate)].Root);
}

void MainMenuPage::HandleClick() {
  MenuDone = false;
  MouseCol = MouseEventCol();
  MouseRow = MouseEventRow();

  if (!PathsList.ScrollAtMouse() && PathsList.Zone.Contains()) {
    const int i = PathsList.RowToIndex(MouseRow);
    if (i > 0) {
      ChosenName = Str255(DirList->Name(i));
      PathChosen = true;
    }
  }

  if (!RightList.ScrollAtMouse() && RightList.Zone.Contains()) {
    const int i = RightList.RowToIndex(MouseRow);
    // The files view lists no destinations: a press on a file changes nothing.
    if (i > 0 && RightView != kFilesView) {
      Run.Destination = Run.Recent.Entry(static_cast<int16_t>(i));
      ChosenName = Str255();
      PathChosen = true;
      MenuDone = RightView == kHotView;
      if (MenuDone) Run.UserAborted = false;
    }
  }

  if (Run.Recent.Available() && ViewButton.Zone.Contains()) StepView();
  if (DriveNextButton.Zone.Contains()) StepDrive(true);
  if (DrivePrevButton.Zone.Contains()) StepDrive(false);
  if (RootButton.Zone.Contains()) {
    Run.Destination = Os().paths.RootOf(Run.Destination);
    DriveChanged = true;
  }
  const bool abort_pressed = AbortButton.Zone.Contains();
  MenuDone = MenuDone || DoneButton.Zone.Contains() || abort_pressed;
  Run.UserAborted = abort_pressed;
}

}  // namespace hopdir
