#include "hopmenu/main_menu_page.h"

#include <vector>

#include "core/drives.h"
#include "hopmenu/page_size.h"
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

constexpr const char* kFilterCaption = "Filter: ";

// Shows `list` (or `names`) from its first entry.
void Bind(MarkListObj& view, StrListObj* list, const NameList* names) {
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
    RightList.Cut = CutStyle::kMarkEnd;
  } else {
    RightList.Title = kRecentTitle;
    Bind(RightList, &Run.Recent.Entries(), nullptr);
    // Recent directories differ in their ends: /home/ann/src/website.
    RightList.Cut = CutStyle::kKeepEnd;
  }
}

void MainMenuPage::ShowPaths() {
  Bind(PathsList, nullptr, &Shown);
  PathsList.Footer = Filter.Empty() ? Str255() : kFilterCaption + Filter;
}

void MainMenuPage::Rebuild() {
  DriveString = Os().files.DriveLabelOf(Run.Destination);
  DirList->List(Run.Destination, EntryList::Kind::kSubdirectories);
  DirList->SortNames();
  if (RightView == kFilesView) ListFiles();
  Filter = Str255();
  Shown.Apply(*DirList, Filter.View());
  Focus = PageFocus::kPaths;
  ParkedHighlight = 1;
  const int left = LeftName.Empty() ? 0 : Shown.Find(LeftName.View());
  LeftName = Str255();
  Build(left > 0 ? left : Shown.FirstMatch(), 0);
  ResumeWait();
}

void MainMenuPage::Resize() {
  // A page built while the window was too small highlighted nothing.
  const int paths = PathsList.Highlight > 0 ? PathsList.Highlight : Shown.FirstMatch();
  const int right = RightList.Highlight > 0 ? RightList.Highlight : 1;
  Build(paths, right);
}

void MainMenuPage::Build(int paths_highlight, int right_highlight) {
  TooSmall = !PageFits();
  if (TooSmall) {
    WriteTooSmall();
    return;
  }
  const int16_t width = ScreenCols;
  const int16_t height = ScreenRows;
  const int16_t left_width = static_cast<int16_t>(width / 3);
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
  PathsList.Cut = CutStyle::kMarkEnd;
  ShowPaths();
  if (Focus == PageFocus::kPaths) PathsList.SetHighlight(paths_highlight);
  PathsList.Draw();

  RightList.Init(static_cast<int16_t>(left_width + 1), 1, width, static_cast<int16_t>(height - 4));
  ShowRightList();
  if (Focus == PageFocus::kRight) RightList.SetHighlight(right_highlight);
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
    if (Focus == PageFocus::kRight) {
      RightList.SetHighlight(1);
    } else {
      ParkedHighlight = 1;
    }
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

void MainMenuPage::ChoosePath(int position) {
  if (position <= 0) return;
  ChosenName = Str255(Shown.Name(position));
  PathChosen = true;
}

void MainMenuPage::ChooseRight(int position) {
  // The files view lists no destinations: a press on a file changes nothing.
  if (position <= 0 || RightView == kFilesView) return;
  Run.Destination = Run.Recent.Entry(static_cast<int16_t>(position));
  ChosenName = Str255();
  PathChosen = true;
  MenuDone = RightView == kHotView;
  if (MenuDone) Run.UserAborted = false;
}

void MainMenuPage::HandleClick() {
  MenuDone = false;
  if (TooSmall) return;
  MouseCol = MouseEventCol();
  MouseRow = MouseEventRow();

  if (!PathsList.ScrollAtMouse() && PathsList.Zone.Contains()) {
    ChoosePath(PathsList.RowToIndex(MouseRow));
  }
  if (!RightList.ScrollAtMouse() && RightList.Zone.Contains()) {
    ChooseRight(RightList.RowToIndex(MouseRow));
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

void MainMenuPage::HandleWheel() {
  if (TooSmall) return;
  MouseCol = MouseEventCol();
  MouseRow = MouseEventRow();
  if (PathsList.Zone.Contains()) {
    PathsList.WheelScroll(MouseWheelTurn());
  } else if (RightList.Zone.Contains()) {
    RightList.WheelScroll(MouseWheelTurn());
  }
}

}  // namespace hopdir
