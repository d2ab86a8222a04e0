#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dir_list.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

// D:\WORK in search order: beta, plain.txt, Alpha, Hid, hidden.txt, ro.txt,
// system.sys, recall.dat, Sys, gamma.
class DirListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartDirListing();
    fake.files.AddDir("D:\\WORK\\beta");
    fake.files.AddFile("D:\\WORK\\plain.txt", "12345", kAttrArchive, 77);
    fake.files.AddDir("D:\\WORK\\Alpha");
    fake.files.AddDir("D:\\WORK\\Hid", kAttrDirectory | kAttrHidden);
    fake.files.AddFile("D:\\WORK\\hidden.txt", "", kAttrHidden | kAttrArchive);
    fake.files.AddFile("D:\\WORK\\ro.txt", "", kAttrReadOnly);
    fake.files.AddFile("D:\\WORK\\system.sys", "", kAttrSystem);
    // Bits above the low 16 are not filtered.
    fake.files.AddFile("D:\\WORK\\recall.dat", "", kAttrArchive | 0x400000);
    fake.files.AddDir("D:\\WORK\\Sys", kAttrDirectory | kAttrSystem);
    fake.files.AddDir("D:\\WORK\\gamma");
    list.Init(200, true);
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int16_t i = 1; i <= list.Count; ++i) names.push_back(list.GetString(i).ToStd());
    return names;
  }

  FakePlatform fake;
  DirListObj list;
};

using Strings = std::vector<std::string>;

TEST_F(DirListTest, DirectoryListingsKeepEveryDirectoryAndSortWithTheDotsFirst) {
  list.ListDir("D:\\WORK\\*.*", AnyAttrMask, kAttrDirectory);
  EXPECT_EQ(Names(), (Strings{".", "..", "beta", "Alpha", "Hid", "Sys", "gamma"}));
  list.SortNames(false);
  EXPECT_EQ(Names(), (Strings{".", "..", "Alpha", "beta", "gamma", "Hid", "Sys"}));
  // The records stay in search order.
  EXPECT_EQ(list.Entries[3]->Name, "beta");
  EXPECT_EQ(list.Entries[4]->Name, "Alpha");
  list.SortNames(true);
  EXPECT_EQ(Names(), (Strings{".", "..", "Alpha", "Hid", "Sys", "beta", "gamma"}));
}

TEST_F(DirListTest, FileListingsKeepOnlyPlainVisibleFilesWithTheirRecords) {
  EXPECT_EQ(list.AllowedAttr, 0xFFE1);
  list.ListDir("D:\\WORK\\*.*", list.AllowedAttr, list.RequiredAttr);
  EXPECT_EQ(Names(), (Strings{"plain.txt", "ro.txt", "recall.dat"}));
  EXPECT_EQ(list.Entries[1]->Size, 5u);
  EXPECT_EQ(list.Entries[1]->WriteTime, 77u);
  EXPECT_EQ(list.Entries[2]->Attributes, kAttrReadOnly);
}

TEST_F(DirListTest, DirFollowsPatternsWithABackslashAndARelistingReplacesTheEntries) {
  fake.files.SetCurrentDirectory("D:\\WORK");
  list.ListDir("*.txt", FileAttrMask, 0);
  EXPECT_EQ(list.Dir, "");
  EXPECT_EQ(list.Count, 2);
  list.ListDir("D:\\WORK\\*.*", FileAttrMask, 0);
  EXPECT_EQ(list.Dir, "D:\\WORK\\");
  list.ListDir("r*.*", FileAttrMask, 0);
  EXPECT_EQ(list.Dir, "D:\\WORK\\");
  EXPECT_EQ(list.Pattern, "r*.*");
  EXPECT_EQ(Names(), (Strings{"ro.txt", "recall.dat"}));
  EXPECT_EQ(list.Entries[1]->Name, "ro.txt");
  EXPECT_EQ(list.Entries[3].get(), nullptr);
  list.ListDir("D:\\MISSING\\*.*", AnyAttrMask, 0);
  EXPECT_EQ(list.Count, 0);
  EXPECT_EQ(list.Dir, "D:\\MISSING\\");
}

TEST_F(DirListTest, LongNamesAreCutInTheListAndMarkedNamesDropTheExtension) {
  std::string name = "Long" + std::string(96, 'n');
  fake.files.AddDir("D:\\WORK\\" + name);
  list.ListDir("D:\\WORK\\L*", AnyAttrMask, kAttrDirectory);
  ASSERT_EQ(list.Count, 1);
  EXPECT_EQ(list.GetString(1).ToStd(), name.substr(0, 80));
  EXPECT_EQ(list.Entries[1]->Name.ToStd(), name);

  for (const char* file : {"report.txt", "README", "pack.tar.gz"}) {
    fake.files.AddFile(std::string("D:\\MARK\\") + file);
  }
  list.ListDir("D:\\MARK\\*.*", FileAttrMask, 0);
  list.SetAllMarks(true);
  list.SetMark(2, false);
  EXPECT_EQ(list.MarkedName(1), "report");
  EXPECT_EQ(list.MarkedName(2), "pack.tar");
  EXPECT_EQ(list.MarkedName(3), "");
}

TEST_F(DirListTest, OverflowHaltsWithoutKeepingTheRecordAndCapacityStopsAt5000) {
  DirListObj small;
  small.Init(3, false);
  EXPECT_EQ(fake.RunToExit([&] { small.ListDir("D:\\WORK\\*.*", AnyAttrMask, kAttrDirectory); }),
            1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\n"
            "AddString tried to store too many strings in list.\r\n");
  EXPECT_EQ(small.Count, 3);
  EXPECT_EQ(small.Entries[4].get(), nullptr);
  small.Done();

  DirListObj big;
  EXPECT_EQ(fake.RunToExit([&] { big.Init(5000, false); }), -1);
  big.Done();
  fake.console.Output.clear();
  EXPECT_EQ(fake.RunToExit([&] { big.Init(5001, false); }), 1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\n"
            "DirListObj.Init: a directory list holds at most 5000 entries.\r\n");
}

}  // namespace
}  // namespace hopdir
