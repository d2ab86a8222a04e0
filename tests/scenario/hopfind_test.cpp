#include "hopfind/hopfind.h"

#include <gtest/gtest.h>

#include <string>

#include "core/program_dir.h"
#include "tests/support/fake_platform.h"
#include "ui/dir_list.h"

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

class HopfindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.SetExecutablePath("C:\\TOOLS\\hopfind.exe");
    fake.files.AddDir("C:\\TOOLS");
    fake.files.AddDir("D:\\Work\\Archive");
    fake.files.AddDir("D:\\Work\\MyProjects");
    fake.files.AddFile("D:\\Work\\projects.txt");
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

TEST_F(HopfindTest, GoesToTheMatchingSubdirectoryUpperCased) {
  EXPECT_EQ(Run({"proj"}), 0);
  EXPECT_EQ(fake.console.Output, "");
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Work\\MYPROJECTS"));
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
      // A file's name never counts.
      {{"s.txt"}, "Found no subdirectory containing S.TXT"},
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

TEST_F(HopfindTest, AtADriveRootNoBackslashIsDoubled) {
  fake.files.SetCurrentDirectory("D:\\");
  EXPECT_EQ(Run({"wor"}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\WORK"));
}

TEST_F(HopfindTest, DotsMatchTheDotEntriesOfANonRootDirectory) {
  EXPECT_EQ(Run({".."}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Work\\.."));
  EXPECT_EQ(Run({"."}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Work\\."));
}

TEST_F(HopfindTest, TheFirstMatchInEnumerationOrderWins) {
  fake.files.AddDir("D:\\Work\\Proj");  // an exact match, but enumerated last
  fake.files.AddDir("D:\\Work\\Hidden Projects", kAttrDirectory | kAttrHidden);
  EXPECT_EQ(Run({"PROJ"}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Work\\MYPROJECTS"));
  EXPECT_EQ(Run({"en p"}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Work\\HIDDEN PROJECTS"));
}

TEST_F(HopfindTest, OnlyLettersAToZAreFolded) {
  fake.files.AddDir("D:\\Work\\M\xfcller");
  EXPECT_EQ(Run({"M\xdcLLER"}), 1);
  EXPECT_EQ(Run({"\xfcll"}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Work\\M\xfcLLER"));
}

TEST_F(HopfindTest, ALongNameLeadsToTheWholeDirectory) {
  std::string name = "Project-" + std::string(92, 'x') + "-end";  // 104 characters
  fake.files.AddDir("D:\\Work\\" + name);
  EXPECT_EQ(Run({"project-"}), 0);
  std::string upper = "PROJECT-" + std::string(92, 'X') + "-END";
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Work\\" + upper));
  // Only the first 80 characters take part in the match.
  EXPECT_EQ(Run({"-end"}), 1);
}

TEST_F(HopfindTest, TwoThousandEntriesFitButOneMoreHalts) {
  // 1998 subdirectories plus "." and "..".
  for (int i = 0; i < 1998; ++i) fake.files.AddDir("D:\\Big\\D" + std::to_string(i));
  fake.files.AddFile("D:\\Big\\plain.txt");
  fake.files.SetCurrentDirectory("D:\\Big");
  EXPECT_EQ(Run({"d1997"}), 0);
  EXPECT_EQ(fake.files.Content(kBatch), Batch("D:", "\\Big\\D1997"));

  fake.files.AddDir("D:\\Big\\Last");
  fake.files.AddFile(kBatch, "old\r\n");
  EXPECT_EQ(Run({"d1"}), 1);
  EXPECT_EQ(fake.console.Output,
            "Halting with error-code 1, because:\r\n"
            "AddString tried to store too many strings in list.\r\n");
  EXPECT_EQ(fake.files.Content(kBatch), "old\r\n");
}

TEST_F(HopfindTest, BatchFileFailureEndsWithThePlatformErrorNumber) {
  fake.files.CreateFails[testing::FakeFileSystem::Key(kBatch)] = testing::kErrorAccessDenied;
  EXPECT_EQ(Run({"arch"}), testing::kErrorAccessDenied);
}

TEST_F(HopfindTest, AFailingUsageWriteEndsWithThePlatformErrorNumber) {
  fake.console.WriteFailsWith = testing::kErrorDiskFull;
  EXPECT_EQ(Run({}), testing::kErrorDiskFull);
}

}  // namespace
}  // namespace hopdir
