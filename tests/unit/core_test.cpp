#include <gtest/gtest.h>

#include <string>

#include "core/batch_file.h"
#include "core/drives.h"
#include "core/paths.h"
#include "core/program_dir.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.SetExecutablePath("D:\\TOOLS\\hopfind.exe");
    fake.files.AddDir("D:\\TOOLS");
    StartCore();
  }
  std::string Batch() { return fake.files.Content("D:\\TOOLS\\HopdirTemp.Bat").value_or("<none>"); }

  FakePlatform fake;
};

TEST_F(CoreTest, ProgramDirIsCutAfterTheLastBackslashSlashOrColon) {
  EXPECT_EQ(ProgramDir, "D:\\TOOLS\\");
  fake.files.SetExecutablePath("D:/x/y/hop.exe");
  StartCore();
  EXPECT_EQ(ProgramDir, "D:/x/y/");
  fake.files.SetExecutablePath("E:hop.exe");
  StartCore();
  EXPECT_EQ(ProgramDir, "E:");
  fake.files.SetExecutablePath("hop.exe");
  StartCore();
  EXPECT_EQ(ProgramDir, "");
  EXPECT_EQ(std::string(BannerTitle).size(), 69u);
}

TEST_F(CoreTest, DestinationsSplitAfterTwoCharactersIntoTwoCrLfLines) {
  WriteDestination("D:\\Work\\Projects");
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\Work\\Projects\"\r\n");
  WriteDestination("D:\\");
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\\"\r\n");
  WriteDestination("D");
  EXPECT_EQ(Batch(), "D\r\ncd \"\"\r\n");
  WriteDestination("");
  EXPECT_EQ(Batch(), "\r\ncd \"\"\r\n");
  WriteDestination("\\\\server\\share\\dir");
  EXPECT_EQ(Batch(), "\\\\\r\ncd \"server\\share\\dir\"\r\n");
}

TEST_F(CoreTest, PercentSignsAreDoubledAndOtherBytesPassUnchanged) {
  WriteChangeDirBatch("D%", "\\50%done\\\"q\"\\%%");
  EXPECT_EQ(Batch(), "D%%\r\ncd \"\\50%%done\\\"q\"\\%%%%\"\r\n");
  // Doubling never clips: a 255-character path of percent signs stays whole.
  WriteChangeDirBatch("D:", Str255(std::string(255, '%')));
  EXPECT_EQ(Batch(), "D:\r\ncd \"" + std::string(510, '%') + "\"\r\n");
}

TEST_F(CoreTest, NamesAreConvertedToTheShellCodePageAndUnmappableOnesFail) {
  fake.files.ShellTranslation['\xFC'] = '\x81';  // u-umlaut, 1252 -> 437
  WriteDestination("D:\\M\xFCller");
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\M\x81ller\"\r\n");

  fake.files.UnmappableBytes = "\x80";
  int code = fake.RunToExit([] { WriteDestination("D:\\Euro\x80"); });
  EXPECT_EQ(code, testing::kErrorNoTranslation);
  // The earlier batch file is left as it was.
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\M\x81ller\"\r\n");
}

TEST_F(CoreTest, BatchFileFailuresEndWithThePlatformErrorNumber) {
  fake.files.AddDir("D:\\TOOLS\\HopdirTemp.Bat");  // a directory where the file goes
  EXPECT_EQ(fake.RunToExit([] { WriteDestination("D:\\X"); }), testing::kErrorAccessDenied);
  EXPECT_NE(fake.console.Output.find("5"), std::string::npos);

  ProgramDir = "Q:\\NOWHERE\\";
  EXPECT_EQ(fake.RunToExit([] { WriteDestination("D:\\X"); }), testing::kErrorPathNotFound);

  StartCore();
  fake.files.AddFile("D:\\TOOLS2\\x");
  fake.files.SetExecutablePath("D:\\TOOLS2\\x.exe");
  StartCore();
  fake.files.WriteBudget = 5;
  EXPECT_EQ(fake.RunToExit([] { WriteDestination("D:\\LONGER"); }), testing::kErrorDiskFull);
  // A file created before the failure is left in place.
  EXPECT_TRUE(fake.files.Exists("D:\\TOOLS2\\HopdirTemp.Bat"));
}

TEST_F(CoreTest, BatchPathIsClippedAt255Characters) {
  std::string dir = "D:\\" + std::string(245, 'd');
  fake.files.AddDir(dir);
  fake.files.SetExecutablePath(dir + "\\hop.exe");
  StartCore();
  EXPECT_EQ(BatchFilePath().Length(), 255);
  EXPECT_EQ(BatchFilePath().ToStd(), dir + "\\Hopdir");
}

TEST(Paths, EnsureTrailingBackslashCountsOnlyABackslash) {
  Str255 path = "D:\\";
  EnsureTrailingBackslash(path);
  EXPECT_EQ(path, "D:\\");
  path = "D:";
  EnsureTrailingBackslash(path);
  EXPECT_EQ(path, "D:\\");
  path = "x/";
  EnsureTrailingBackslash(path);
  EXPECT_EQ(path, "x/\\");
  path = "";
  EnsureTrailingBackslash(path);
  EXPECT_EQ(path, "");
  path = std::string(255, 'a');
  EnsureTrailingBackslash(path);
  EXPECT_EQ(path.Last(), 'a');
}

class DrivesTest : public ::testing::Test {
 protected:
  void Present(char letter, int64_t bytes = 1000) {
    fake.files.SetFreeBytes(letter - 'A' + 1, bytes);
  }
  FakePlatform fake;  // only C: has free space at first
};

TEST_F(DrivesTest, ZeroFreeSpaceAndFailingQueriesCountAsAbsent) {
  Present('D', 0);
  Present('E', -1);
  Present('F');
  EXPECT_EQ(AvailableDrives(), "CF");
  EXPECT_EQ(NextDrive('C'), 'F');
  EXPECT_EQ(PreviousDrive('F'), 'C');
  EXPECT_FALSE(DriveHasFreeSpace(4));
}

TEST_F(DrivesTest, TheEndsTestTheirOwnDriveAndNeverWrap) {
  EXPECT_EQ(NextDrive('Z'), 'Z');
  EXPECT_EQ(PreviousDrive('A'), 'A');
  Present('C', 0);
  EXPECT_EQ(NextDrive('z'), 'z');
  Present('Z');
  Present('A');
  EXPECT_EQ(NextDrive('Z'), 'Z');
  EXPECT_EQ(NextDrive('z'), 'Z');
  EXPECT_EQ(PreviousDrive('A'), 'A');
  EXPECT_EQ(NextDrive('Y'), 'Z');
  EXPECT_EQ(PreviousDrive('B'), 'A');
}

TEST_F(DrivesTest, ALowerCaseArgumentWithNoDriveAfterItIsReturnedUnchanged) {
  Present('C', 0);
  EXPECT_EQ(NextDrive('d'), 'd');
  Present('E');
  EXPECT_EQ(NextDrive('d'), 'E');
  EXPECT_EQ(PreviousDrive('x'), 'E');
  EXPECT_EQ(AvailableDrives(), "E");
}

TEST_F(DrivesTest, NonLettersEndTheSearch) {
  Present('C', 0);
  for (char c : std::string("0@[`{~\x01\xFF")) {
    EXPECT_EQ(NextDrive(c), c);
    EXPECT_EQ(PreviousDrive(c), c);
  }
  Present('M');
  EXPECT_EQ(NextDrive('1'), 'M');
  EXPECT_EQ(PreviousDrive('{'), 'M');
}

}  // namespace
}  // namespace hopdir
