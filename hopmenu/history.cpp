#include "hopmenu/history.h"

#include <memory>

#include "core/io_check.h"
#include "core/paths.h"
#include "core/program_dir.h"
#include "hopmenu/run_state.h"
#include "platform/platform.h"
#include "platform/text_file.h"

namespace hopdir {

StrListObj* HistoryList = nullptr;
Str255 HistoryDirectory;
bool HistoryAvailable = false;

namespace {

// The first entry equal to `path` is removed, the oldest entry makes room
// when the list is full, and `path` becomes entry 1. A path with a line
// break in a name (possible on POSIX) cannot be kept in a file of lines and
// is left out, rather than saved as pieces that name other directories.
void MoveToFrontOfHistory(const Str255& path) {
  if (path.Find("\n") >= 0 || path.Find("\r") >= 0) return;
  int16_t found = HistoryList->StringPosition(path);
  if (found > 0) HistoryList->DeleteString(found);
  if (HistoryList->Count == HistoryList->Capacity) HistoryList->DeleteString(HistoryList->Count);
  HistoryList->InsertInList(1, path);
}

void ReportUnsaved() {
  CheckIo(
      Os().console.WriteLine((Str255("Unable to save history to ") + HistoryFilePath()).View()));
}

// Reads the history file into HistoryList, which it empties first; false
// when the file cannot be opened. At start a 101st line halts the program;
// `at_most_capacity` stops quietly at the list's capacity instead, for the
// second read at the end of a run, whose batch file is written already.
bool ReadHistoryFile(bool at_most_capacity) {
  TextFile file;
  if (file.OpenForReading(HistoryFilePath()) != 0) return false;
  const bool lf_lines = Os().paths.LineEnding() == "\n";
  HistoryList->Count = 0;
  for (;;) {
    // Peeking reports a read failure, where an end-of-file test would hide it.
    char next = 0;
    bool more = false;
    CheckIo(file.PeekChar(next, more));
    if (!more) break;
    Str255 line;
    CheckIo(file.ReadLine(line));
    // Where lines end in a bare LF, a CR at the end of one (the last line's,
    // or the 255th byte of a clipped one) would be written back as a CR LF
    // ending and lost: it goes now, so that each save keeps the entries
    // the run was shown.
    if (lf_lines) {
      while (!line.Empty() && line.Last() == '\r') line.Truncate(line.Length() - 1);
    }
    if (line.Empty()) continue;
    if (at_most_capacity && HistoryList->Count == HistoryList->Capacity) break;
    HistoryList->AddString(line);
  }
  CheckIo(file.Close());
  return true;
}

// A write failure part-way is a run-time I/O error as any other; the
// half-written temporary file is removed first so that only the old
// history remains.
void CheckTempWrite(int result, TextFile& temp, const Str255& temp_path) {
  if (result == 0) return;
  temp.Close();
  Os().files.DeleteFile(temp_path);
  CheckIo(result);
}

// Writes HistoryList aside and puts it in place of the file in one step;
// false when the file could not be written (nothing is left behind then).
bool ReplaceHistoryFile() {
  FileSystem& files = Os().files;
  const Str255 temp_path = HistoryDirectory + HistoryTempFileName;
  // Under the lock nobody else writes the temporary file: one that is
  // there was left by a run that died part-way, and goes.
  TextFile temp;
  if (temp.CreateNew(temp_path) != 0) {
    files.DeleteFile(temp_path);
    if (temp.CreateNew(temp_path) != 0) return false;
  }
  for (int16_t i = 1; i <= HistoryList->Count; ++i) {
    CheckTempWrite(temp.WriteLine(HistoryList->GetString(i).View()), temp, temp_path);
  }
  CheckTempWrite(temp.Close(), temp, temp_path);
  // The old file goes only now, in one step; when it cannot be replaced
  // (read-only, or a directory in its place) it stays as it was.
  if (files.ReplaceFile(temp_path, HistoryFilePath()) != 0) {
    files.DeleteFile(temp_path);
    return false;
  }
  return true;
}

}  // namespace

void StartHistory() {
  if (HistoryList != nullptr) {
    HistoryList->Done();
    delete HistoryList;
  }
  HistoryList = nullptr;
  HistoryDirectory = Str255();
  HistoryAvailable = false;
}

Str255 HistoryFilePath() { return HistoryDirectory + HistoryFileName; }

void StripTrailingBackslash(Str255& path) {
  if (Os().paths.IsRoot(path)) return;
  if (path.Length() > 1 && path.Last() == Os().paths.Separator()) path.Truncate(path.Length() - 1);
}

void LoadHistory() {
  HistoryDirectory = Os().paths.DataDirectory(ProgramDir);
  EnsureTrailingBackslash(HistoryDirectory);
  // The list exists even without a history, so that every reader finds it
  // empty.
  HistoryList = new StrListObj;
  HistoryList->Init(HistoryCapacity, false, kPathItemWidth);
  HistoryAvailable = !HistoryDirectory.Empty();
  if (!HistoryAvailable) return;
  ReadHistoryFile(false);
}

void SaveHistory() {
  if (!HistoryAvailable) return;
  const PathRules& rules = Os().paths;
  StartDirectory = rules.StoredForm(StartDirectory);
  StripTrailingBackslash(StartDirectory);
  Destination = rules.StoredForm(Destination);

  FileSystem& files = Os().files;
  std::unique_ptr<FileLock> lock;
  if (files.EnsureDirectory(HistoryDirectory) != 0 ||
      files.Lock(HistoryDirectory + HistoryLockFileName, lock) != 0) {
    ReportUnsaved();
    return;
  }
  // What another run saved since this one started is kept; without a file
  // the history read at start stands.
  ReadHistoryFile(true);
  MoveToFrontOfHistory(StartDirectory);
  MoveToFrontOfHistory(Destination);
  if (!ReplaceHistoryFile()) ReportUnsaved();
}

}  // namespace hopdir
