#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_platform.h"
#include "ui/dir_list.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

class DirListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartDirListing();
    fake.files.AddDir("D:\\WORK");
  }

  static std::vector<std::string> Names(const DirListObj& list) {
    std::vector<std::string> names;
    for (int16_t i = 1; i <= list.Count; ++i) names.push_back(list.GetString(i).ToStd());
    return names;
  }

  FakePlatform fake;
  DirListObj list;
};

using Strings = std::vector<std::string>;

TEST_F(DirListTest, SortedDirectoryListingPutsDotsFirst) {
  fake.files.AddDir("D:\\WORK\\beta");
  fake.files.AddFile("D:\\WORK\\aaa.txt");
  fake.files.AddDir("D:\\WORK\\Alpha");
  fake.files.AddDir("D:\\WORK\\gamma");
  list.Init(200, false);
  EXPECT_EQ(list.AllowedAttr, 0xFFE1);
  EXPECT_EQ(list.RequiredAttr, 0);
  list.ListDir("D:\\WORK\\*.*", AnyAttrMask, kAttrDirectory);
  EXPECT_EQ(Names(list), (Strings{".", "..", "beta", "Alpha", "gamma"}));
  list.SortNames(false);
  EXPECT_EQ(Names(list), (Strings{".", "..", "Alpha", "beta", "gamma"}));
  // The records stay in search order.
  EXPECT_EQ(list.Entries[3]->Name, "beta");
  EXPECT_EQ(list.Entries[4]->Name, "Alpha");
}

TEST_F(DirListTest, SortNamesWithoutDotsAndCaseSensitive) {
  fake.files.AddDir("E:\\gamma");
  fake.files.AddDir("E:\\Beta");
  fake.files.AddDir("E:\\alpha");
  list.Init(10, false);
  list.ListDir("E:\\*.*", AnyAttrMask, kAttrDirectory);  // a root has no dots
  list.SortNames(true);
  EXPECT_EQ(Names(list), (Strings{"Beta", "alpha", "gamma"}));
}

TEST_F(DirListTest, FileListingKeepsOnlyPlainVisibleFiles) {
  fake.files.AddFile("D:\\WORK\\plain.txt", "12345", kAttrArchive, 77);
  fake.files.AddFile("D:\\WORK\\hidden.txt", "", kAttrHidden | kAttrArchive);
  fake.files.AddFile("D:\\WORK\\ro.txt", "", kAttrReadOnly);
  fake.files.AddFile("D:\\WORK\\system.sys", "", kAttrSystem);
  fake.files.AddDir("D:\\WORK\\Sub");
  // Bits above the low 16 are not filtered.
  fake.files.AddFile("D:\\WORK\\recall.dat", "", kAttrArchive | 0x400000);
  list.Init(200, false);
  list.ListDir("D:\\WORK\\*.*", FileAttrMask, 0);
  EXPECT_EQ(Names(list), (Strings{"plain.txt", "ro.txt", "recall.dat"}));
  ASSERT_NE(list.Entries[1].get(), nullptr);
  EXPECT_EQ(list.Entries[1]->Size, 5u);
  EXPECT_EQ(list.Entries[1]->WriteTime, 77u);
  EXPECT_EQ(list.Entries[2]->Attributes, kAttrReadOnly);
}

TEST_F(DirListTest, DirectoryListingKeepsHiddenAndSystemDirectories) {
  fake.files.AddDir("D:\\WORK\\Hid", kAttrDirectory | kAttrHidden);
  fake.files.AddFile("D:\\WORK\\file.txt");
  fake.files.AddDir("D:\\WORK\\Sys", kAttrDirectory | kAttrSystem);
  fake.files.AddDir("D:\\WORK\\Plain");
  list.Init(200, false);
  list.ListDir("D:\\WORK\\*.*", AnyAttrMask, kAttrDirectory);
  EXPECT_EQ(Names(list), (Strings{".", "..", "Hid", "Sys", "Plain"}));
}

TEST_F(DirListTest, DirFollowsPatternsWithABackslashOnly) {
  fake.files.SetCurrentDirectory("D:\\WORK");
  fake.files.AddFile("D:\\WORK\\a.txt");
  fake.files.AddFile("D:\\WORK\\b.txt");
  list.Init(200, false);
  list.ListDir("*.txt", FileAttrMask, 0);
  EXPECT_EQ(list.Dir, "");
  EXPECT_EQ(list.Count, 2);
  list.ListDir("D:\\WORK\\*.*", FileAttrMask, 0);
  EXPECT_EQ(list.Dir, "D:\\WORK\\");
  list.ListDir("a.*", FileAttrMask, 0);
  EXPECT_EQ(list.Dir, "D:\\WORK\\");
  EXPECT_EQ(list.Pattern, "a.*");
  EXPECT_EQ(Names(list), (Strings{"a.txt"}));
  EXPECT_EQ(list.Entries[1]->Name, "a.txt");
  list.ListDir("D:\\MISSING\\*.*", AnyAttrMask, 0);
  EXPECT_EQ(list.Count, 0);
  EXPECT_EQ(list.Dir, "D:\\MISSING\\");
}

TEST_F(DirListTest, LongNamesAreCutInTheListButWholeInTheRecord) {
  std::string name(100, 'n');
  name.replace(0, 4, "Long");
  fake.files.AddDir("D:\\WORK\\" + name);
  list.Init(200, false);
  list.ListDir("D:\\WORK\\L*", AnyAttrMask, kAttrDirectory);
  ASSERT_EQ(list.Count, 1);
  EXPECT_EQ(list.GetString(1).ToStd(), name.substr(0, 80));
  EXPECT_EQ(list.Entries[1]->Name.ToStd(), name);
}

TEST_F(DirListTest, MarkedNameDropsTheExtension) {
  fake.files.AddFile("D:\\WORK\\report.txt");
  fake.files.AddFile("D:\\WORK\\README");
  fake.files.AddFile("D:\\WORK\\pack.tar.gz");
  list.Init(200, true);
  list.ListDir("D:\\WORK\\*.*", FileAttrMask, 0);
  list.SetAllMarks(true);
  EXPECT_EQ(list.MarkedName(1), "report");
  EXPECT_EQ(list.MarkedName(2), "README");
  EXPECT_EQ(list.MarkedName(3), "pack.tar");
  EXPECT_EQ(list.MarkedName(4), "");
  list.SetMark(1, false);
  EXPECT_EQ(list.MarkedName(1), "README");
}

TEST_F(DirListTest, OverflowHaltsWithoutKeepingTheRecordThatDidNotFit) {
  fake.files.AddDir("D:\\WORK\\One");
  fake.files.AddDir("D:\\WORK\\Two");
  list.Init(3, false);
  int code = fake.RunToExit([&] { list.ListDir("D:\\WORK\\*.*", AnyAttrMask, kAttrDirectory); });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\n"
            "AddString tried to store too many strings in list.\r\n");
  EXPECT_EQ(list.Count, 3);
  EXPECT_EQ(list.Entries[4].get(), nullptr);
}

TEST_F(DirListTest, ARelistingReplacesTheEntries) {
  fake.files.AddFile("D:\\WORK\\a.txt");
  fake.files.AddFile("D:\\WORK\\b.txt");
  fake.files.AddFile("D:\\WORK\\c.doc");
  list.Init(200, false);
  list.ListDir("D:\\WORK\\*.txt", FileAttrMask, 0);
  ASSERT_EQ(list.Count, 2);
  list.ListDir("D:\\WORK\\*.doc", FileAttrMask, 0);
  EXPECT_EQ(Names(list), (Strings{"c.doc"}));
  EXPECT_EQ(list.Entries[1]->Name, "c.doc");
  EXPECT_EQ(list.Entries[2].get(), nullptr);
}

TEST_F(DirListTest, CapacityAboveFiveThousandHalts) {
  int code = fake.RunToExit([&] { list.Init(5000, false); });
  EXPECT_EQ(code, -1);
  list.Done();
  DirListObj big;
  code = fake.RunToExit([&] { big.Init(5001, false); });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\n"
            "DirListObj.Init: a directory list holds at most 5000 entries.\r\n");
}

}  // namespace
}  // namespace hopdir
