// The dialog's objects and how they are laid out and first drawn.
#ifndef HOPDIR_UI_FILEDIALOG_DIALOG_SCREEN_H_
#define HOPDIR_UI_FILEDIALOG_DIALOG_SCREEN_H_

#include "core/dir_list.h"
#include "platform/short_string.h"
#include "ui/frame_box.h"
#include "ui/input_box.h"
#include "ui/mark_list.h"

namespace hopdir {

// Everything the dialog owns while it runs. "Select all" and "Switch" are
// built only with MultiSelect; without it they are never drawn or tested.
struct FileDialogScreen {
  DirListObj* List = nullptr;  // the caller's list
  bool MultiSelect = false;
  MarkListObj FileList;
  InputBoxObj MaskField;
  FrameBoxObj SelectAllButton;
  FrameBoxObj ClearAllButton;
  FrameBoxObj SwitchButton;
  FrameBoxObj NameButton;
  FrameBoxObj ExtensionButton;
  FrameBoxObj DateButton;
  FrameBoxObj SizeButton;
  FrameBoxObj OkButton;
  FrameBoxObj QuitButton;
};

// The title centred between runs of asterisks: n = (76 - length) / 2
// asterisks on each side (none when n <= 0), one space between.
Str255 DialogTitleLine(const Str255& title);

// Clears the screen to blue with the title on the first line, lists `mask`
// into the caller's list and draws the file list, the labels, the mask
// field and the buttons.
void SetUpDialogScreen(FileDialogScreen& screen, DirListObj& list, const Str255& mask,
                       const Str255& title, bool multiSelect);

// Lists `mask` anew with the list's own attribute filters and shows it from
// its first entry; every mark is lost with the old listing.
void RelistDialogFiles(FileDialogScreen& screen, const Str255& mask);

}  // namespace hopdir

#endif  // HOPDIR_UI_FILEDIALOG_DIALOG_SCREEN_H_
