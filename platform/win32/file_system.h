// Files, directories and drives over the A file APIs of kernel32.
#ifndef HOPDIR_PLATFORM_WIN32_FILE_SYSTEM_H_
#define HOPDIR_PLATFORM_WIN32_FILE_SYSTEM_H_

#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/win32/windows_api.h"

namespace hopdir {

class Win32FileSystem : public FileSystem {
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
  int EnsureDirectory(const Str255& path) override;
  int Lock(const Str255& path, std::unique_ptr<FileLock>& lock) override;
  int ToShellCodePage(std::string_view text, std::string& converted) override;
};

// The calling thread's last error as an I/O error number; never 0, so that
// a failure is never mistaken for success.
int LastIoError();

// Writes every byte to a file, pipe or device handle, going on after a
// partial write; a write that takes nothing means the medium is full.
int WriteAll(HANDLE handle, std::string_view bytes);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_WIN32_FILE_SYSTEM_H_
