#include "hopfind/hopfind.h"

#include <gtest/gtest.h>

#include <string>

#include "containers/str_list.h"
#include "core/dir_list.h"
#include "core/program_dir.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

constexpr const char* kBatch = "C:\\TOOLS\\HopdirTemp.Bat";

std::string Usage(const std::string& reason) {
  return "Halting because: " + reason +
         "\r\n"
         "Invoke with: hopfind Part_of_Subdirectory_Name\r\n"
         "  to change into subdirectory with that part in its name.\r\n";
}

std::string Batch(const std::string& drive, const std::string& path) {
  return drive + "\r\ncd \"" + path + "\"\r\n";
}

// 104 characters: only the first 80 take part in a match.
const std::string kLongName = "Project-" + std::string(92, 'x') + "-end";

class HopfindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.SetExecutablePath("C:\\TOOLS\\hopfind.exe");
    fake.files.AddDir("C:\\TOOLS");
    fake.files.AddDir("D:\\Work\\Archive");
    fake.files.AddDir("D:\\Work\\MyProjects");
    fake.files.AddFile("D:\\Work\\projects.txt");
    fake.files.AddDir("D:\\Work\\Proj");  // an exact match, but enumerated later
    fake.files.AddDir("D:\\Work\\Hidden Projects", kAttrDirectory | kAttrHidden);
    fake.files.AddDir("D:\\Work\\M\xfcller");
    fake.files.AddDir("D:\\Work\\" + kLongName);
    fake.files.SetCurrentDirectory("D:\\Work");
    StartDirListing();
    StartCore();
  }

  int Run(std::vector<std::string> args) {
    fake.process.Args = std::move(args);
    return fake.RunToExit(RunHopfind);
  }

  FakePlatform fake;
};

TEST_F(HopfindTest, GoesToTheFirstSubdirectoryInEnumerationOrderThatMatchesUpperCased) {
  struct Case {
    const char* start;
    const char* arg;
    std::string path;
  };
  for (const Case& c : {Case{"D:\\Work", "proj", "\\Work\\MYPROJECTS"},
                        Case{"D:\\Work", "en p", "\\Work\\HIDDEN PROJECTS"},
                        Case{"D:\\Work", "..", "\\Work\\.."}, Case{"D:\\Work", ".", "\\Work\\."},
                        Case{"D:\\", "wor", "\\WORK"},  // no backslash doubled at a root
                        Case{"D:\\Work", "\xfcll", "\\Work\\M\xfcLLER"},
                        // A long name leads to the whole directory.
                        Case{"D:\\Work", "project-", "\\Work\\" + UpCaseStr(kLongName).ToStd()}}) {
    fake.files.SetCurrentDirectory(c.start);
    EXPECT_EQ(Run({c.arg}), 0) << c.arg;
    EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", c.path)) << c.arg;
  }
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(HopfindTest, UsageHaltsLeaveAnExistingBatchFileAlone) {
  struct Case {
    std::vector<std::string> args;
    std::string reason;
  };
  const Case cases[] = {
      {{}, "HOPFIND takes one parameter"},
      {{"proj", "arch"}, "HOPFIND takes one parameter"},
      {{"zzz"}, "Found no subdirectory containing ZZZ"},
      {{""}, "Found no subdirectory containing "},
      // A file's name never counts; only the letters a to z are folded.
      {{"s.txt"}, "Found no subdirectory containing S.TXT"},
      {{"M\xdcLLER"}, "Found no subdirectory containing M\xdcLLER"},
      // After --, a leading - is part of the name.
      {{"--", "-end"}, "Found no subdirectory containing -END"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    fake.files.AddFile(kBatch, "old\r\n");
    fake.console.Output.clear();
    EXPECT_EQ(Run(c.args), 1);
    EXPECT_EQ(fake.console.Output, Usage(c.reason));
    EXPECT_EQ(fake.files.Content(kBatch), "old\r\n");
  }
}

TEST_F(HopfindTest, EveryEntryOfABigDirectoryIsSearchedToTheLast) {
  // 1998 subdirectories plus "." and ".." once held the list full.
  for (int i = 0; i < 1998; ++i) fake.files.AddDir("D:\\Big\\D" + std::to_string(i));
  fake.files.AddFile("D:\\Big\\plain.txt");
  fake.files.SetCurrentDirectory("D:\\Big");
  EXPECT_EQ(Run({"d1997"}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Big\\D1997"));
  for (int i = 1998; i < 3000; ++i) fake.files.AddDir("D:\\Big\\D" + std::to_string(i));
  EXPECT_EQ(Run({"d2999"}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Big\\D2999"));
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(HopfindTest, FailingWritesEndWithThePlatformErrorNumber) {
  fake.files.CreateFails[fake.files.Key(kBatch)] = testing::kErrorAccessDenied;
  EXPECT_EQ(Run({"arch"}), testing::kErrorAccessDenied);
  fake.console.WriteFailsWith = testing::kErrorDiskFull;
  EXPECT_EQ(Run({}), testing::kErrorDiskFull);
}

}  // namespace
}  // namespace hopdir
