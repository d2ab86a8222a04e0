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

// The whole-file lock of Lock, released when the handle closes.
class Win32FileLock : public FileLock {
 public:
  explicit Win32FileLock(HANDLE handle) : handle_(handle) {}
  ~Win32FileLock() override {
    OVERLAPPED whole_file = {};
    UnlockFileEx(handle_, 0, 1, 0, &whole_file);
    CloseHandle(handle_);
  }
  Win32FileLock(const Win32FileLock&) = delete;
  Win32FileLock& operator=(const Win32FileLock&) = delete;

 private:
  HANDLE handle_;
};

// Another run may hold a file for a moment: it writes the same batch file,
// or reads the history that is to be replaced. Such a failure is tried
// again for about a second before it counts.
template <typename Attempt>
int RetryWhileBusy(Attempt attempt, bool access_denied_is_busy) {
  constexpr int kAttempts = 50;
  constexpr DWORD kPauseMilliseconds = 20;
  int result = 0;
  for (int round = 0; round < kAttempts; ++round) {
    result = attempt();
    const bool busy = result == ERROR_SHARING_VIOLATION || result == ERROR_LOCK_VIOLATION ||
                      (access_denied_is_busy && result == ERROR_ACCESS_DENIED);
    if (!busy) break;
    Sleep(kPauseMilliseconds);
  }
  return result;
}

int OpenRaw(const Str255& path, DWORD access, DWORD share, DWORD disposition,
            std::unique_ptr<RawFile>& file) {
  file.reset();
  const std::string name = ZeroTerminated(path);
  return RetryWhileBusy(
      [&] {
        HANDLE handle = CreateFileA(name.c_str(), access, share, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastIoError();
        file = std::make_unique<Win32RawFile>(handle);
        return 0;
      },
      false);
}

// A plain file that may be written: its "access denied" comes from a
// reader holding it open, not from what it is.
bool IsWritablePlainFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
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

namespace {

constexpr int kDriveCount = 26;

// The drive letter `path` starts with, upper-cased; 0 for none.
char DriveLetter(const Str255& path) {
  const char letter = UpCaseChar(path[0]);
  return letter >= 'A' && letter <= 'Z' ? letter : '\0';
}

}  // namespace

std::vector<DrivePlace> Win32FileSystem::DrivePlaces() {
  // Every letter is a place; the buttons skip the ones without free space.
  std::vector<DrivePlace> places;
  places.reserve(kDriveCount);
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const char label[] = {letter, ':', '\0'};
    places.push_back({Str255(label) + "\\", Str255(label)});
  }
  return places;
}

int Win32FileSystem::DrivePlaceOf(const Str255& path) {
  const char letter = DriveLetter(path);
  return letter == '\0' ? -1 : letter - 'A';
}

Str255 Win32FileSystem::DriveLabelOf(const Str255& path) { return path.Sub(0, 2); }

Str255 Win32FileSystem::CurrentDirectoryOn(const Str255& root) {
  const char letter = DriveLetter(root);
  if (letter == '\0') return Str255();
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
  const char drive_root[] = {letter, ':', '\\', '\0'};
  return Str255(drive_root);
}

int64_t Win32FileSystem::FreeBytes(const Str255& root) {
  const char letter = DriveLetter(root);
  if (letter == '\0') return -1;
  const char drive_root[] = {letter, ':', '\\', '\0'};
  QuietCriticalErrors quiet;
  ULARGE_INTEGER available = {};
  ULARGE_INTEGER total = {};
  ULARGE_INTEGER total_free = {};
  if (GetDiskFreeSpaceExA(drive_root, &available, &total, &total_free)) {
    constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    return static_cast<int64_t>(available.QuadPart > kMax ? kMax : available.QuadPart);
  }
  DWORD sectors_per_cluster = 0;
  DWORD bytes_per_sector = 0;
  DWORD free_clusters = 0;
  DWORD clusters = 0;
  if (GetDiskFreeSpaceA(drive_root, &sectors_per_cluster, &bytes_per_sector, &free_clusters,
                        &clusters)) {
    return static_cast<int64_t>(sectors_per_cluster) * bytes_per_sector * free_clusters;
  }
  return -1;
}

std::unique_ptr<DirectorySearch> Win32FileSystem::Search(const Str255& pattern,
                                                         uint16_t /*attributes*/) {
  // FindFirstFileA returns every kind of entry; callers filter the attributes.
  return std::make_unique<Win32Search>(pattern);
}

std::unique_ptr<DirectorySearch> Win32FileSystem::ListDirectory(const Str255& dir,
                                                                EntryDetail /*detail*/) {
  // The search record holds everything at no extra cost. A directory too
  // deep for its pattern to fit is not listed rather than listed clipped.
  std::string pattern = dir.ToStd();
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != ':') pattern += '\\';
  pattern += "*.*";
  if (pattern.size() > static_cast<size_t>(Str255::kCapacity)) {
    return std::make_unique<Win32Search>(Str255());
  }
  return std::make_unique<Win32Search>(Str255(pattern));
}

int Win32FileSystem::OpenForReading(const Str255& path, std::unique_ptr<RawFile>& file) {
  // Sharing delete lets another run replace the file while this one reads.
  return OpenRaw(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                 OPEN_EXISTING, file);
}

int Win32FileSystem::CreateForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenRaw(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, file);
}

int Win32FileSystem::CreateNew(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenRaw(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW, file);
}

int Win32FileSystem::OpenForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenRaw(path, GENERIC_WRITE, FILE_SHARE_READ, TRUNCATE_EXISTING, file);
}

int Win32FileSystem::CanChangeTo(const Str255& path) {
  const DWORD attributes = GetFileAttributesA(ZeroTerminated(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastIoError();
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ERROR_DIRECTORY;
}

int Win32FileSystem::DeleteFile(const Str255& path) {
  return DeleteFileA(ZeroTerminated(path).c_str()) ? 0 : LastIoError();
}

int Win32FileSystem::ReplaceFile(const Str255& source, const Str255& target) {
  // The system refuses to replace a file that is open, with a sharing
  // violation or, even when the reader shares delete, with access denied.
  const std::string from = ZeroTerminated(source);
  const std::string to = ZeroTerminated(target);
  return RetryWhileBusy(
      [&] {
        return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : LastIoError();
      },
      IsWritablePlainFile(to));
}

int Win32FileSystem::EnsureDirectory(const Str255& path) {
  std::string dir = ZeroTerminated(path);
  while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/')) dir.pop_back();
  DWORD attributes = GetFileAttributesA(dir.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ERROR_ALREADY_EXISTS;
  }
  size_t parent_end = dir.find_last_of("\\/");
  if (parent_end != std::string::npos && parent_end > 2) {
    if (int result = EnsureDirectory(Str255(dir.substr(0, parent_end))); result != 0) {
      return result;
    }
  }
  if (CreateDirectoryA(dir.c_str(), nullptr)) return 0;
  int result = LastIoError();
  return result == ERROR_ALREADY_EXISTS ? 0 : result;
}

int Win32FileSystem::Lock(const Str255& path, std::unique_ptr<FileLock>& lock) {
  lock.reset();
  HANDLE handle = CreateFileA(ZeroTerminated(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastIoError();
  // Another run holds it for the moment a save takes, and the system lets
  // go when a holder ends; one that keeps it must not keep this run from
  // ending: about two seconds, then the lock fails.
  constexpr int kPolls = 100;
  constexpr DWORD kPauseMilliseconds = 20;
  for (int poll = 0;; ++poll) {
    OVERLAPPED whole_file = {};
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &whole_file)) {
      break;
    }
    const int result = LastIoError();
    if (result != ERROR_LOCK_VIOLATION || poll == kPolls) {
      CloseHandle(handle);
      return result;
    }
    Sleep(kPauseMilliseconds);
  }
  lock = std::make_unique<Win32FileLock>(handle);
  return 0;
}

int Win32FileSystem::ToShellCodePage(std::string_view text, std::string& converted) {
  return ConvertCodePage(text, FileApiCodePage(), ShellCodePage(), converted);
}

}  // namespace hopdir
