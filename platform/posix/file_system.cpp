#include "platform/posix/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <ctime>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/mounts.h"
#include "platform/wildcard.h"

namespace hopdir {
namespace {

// An error number that is never 0, so that a failure is never taken for
// success.
int LastError() { return errno != 0 ? errno : EIO; }

// 100 ns ticks since 1601, as the search records keep times on every platform.
uint64_t TicksOf(const timespec& time) {
  constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
  constexpr int64_t kTicksPerSecond = 10000000;
  return static_cast<uint64_t>((time.tv_sec + kSecondsFrom1601To1970) * kTicksPerSecond +
                               time.tv_nsec / 100);
}

// The attribute bits of the Windows search records, as far as POSIX has
// them: a name starting with "." is hidden, sockets, devices and pipes are
// system entries (not plain files), and a file nobody may write is
// read-only. A symbolic link counts as what it points to.
uint32_t AttributesOf(const std::string& name, const struct stat& info) {
  uint32_t attributes = 0;
  if (S_ISDIR(info.st_mode)) {
    attributes |= kAttrDirectory;
  } else if (S_ISREG(info.st_mode)) {
    attributes |= kAttrArchive;
  } else {
    attributes |= kAttrSystem;
  }
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= kAttrHidden;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attributes |= kAttrReadOnly;
  return attributes;
}

// The attribute bits that a directory entry's type gives without a look
// at the entry itself: hidden for a name starting with "."; a symbolic link
// or an unknown type needs that look.
bool KindFromEntryType(const std::string& name, unsigned char type, uint32_t& attributes) {
  switch (type) {
    case DT_DIR:
      attributes = kAttrDirectory;
      break;
    case DT_REG:
      attributes = kAttrArchive;
      break;
    case DT_LNK:
    case DT_UNKNOWN:
      return false;
    default:
      attributes = kAttrSystem;
      break;
  }
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= kAttrHidden;
  return true;
}

class PosixSearch : public DirectorySearch {
 public:
  // Entries of `dir` whose names match `mask`, or every entry without one.
  PosixSearch(const std::string& dir, std::optional<std::string> mask, EntryDetail detail)
      : mask_(std::move(mask)), detail_(detail), stream_(opendir(dir.empty() ? "." : dir.c_str())) {
    // The root has no parent to show; every other directory lists "." and
    // ".." first, as the Windows search does.
    if (stream_ != nullptr && dir != "/") {
      pending_dots_ = {"..", "."};
    }
  }
  ~PosixSearch() override {
    if (stream_ != nullptr) closedir(stream_);
  }
  PosixSearch(const PosixSearch&) = delete;
  PosixSearch& operator=(const PosixSearch&) = delete;

  bool Next(FindRecord& record) override {
    if (stream_ == nullptr) return false;
    while (!pending_dots_.empty()) {
      std::string name = pending_dots_.back();
      pending_dots_.pop_back();
      if (Fill(name, DT_DIR, record)) return true;
    }
    // A read that fails half-way ends the listing with what it gave.
    while (dirent* entry = readdir(stream_)) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      if (Fill(name, entry->d_type, record)) return true;
    }
    return false;
  }

 private:
  bool Fill(const std::string& name, unsigned char type, FindRecord& record) {
    if (mask_ && !WildcardMatch(*mask_, name, false)) return false;
    record = FindRecord();
    record.Name = name;
    if (detail_ == EntryDetail::kKinds && KindFromEntryType(name, type, record.Attributes)) {
      return true;
    }
    struct stat info = {};
    const int dir_fd = dirfd(stream_);
    // A dangling link is still an entry: shown as the link itself.
    if (fstatat(dir_fd, name.c_str(), &info, 0) != 0 &&
        fstatat(dir_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      return false;
    }
    record.Attributes = AttributesOf(name, info);
    record.Size = S_ISREG(info.st_mode) ? static_cast<uint64_t>(info.st_size) : 0;
    record.CreationTime = TicksOf(info.st_ctim);
    record.AccessTime = TicksOf(info.st_atim);
    record.WriteTime = TicksOf(info.st_mtim);
    return true;
  }

  std::optional<std::string> mask_;
  EntryDetail detail_;
  DIR* stream_;
  std::vector<std::string> pending_dots_;
};

class PosixRawFile : public RawFile {
 public:
  explicit PosixRawFile(int fd) : fd_(fd) {}
  ~PosixRawFile() override {
    if (fd_ >= 0) close(fd_);
  }
  PosixRawFile(const PosixRawFile&) = delete;
  PosixRawFile& operator=(const PosixRawFile&) = delete;

  int Read(char* buffer, int size, int& got) override {
    got = 0;
    for (;;) {
      ssize_t count = read(fd_, buffer, static_cast<size_t>(size));
      if (count >= 0) {
        got = static_cast<int>(count);
        return 0;
      }
      if (errno != EINTR) return LastError();
    }
  }

  // Lines wait here and go out in one write(2) at Close, or whenever a
  // block is full: a history of 100 lines is then one call, not 100. A
  // failure surfaces from the Write or the Close that wrote the bytes out;
  // the callers check both.
  int Write(std::string_view bytes) override {
    pending_.append(bytes);
    return pending_.size() >= kWriteBlock ? WritePending() : 0;
  }

  int Close() override {
    int fd = fd_;
    if (fd < 0) return 0;
    int result = WritePending();
    fd_ = -1;
    if (close(fd) != 0 && errno != EINTR && result == 0) result = LastError();
    return result;
  }

 private:
  static constexpr size_t kWriteBlock = 8192;

  int WritePending() {
    std::string_view bytes = pending_;
    while (!bytes.empty()) {
      ssize_t count = write(fd_, bytes.data(), bytes.size());
      if (count < 0) {
        if (errno == EINTR) continue;
        pending_.clear();
        return LastError();
      }
      if (count == 0) {
        pending_.clear();
        return ENOSPC;
      }
      bytes.remove_prefix(static_cast<size_t>(count));
    }
    pending_.clear();
    return 0;
  }

  int fd_;
  std::string pending_;
};

class PosixFileLock : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}
  ~PosixFileLock() override { close(fd_); }  // closing lets the lock go
  PosixFileLock(const PosixFileLock&) = delete;
  PosixFileLock& operator=(const PosixFileLock&) = delete;

 private:
  int fd_;
};

std::string ZeroTerminated(const Str255& text) { return text.ToStd(); }

// The storage mounts, read once: they do not change while a page is shown
// in a way the drive buttons need to follow.
const std::vector<std::string>& Mounts() {
  static const std::vector<std::string> points = [] {
    std::string text;
    int fd = open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
      char buffer[8192];
      ssize_t count = 0;
      while ((count = read(fd, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(count));
      }
      close(fd);
    }
    std::vector<std::string> found = StorageMountPoints(text);
    if (found.empty()) found.emplace_back("/");
    return found;
  }();
  return points;
}

// Opens a file for writing without following a symbolic link in its last
// place and without blocking on a pipe someone put there; only a regular
// file of this user's is written.
int OpenForWritingSafely(const Str255& path, int create_flags, std::unique_ptr<RawFile>& file) {
  file.reset();
  int fd = open(ZeroTerminated(path).c_str(),
                O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | create_flags, 0600);
  if (fd < 0) return errno == ELOOP ? EACCES : LastError();
  struct stat info = {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
    int error = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
    close(fd);
    return error;
  }
  // O_NONBLOCK means nothing to a regular file: it stays set.
  // A new file (made here, or by mktemp for the handoff) is empty already;
  // truncating it anyway would still cost the file system a transaction.
  if (info.st_size != 0 && ftruncate(fd, 0) != 0) {
    int error = LastError();
    close(fd);
    return error;
  }
  file = std::make_unique<PosixRawFile>(fd);
  return 0;
}

}  // namespace

Str255 PosixFileSystem::ExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || length > Str255::kCapacity) return Str255();
  return Str255(buffer, static_cast<int>(length));
}

Str255 PosixFileSystem::CurrentDirectory() {
  // A directory deeper than a short string holds is left unnamed: listing
  // "*.*" and handing on names relative to it still work, where a clipped
  // path would name another directory.
  char buffer[PATH_MAX];
  if (getcwd(buffer, sizeof buffer) == nullptr) return Str255();
  std::string_view path(buffer);
  if (path.size() > static_cast<size_t>(Str255::kCapacity)) return Str255();
  return Str255(path);
}

std::vector<DrivePlace> PosixFileSystem::DrivePlaces() {
  std::vector<DrivePlace> places;
  for (const std::string& point : Mounts()) places.push_back({Str255(point), Str255(point)});
  return places;
}

int PosixFileSystem::DrivePlaceOf(const Str255& path) {
  return MountHolding(Mounts(), path.View());
}

Str255 PosixFileSystem::DriveLabelOf(const Str255& path) {
  const int index = MountHolding(Mounts(), path.View());
  return index < 0 ? Str255() : Str255(Mounts()[static_cast<size_t>(index)]);
}

int PosixFileSystem::CanChangeTo(const Str255& path) {
  const std::string name = ZeroTerminated(path);
  struct stat info = {};
  if (stat(name.c_str(), &info) != 0) return LastError();
  if (!S_ISDIR(info.st_mode)) return ENOTDIR;
  // The right to search it, as the effective user (what cd needs).
  return faccessat(AT_FDCWD, name.c_str(), X_OK, AT_EACCESS) == 0 ? 0 : LastError();
}

int64_t PosixFileSystem::FreeBytes(const Str255& root) {
  struct statvfs info = {};
  if (root.Empty() || statvfs(ZeroTerminated(root).c_str(), &info) != 0) return -1;
  constexpr auto kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  const uint64_t unit = info.f_frsize != 0 ? info.f_frsize : 1;
  if (info.f_bavail > kMax / unit) return std::numeric_limits<int64_t>::max();
  return static_cast<int64_t>(info.f_bavail * unit);
}

Str255 PosixFileSystem::CurrentDirectoryOn(const Str255& root) { return root; }

std::unique_ptr<DirectorySearch> PosixFileSystem::Search(const Str255& pattern,
                                                         uint16_t /*attributes*/) {
  // Like the Windows search, every kind of entry comes back; callers filter.
  std::string full = pattern.ToStd();
  size_t slash = full.find_last_of('/');
  std::string dir = slash == std::string::npos ? "" : full.substr(0, slash + 1);
  std::string mask = slash == std::string::npos ? full : full.substr(slash + 1);
  if (dir.size() > 1) dir.pop_back();
  return std::make_unique<PosixSearch>(dir, mask, EntryDetail::kEverything);
}

std::unique_ptr<DirectorySearch> PosixFileSystem::ListDirectory(const Str255& dir,
                                                                EntryDetail detail) {
  std::string path = dir.ToStd();
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return std::make_unique<PosixSearch>(path, std::nullopt, detail);
}

int PosixFileSystem::OpenForReading(const Str255& path, std::unique_ptr<RawFile>& file) {
  file.reset();
  int fd = open(ZeroTerminated(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return LastError();
  // A directory opens for reading on POSIX, and a pipe could block: only
  // regular files are read.
  struct stat info = {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    int error = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
    close(fd);
    return error;
  }
  // O_NONBLOCK means nothing to a regular file: it stays set.
  file = std::make_unique<PosixRawFile>(fd);
  return 0;
}

int PosixFileSystem::CreateForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenForWritingSafely(path, O_CREAT, file);
}

int PosixFileSystem::CreateNew(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenForWritingSafely(path, O_CREAT | O_EXCL, file);
}

int PosixFileSystem::OpenForWriting(const Str255& path, std::unique_ptr<RawFile>& file) {
  return OpenForWritingSafely(path, 0, file);
}

int PosixFileSystem::DeleteFile(const Str255& path) {
  return unlink(ZeroTerminated(path).c_str()) == 0 ? 0 : LastError();
}

int PosixFileSystem::ReplaceFile(const Str255& source, const Str255& target) {
  const std::string to = ZeroTerminated(target);
  // rename(2) asks only the directory: a file its owner made read-only
  // would be replaced all the same (by root always).
  struct stat info = {};
  if (lstat(to.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
      (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return EACCES;
  }
  return rename(ZeroTerminated(source).c_str(), to.c_str()) == 0 ? 0 : LastError();
}

int PosixFileSystem::FinalTarget(const Str255& path, Str255& target) {
  // As many links as the system itself follows in one path.
  constexpr int kMaxLinks = 40;
  std::string current = ZeroTerminated(path);
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    char link[PATH_MAX];
    const ssize_t length = readlink(current.c_str(), link, sizeof link);
    if (length < 0) {
      // Not a link (or nothing there yet): this is the file to replace.
      if (errno != EINVAL && errno != ENOENT) return LastError();
      if (current.size() > static_cast<size_t>(Str255::kCapacity)) return ENAMETOOLONG;
      target = Str255(current);
      return 0;
    }
    if (static_cast<size_t>(length) >= sizeof link) return ENAMETOOLONG;
    std::string next(link, static_cast<size_t>(length));
    // A relative link leads on from the link's own directory.
    if (next[0] != '/') next = current.substr(0, current.find_last_of('/') + 1) + next;
    current = next;
  }
  return ELOOP;
}

int PosixFileSystem::EnsureDirectory(const Str255& path) {
  std::string dir = path.ToStd();
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir.empty()) return ENOENT;
  struct stat info = {};
  if (stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
  size_t parent_end = dir.find_last_of('/');
  if (parent_end != std::string::npos && parent_end > 0) {
    if (int result = EnsureDirectory(Str255(dir.substr(0, parent_end))); result != 0) {
      return result;
    }
  }
  if (mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST) return 0;
  return LastError();
}

int PosixFileSystem::Lock(const Str255& path, std::unique_ptr<FileLock>& lock) {
  lock.reset();
  int fd = open(ZeroTerminated(path).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return LastError();
  // Another run holds it for the moment a save takes, and the system lets
  // go when a holder dies; a holder that keeps it (a stuck process, a
  // user's flock) must not keep this run from ending.
  constexpr int kPolls = 100;
  constexpr timespec kPause = {0, 20 * 1000 * 1000};
  for (int poll = 0; flock(fd, LOCK_EX | LOCK_NB) != 0; ++poll) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK || poll == kPolls) {
      const int error = LastError();
      close(fd);
      return error;
    }
    nanosleep(&kPause, nullptr);
  }
  lock = std::make_unique<PosixFileLock>(fd);
  return 0;
}

int PosixFileSystem::ToShellCodePage(std::string_view text, std::string& converted) {
  // The shells read their scripts as bytes: names pass through unchanged.
  converted.assign(text);
  return 0;
}

}  // namespace hopdir
