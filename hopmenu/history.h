// The history of recent directories: "HOPMENU.DAT" beside the program (on
// POSIX in the user's data directory), one path per line, upper case on
// Windows, most recent first, at most 100 lines.
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
// Held while a run reads the file again, merges its two entries in and
// replaces it, so that runs ending together keep each other's entries.
inline constexpr const char* HistoryLockFileName = "HOPMENU.LCK";

// Recent directories, position 1 the most recent, whole paths of up to 255
// characters; created by LoadHistory (empty when the history is
// unavailable) and kept until the process ends.
extern StrListObj* HistoryList;
// ProgramDir (on POSIX the data directory) with a trailing separator;
// empty when there is none.
extern Str255 HistoryDirectory;
// False when HistoryDirectory is empty: no file is read or written then.
extern bool HistoryAvailable;

// Sets the start-up values: no list, no directory, history unavailable.
void StartHistory();

// HistoryDirectory followed by HOPMENU.DAT.
Str255 HistoryFilePath();

// Reads the history file into a new HistoryList. A file that cannot be
// opened gives an empty history; where lines end in LF, the CRs that end
// a line are no part of it; empty lines are skipped; a 101st line halts
// the program.
void LoadHistory();

// Under the history's lock: reads the file again (another run may have
// saved meanwhile), moves StartDirectory and Destination (upper-cased on
// Windows) to the front and replaces the file in one step. When it cannot
// be written it says "Unable to save history to " and the path, and the
// run goes on.
void SaveHistory();

// Removes one trailing separator, except from a root (D:\, /) and from a
// path of one character.
void StripTrailingBackslash(Str255& path);

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_HISTORY_H_
