#include "hopmenu/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/program_dir.h"
#include "hopmenu/run_state.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

constexpr const char* kHistoryFile = "D:\\TOOLS\\HOPMENU.DAT";
constexpr const char* kTempFile = "D:\\TOOLS\\HOPMENU.$$$";

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.SetExecutablePath("D:\\TOOLS\\hopmenu.exe");
    fake.files.AddDir("D:\\TOOLS");
    StartCore();
    StartRunState();
    StartHistory();
  }
  void TearDown() override { StartHistory(); }

  std::vector<std::string> Entries() const {
    std::vector<std::string> result;
    for (int16_t i = 1; i <= HistoryList->Count; ++i) {
      result.push_back(HistoryList->GetString(i).ToStd());
    }
    return result;
  }
  // Loads `file` and saves after a jump from `start` to `destination`.
  int LoadAndSave(const std::string& file, const char* start, const char* destination) {
    fake.files.AddFile(kHistoryFile, file);
    return fake.RunToExit([&] {
      LoadHistory();
      StartDirectory = start;
      Destination = destination;
      SaveHistory();
    });
  }

  FakePlatform fake;
};

using Strings = std::vector<std::string>;

TEST(StripTrailingBackslash, KeepsDriveRootsAndSingleCharacters) {
  struct Case {
    const char* in;
    const char* out;
  };
  for (Case c : {Case{"D:\\WORK\\", "D:\\WORK"}, Case{"D:\\", "D:\\"}, Case{"D:\\WORK", "D:\\WORK"},
                 Case{"\\", "\\"}, Case{"", ""}, Case{"x\\", "x"}, Case{"D:\\A\\\\", "D:\\A\\"},
                 Case{"\\\\SERVER\\SHARE\\", "\\\\SERVER\\SHARE"}, Case{"D:\\A:\\", "D:\\A:"}}) {
    Str255 path = c.in;
    StripTrailingBackslash(path);
    EXPECT_EQ(path, c.out) << c.in;
  }
}

TEST_F(HistoryTest, LoadsNonEmptyLinesAsTheyAreAndClipsThemAtEighty) {
  std::string line300(300, 'q');
  fake.files.AddFile(kHistoryFile, "D:\\WORK\r\n\r\nd:\\lower\n" + line300 + "\r\nNEXT\r\n\nLAST");
  fake.RunToExit(LoadHistory);
  EXPECT_TRUE(HistoryAvailable);
  EXPECT_EQ(HistoryDirectory, "D:\\TOOLS\\");
  EXPECT_EQ(Entries(), (Strings{"D:\\WORK", "d:\\lower", std::string(80, 'q'), "NEXT", "LAST"}));
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(HistoryTest, AMissingFileOrAFileOfEmptyLinesGivesAnEmptyHistorySilently) {
  fake.RunToExit(LoadHistory);
  EXPECT_EQ(HistoryList->Count, 0);
  StartHistory();
  fake.files.AddFile(kHistoryFile, "\r\n\r\n\n");
  fake.RunToExit(LoadHistory);
  EXPECT_EQ(HistoryList->Count, 0);
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(HistoryTest, AProgramPathWithoutDirectoryMeansNoHistoryAtAll) {
  fake.files.SetExecutablePath("hopmenu.exe");
  StartCore();
  fake.files.AddFile("C:\\HOPMENU.DAT", "C:\\X\r\n");
  fake.files.SetCurrentDirectory("C:\\");
  EXPECT_EQ(LoadAndSave("D:\\OLD\r\n", "C:\\", "C:\\Y"), -1);
  EXPECT_FALSE(HistoryAvailable);
  EXPECT_NE(HistoryList, nullptr);
  EXPECT_EQ(HistoryList->Count, 0);
  EXPECT_EQ(fake.files.Content(kHistoryFile), "D:\\OLD\r\n");
  EXPECT_EQ(fake.files.Content("C:\\HOPMENU.DAT"), "C:\\X\r\n");
}

TEST_F(HistoryTest, ADriveOnlyProgramDirectoryGetsItsBackslash) {
  fake.files.SetExecutablePath("D:hopmenu.exe");
  StartCore();
  fake.files.AddFile("D:\\HOPMENU.DAT", "D:\\A\r\n");
  fake.RunToExit(LoadHistory);
  EXPECT_EQ(HistoryDirectory, "D:\\");
  EXPECT_EQ(Entries(), Strings{"D:\\A"});
}

TEST_F(HistoryTest, AHundredAndFirstLineHaltsAndAHundredLoad) {
  std::string file;
  for (int i = 1; i <= 100; ++i) file += "D:\\DIR" + std::to_string(i) + "\r\n";
  fake.files.AddFile(kHistoryFile, file + "\r\n");
  EXPECT_EQ(fake.RunToExit(LoadHistory), -1);
  EXPECT_EQ(HistoryList->Count, 100);
  StartHistory();
  fake.files.AddFile(kHistoryFile, file + "D:\\DIR101\r\n");
  EXPECT_EQ(fake.RunToExit(LoadHistory), 1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\n"
            "AddString tried to store too many strings in list.\r\n");
}

TEST_F(HistoryTest, AReadFailureOnTheOpenFileEndsWithItsErrorNumber) {
  fake.files.AddFile(kHistoryFile, "D:\\A\r\n");
  fake.files.ReadFailsWith = 23;
  EXPECT_EQ(fake.RunToExit(LoadHistory), 23);
}

TEST_F(HistoryTest, SaveMovesDestinationAndStartToTheFrontUpperCased) {
  EXPECT_EQ(LoadAndSave("D:\\A\r\nD:\\TOOLS\r\nd:\\work\r\nD:\\WORK\r\nD:\\B\r\n", "d:\\work\\",
                        "D:\\Tools"),
            -1);
  EXPECT_EQ(fake.files.Content(kHistoryFile),
            "D:\\TOOLS\r\nD:\\WORK\r\nD:\\A\r\nd:\\work\r\nD:\\B\r\n");
  EXPECT_FALSE(fake.files.Exists(kTempFile));
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(HistoryTest, EqualStartAndDestinationAreStoredOnce) {
  LoadAndSave("D:\\A\r\n", "d:\\", "d:\\");
  EXPECT_EQ(fake.files.Content(kHistoryFile), "D:\\\r\nD:\\A\r\n");
}

TEST_F(HistoryTest, AFullHistoryDropsItsTwoOldestEntries) {
  std::string file;
  for (int i = 1; i <= 100; ++i) file += "D:\\DIR" + std::to_string(i) + "\r\n";
  LoadAndSave(file, "D:\\START", "D:\\DEST");
  std::string expected = "D:\\DEST\r\nD:\\START\r\n";
  for (int i = 1; i <= 98; ++i) expected += "D:\\DIR" + std::to_string(i) + "\r\n";
  EXPECT_EQ(fake.files.Content(kHistoryFile), expected);
}

TEST_F(HistoryTest, AnEmptyDestinationIsAnEmptyFirstLineThatTheNextLoadSkips) {
  LoadAndSave("", "D:\\WORK", "");
  EXPECT_EQ(fake.files.Content(kHistoryFile), "\r\nD:\\WORK\r\n");
  StartHistory();
  fake.RunToExit(LoadHistory);
  EXPECT_EQ(Entries(), Strings{"D:\\WORK"});
}

TEST_F(HistoryTest, ALongDirectoryIsStoredAsEightyCharactersAndNeverFoundAgain) {
  std::string long_dir = "D:\\" + std::string(90, 'L');
  LoadAndSave(long_dir.substr(0, 80) + "\r\n", "D:\\WORK", long_dir.c_str());
  EXPECT_EQ(fake.files.Content(kHistoryFile),
            long_dir.substr(0, 80) + "\r\nD:\\WORK\r\n" + long_dir.substr(0, 80) + "\r\n");
}

TEST_F(HistoryTest, AFileThatCannotBeCreatedIsReportedAndTheRunGoesOn) {
  fake.files.CreateFails[kTempFile] = testing::kErrorAccessDenied;
  EXPECT_EQ(LoadAndSave("D:\\OLD\r\n", "D:\\WORK", "D:\\NEW"), -1);
  EXPECT_EQ(fake.console.Output, "Unable to save history to D:\\TOOLS\\HOPMENU.DAT\r\n");
  EXPECT_EQ(fake.files.Content(kHistoryFile), "D:\\OLD\r\n");
  EXPECT_EQ(fake.process.ExitCalls, 0);
}

TEST_F(HistoryTest, AHistoryFileThatCannotBeReplacedIsReportedAndTheTemporaryFileGoes) {
  fake.files.AddDir(kHistoryFile);
  fake.RunToExit(LoadHistory);
  StartDirectory = "D:\\WORK";
  Destination = "D:\\NEW";
  EXPECT_EQ(fake.RunToExit(SaveHistory), -1);
  EXPECT_EQ(fake.console.Output, "Unable to save history to D:\\TOOLS\\HOPMENU.DAT\r\n");
  EXPECT_TRUE(fake.files.IsDirectory(kHistoryFile));
  EXPECT_FALSE(fake.files.Exists(kTempFile));
}

TEST_F(HistoryTest, AWriteFailurePartWayKeepsTheOldFileAndEndsWithTheErrorNumber) {
  const std::string old_file = "D:\\ONE\r\nD:\\TWO\r\nD:\\THREE\r\n";
  fake.files.AddFile(kHistoryFile, old_file);
  fake.RunToExit(LoadHistory);
  StartDirectory = "D:\\WORK";
  Destination = "D:\\NEW";
  fake.files.WriteBudget = 12;
  EXPECT_EQ(fake.RunToExit(SaveHistory), testing::kErrorDiskFull);
  EXPECT_EQ(fake.files.Content(kHistoryFile), old_file);
  EXPECT_FALSE(fake.files.Exists(kTempFile));
  EXPECT_EQ(fake.console.Output, "Runtime error 112: I/O failure.\r\n");
}

TEST_F(HistoryTest, AFailingCloseKeepsTheOldFileToo) {
  fake.files.AddFile(kHistoryFile, "D:\\ONE\r\n");
  fake.RunToExit(LoadHistory);
  StartDirectory = "D:\\WORK";
  Destination = "D:\\NEW";
  fake.files.CloseFailsWith = 29;
  EXPECT_EQ(fake.RunToExit(SaveHistory), 29);
  EXPECT_EQ(fake.files.Content(kHistoryFile), "D:\\ONE\r\n");
  EXPECT_FALSE(fake.files.Exists(kTempFile));
}

}  // namespace
}  // namespace hopdir
