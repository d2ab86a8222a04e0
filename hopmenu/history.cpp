#include "hopmenu/history.h"

#include <cstring>
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
constexpr int64_t kLongestHistoryRead = int64_t{64} * 1024;

// The temporary file goes after a failure part-way, so that only the old
// history remains.
void Discard(TextFile& temp, const Str255& temp_path) {
  temp.Close();
  Os().files.DeleteFile(temp_path);
}

}  // namespace

History::History() { entries_.Init(HistoryCapacity, false, kPathItemWidth); }

History::~History() { entries_.Done(); }

bool History::PathOf(const char* name, Str255& path) const {
  if (directory_.size() + std::strlen(name) > static_cast<size_t>(Str255::kCapacity)) return false;
  path = directory_ + name;
  return true;
}

void History::Load() {
  const DataPlace place = Os().paths.DataDirectory(ProgramDir);
  directory_ = place.Directory;
  must_exist_ = place.MustExist;
  available_ = !directory_.empty();
  // A read failure once the file is open ends the run; a file that cannot
  // be opened (missing, or a path too long to name it) is an empty history.
  if (available_) CheckIo(ReadFile());
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
  std::unique_ptr<FileLock> lock;
  // What another run saved since this one started is kept; without a file
  // the history read at start stands.
  if (!TakeLock(lock) || ReadFile() != 0) {
    ReportUnsaved();
    return;
  }
  const PathRules& rules = Os().paths;
  Str255 start = rules.StoredForm(start_directory);
  StripTrailingSeparator(start);
  // A working directory that was removed has no name to go back to.
  if (!start.Empty()) MoveToFront(start);
  MoveToFront(rules.StoredForm(destination));
  if (!ReplaceFile()) ReportUnsaved();
}

// The data directory made where it is missing (never the part that must
// exist, such as HOME) and the lock taken; false when either cannot be.
bool History::TakeLock(std::unique_ptr<FileLock>& lock) {
  FileSystem& files = Os().files;
  Str255 directory;
  Str255 lock_path;
  if (!PathOf("", directory) || !PathOf(HistoryLockFileName, lock_path)) return false;
  if (!must_exist_.empty() && (must_exist_.size() > static_cast<size_t>(Str255::kCapacity) ||
                               files.CanChangeTo(Str255(must_exist_)) != 0)) {
    return false;
  }
  return files.EnsureDirectory(directory) == 0 && files.Lock(lock_path, lock) == 0;
}

// Reads the history file into the entries, emptied first, up to the list's
// capacity; a file that cannot be opened leaves them as they are. Returns
// the I/O error number of a read that failed part-way.
int History::ReadFile() {
  Str255 path;
  TextFile file;
  if (!PathOf(HistoryFileName, path) || file.OpenForReading(path) != 0) return 0;
  file.LimitReading(kLongestHistoryRead);
  const bool lf_lines = Os().paths.LineEnding() == "\n";
  entries_.Count = 0;
  for (;;) {
    // Peeking reports a read failure, where an end-of-file test would hide it.
    char next = 0;
    bool more = false;
    if (int result = file.PeekChar(next, more); result != 0) return result;
    if (!more) break;
    Str255 line;
    if (int result = file.ReadLine(line); result != 0) return result;
    // Where lines end in a bare LF, a CR at the end of one (the last line's,
    // or the 255th byte of a clipped one) would be written back as a CR LF
    // ending and lost: it goes now, so that each save keeps the entries
    // the run was shown.
    if (lf_lines) {
      while (!line.Empty() && line.Last() == '\r') line.Truncate(line.Length() - 1);
    }
    // A line the limit cut short would name another directory.
    if (line.Empty() || file.ReadingCutShort()) continue;
    entries_.AddString(line);
    if (entries_.Count == entries_.Capacity) break;
  }
  return file.Close();
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
  Str255 path;
  Str255 target;
  // A history kept elsewhere through a symbolic link (in a repository of
  // dotfiles) is replaced where it lies, and the link stays.
  if (!PathOf(HistoryFileName, path) || files.FinalTarget(path, target) != 0) return false;
  const Str255 temp_dir = Os().paths.DirectoryPart(target);
  if (temp_dir.Length() + std::strlen(HistoryTempFileName) >
      static_cast<size_t>(Str255::kCapacity)) {
    return false;
  }
  const Str255 temp_path = temp_dir + HistoryTempFileName;
  // Under the lock nobody else writes the temporary file: one that is
  // there was left by a run that died part-way, and goes.
  TextFile temp;
  if (temp.CreateNew(temp_path) != 0) {
    files.DeleteFile(temp_path);
    if (temp.CreateNew(temp_path) != 0) return false;
  }
  // A write that fails (the disk full) costs the history this run's
  // entries, never the jump.
  for (int16_t i = 1; i <= entries_.Count; ++i) {
    if (temp.WriteLine(entries_.GetString(i).View()) != 0) {
      Discard(temp, temp_path);
      return false;
    }
  }
  if (temp.Close() != 0) {
    files.DeleteFile(temp_path);
    return false;
  }
  // The old file goes only now, in one step; when it cannot be replaced
  // (read-only, or a directory in its place) it stays as it was.
  if (files.ReplaceFile(temp_path, target) != 0) {
    files.DeleteFile(temp_path);
    return false;
  }
  return true;
}

void History::ReportUnsaved() const {
  CheckIo(Os().console.WriteLine("Unable to save history to " + FilePath()));
}

}  // namespace hopdir
