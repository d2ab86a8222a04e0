// Files, directories and mounted file systems over the POSIX file APIs.
#ifndef HOPDIR_PLATFORM_POSIX_FILE_SYSTEM_H_
#define HOPDIR_PLATFORM_POSIX_FILE_SYSTEM_H_

#include "platform/file_system.h"

namespace hopdir {

class PosixFileSystem : public FileSystem {
 public:
  Str255 ExecutablePath() override;
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
  int FinalTarget(const Str255& path, Str255& target) override;
  int EnsureDirectory(const Str255& path) override;
  int Lock(const Str255& path, std::unique_ptr<FileLock>& lock) override;
  int ToShellCodePage(std::string_view text, std::string& converted) override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_FILE_SYSTEM_H_
