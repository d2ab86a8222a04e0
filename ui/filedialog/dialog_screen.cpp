#include "ui/filedialog/dialog_screen.h"

#include <cstdint>

#include "platform/platform.h"
#include "ui/screen_write.h"

namespace hopdir {

namespace {

constexpr uint8_t kBlue = 1;
constexpr uint8_t kGreen = 2;
constexpr uint8_t kLightGreen = 10;
constexpr uint8_t kLightRed = 12;
constexpr uint8_t kYellow = 14;
constexpr uint8_t kWhite = 15;

// Everything right of the file list starts in this column.
constexpr int16_t kPanelCol = 36;
constexpr int16_t kMaskFieldLen = 37;

void DrawLabel(int16_t col, int16_t row, const char* text, uint8_t color) {
  Console& console = Os().console;
  console.SetTextColor(color);
  console.SetBackColor(kBlue);
  MoveTo(col, row);
  PutText(text);
}

void DrawButton(FrameBoxObj& button, int16_t col, int16_t row, const char* caption, uint8_t color) {
  button.Init(col, row, caption);
  button.SetFrameColor(color);
  button.SetTextColor(color);
  button.Draw();
}

// The next button of a row starts two columns right of the previous one's
// right frame.
int16_t NextCol(const FrameBoxObj& button) { return static_cast<int16_t>(button.X2 + 2); }

void SetUpFileList(FileDialogScreen& screen, const Str255& mask) {
  MarkListObj& files = screen.FileList;
  files.Init(1, 2, 34, 25);
  files.Title = "";
  files.SetTextColor(kWhite);
  files.SetFrameColor(kWhite);
  files.SetMarkColor(kWhite);
  files.List = screen.List;
  RelistDialogFiles(screen, mask);
}

void SetUpSelectionRow(FileDialogScreen& screen, int16_t row) {
  int16_t col = kPanelCol;
  if (screen.MultiSelect) {
    DrawButton(screen.SelectAllButton, col, row, "Select all", kWhite);
    col = NextCol(screen.SelectAllButton);
  }
  DrawButton(screen.ClearAllButton, col, row, "Clear all", kWhite);
  if (screen.MultiSelect) {
    DrawButton(screen.SwitchButton, NextCol(screen.ClearAllButton), row, "Switch", kWhite);
  }
}

void SetUpSortRow(FileDialogScreen& screen, int16_t row) {
  DrawButton(screen.NameButton, kPanelCol, row, "Name", kYellow);
  DrawButton(screen.ExtensionButton, NextCol(screen.NameButton), row, "Extension", kYellow);
  DrawButton(screen.DateButton, NextCol(screen.ExtensionButton), row, "Date", kYellow);
  DrawButton(screen.SizeButton, NextCol(screen.DateButton), row, "Size", kYellow);
}

void SetUpExitButtons(FileDialogScreen& screen) {
  FrameBoxObj& ok = screen.OkButton;
  ok.Init(46, static_cast<int16_t>(screen.SizeButton.Y2 + 2), "      OK");
  ok.SetFrameColor(kLightGreen);
  ok.SetTextColor(kLightGreen);
  ok.AddLine("done selecting");
  ok.Draw();
  DrawButton(screen.QuitButton, 47, static_cast<int16_t>(ok.Y2 + 1), "Quit Program", kLightRed);
}

}  // namespace

Str255 DialogTitleLine(const Str255& title) {
  const Str255 stars = Str255::Repeated('*', (76 - Os().console.TextCells(title.View())) / 2);
  return stars + " " + title + " " + stars;
}

void SetUpDialogScreen(FileDialogScreen& screen, DirListObj& list, const Str255& mask,
                       const Str255& title, bool multiSelect) {
  screen.List = &list;
  screen.MultiSelect = multiSelect;

  Console& console = Os().console;
  console.SetBackColor(kBlue);
  console.ClearScreen();
  MoveTo(1, 1);
  PutText(DialogTitleLine(title).View());

  SetUpFileList(screen, mask);

  DrawLabel(kPanelCol, 4, "Mask:", kGreen);
  InputBoxObj& field = screen.MaskField;
  field.Init(kPanelCol, 5, mask, kMaskFieldLen);
  field.SetFrameColor(kGreen);
  field.SetTextColor(kGreen);
  field.Draw();

  int16_t selectionsRow = static_cast<int16_t>(field.Y2 + 1);
  DrawLabel(kPanelCol, selectionsRow, "File selections:", kWhite);
  SetUpSelectionRow(screen, static_cast<int16_t>(selectionsRow + 1));

  int16_t sortRow = static_cast<int16_t>(screen.ClearAllButton.Y2 + 1);
  DrawLabel(kPanelCol, sortRow, "Sort by:", kYellow);
  SetUpSortRow(screen, static_cast<int16_t>(sortRow + 1));

  SetUpExitButtons(screen);
}

void RelistDialogFiles(FileDialogScreen& screen, const Str255& mask) {
  DirListObj& list = *screen.List;
  list.ListDir(mask, list.AllowedAttr, list.RequiredAttr);
  MarkListObj& files = screen.FileList;
  // The view covers a whole page even when the listing is shorter.
  files.FirstShown = 1;
  files.LastShown = files.PageSize;
  files.Draw();
}

}  // namespace hopdir
