#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/scenario/hopmenu_fixture.h"

namespace hopdir {
namespace {

class HopmenuClicksTest : public HopmenuTest {
 protected:
  static constexpr const char* kOldHistory = "D:\\TOOLS\r\nC:\\GAMES\r\n";
  void SetUp() override {
    HopmenuTest::SetUp();
    SetHistory(kOldHistory);
  }
  // Starts afresh for a second run within one test.
  void Restart() {
    StartRunState();
    StartHistory();
    StartScreenProbe();
  }
  static std::string Numbered(const char* prefix, int n) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", n);
    return prefix + std::string(digits);
  }
};

TEST_F(HopmenuClicksTest, DotDotDotAndASubdirectoryThenDone) {
  fake.console.PushKey('q');
  PressPath(1);  // "." keeps the page
  PressPath(2);  // ".." to D:\, which lists TOOLS and WORK
  PressPath(2);  // WORK
  PressPath(5);  // SUB
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\WORK\\SUB"));
  EXPECT_EQ(History(), std::string("D:\\WORK\\SUB\r\nD:\\WORK\r\n") + kOldHistory);
  // The menu leaves a cleared white-on-black screen, no keys and no mouse.
  EXPECT_EQ(fake.console.RowTrimmed(1), "");
  EXPECT_EQ(fake.console.At(1, 1).Fore, 15);
  EXPECT_EQ(fake.console.PendingKeys(), 0);
  EXPECT_FALSE(fake.console.MouseEnabled);
}

TEST_F(HopmenuClicksTest, DoneAtADriveRootKeepsItsBackslash) {
  PressPath(2);
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\"));
  EXPECT_EQ(History(), std::string("D:\\\r\nD:\\WORK\r\n") + kOldHistory);
}

TEST_F(HopmenuClicksTest, AbortWritesNothingAndLeavesTheHistoryByteForByte) {
  const std::string hand_written = "d:\\tools\nD:\\WORK\r\n\r\nC:\\GAMES";
  SetHistory(hand_written);
  fake.files.AddFile(kBatchFile, "left from before");
  fake.console.PushKey('x');
  PressPath(5);
  fake.console.PushKey('y');
  Press(kAbort);
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Batch(), "left from before");
  EXPECT_EQ(History(), hand_written);
  EXPECT_FALSE(fake.files.Exists("C:\\HOPDIR\\HOPMENU.$$$"));
  EXPECT_EQ(fake.console.PendingKeys(), 0);
  EXPECT_EQ(fake.console.DisableMouseCalls, 1);
}

TEST_F(HopmenuClicksTest, AHotRecentDirectoryEndsTheMenuAsStored) {
  SetHistory("D:\\TOOLS\r\nc:\\games\r\n");
  PressRecent(2);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("c:", "\\games"));
  // Saved upper-cased; the hand-written lower-case entry is another string.
  EXPECT_EQ(History(), "C:\\GAMES\r\nD:\\WORK\r\nD:\\TOOLS\r\nc:\\games\r\n");
}

TEST_F(HopmenuClicksTest, AColdRecentDirectoryMovesThePageAndTheMenuGoesOn) {
  Press(kLegend);
  PressRecent(1);
  RunUntilWaiting();
  EXPECT_EQ(fake.console.Row(25).substr(0, 31), "Current destination: D:\\TOOLS\\ ");
  EXPECT_EQ(fake.console.RowTrimmed(23).substr(43), Cp437("│ hot/COLD/files │"));

  // A directory that is gone still becomes the destination: no entries, not
  // even "." and "..".
  Restart();
  Press(kLegend);
  PressRecent(2);
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("C:", "\\GAMES"));
}

TEST_F(HopmenuClicksTest, AGoneDirectoryIsListedEmpty) {
  Press(kLegend);
  PressRecent(2);
  RunUntilWaiting();
  EXPECT_EQ(fake.console.Row(4).substr(0, 26), Cp437("┌───Paths on Drive C:────┐"));
  EXPECT_EQ(fake.console.Row(5).substr(0, 26), Cp437("│                        │"));
}

TEST_F(HopmenuClicksTest, FrameRowsAndRowsBelowTheEntriesChooseNothing) {
  Press(kPathsCol, 4);   // the paths list's top frame
  Press(kPathsCol, 10);  // below SUB
  Press(kPathsCol, 24);  // the bottom frame
  Press(kRightCol, 1);   // the right list's top frame
  Press(kRightCol, 4);   // below the two recent directories
  Press(26, 1);          // the blank cell between the root button and the list
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\WORK"));
}

TEST_F(HopmenuClicksTest, AFileInTheFilesViewIsNoDestination) {
  Press(kLegend);
  Press(kLegend);
  PressRecent(1);  // notes.txt
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\WORK"));
}

TEST_F(HopmenuClicksTest, TheScrollZonesPageThePathsListAndNeverChoose) {
  for (int i = 0; i < 45; ++i) fake.files.AddDir(Numbered("D:\\MANY\\D", i));
  fake.files.SetCurrentDirectory("D:\\MANY");
  Press(24, 22);  // down: entries 20 to 38
  Press(25, 23);  // down again: the last page, 29 to 47
  RunUntilWaiting();
  EXPECT_EQ(fake.console.Row(5).substr(0, 26), Cp437("│ D26                  ↑↑│"));
  EXPECT_EQ(fake.console.Row(6).substr(0, 26), Cp437("│ D27                  ↑↑│"));
  EXPECT_EQ(fake.console.Row(23).substr(0, 26), Cp437("│ D44                    │"));

  Restart();
  Press(25, 6);   // up on the first page, where no arrow is drawn: ".." stays unchosen
  Press(24, 22);  // down
  PressPath(1);   // entry 20
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\MANY\\D17"));
}

TEST_F(HopmenuClicksTest, TheScrollZonesPageTheRecentDirectories) {
  std::string history;
  for (int i = 1; i <= 30; ++i) history += Numbered("D:\\H", i) + "\r\n";
  SetHistory(history);
  Press(78, 2);   // up on the first page: entry 1 stays unchosen
  Press(79, 20);  // down: entries 12 to 30
  PressRecent(1);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\H12"));
}

TEST_F(HopmenuClicksTest, TheDriveButtonsSkipDrivesWithoutFreeSpace) {
  Press(kNextDrive);  // E is full: F
  Press(kNextDrive);  // nothing after F
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("F:", "\\PROJ"));

  Restart();
  Press(kPrevDrive);  // C
  Press(kPrevDrive);  // neither B nor A answers
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("C:", "\\HOPDIR"));
}

TEST_F(HopmenuClicksTest, TheRootButtonGoesToTheDrivesRoot) {
  PressPath(5);
  Press(kRoot);
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\"));
}

TEST_F(HopmenuClicksTest, ASubdirectoryNameLongerThanEightyCharactersIsFollowedWhole) {
  const std::string stem = "long" + std::string(81, 'n');
  fake.files.AddDir("D:\\WORK\\" + stem + "ONE");
  fake.files.AddDir("D:\\WORK\\" + stem + "TWO");
  // Both show as the same 80 characters, after Beta; each row keeps its own
  // directory.
  for (int row : {5, 6}) {
    Restart();
    PressPath(row);
    Press(kDone);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Batch(), BatchFor("D:", "\\WORK\\" + stem + (row == 5 ? "ONE" : "TWO")));
  }
}

TEST_F(HopmenuClicksTest, ADirectoryOverTheListsCapacityHaltsThroughTheProgramsExit) {
  for (int i = 0; i < 199; ++i)
    fake.files.AddDir("D:\\BIG\\" + Numbered("X", i % 100) + std::to_string(i));
  SetHistory("D:\\BIG\r\n");
  fake.files.AddFile(kBatchFile, "left from before");
  fake.console.PushKey('k');
  Press(kLegend);
  PressRecent(1);
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(fake.process.ExitCalls, 1);
  const std::string halt =
      "Halting with error-code 1, because:\r\nAddString tried to store too many strings in "
      "list.\r\n";
  ASSERT_GE(fake.console.Output.size(), halt.size());
  EXPECT_EQ(fake.console.Output.substr(fake.console.Output.size() - halt.size()), halt);
  EXPECT_EQ(Batch(), "left from before");
  EXPECT_EQ(History(), "D:\\BIG\r\n");
  EXPECT_EQ(fake.console.PendingKeys(), 1);  // a halt discards nothing
}

TEST_F(HopmenuClicksTest, TwoHundredEntriesStillFit) {
  for (int i = 0; i < 198; ++i)
    fake.files.AddDir("D:\\FULL\\" + Numbered("X", i % 100) + std::to_string(i));
  fake.files.SetCurrentDirectory("D:\\FULL");
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\FULL"));
}

}  // namespace
}  // namespace hopdir
