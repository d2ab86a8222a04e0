// An in-memory file system for tests: drive letters with their own current
// directories and free space, directories whose enumeration order the test
// controls, files with attributes, sizes and times, and failures on demand.
// Paths compare without regard to ASCII case, as on Windows; in the POSIX
// convention there is one tree under "/" whose names keep and compare
// their case, and the drives are mount points.
#ifndef HOPDIR_TESTS_SUPPORT_FAKE_FILE_SYSTEM_H_
#define HOPDIR_TESTS_SUPPORT_FAKE_FILE_SYSTEM_H_

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace hopdir::testing {

// I/O error numbers as the Windows platform reports them.
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorAccessDenied = 5;
inline constexpr int kErrorLockViolation = 33;
inline constexpr int kErrorFileExists = 80;
inline constexpr int kErrorDiskFull = 112;
inline constexpr int kErrorNoTranslation = 1113;

class FakeFileSystem : public FileSystem {
 public:
  explicit FakeFileSystem(bool posix = false);

  // --- set-up ---
  // Creates a directory and any missing parents (a drive's root always exists).
  void AddDir(const std::string& path, uint32_t attributes = kAttrDirectory);
  // Creates or replaces a file; parents are created as needed.
  void AddFile(const std::string& path, const std::string& content = "",
               uint32_t attributes = kAttrArchive, uint64_t write_time = 0);
  // Sets the current drive and its current directory, e.g. "D:\\WORK".
  void SetCurrentDirectory(const std::string& path);
  // Current directory of one drive (1 = A); also makes the drive exist.
  void SetDriveDirectory(int drive, const std::string& path);
  // POSIX: a mounted file system at `path`, the next drive number, with
  // `free_bytes` free; "/" is mounted from the start as drive 1.
  int AddMount(const std::string& path, int64_t free_bytes);
  // Free bytes reported for a drive; -1 makes the query fail (the default
  // for every drive that was never mentioned).
  void SetFreeBytes(int drive, int64_t bytes);
  void SetExecutablePath(const std::string& path) { executable_ = path; }
  // Whether searches of a non-root directory return "." and ".." first.
  bool DotsFirst = true;

  // Failure injection.
  std::map<std::string, int> CreateFails;  // Key(path) -> error
  int LockFailsWith = 0;                   // every Lock fails
  int EnsureDirectoryFailsWith = 0;        // every EnsureDirectory fails
  int DeleteFailsWith = 0;                 // every delete fails
  int ReplaceFailsWith = 0;                // every replace fails
  int ReadFailsWith = 0;                   // every read of an open file fails
  int CloseFailsWith = 0;                  // every close of a written file fails
  // A write fails with kErrorDiskFull once this many bytes have been written
  // to files in total since it was set (negative: never).
  int64_t WriteBudget = -1;
  // Bytes that the shell's code page cannot hold (conversion fails with
  // kErrorNoTranslation), and translations it applies (a byte may become
  // several, as in UTF-8).
  std::string UnmappableBytes;
  std::map<char, std::string> ShellTranslation;

  // --- inspection ---
  bool Exists(const std::string& path) const;
  bool IsDirectory(const std::string& path) const;
  std::optional<std::string> Content(const std::string& path) const;
  // Names of a directory's entries in enumeration order.
  std::vector<std::string> Children(const std::string& path) const;
  int DeleteCalls = 0;
  std::vector<std::string> Deleted;  // paths as given to DeleteFile, in order
  int LockCalls = 0;
  bool LockHeld = false;
  int ReplacesWithoutLock = 0;  // ReplaceFile calls while no lock was held

  // --- FileSystem ---
  Str255 ExecutablePath() override { return Str255(executable_); }
  Str255 CurrentDirectory() override;
  std::vector<DrivePlace> DrivePlaces() override;
  int DrivePlaceOf(const Str255& path) override;
  Str255 DriveLabelOf(const Str255& path) override;
  int CanChangeTo(const Str255& path) override;
  int64_t FreeBytes(const Str255& root) override;
  Str255 CurrentDirectoryOn(const Str255& root) override;
  std::unique_ptr<DirectorySearch> Search(const Str255& pattern, uint16_t attributes) override;
  std::unique_ptr<DirectorySearch> ListDirectory(const Str255& dir, EntryDetail detail) override;
  int OpenForReading(const Str255& path, std::unique_ptr<RawFile>& file) override;
  int CreateForWriting(const Str255& path, std::unique_ptr<RawFile>& file) override;
  int CreateNew(const Str255& path, std::unique_ptr<RawFile>& file) override;
  int OpenForWriting(const Str255& path, std::unique_ptr<RawFile>& file) override;
  int DeleteFile(const Str255& path) override;
  int ReplaceFile(const Str255& source, const Str255& target) override;
  int EnsureDirectory(const Str255& path) override;
  int Lock(const Str255& path, std::unique_ptr<FileLock>& lock) override;
  int ToShellCodePage(std::string_view text, std::string& converted) override;

  struct Node {
    std::string Name;  // as created, case kept
    uint32_t Attributes = 0;
    uint64_t WriteTime = 0;
    std::string Content;
    std::vector<std::string> Children;  // upper-cased keys, in enumeration order
  };
  // The full path as the map keys it: upper-cased without a trailing
  // backslash (roots keep "D:\"); in the POSIX convention as it is,
  // without a trailing slash ("/" stays).
  std::string Key(const std::string& path) const;
  std::string Parent(const std::string& key) const;  // "" for a root
  // Windows wildcard match of one name, ignoring ASCII case (keeping it in
  // the POSIX convention, where "*.*" matches every name).
  bool WildcardMatch(const std::string& pattern, const std::string& name) const;

  Node* Find(const std::string& path);
  const Node* Find(const std::string& path) const;
  // Called by the open files.
  int SpendWriteBudget(std::string& content, std::string_view bytes);

 private:
  Node& Ensure(const std::string& key, uint32_t attributes);
  bool IsRoot(const std::string& key) const;
  int DriveOf(const std::string& key) const;
  // The drive number (1 = A; POSIX: the mount) whose root is `root`; 0 for none.
  int DriveNumberOfRoot(const Str255& root) const;
  std::string LastPart(const std::string& key) const;
  enum class Opening { kCreateOrTruncate, kCreateNew, kTruncateExisting };
  int OpenWritable(const Str255& path, Opening opening, std::unique_ptr<RawFile>& file);

  bool posix_;
  char separator_;
  int mounts_ = 0;

  std::map<std::string, Node> nodes_;
  std::array<int64_t, 27> free_{};
  std::array<std::string, 27> drive_dirs_{};
  int current_drive_ = 3;
  std::string executable_ = "C:\\HOPDIR\\HOPMENU.EXE";
};

}  // namespace hopdir::testing

#endif  // HOPDIR_TESTS_SUPPORT_FAKE_FILE_SYSTEM_H_
