#include <gtest/gtest.h>

#include <string>

#include "tests/scenario/hopmenu_fixture.h"

namespace hopdir {
namespace {

class HopmenuArgsTest : public HopmenuTest {
 protected:
  static constexpr const char* kHistory =
      "D:\\WORK\r\nD:\\TOOLS\\OLD\r\nC:\\X\r\nC:\\Y\r\nD:\\TOOLS\r\n";
  void SetUp() override {
    HopmenuTest::SetUp();
    SetHistory(kHistory);
    fake.files.SetCurrentDirectory("D:\\TOOLS");
  }
  // Nothing was drawn and the mouse never started, yet it was shut down.
  void ExpectNoScreen() {
    EXPECT_EQ(fake.console.EnableMouseCalls, 0);
    EXPECT_EQ(fake.console.DisableMouseCalls, 1);
    EXPECT_EQ(fake.console.RowTrimmed(1), "");
  }
  std::string Halt(const std::string& reason) {
    return "Halting with error-code 1, because:\r\n" + reason + "\r\n";
  }
};

TEST_F(HopmenuArgsTest, MinusAGoesToTheMostRecentDestinationInEitherCase) {
  for (const char* arg : {"-A", "-a"}) {
    StartRunState();
    StartHistory();
    SetHistory(kHistory);
    fake.process.Args = {arg};
    EXPECT_EQ(Run(), 0) << arg;
    EXPECT_EQ(Batch(), BatchFor("D:", "\\WORK")) << arg;
    EXPECT_EQ(fake.console.EnableMouseCalls, 0) << arg;
    EXPECT_EQ(History(), "D:\\WORK\r\nD:\\TOOLS\r\nD:\\TOOLS\\OLD\r\nC:\\X\r\nC:\\Y\r\n") << arg;
  }
}

TEST_F(HopmenuArgsTest, MinusPGoesBackWhereTheLastJumpStarted) {
  SetHistory("D:\\TOOLS\r\nD:\\WORK\r\nC:\\X\r\n");
  fake.process.Args = {"-p"};
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\WORK"));
  EXPECT_EQ(History(), "D:\\WORK\r\nD:\\TOOLS\r\nC:\\X\r\n");
}

TEST_F(HopmenuArgsTest, ASubstringFindsTheMostRecentMatchAndFurtherArgumentsAreIgnored) {
  fake.process.Args = {"tool", "x"};
  fake.console.PushKey('t');
  fake.console.PushExtendedKey(72);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\TOOLS\\OLD"));
  ExpectNoScreen();
  EXPECT_EQ(fake.console.PendingKeys(), 0);  // typed ahead, gone afterwards
  EXPECT_EQ(fake.console.DiscardKeysCalls, 1);
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(HopmenuArgsTest, AnUnknownSubstringHaltsWithTheUpperCasedKeyAndTouchesNothing) {
  fake.files.AddFile(kBatchFile, "left from before");
  fake.process.Args = {"nowhere"};
  fake.console.PushKey('k');
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(fake.console.Output, Halt("NOWHERE not found in history list."));
  EXPECT_EQ(Batch(), "left from before");
  EXPECT_EQ(History(), kHistory);
  EXPECT_EQ(fake.console.EnableMouseCalls, 0);
  EXPECT_EQ(fake.process.ExitCalls, 1);
}

TEST_F(HopmenuArgsTest, AnEmptyFirstOfTwoArgumentsIsLookedUpAndFoundNowhere) {
  fake.process.Args = {"", "D:"};
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(fake.console.Output, Halt(" not found in history list."));
  EXPECT_FALSE(Batch().has_value());
}

TEST_F(HopmenuArgsTest, OneEmptyArgumentOpensTheMenu) {
  fake.process.Args = {""};
  Press(kDone);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(fake.console.EnableMouseCalls, 1);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\TOOLS"));
}

TEST_F(HopmenuArgsTest, MinusAWithAnEmptyHistoryWritesTheBatchFromNothing) {
  fake.files.DeleteFile(Str255(kHistoryFile));
  fake.process.Args = {"-A"};
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("", ""));
  EXPECT_EQ(History(), "\r\nD:\\TOOLS\r\n");
}

TEST_F(HopmenuArgsTest, MinusPWithOneEntryGoesNowhereToo) {
  SetHistory("D:\\WORK\r\n");
  fake.process.Args = {"-P"};
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("", ""));
}

TEST_F(HopmenuArgsTest, AHistoryOfMoreThanAHundredLinesHaltsBeforeAnyScreen) {
  std::string history;
  for (int i = 1; i <= 101; ++i) history += "D:\\DIR" + std::to_string(i) + "\r\n";
  SetHistory(history);
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(fake.console.Output, Halt("AddString tried to store too many strings in list."));
  EXPECT_EQ(fake.console.EnableMouseCalls, 0);
  EXPECT_EQ(History(), history);
  EXPECT_FALSE(Batch().has_value());
}

TEST_F(HopmenuArgsTest, AHistoryThatCannotBeSavedIsReportedAndTheJumpStillSucceeds) {
  fake.files.CreateFails["C:\\HOPDIR\\HOPMENU.$$$"] = testing::kErrorAccessDenied;
  fake.process.Args = {"-P"};
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\TOOLS\\OLD"));
  EXPECT_EQ(fake.console.Output, "Unable to save history to C:\\HOPDIR\\HOPMENU.DAT\r\n");
  EXPECT_EQ(History(), kHistory);
}

TEST_F(HopmenuArgsTest, ABatchFileThatCannotBeWrittenEndsWithItsErrorNumberBeforeTheSave) {
  fake.files.CreateFails["C:\\HOPDIR\\HOPDIRTEMP.BAT"] = testing::kErrorAccessDenied;
  fake.process.Args = {"-A"};
  EXPECT_EQ(Run(), testing::kErrorAccessDenied);
  EXPECT_EQ(History(), kHistory);
}

}  // namespace
}  // namespace hopdir
