#include "platform/win32/file_system.h"

#include <limits>
#include <string>
#include <vector>

#include "platform/win32/code_pages.h"
#include "platform/win32/windows_api.h"

namespace hopdir {
namespace {

std::string ZeroTerminated(const Str255& text) { return text.ToStd(); }

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

uint64_t TicksOf(const FILETIME& time) { return Join(time.dwHighDateTime, time.dwLowDateTime); }

// Drive letters without a medium must fail quietly, not raise a dialog box.
class QuietCriticalErrors {
 public:
  QuietCriticalErrors() : previous_(SetErrorMode(0)) {
    SetErrorMode(previous_ | SEM_FAILCRITICALERRORS);
  }
  ~QuietCriticalErrors() { SetErrorMode(previous_); }
  QuietCriticalErrors(const QuietCriticalErrors&) = delete;
  QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;

 private:
  UINT previous_;
};

class Win32Search : public DirectorySearch {
 public:
  explicit Win32Search(const Str255& pattern) {
    QuietCriticalErrors quiet;
    handle_ = FindFirstFileA(ZeroTerminated(pattern).c_str(), &data_);
    pending_ = handle_ != INVALID_HANDLE_VALUE;
  }
  ~Win32Search() override {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  Win32Search(const Win32Search&) = delete;
  Win32Search& operator=(const Win32Search&) = delete;

  bool Next(FindRecord& record) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    if (!pending_ && !FindNextFileA(handle_, &data_)) {
      // The end or an error: either way the search is over.
      FindClose(handle_);
      handle_ = INVALID_HANDLE_VALUE;
      return false;
    }
    pending_ = false;
    record.Name = data_.cFileName;
    record.ShortName = data_.cAlternateFileName;
    record.Attributes = data_.dwFileAttributes;
    record.Size = Join(data_.nFileSizeHigh, data_.nFileSizeLow);
    record.CreationTime = TicksOf(data_.ftCreationTime);
    record.AccessTime = TicksOf(data_.ftLastAccessTime);
    record.WriteTime = TicksOf(data_.ftLastWriteTime);
    return true;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA data_ = {};
  bool pending_ = false;
};

class Win32RawFile : public RawFile {
 public:
  explicit Win32RawFile(HANDLE handle) : handle_(handle) {}
  ~Win32RawFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Win32RawFile(const Win32RawFile&) = delete;
  Win32RawFile& operator=(const Win32RawFile&) = delete;

  int Read(char* buffer, int size, int& got) override {
    got = 0;
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(size), &read, nullptr)) {
      return LastIoError();
    }
    got = static_cast<int>(read);
    return 0;
  }

  int Write(std::string_view bytes) override { return WriteAll(handle_, bytes); }

  int Close() override {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (handle == INVALID_HANDLE_VALUE) return 0;
    return CloseHandle(handle) ? 0 : LastIoError();
  }

 private:
  HANDLE handle_;
};

int OpenRaw(const Str255& path, DWORD access, DWORD share, DWORD disposition,
            std::unique_ptr<RawFile>& file) {
  file.reset();
  HANDLE handle = CreateFileA(ZeroTerminated(path).c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastIoError();
  file = std::make_unique<Win32RawFile>(handle);
  return 0;
}

}  // namespace

int LastIoError() {
  DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : static_cast<int>(error);
}

int WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() > 0x10000 ? 0x10000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) return LastIoError();
    if (written == 0) return ERROR_DISK_FULL;
    bytes.remove_prefix(written);
  }
  return 0;
}

Str255 Win32FileSystem::ExecutablePath() {
  std::vector<char> buffer(32768);
  DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return Str255(buffer.data(), static_cast<int>(length));
}

Str255 Win32FileSystem::CurrentDirectory() {
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return Str255();
    if (length < buffer.size()) return Str255(buffer.data(), static_cast<int>(length));
    buffer.resize(length + 1);
  }
}

Str255 Win32FileSystem::DriveCurrentDirectory(int drive) {
  if (drive < 1 || drive > 26) return Str255();
  const char letter = static_cast<char>('A' + drive - 1);
  // "X:" alone names the drive's current directory, which the process keeps
  // per drive.
  const char relative[] = {letter, ':', '\0'};
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    DWORD length =
        GetFullPathNameA(relative, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0) break;
    if (length < buffer.size()) {
      // Some systems end the answer in a backslash; only a root keeps it.
      if (length > 3 && buffer[length - 1] == '\\') --length;
      return Str255(buffer.data(), static_cast<int>(length));
    }
    buffer.resize(length + 1);
  }
  const char root[] = {letter, ':', '\\', '\0'};
  return Str255(root);
}

int64_t Win32FileSystem::DriveFreeBytes(int drive) {
  if (drive < 1 || drive > 26) return -1;
  const char root[] = {static_cast<char>('A' + drive - 1), ':', '\\', '\0'};
  QuietCriticalErrors quiet;
  ULARGE_INTEGER available = {};
  ULARGE_INTEGER total = {};
  ULARGE_INTEGER total_free = {};
  if (GetDiskFreeSpaceExA(root, &available, &total, &total_free)) {
    constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    return static_cast<int64_t>(available.QuadPart > kMax ? kMax : available.QuadPart);
  }
  DWORD sectors_per_cluster = 0;
  DWORD bytes_per_sector = 0;
  DWORD free_clusters = 0;
  DWORD clusters = 0;
  if (GetDiskFreeSpaceA(root, &sectors_per_cluster, &bytes_per_sector, &free_clusters, &clusters)) {
    return static_cast<int64_t>(sectors_per_cluster) * bytes_per_sector * free_clusters;
  }
  return -1;
}

std::unique_ptr<DirectorySearch> Win32FileSystem::Search(const Str255& pattern,
                                                         uint16_t /*attributes*/) {
  // FindFirstFileA returns every kind of entry; callers filter the attributes.
  return std::make_unique<Win32Search>(pattern);
}

int Win32FileSystem::OpenForReading(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenRaw(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, file);
}

int Win32FileSystem::CreateForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenRaw(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, file);
}

int Win32FileSystem::DeleteFile(const Str255& path) {
  return DeleteFileA(ZeroTerminated(path).c_str()) ? 0 : LastIoError();
}

int Win32FileSystem::ReplaceFile(const Str255& source, const Str255& target) {
  return MoveFileExA(ZeroTerminated(source).c_str(), ZeroTerminated(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING)
             ? 0
             : LastIoError();
}

int Win32FileSystem::ToShellCodePage(const Str255& text, Str255& converted) {
  converted = Str255();
  std::string bytes;
  if (int result = ConvertCodePage(text.View(), FileApiCodePage(), ShellCodePage(), bytes);
      result != 0) {
    return result;
  }
  if (bytes.size() > static_cast<size_t>(Str255::kCapacity)) return ERROR_BUFFER_OVERFLOW;
  converted = bytes;
  return 0;
}

}  // namespace hopdir
