#include "platform/posix/descriptor_handoff.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>

#include "platform/platform.h"

namespace hopdir {

int DescriptorHandoff::Claim() {
  std::string named;
  if (!Os().process.Environment("HOPDIR_HANDOFF_FD", named) || named.empty()) return 0;
  int fd = -1;
  const auto [end, error] = std::from_chars(named.data(), named.data() + named.size(), fd);
  struct stat info = {};
  if (error != std::errc() || end != named.data() + named.size() || fd < 0 ||
      fstat(fd, &info) != 0) {
    return EBADF;
  }
  // Anything else was put in the function's way, or is not its file.
  if (!S_ISREG(info.st_mode) || info.st_uid != geteuid() ||
      (info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
    return EACCES;
  }
  fd_ = fd;
  // The name goes while it still leads to this very file; one that leads
  // elsewhere by now is someone else's, and stays.
  std::string path;
  struct stat there = {};
  if (Os().process.Environment("HOPDIR_HANDOFF", path) && lstat(path.c_str(), &there) == 0 &&
      there.st_dev == info.st_dev && there.st_ino == info.st_ino) {
    unlink(path.c_str());
  }
  return 0;
}

int DescriptorHandoff::Write(const Str255& destination) {
  if (fd_ < 0) return PosixHandoff::Write(destination);
  struct stat info = {};
  if (fstat(fd_, &info) != 0) return errno;
  if (info.st_size != 0) return ENOENT;
  std::string shell;
  Os().process.Environment("HOPDIR_SHELL", shell);
  const std::string script = PosixScriptText(destination.View(), DialectNamed(shell));
  // At the start of the file, whatever the descriptor's offset: the
  // function shares it.
  size_t done = 0;
  while (done < script.size()) {
    const ssize_t count =
        pwrite(fd_, script.data() + done, script.size() - done, static_cast<off_t>(done));
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (count == 0) return ENOSPC;
    done += static_cast<size_t>(count);
  }
  return 0;
}

}  // namespace hopdir
