#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/scenario/hopmenu_fixture.h"

namespace hopdir {
namespace {

class HopmenuArgsTest : public HopmenuTest {
 protected:
  static constexpr const char* kHistory =
      "D:\\WORK\r\nD:\\TOOLS\\OLD\r\nC:\\X\r\nC:\\Y\r\nD:\\TOOLS\r\n";
  void SetUp() override {
    HopmenuTest::SetUp();
    fake.files.SetCurrentDirectory("D:\\TOOLS");
    for (const char* dir : {"D:\\TOOLS\\OLD", "C:\\X", "C:\\Y", "D:\\DIR1"}) fake.files.AddDir(dir);
  }
  // A fresh run from D:\TOOLS with `history` (none when null) and `args`.
  int RunWith(const char* history, std::vector<std::string> args) {
    Restart();
    if (history == nullptr) {
      fake.files.DeleteFile(Str255(kHistoryFile));
    } else {
      SetHistory(history);
    }
    fake.process.Args = std::move(args);
    fake.console.Output.clear();
    return Run();
  }
  static std::string Halt(const std::string& reason) {
    return "Halting with error-code 1, because:\r\n" + reason + "\r\n";
  }
};

TEST_F(HopmenuArgsTest, AnArgumentJumpsWithoutAScreenAndFlushesTheKeysTypedAhead) {
  std::string lines150;
  std::string saved100 = "D:\\DIR1\r\nD:\\TOOLS\r\n";
  for (int i = 1; i <= 150; ++i) {
    lines150 += "D:\\DIR" + std::to_string(i) + "\r\n";
    if (i > 1 && i <= 99) saved100 += "D:\\DIR" + std::to_string(i) + "\r\n";
  }
  struct Case {
    const char* history;
    std::vector<std::string> args;
    std::string batch, saved;
  };
  const Case cases[] = {
      {kHistory,
       {"-A"},
       BatchFor("D:", "\\WORK"),
       "D:\\WORK\r\nD:\\TOOLS\r\nD:\\TOOLS\\OLD\r\nC:\\X\r\nC:\\Y\r\n"},
      {kHistory,
       {"-a"},
       BatchFor("D:", "\\WORK"),
       "D:\\WORK\r\nD:\\TOOLS\r\nD:\\TOOLS\\OLD\r\nC:\\X\r\nC:\\Y\r\n"},
      // -P goes back where the last jump started.
      {"D:\\TOOLS\r\nD:\\WORK\r\nC:\\X\r\n",
       {"-p"},
       BatchFor("D:", "\\WORK"),
       "D:\\WORK\r\nD:\\TOOLS\r\nC:\\X\r\n"},
      // A substring finds the most recent match; further arguments are ignored.
      {kHistory,
       {"tool", "x"},
       BatchFor("D:", "\\TOOLS\\OLD"),
       "D:\\TOOLS\\OLD\r\nD:\\TOOLS\r\nD:\\WORK\r\nC:\\X\r\nC:\\Y\r\n"},
      // Without such an entry the batch file goes nowhere.
      {nullptr, {"-A"}, BatchFor("", ""), "\r\nD:\\TOOLS\r\n"},
      {"D:\\WORK\r\n", {"-P"}, BatchFor("", ""), "\r\nD:\\TOOLS\r\nD:\\WORK\r\n"},
      // A history longer than it keeps: its first hundred lines, saved as 100.
      {lines150.c_str(), {"-A"}, BatchFor("D:", "\\DIR1"), saved100},
  };
  int runs = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    fake.console.PushKey('t');
    fake.console.PushExtendedKey(72);
    EXPECT_EQ(RunWith(c.history, c.args), 0);
    EXPECT_EQ(Batch(), c.batch);
    EXPECT_EQ(History(), c.saved);
    EXPECT_EQ(fake.console.Output, "");
    EXPECT_EQ(fake.console.EnableMouseCalls, 0);
    EXPECT_EQ(fake.console.DisableMouseCalls, ++runs);
    EXPECT_EQ(fake.console.DiscardKeysCalls, runs);
    EXPECT_EQ(fake.console.PendingKeys(), 0);
  }
  EXPECT_EQ(fake.console.RowTrimmed(1), "");

  Press(kDone);  // one empty argument opens the menu
  EXPECT_EQ(RunWith(kHistory, {""}), 0);
  EXPECT_EQ(fake.console.EnableMouseCalls, 1);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\TOOLS"));
}

TEST_F(HopmenuArgsTest, AnUnknownKeyHaltsBeforeAnyScreenAndTouchesNothing) {
  struct Case {
    std::string history;
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {kHistory, {"nowhere"}, "NOWHERE not found in history list."},
      {kHistory, {"", "D:"}, " not found in history list."},
  };
  fake.files.AddFile(kBatchFile, "left from before");
  for (const Case& c : cases) {
    EXPECT_EQ(RunWith(c.history.c_str(), c.args), 1) << c.message;
    EXPECT_EQ(fake.console.Output, Halt(c.message));
    EXPECT_EQ(Batch(), "left from before");
    EXPECT_EQ(History(), c.history);
  }
  EXPECT_EQ(fake.console.EnableMouseCalls, 0);
  EXPECT_EQ(fake.process.ExitCalls, 2);
}

TEST_F(HopmenuArgsTest, OptionsAnswerOnTheirOwnAndTouchNothing) {
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string output, errors;  // their starts
  };
  const Case cases[] = {
      {{"/?"}, 0, "Usage: hm [-A | -P | PART]", ""},
      {{"--help", "-A"}, 0, "Usage: hm [-A | -P | PART]", ""},
      {{"--version"}, 0, "hopmenu (Hopdir) ", ""},
      {{"--history"}, 0, "D:\\WORK\r\nD:\\TOOLS\\OLD\r\nC:\\X\r\n", ""},
      {{"-x"}, 2, "", "hopmenu: unknown option -x\r\nUsage: hm [-A | -P | PART]"},
      {{"--", "-a"}, 1, "Halting with error-code 1, because:\r\n-A not found", ""},
  };
  fake.files.AddFile(kBatchFile, "left from before");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    fake.console.ErrorOutput.clear();
    EXPECT_EQ(RunWith(kHistory, c.args), c.code);
    EXPECT_EQ(fake.console.Output.substr(0, c.output.size()), c.output);
    EXPECT_EQ(fake.console.ErrorOutput.substr(0, c.errors.size()), c.errors);
    EXPECT_EQ(c.output.empty(), fake.console.Output.empty());
    EXPECT_EQ(Batch(), "left from before");
    EXPECT_EQ(History(), kHistory);
  }
}

TEST_F(HopmenuArgsTest, AHistoryThatCannotBeSavedIsReportedButABatchFileThatCannotBeWrittenEnds) {
  fake.files.CreateFails["C:\\HOPDIR\\HOPMENU.$$$"] = testing::kErrorAccessDenied;
  EXPECT_EQ(RunWith(kHistory, {"-P"}), 0);
  EXPECT_EQ(Batch(), BatchFor("D:", "\\TOOLS\\OLD"));
  EXPECT_EQ(fake.console.Output, "Unable to save history to C:\\HOPDIR\\HOPMENU.DAT\r\n");
  EXPECT_EQ(History(), kHistory);

  fake.files.CreateFails.clear();
  fake.files.CreateFails["C:\\HOPDIR\\HOPDIRTEMP.BAT"] = testing::kErrorAccessDenied;
  EXPECT_EQ(RunWith(kHistory, {"-A"}), testing::kErrorAccessDenied);
  EXPECT_EQ(History(), kHistory);  // the save never started
}

}  // namespace
}  // namespace hopdir
