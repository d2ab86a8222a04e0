#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix/file_system.h"
#include "platform/posix/mounts.h"

namespace hopdir {
namespace {

using Points = std::vector<std::string>;

TEST(PosixMounts, OnlyStorageMountsCountSortedOnceEachWithTheirNamesUnescaped) {
  const char* mounts =
      "proc /proc proc rw 0 0\n"
      "/dev/sdb1 /media/ann/USB\\040Stick vfat rw 0 0\n"
      "/dev/sda2 / ext4 rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
      "/dev/sda3 /home ext4 rw 0 0\n"
      "/dev/sda3 /home ext4 rw 0 0\n"
      "server:/x /mnt/back\\134slash nfs4 rw 0 0\n"
      "broken-line-without-fields\n"
      "/dev/sdc1 relative ext4 rw 0 0";
  EXPECT_EQ(StorageMountPoints(mounts),
            (Points{"/", "/home", "/media/ann/USB Stick", "/mnt/back\\slash"}));

  std::string many;
  for (char c = 'a'; c <= 'z' + 2; ++c) many += "/dev/x /m" + std::string(1, c) + " ext4 rw 0 0\n";
  EXPECT_EQ(StorageMountPoints(many).size(), kMaxDrives);
}

TEST(PosixMounts, ThePathIsOnTheLongestMountPointThatIsItOrADirectoryAboveIt) {
  const Points points = {"/", "/home", "/home/ann/data"};
  EXPECT_EQ(MountHolding(points, "/usr/bin"), 0);
  EXPECT_EQ(MountHolding(points, "/"), 0);
  EXPECT_EQ(MountHolding(points, "/home"), 1);
  EXPECT_EQ(MountHolding(points, "/homework"), 0);
  EXPECT_EQ(MountHolding(points, "/home/ann/data/x"), 2);
  EXPECT_EQ(MountHolding(points, "/home/ann/database"), 1);
  EXPECT_EQ(MountHolding(points, "relative"), -1);
  EXPECT_EQ(MountHolding({"/home"}, "/usr"), -1);
}

// The names a real listing gives, in its order.
Points Listed(PosixFileSystem& files, const std::string& dir, EntryDetail detail) {
  Points names;
  std::unique_ptr<DirectorySearch> search = files.ListDirectory(Str255(dir), detail);
  FindRecord record;
  while (search->Next(record)) names.push_back(record.Name.ToStd());
  return names;
}

TEST(PosixListing, DotThenDotDotComeFirstExceptAtTheRootAndLinksCountAsTheirTargets) {
  char scratch[] = "/tmp/hopdir-listing-XXXXXX";
  ASSERT_NE(mkdtemp(scratch), nullptr);
  const std::string dir = scratch;
  ASSERT_EQ(std::system(("mkdir " + dir + "/sub && touch " + dir + "/file && ln -s sub " + dir +
                         "/link && ln -s gone " + dir + "/dangling")
                            .c_str()),
            0);
  PosixFileSystem files;
  for (EntryDetail detail : {EntryDetail::kKinds, EntryDetail::kEverything}) {
    const Points names = Listed(files, dir, detail);
    ASSERT_EQ(names.size(), 6U);
    EXPECT_EQ(names[0], ".");
    EXPECT_EQ(names[1], "..");
    for (const std::string& root : Listed(files, "/", detail)) {
      EXPECT_TRUE(root != "." && root != "..") << root;
    }
    std::unique_ptr<DirectorySearch> search = files.ListDirectory(Str255(dir + "/"), detail);
    FindRecord record;
    while (search->Next(record)) {
      const std::string name = record.Name.ToStd();
      const bool directory = (record.Attributes & kAttrDirectory) != 0;
      EXPECT_EQ(directory, name == "." || name == ".." || name == "sub" || name == "link") << name;
    }
  }
  std::system(("rm -rf " + dir).c_str());
}

}  // namespace
}  // namespace hopdir
