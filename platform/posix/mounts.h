// What the page calls drives on POSIX: the mounted file systems that hold
// real storage, named by their mount points.
#ifndef HOPDIR_PLATFORM_POSIX_MOUNTS_H_
#define HOPDIR_PLATFORM_POSIX_MOUNTS_H_

#include <string>
#include <string_view>
#include <vector>

namespace hopdir {

// The drive buttons step through at most 26 drives, A to Z.
inline constexpr size_t kMaxDrives = 26;

// The mount points of the file systems listed in `mounts` (the text of
// /proc/self/mounts) that hold storage, sorted and without repeats: kernel
// and memory file systems (proc, sysfs, cgroup, devpts, tmpfs and the like)
// and read-only images (squashfs) are left out. At most kMaxDrives.
std::vector<std::string> StorageMountPoints(std::string_view mounts);

// The position in `points` of the mount point that holds `path` (the
// longest one that is `path` or a directory above it); -1 for none.
int MountHolding(const std::vector<std::string>& points, std::string_view path);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_MOUNTS_H_
