// What a mouse press on the dialog does.
#ifndef HOPDIR_UI_FILEDIALOG_DIALOG_CLICKS_H_
#define HOPDIR_UI_FILEDIALOG_DIALOG_CLICKS_H_

#include "ui/filedialog/dialog_screen.h"

namespace hopdir {

// Acts on the press just taken by PollMouse: scrolls or marks in the file
// list, retypes the mask, changes the marks, writes a sort label, sets
// `done` for "OK", or ends the program for "Quit Program".
void HandleDialogClick(FileDialogScreen& screen, bool& done);

}  // namespace hopdir

#endif  // HOPDIR_UI_FILEDIALOG_DIALOG_CLICKS_H_
