// The history of recent directories: "HOPMENU.DAT" beside the program (on
// POSIX in the user's data directory), one path per line, upper case on
// Windows, most recent first, at most 100 lines.
#ifndef HOPDIR_HOPMENU_HISTORY_H_
#define HOPDIR_HOPMENU_HISTORY_H_

#include <cstdint>
#include <memory>
#include <string>

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

class History {
 public:
  History();
  ~History();
  History(const History&) = delete;
  History& operator=(const History&) = delete;

  // Reads the history file of the data directory (ProgramDir on Windows).
  // A file that cannot be opened gives an empty history; where lines end
  // in LF, the CRs that end a line are no part of it; empty lines are
  // skipped; reading stops at the 100th entry, the most recent ones.
  void Load();

  // False when there is no data directory: no file is read or written then.
  bool Available() const { return available_; }
  // Its directory with a trailing separator (empty when unavailable), and
  // the file's full path, both whole, however long.
  const std::string& Directory() const { return directory_; }
  std::string FilePath() const { return directory_ + HistoryFileName; }

  // Recent directories, whole paths of up to 255 characters, position 1
  // the most recent; empty when the history is unavailable.
  StrListObj& Entries() { return entries_; }
  const StrListObj& Entries() const { return entries_; }
  // The empty string outside 1..Count.
  Str255 Entry(int16_t position) const { return entries_.GetString(position); }
  // The first entry, from entry 1 on, in which the upper-cased `key` occurs:
  // the most recent matching directory wins. 0 when none does.
  int16_t Find(const Str255& key) const;

  // Under the history's lock: reads the file again (another run may have
  // saved meanwhile), moves the start directory (without its trailing
  // separator; an unknown one, empty, is left out) and then the
  // destination, each in the platform's stored form, to the front and
  // replaces the file in one step. When it cannot be saved (its paths too
  // long for the platform's file names, the lock held by another for
  // longer than a save takes, the file read-only, the disk full) it says
  // "Unable to save history to " and the path, and the run goes on.
  void Save(const Str255& start_directory, const Str255& destination);

 private:
  // The path of one of the history's files; false when it is too long for
  // the platform's file names, where a clipped one would name another file.
  bool PathOf(const char* name, Str255& path) const;
  bool TakeLock(std::unique_ptr<FileLock>& lock);
  int ReadFile();
  bool ReplaceFile();
  void MoveToFront(const Str255& path);
  void ReportUnsaved() const;

  StrListObj entries_;
  std::string directory_;
  std::string must_exist_;  // the start of directory_ that is never made
  bool available_ = false;
};

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_HISTORY_H_
