#include "hopmenu/history.h"

#include <memory>

#include "containers/io_check.h"
#include "core/paths.h"
#include "core/program_dir.h"
#include "platform/platform.h"
#include "platform/text_file.h"

namespace hopdir {
namespace {

// Far more than the longest history the program writes (100 lines of at
// most 255 characters): a file of any size, a sparse one of gigabytes
// included, is read no further than this.
constexpr int64_t kLongestHistoryRead = 64 * 1024;

// A write failure part-way is a run-time I/O error as any other; the
// half-written temporary file is removed first so that only the old
// history remains.
void CheckTempWrite(int result, TextFile& temp, const Str255& temp_path) {
  if (result == 0) return;
  temp.Close();
  Os().files.DeleteFile(temp_path);
  CheckIo(result);
}

}  // namespace

History::History() { entries_.Init(HistoryCapacity, false, kPathItemWidth); }

History::~History() { entries_.Done(); }

Str255 History::FilePath() const { return directory_ + HistoryFileName; }

void History::Load() {
  directory_ = Os().paths.DataDirectory(ProgramDir);
  EnsureTrailingSeparator(directory_);
  available_ = !directory_.Empty();
  if (available_) ReadFile();
}

int16_t History::Find(const Str255& key) const {
  // Entries are compared in the platform's search form: as stored on
  // Windows, where the program writes them upper case, and upper-cased
  // where paths keep their case.
  const PathRules& rules = Os().paths;
  for (int16_t i = 1; i <= entries_.Count; ++i) {
    if (rules.SearchForm(entries_.GetString(i)).Find(key.View()) >= 0) return i;
  }
  return 0;
}

void History::Save(const Str255& start_directory, const Str255& destination) {
  if (!available_) return;
  const PathRules& rules = Os().paths;
  Str255 start = rules.StoredForm(start_directory);
  StripTrailingSeparator(start);

  FileSystem& files = Os().files;
  std::unique_ptr<FileLock> lock;
  if (files.EnsureDirectory(directory_) != 0 ||
      files.Lock(directory_ + HistoryLockFileName, lock) != 0) {
    ReportUnsaved();
    return;
  }
  // What another run saved since this one started is kept; without a file
  // the history read at start stands.
  ReadFile();
  MoveToFront(start);
  MoveToFront(rules.StoredForm(destination));
  if (!ReplaceFile()) ReportUnsaved();
}

// Reads the history file into the entries, emptied first, up to the
// list's capacity; false when the file cannot be opened.
bool History::ReadFile() {
  TextFile file;
  if (file.OpenForReading(FilePath()) != 0) return false;
  file.LimitReading(kLongestHistoryRead);
  const bool lf_lines = Os().paths.LineEnding() == "\n";
  entries_.Count = 0;
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
    // A line the limit cut short would name another directory, and so
    // would one whose name does not fit.
    Str255 name;
    if (line.Empty() || file.ReadingCutShort() || !Os().files.NameOfLine(line.View(), name)) {
      continue;
    }
    entries_.AddString(name);
    if (entries_.Count == entries_.Capacity) break;
  }
  CheckIo(file.Close());
  return true;
}

// The first entry equal to `path` is removed, the oldest entry makes room
// when the list is full, and `path` becomes entry 1. A path with a line
// break in a name (possible on POSIX) cannot be kept in a file of lines and
// is left out, rather than saved as pieces that name other directories.
void History::MoveToFront(const Str255& path) {
  if (path.Find("\n") >= 0 || path.Find("\r") >= 0) return;
  int16_t found = entries_.StringPosition(path);
  if (found > 0) entries_.DeleteString(found);
  if (entries_.Count == entries_.Capacity) entries_.DeleteString(entries_.Count);
  entries_.InsertInList(1, path);
}

// Writes the entries aside and puts them in place of the file in one step;
// false when the file could not be written (nothing is left behind then).
bool History::ReplaceFile() {
  FileSystem& files = Os().files;
  const Str255 temp_path = directory_ + HistoryTempFileName;
  // Under the lock nobody else writes the temporary file: one that is
  // there was left by a run that died part-way, and goes.
  TextFile temp;
  if (temp.CreateNew(temp_path) != 0) {
    files.DeleteFile(temp_path);
    if (temp.CreateNew(temp_path) != 0) return false;
  }
  for (int16_t i = 1; i <= entries_.Count; ++i) {
    CheckTempWrite(temp.WriteLine(files.LineOfName(entries_.GetString(i).View())), temp, temp_path);
  }
  CheckTempWrite(temp.Close(), temp, temp_path);
  // The old file goes only now, in one step; when it cannot be replaced
  // (read-only, or a directory in its place) it stays as it was.
  if (files.ReplaceFile(temp_path, FilePath()) != 0) {
    files.DeleteFile(temp_path);
    return false;
  }
  return true;
}

void History::ReportUnsaved() const {
  CheckIo(Os().console.WriteLine((Str255("Unable to save history to ") + FilePath()).View()));
}

}  // namespace hopdir
