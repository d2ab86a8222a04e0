#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/hopmenu_fixture.h"

namespace hopdir {
namespace {

// Deep directories: the page lists a destination of up to 252 characters
// with its backslash whole, and the history keeps whole paths of up to 255.
class HopmenuDeepTest : public HopmenuTest {
 protected:
  // 203 characters; with its backslash and a name of 47 characters and a
  // backslash the destination is 252 long, one character more is 253.
  const std::string deep = "D:\\" + std::string(200, 'D');
  const std::string fits = std::string(47, 'B');
  const std::string too_long = std::string(48, 'C');

  void SetUp() override {
    HopmenuTest::SetUp();
    fake.files.AddDir(deep + "\\" + fits);
    fake.files.AddDir(deep + "\\" + too_long);
    fake.files.SetCurrentDirectory(deep);
  }
};

TEST_F(HopmenuDeepTest, APressBeyondTheListableLengthLeavesThePageAsItIs) {
  // Listed: ".", "..", the 47 B's, then the 48 C's, which are refused: the
  // page stays as it was drawn, and the next press still works.
  RunUntilWaiting();
  const std::string page = fake.console.Screen();
  EXPECT_EQ(fake.console.RowTrimmed(8).substr(0, 5), "\xB3 CCC");
  Restart();
  PressPath(4);
  RunUntilWaiting();
  EXPECT_EQ(fake.console.Screen(), page);

  Restart();
  PressPath(4);
  PressPath(3);
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", deep.substr(2) + "\\" + fits));
  EXPECT_EQ(History()->substr(0, deep.size() + fits.size() + 3), deep + "\\" + fits + "\r\n");
}

TEST_F(HopmenuDeepTest, EveryWayIntoTheHistoryReachesTheWholePath) {
  const std::string entry251 = "D:\\" + std::string(248, 'H');  // 252 with its backslash
  const std::string entry252 = "D:\\" + std::string(249, 'K');  // one too deep to list
  const std::string entry255 = "D:\\" + std::string(252, 'Z');
  const std::string history = entry255 + "\r\n" + entry251 + "\r\n" + entry252 + "\r\n";
  for (const std::string& entry : {entry251, entry252, entry255}) fake.files.AddDir(entry);
  struct Case {
    std::vector<std::string> args;
    std::vector<Cell80x25> presses;
    std::string destination;
  };
  const Case cases[] = {
      {{"-A"}, {}, entry255},
      {{"-P"}, {}, entry251},
      {{"kkk"}, {}, entry252},
      {{}, {{kRightCol, 2}}, entry255},                  // hot
      {{}, {kLegend, {kRightCol, 3}, kDone}, entry251},  // cold, listable
      {{}, {kLegend, {kRightCol, 4}, kDone}, deep},      // cold, refused
  };
  for (const Case& c : cases) {
    Restart();
    SetHistory(history);
    fake.process.Args = c.args;
    for (Cell80x25 cell : c.presses) Press(cell);
    EXPECT_EQ(Run(), 0) << c.destination.size();
    EXPECT_EQ(Batch(), BatchFor("D:", c.destination.substr(2))) << c.destination.size();
    // Found again as a duplicate: one line, however often it is visited.
    const std::string saved = *History();
    EXPECT_EQ(saved.find(c.destination + "\r\n"), 0u);
    EXPECT_EQ(saved.find(c.destination + "\r\n", 1), std::string::npos);
  }
}

TEST_F(HopmenuTest, AResizedWindowGetsThePageRebuiltAtItsNewSize) {
  fake.console.PushResize(120, 40);
  RunUntilWaiting();
  EXPECT_EQ(fake.console.Row(4).substr(0, 40), Cp437("┌──────────Paths on Drive D:───────────┐"));
  EXPECT_EQ(fake.console.At(120, 1).Char, '\xBF');
  EXPECT_EQ(fake.console.Row(40), "Current destination: D:\\WORK\\" + std::string(91, ' '));
}

TEST_F(HopmenuTest, WithoutAConsoleTheMenuSaysSoOnStandardErrorAndTouchesNothing) {
  fake.console.HasScreen = false;
  SetHistory("D:\\TOOLS\r\n");
  fake.files.AddFile(kBatchFile, "left from before");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(fake.console.ErrorOutput,
            "hopmenu: no console to show the menu in; give -A, -P or part of a recent "
            "directory\r\n");
  EXPECT_EQ(fake.console.Output, "");
  EXPECT_EQ(Batch(), "left from before");
  EXPECT_EQ(History(), "D:\\TOOLS\r\n");

  // An argument needs no console.
  Restart();
  fake.process.Args = {"-A"};
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\TOOLS"));
}

}  // namespace
}  // namespace hopdir
