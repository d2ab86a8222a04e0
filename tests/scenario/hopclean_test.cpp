#include "hopclean/hopclean.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

class HopcleanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.SetExecutablePath("D:\\TOOLS\\hopclean.exe");
    fake.files.AddDir("D:\\TOOLS");
    fake.files.SetCurrentDirectory("E:\\ELSEWHERE");
  }
  FakePlatform fake;
};

TEST_F(HopcleanTest, DeletesTheBatchFileInItsOwnDirectoryAndReportsAFailedDeleteWithExitZero) {
  fake.files.AddFile("D:\\TOOLS\\HopdirTemp.Bat", "D:\r\ncd \"\\\"\r\n");
  fake.files.AddFile("E:\\ELSEWHERE\\HopdirTemp.Bat", "keep");
  fake.process.Args = {"ignored", "-A"};
  EXPECT_EQ(fake.RunToExit(RunHopclean), 0);
  EXPECT_FALSE(fake.files.Exists("D:\\TOOLS\\HopdirTemp.Bat"));
  EXPECT_EQ(fake.files.Content("E:\\ELSEWHERE\\HopdirTemp.Bat"), "keep");
  EXPECT_EQ(fake.console.Output, "");
  EXPECT_EQ(fake.RunToExit(RunHopclean), 0);  // nothing left to delete
  EXPECT_EQ(fake.console.Output, "Delete failed.\r\n");

  fake.files.AddFile("D:\\TOOLS\\HopdirTemp.Bat");
  fake.files.DeleteFailsWith = testing::kErrorAccessDenied;
  EXPECT_EQ(fake.RunToExit(RunHopclean), 0);
  EXPECT_EQ(fake.console.Output, "Delete failed.\r\nDelete failed.\r\n");
  EXPECT_TRUE(fake.files.Exists("D:\\TOOLS\\HopdirTemp.Bat"));
  // One attempt a run (the rest are the write probe's).
  EXPECT_EQ(
      std::count(fake.files.Deleted.begin(), fake.files.Deleted.end(), "D:\\TOOLS\\HopdirTemp.Bat"),
      3);

  fake.console.WriteFailsWith = 109;
  EXPECT_EQ(fake.RunToExit(RunHopclean), 109);
}

}  // namespace
}  // namespace hopdir
