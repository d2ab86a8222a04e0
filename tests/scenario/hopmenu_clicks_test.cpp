#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

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
  static std::string Numbered(const char* prefix, int n) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02d", n);
    return prefix + std::string(digits);
  }
};

constexpr Cell80x25 Path(int k) { return {kPathsCol, 4 + k}; }

std::vector<Cell80x25> Then(std::vector<Cell80x25> first, const std::vector<Cell80x25>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}
constexpr Cell80x25 Recent(int k) { return {kRightCol, 1 + k}; }

TEST_F(HopmenuClicksTest, DotDotDotAndASubdirectoryThenDoneLeaveAClearedConsole) {
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

TEST_F(HopmenuClicksTest, EachPressSequenceEndsAtItsDestination) {
  for (int i = 0; i < 45; ++i) fake.files.AddDir(Numbered("D:\\MANY\\D", i));
  for (int i = 0; i < 198; ++i) {  // with "." and "..", 200 entries
    fake.files.AddDir("D:\\FULL\\" + Numbered("X", i % 100) + std::to_string(i));
  }
  // 199, 200 and 201 entries with "." and "..": each is paged to its end.
  for (int entries : {199, 200, 201}) {
    for (int i = 0; i < entries - 2; ++i) {
      fake.files.AddDir("D:\\N" + std::to_string(entries) + "\\" + Numbered("E", 1000 + i));
    }
  }
  const std::vector<Cell80x25> to_the_end(11, Cell80x25{24, 22});
  // Both show as the same 80 characters; each row keeps its own directory.
  const std::string stem = "long" + std::string(81, 'n');
  fake.files.AddDir("D:\\LONG\\" + stem + "ONE");
  fake.files.AddDir("D:\\LONG\\" + stem + "TWO");
  std::string history30;
  for (int i = 1; i <= 30; ++i) {
    history30 += Numbered("D:\\H", i) + "\r\n";
    fake.files.AddDir(Numbered("D:\\H", i));
  }
  fake.files.AddDir("C:\\GAMES");

  struct Case {
    const char* start;
    std::vector<Cell80x25> presses;
    std::string batch;
    const char* history = kOldHistory;
  };
  const Case cases[] = {
      {"D:\\WORK", {Path(2), kDone}, BatchFor("D:", "\\")},  // the root keeps its backslash
      {"D:\\WORK", {Path(5), kRoot, kDone}, BatchFor("D:", "\\")},
      // Frame rows, rows below the entries and the blank cell by the root button.
      {"D:\\WORK",
       {Cell80x25{kPathsCol, 4}, Cell80x25{kPathsCol, 10}, Cell80x25{kPathsCol, 24},
        Cell80x25{kRightCol, 1}, Cell80x25{kRightCol, 4}, Cell80x25{26, 1}, kDone},
       BatchFor("D:", "\\WORK")},
      {"D:\\WORK", {kLegend, kLegend, Recent(1), kDone}, BatchFor("D:", "\\WORK")},  // a file
      // A hot one ends the menu as stored.
      {"D:\\WORK", {Recent(2)}, BatchFor("c:", "\\games"), "D:\\TOOLS\r\nc:\\games\r\n"},
      // A cold one becomes the destination, for DONE.
      {"D:\\WORK", {kLegend, Recent(2), kDone}, BatchFor("C:", "\\GAMES")},
      {"D:\\WORK", {kNextDrive, kNextDrive, kDone}, BatchFor("F:", "\\PROJ")},    // E is full
      {"D:\\WORK", {kPrevDrive, kPrevDrive, kDone}, BatchFor("C:", "\\HOPDIR")},  // no B or A
      // The scroll zones page and never choose, even where no arrow is drawn:
      // down to entries 20 to 38, then to the last page, 29 to 47.
      {"D:\\MANY", {{25, 6}, {24, 22}, Path(1), kDone}, BatchFor("D:", "\\MANY\\D17")},
      {"D:\\MANY", {{24, 22}, {25, 23}, Path(1), kDone}, BatchFor("D:", "\\MANY\\D26")},
      {"D:\\WORK", {{78, 2}, {79, 20}, Recent(1)}, BatchFor("D:", "\\H12"), history30.c_str()},
      {"D:\\LONG", {Path(3), kDone}, BatchFor("D:", "\\LONG\\" + stem + "ONE")},
      {"D:\\LONG", {Path(4), kDone}, BatchFor("D:", "\\LONG\\" + stem + "TWO")},
      {"D:\\FULL", {kDone}, BatchFor("D:", "\\FULL")},
      {"D:\\N199", Then(to_the_end, {Path(19), kDone}), BatchFor("D:", "\\N199\\E1196")},
      {"D:\\N200", Then(to_the_end, {Path(19), kDone}), BatchFor("D:", "\\N200\\E1197")},
      {"D:\\N201", Then(to_the_end, {Path(19), kDone}), BatchFor("D:", "\\N201\\E1198")},
  };
  for (const Case& c : cases) {
    Restart();
    SetHistory(c.history);
    fake.files.DeleteFile(Str255(kBatchFile));
    fake.files.SetCurrentDirectory(c.start);
    for (Cell80x25 cell : c.presses) Press(cell);
    EXPECT_EQ(Run(), 0) << c.batch;
    EXPECT_EQ(Batch(), c.batch);
  }
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

TEST_F(HopmenuClicksTest, AColdRecentDirectoryMovesThePageAndAGoneOneIsListedEmpty) {
  Press(kLegend);
  PressRecent(2);
  RunUntilWaiting();
  EXPECT_EQ(fake.console.Row(25).substr(0, 31), "Current destination: C:\\GAMES\\ ");
  EXPECT_EQ(fake.console.RowTrimmed(23).substr(43), Cp437("│ hot/COLD/files │"));
  EXPECT_EQ(fake.console.Row(4).substr(0, 26), Cp437("┌───Paths on Drive C:────┐"));
  EXPECT_EQ(fake.console.Row(5).substr(0, 26), Cp437("│                        │"));
}

}  // namespace
}  // namespace hopdir
