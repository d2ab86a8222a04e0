#include "hopmenu/history.h"

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
// when the list is full, and `path` becomes entry 1.
void MoveToFrontOfHistory(const Str255& path) {
  int16_t found = HistoryList->StringPosition(path);
  if (found > 0) HistoryList->DeleteString(found);
  if (HistoryList->Count == HistoryList->Capacity) HistoryList->DeleteString(HistoryList->Count);
  HistoryList->InsertInList(1, path);
}

void ReportUnsaved() {
  CheckIo(
      Os().console.WriteLine((Str255("Unable to save history to ") + HistoryFilePath()).View()));
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
  int drive_root = path.Find(":\\");
  if (drive_root >= 0 && drive_root == path.Length() - 2) return;
  if (path.Length() > 1 && path.Last() == '\\') path.Truncate(path.Length() - 1);
}

void LoadHistory() {
  HistoryDirectory = ProgramDir;
  EnsureTrailingBackslash(HistoryDirectory);
  // The list exists even without a history, so that every reader finds it
  // empty.
  HistoryList = new StrListObj;
  HistoryList->Init(HistoryCapacity, false);
  HistoryAvailable = !HistoryDirectory.Empty();
  if (!HistoryAvailable) return;

  TextFile file;
  if (file.OpenForReading(HistoryFilePath()) != 0) return;
  for (;;) {
    // Peeking reports a read failure, where an end-of-file test would hide it.
    char next = 0;
    bool more = false;
    CheckIo(file.PeekChar(next, more));
    if (!more) break;
    Str255 line;
    CheckIo(file.ReadLine(line));
    if (!line.Empty()) HistoryList->AddString(line);
  }
  CheckIo(file.Close());
}

void SaveHistory() {
  if (!HistoryAvailable) return;
  StartDirectory = UpCaseStr(StartDirectory);
  StripTrailingBackslash(StartDirectory);
  MoveToFrontOfHistory(StartDirectory);
  Destination = UpCaseStr(Destination);
  MoveToFrontOfHistory(Destination);

  Str255 temp_path = HistoryDirectory + HistoryTempFileName;
  TextFile temp;
  if (temp.CreateForWriting(temp_path) != 0) {
    ReportUnsaved();
    return;
  }
  for (int16_t i = 1; i <= HistoryList->Count; ++i) {
    CheckTempWrite(temp.WriteLine(HistoryList->GetString(i).View()), temp, temp_path);
  }
  CheckTempWrite(temp.Close(), temp, temp_path);
  // The old file goes only now, in one step; when it cannot be replaced
  // (read-only, or a directory in its place) it stays as it was.
  if (Os().files.ReplaceFile(temp_path, HistoryFilePath()) != 0) {
    Os().files.DeleteFile(temp_path);
    ReportUnsaved();
  }
}

}  // namespace hopdir
