#include "platform/posix/mounts.h"

#include <algorithm>
#include <array>

namespace hopdir {
namespace {

constexpr size_t kLongestMountPoint = 255;

// File systems without storage of their own, or none a user keeps files on.
constexpr std::array<std::string_view, 27> kNoStorage = {"autofs",
                                                         "binfmt_misc",
                                                         "bpf",
                                                         "cgroup",
                                                         "cgroup2",
                                                         "configfs",
                                                         "debugfs",
                                                         "devpts",
                                                         "devtmpfs",
                                                         "efivarfs",
                                                         "fuse.gvfsd-fuse",
                                                         "fuse.portal",
                                                         "fusectl",
                                                         "hugetlbfs",
                                                         "mqueue",
                                                         "nsfs",
                                                         "proc",
                                                         "pstore",
                                                         "ramfs",
                                                         "rpc_pipefs",
                                                         "securityfs",
                                                         "selinuxfs",
                                                         "squashfs",
                                                         "sysfs",
                                                         "tmpfs",
                                                         "tracefs",
                                                         "none"};

// Fields of /proc/self/mounts write a blank, a tab, a newline and a
// backslash as \040, \011, \012 and \134.
bool IsOctalEscape(std::string_view field, size_t at) {
  return at + 3 < field.size() && field[at] == '\\' && field[at + 1] >= '0' &&
         field[at + 1] <= '3' && field[at + 2] >= '0' && field[at + 2] <= '7' &&
         field[at + 3] >= '0' && field[at + 3] <= '7';
}

std::string Unescaped(std::string_view field) {
  std::string text;
  for (size_t i = 0; i < field.size(); ++i) {
    if (IsOctalEscape(field, i)) {
      text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                (field[i + 3] - '0'));
      i += 3;
    } else {
      text += field[i];
    }
  }
  return text;
}

// The next blank-separated field of `line` from `at`.
std::string_view NextField(std::string_view line, size_t& at) {
  while (at < line.size() && line[at] == ' ') ++at;
  size_t start = at;
  while (at < line.size() && line[at] != ' ') ++at;
  return line.substr(start, at - start);
}

}  // namespace

std::vector<std::string> StorageMountPoints(std::string_view mounts) {
  std::vector<std::string> points;
  while (!mounts.empty()) {
    size_t end = mounts.find('\n');
    std::string_view line = mounts.substr(0, end);
    mounts.remove_prefix(end == std::string_view::npos ? mounts.size() : end + 1);
    size_t at = 0;
    NextField(line, at);  // the device
    std::string point = Unescaped(NextField(line, at));
    std::string_view type = NextField(line, at);
    // A mount point too long for a short string would be named clipped.
    if (point.empty() || point[0] != '/' || point.size() > kLongestMountPoint || type.empty()) {
      continue;
    }
    if (std::find(kNoStorage.begin(), kNoStorage.end(), type) != kNoStorage.end()) continue;
    points.push_back(point);
  }
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  if (points.size() > kMaxDrives) points.resize(kMaxDrives);
  return points;
}

int MountHolding(const std::vector<std::string>& points, std::string_view path) {
  int best = -1;
  size_t best_length = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    std::string_view point = points[i];
    const bool holds = point == "/"
                           ? !path.empty() && path[0] == '/'
                           : path.substr(0, point.size()) == point &&
                                 (path.size() == point.size() || path[point.size()] == '/');
    if (holds && (best < 0 || point.size() > best_length)) {
      best = static_cast<int>(i);
      best_length = point.size();
    }
  }
  return best;
}

}  // namespace hopdir
