// The history of recent directories: "HOPMENU.DAT" beside the program, one
// upper-case path per line, most recent first, at most 100 lines.
#ifndef HOPDIR_HOPMENU_HISTORY_H_
#define HOPDIR_HOPMENU_HISTORY_H_

#include "containers/str_list.h"
#include "platform/short_string.h"

namespace hopdir {

inline constexpr int16_t HistoryCapacity = 100;
inline constexpr const char* HistoryFileName = "HOPMENU.DAT";
// The new history is written here first and replaces the old file only once
// it is complete, so a failure part-way never loses the old history.
inline constexpr const char* HistoryTempFileName = "HOPMENU.$$$";

// Recent directories, position 1 the most recent; created by LoadHistory
// (empty when the history is unavailable) and kept until the process ends.
extern StrListObj* HistoryList;
// ProgramDir with a trailing backslash; empty when the program's own path
// has no directory part.
extern Str255 HistoryDirectory;
// False when HistoryDirectory is empty: no file is read or written then.
extern bool HistoryAvailable;

// Sets the start-up values: no list, no directory, history unavailable.
void StartHistory();

// HistoryDirectory followed by HOPMENU.DAT.
Str255 HistoryFilePath();

// Reads the history file into a new HistoryList. A file that cannot be
// opened gives an empty history; empty lines are skipped; a 101st line
// halts the program.
void LoadHistory();

// Moves the upper-cased StartDirectory and Destination to the front of
// HistoryList and rewrites the file. When the file cannot be created it
// says "Unable to save history to " and the path, and the run goes on.
void SaveHistory();

// Removes one trailing backslash, except from a drive root such as D:\ and
// from a path of one character.
void StripTrailingBackslash(Str255& path);

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_HISTORY_H_
