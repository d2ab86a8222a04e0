#include "ui/filedialog/dialog_clicks.h"

#include <cstdint>

#include "containers/io_check.h"
#include "platform/platform.h"
#include "ui/hot_zone.h"
#include "ui/mouse.h"
#include "ui/screen_write.h"

namespace hopdir {

namespace {

// Where the sort labels appear.
constexpr int16_t kStatusCol = 1;
constexpr int16_t kStatusRow = 24;

void ClickFileList(FileDialogScreen& screen) {
  MarkListObj& files = screen.FileList;
  if (!files.ScrollAtMouse() && files.Zone.Contains()) {
    const auto index = static_cast<int16_t>(files.RowToIndex(MouseRow));
    if (screen.MultiSelect) {
      files.ToggleMark(index);
    } else {
      // One mark at most: it moves to the clicked entry, or goes away when
      // the marked entry or a row without an entry is clicked.
      bool wasMarked = screen.List->GetMark(index);
      files.MarkAll(false);
      if (!wasMarked) files.ToggleMark(index);
    }
  }
}

void ClickMarkButtons(FileDialogScreen& screen) {
  MarkListObj& files = screen.FileList;
  if (screen.MultiSelect && screen.SelectAllButton.Zone.Contains()) {
    files.MarkAll(true);
    files.Draw();
  }
  if (screen.ClearAllButton.Zone.Contains()) {
    files.MarkAll(false);
    files.Draw();
  }
  if (screen.MultiSelect && screen.SwitchButton.Zone.Contains()) {
    files.InvertMarks();
    files.Draw();
  }
}

// The sort buttons only name the order; the listing keeps its own.
void ClickSortButtons(FileDialogScreen& screen) {
  const char* label = nullptr;
  if (screen.NameButton.Zone.Contains()) label = "Sort by name      ";
  if (screen.SizeButton.Zone.Contains()) label = "Sort by size      ";
  if (screen.ExtensionButton.Zone.Contains()) label = "Sort by extension ";
  if (screen.DateButton.Zone.Contains()) label = "Sort by date      ";
  if (label == nullptr) return;
  MoveTo(kStatusCol, kStatusRow);
  PutText(label);
}

[[noreturn]] void QuitProgram() {
  Console& console = Os().console;
  console.SetBackColor(0);
  console.SetTextColor(15);
  console.ClearScreen();
  CheckIo(console.WriteLine("User abort!"));
  ExitProgram(1);
}

}  // namespace

void HandleDialogClick(FileDialogScreen& screen, bool& done) {
  MouseCol = MouseEventCol();
  MouseRow = MouseEventRow();
  MoveTo(kStatusCol, kStatusRow);

  ClickFileList(screen);
  if (screen.MaskField.Zone.Contains()) {
    screen.MaskField.Edit();
    RelistDialogFiles(screen, screen.MaskField.Lines[0]);
  }
  ClickMarkButtons(screen);
  ClickSortButtons(screen);
  if (screen.OkButton.Zone.Contains()) done = true;
  if (screen.QuitButton.Zone.Contains()) QuitProgram();
}

}  // namespace hopdir
