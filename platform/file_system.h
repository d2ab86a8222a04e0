// Files, directories and drives, with an I/O result after every step so
// that the library can end the program on the first failure.
#ifndef HOPDIR_PLATFORM_FILE_SYSTEM_H_
#define HOPDIR_PLATFORM_FILE_SYSTEM_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/short_string.h"

namespace hopdir {

// File attribute bits as the directory search reports them.
inline constexpr uint16_t kAttrReadOnly = 0x01;
inline constexpr uint16_t kAttrHidden = 0x02;
inline constexpr uint16_t kAttrSystem = 0x04;
inline constexpr uint16_t kAttrVolumeLabel = 0x08;
inline constexpr uint16_t kAttrDirectory = 0x10;
inline constexpr uint16_t kAttrArchive = 0x20;

// Everything one directory search step returned for one entry.
struct FindRecord {
  Str255 Name;
  ShortString<13> ShortName;  // the 8.3 alias, empty when the platform has none
  uint32_t Attributes = 0;
  uint64_t Size = 0;
  uint64_t CreationTime = 0;  // 100 ns ticks since 1601, as the platform keeps them
  uint64_t AccessTime = 0;
  uint64_t WriteTime = 0;
};

// A place the page's drive buttons step through: a drive on Windows, a
// mounted file system that holds storage on POSIX.
struct DrivePlace {
  Str255 Root;   // where its tree starts: "D:\\", "/home"
  Str255 Label;  // what the page calls it: "D:", "/home"
};

// How much a listing needs of each entry: only what tells the kinds apart
// (the directory, hidden and system bits) lets a file system answer from
// its directory alone, without looking at every entry.
enum class EntryDetail {
  kKinds,
  kEverything,
};

class DirectorySearch {
 public:
  virtual ~DirectorySearch() = default;
  // The next matching entry in the file system's order; false at the end
  // or on any search error.
  virtual bool Next(FindRecord& record) = 0;
};

// An open file, read or written in raw bytes. Line handling is TextFile's.
class RawFile {
 public:
  virtual ~RawFile() = default;
  // Reads up to `size` bytes; `got` is 0 at the end of the file.
  virtual int Read(char* buffer, int size, int& got) = 0;
  virtual int Write(std::string_view bytes) = 0;
  virtual int Close() = 0;
};

// A lock held on a file until this object goes (or the process ends).
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Full path of the running executable as the platform reports it for the
  // running module (not the command line as typed), clipped at 255.
  virtual Str255 ExecutablePath() = 0;
  // Current directory of the current drive.
  virtual Str255 CurrentDirectory() = 0;
  // The places the drive buttons step through, in the order they step.
  virtual std::vector<DrivePlace> DrivePlaces() = 0;
  // The position in DrivePlaces of the place `path` lies on; -1 for none.
  virtual int DrivePlaceOf(const Str255& path) = 0;
  // What the page calls the drive `path` lies on: its first two characters
  // on Windows (a letter and a colon, or the two backslashes of a network
  // path), the mount point that holds it elsewhere.
  virtual Str255 DriveLabelOf(const Str255& path) = 0;
  // 0 when `path` is a directory this process may change into; else the
  // platform's error number: missing, no directory, or no right to enter it.
  virtual int CanChangeTo(const Str255& path) = 0;
  // Free bytes of the file system whose tree starts at `root`; -1 when the
  // query fails.
  virtual int64_t FreeBytes(const Str255& root) = 0;
  // Where a step onto the place at `root` leads: the drive's own current
  // directory on Windows (its root when the platform cannot tell), the
  // mount point itself elsewhere.
  virtual Str255 CurrentDirectoryOn(const Str255& root) = 0;

  // Wildcard search (`*` and `?` with the platform's own semantics) for
  // entries whose attributes are allowed by `attributes`.
  virtual std::unique_ptr<DirectorySearch> Search(const Str255& pattern, uint16_t attributes) = 0;
  // Every entry of the directory `dir` (its trailing separator optional),
  // in the file system's order, "." and ".." first where it has them. With
  // kKinds the records hold names and those attribute bits only.
  virtual std::unique_ptr<DirectorySearch> ListDirectory(const Str255& dir, EntryDetail detail) = 0;

  // Each returns the platform's I/O error number, 0 on success.
  virtual int OpenForReading(const Str255& path, std::unique_ptr<RawFile>& file) = 0;
  // Creates or truncates; a file it creates only its owner may read. A
  // symbolic link in the path's last place is refused, not followed.
  virtual int CreateForWriting(const Str255& path, std::unique_ptr<RawFile>& file) = 0;
  // Creates a file that must not exist yet, readable by its owner only.
  virtual int CreateNew(const Str255& path, std::unique_ptr<RawFile>& file) = 0;
  // Truncates a file that exists, as CreateForWriting does; never creates one.
  virtual int OpenForWriting(const Str255& path, std::unique_ptr<RawFile>& file) = 0;
  virtual int DeleteFile(const Str255& path) = 0;
  // Replaces `target` by `source` in one step (same directory): a reader
  // sees the old file or the new one, never a part of either. A target
  // that nobody may write (read-only) is left alone, as an error.
  virtual int ReplaceFile(const Str255& source, const Str255& target) = 0;
  // The file that replacing `path` has to replace so that whatever leads
  // to it keeps leading there: the file a symbolic link at `path` ends at,
  // else `path` itself (which the platform without such links returns).
  virtual int FinalTarget(const Str255& path, Str255& target) {
    target = path;
    return 0;
  }
  // Creates a directory and its missing parents, private to the user; 0
  // when it exists already.
  virtual int EnsureDirectory(const Str255& path) = 0;
  // Waits until this process alone holds the lock on `path`, a file that
  // is created when missing and never removed; a holder that keeps it for
  // longer than about two seconds makes it fail instead.
  virtual int Lock(const Str255& path, std::unique_ptr<FileLock>& lock) = 0;

  // Converts names from the code page the file APIs use to the one the
  // command shell reads batch files in; an error number when a character
  // has no equivalent there.
  virtual int ToShellCodePage(std::string_view text, std::string& converted) = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_FILE_SYSTEM_H_
