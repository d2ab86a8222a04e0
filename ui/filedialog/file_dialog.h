// The file selection dialog: a full-screen, mouse-driven page on which the
// user marks entries of a wildcard listing, retypes the mask, and confirms
// or quits.
#ifndef HOPDIR_UI_FILEDIALOG_FILE_DIALOG_H_
#define HOPDIR_UI_FILEDIALOG_FILE_DIALOG_H_

#include "core/dir_list.h"
#include "platform/short_string.h"

namespace hopdir {

// Lists `mask` into `list` (with the list's AllowedAttr and RequiredAttr)
// and lets the user mark one entry, or any number with `MultiSelect`. On
// return the list's marks are the selection and MarkedCount is current; the
// list keeps the last listing. "Quit Program" ends the program with code 1
// and does not return. `list` must keep marks (HasMarks).
void FileSelectDialog(DirListObj& list, const Str255& mask, const Str255& title, bool MultiSelect);

}  // namespace hopdir

#endif  // HOPDIR_UI_FILEDIALOG_FILE_DIALOG_H_
