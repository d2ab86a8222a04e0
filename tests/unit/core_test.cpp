#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "containers/io_check.h"
#include "core/drives.h"
#include "core/handoff.h"
#include "core/paths.h"
#include "core/program_dir.h"
#include "platform/cmd_handoff.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override { StartAt("D:\\TOOLS\\hopfind.exe"); }
  void StartAt(const std::string& executable) {
    fake.files.SetExecutablePath(executable);
    StartCore();
  }
  std::string Batch() { return fake.files.Content("D:\\TOOLS\\HopdirTemp.Bat").value_or("<none>"); }
  // The handoff's writer alone, for destinations that need not exist.
  static void HandOn(const Str255& destination) { CheckIo(Os().handoff.Write(destination)); }

  FakePlatform fake;
};

TEST_F(CoreTest, ProgramDirIsCutAfterTheLastSeparatorAndTheBatchPathClipsAt255) {
  EXPECT_EQ(ProgramDir, "D:\\TOOLS\\");
  for (auto [exe, dir] :
       {std::pair{"D:/x/y/hop.exe", "D:/x/y/"}, {"E:hop.exe", "E:"}, {"hop.exe", ""}}) {
    StartAt(exe);
    EXPECT_EQ(ProgramDir, dir) << exe;
  }
  std::string dir = "D:\\" + std::string(245, 'd');
  StartAt(dir + "\\hop.exe");
  EXPECT_EQ(Os().handoff.Location().ToStd(), dir + "\\Hopdir");
}

TEST_F(CoreTest, TheBatchFileIsTwoCrLfLinesWithPercentDoubledInTheShellCodePage) {
  fake.files.AddDir("D:\\TOOLS");
  using P = std::pair<const char*, const char*>;
  for (auto [destination, batch] :
       {P{"D:\\Work\\Projects", "D:\r\ncd \"\\Work\\Projects\"\r\n"},
        P{"D:\\", "D:\r\ncd \"\\\"\r\n"}, P{"D", "D\r\ncd \"\"\r\n"}, P{"", "\r\ncd \"\"\r\n"},
        P{"\\\\server\\share\\dir", "\\\\\r\ncd \"server\\share\\dir\"\r\n"}}) {
    HandOn(destination);
    EXPECT_EQ(Batch(), batch) << destination;
  }
  HandOn("D%\\50%done\\\"q\"\\%%");
  EXPECT_EQ(Batch(), "D%%\r\ncd \"\\50%%done\\\"q\"\\%%%%\"\r\n");
  // Doubling never clips: a 255-character destination of percent signs
  // stays whole.
  HandOn(Str255("D:" + std::string(253, '%')));
  EXPECT_EQ(Batch(), "D:\r\ncd \"" + std::string(506, '%') + "\"\r\n");

  fake.files.ShellTranslation['\xFC'] = '\x81';  // u-umlaut, 1252 -> 437
  HandOn("D:\\M\xFCller");
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\M\x81ller\"\r\n");
  fake.files.UnmappableBytes = "\x80";
  EXPECT_EQ(fake.RunToExit([] { HandOn("D:\\Euro\x80"); }), testing::kErrorNoTranslation);
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\M\x81ller\"\r\n");  // left as it was
}

TEST_F(CoreTest, ADestinationThatCannotBeEnteredHaltsAndLeavesTheBatchFileAlone) {
  fake.files.AddFile("D:\\TOOLS\\HopdirTemp.Bat", "old");
  fake.files.AddDir("D:\\X");
  fake.files.AddFile("D:\\notes.txt");
  for (const char* destination : {"D:\\GONE", "D:\\notes.txt"}) {
    EXPECT_EQ(fake.RunToExit([&] { WriteDestination(destination); }), 1) << destination;
    EXPECT_EQ(fake.console.Output, "Halting with error-code 1, because:\r\n" +
                                       std::string(destination) +
                                       " is not a directory that can be entered.\r\n");
    EXPECT_EQ(Batch(), "old");
    fake.console.Output.clear();
  }
  WriteDestination("D:\\X");
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\X\"\r\n");
}

TEST_F(CoreTest, BatchFileFailuresEndWithThePlatformErrorNumber) {
  fake.files.AddDir("D:\\X");
  fake.files.AddDir("D:\\LONGER");
  fake.files.AddDir("D:\\TOOLS\\HopdirTemp.Bat");  // a directory where the file goes
  EXPECT_EQ(fake.RunToExit([] { WriteDestination("D:\\X"); }), testing::kErrorAccessDenied);
  EXPECT_NE(fake.console.Output.find("5"), std::string::npos);

  StartAt("Q:\\NOWHERE\\x.exe");
  EXPECT_EQ(fake.RunToExit([] { WriteDestination("D:\\X"); }), testing::kErrorPathNotFound);

  fake.files.AddDir("D:\\TOOLS2");
  StartAt("D:\\TOOLS2\\x.exe");
  fake.files.WriteBudget = 5;
  EXPECT_EQ(fake.RunToExit([] { WriteDestination("D:\\LONGER"); }), testing::kErrorDiskFull);
  EXPECT_TRUE(fake.files.Exists("D:\\TOOLS2\\HopdirTemp.Bat"));  // left in place
}

TEST(Paths, EnsureTrailingSeparatorCountsOnlyTheSeparator) {
  {
    FakePlatform posix(testing::Convention::kPosix);
    for (auto [in, out] : {std::pair{"/", "/"}, {"/home", "/home/"}, {"x\\", "x\\/"}, {"", ""}}) {
      Str255 path = in;
      EnsureTrailingSeparator(path);
      EXPECT_EQ(path, out) << in;
    }
  }
  FakePlatform windows;
  for (auto [in, out] : {std::pair{"D:\\", "D:\\"}, {"D:", "D:\\"}, {"x/", "x/\\"}, {"", ""}}) {
    Str255 path = in;
    EnsureTrailingSeparator(path);
    EXPECT_EQ(path, out) << in;
  }
  Str255 full = std::string(255, 'a');
  EnsureTrailingSeparator(full);
  EXPECT_EQ(full.Last(), 'a');
}

// Only C: has free space until a test says otherwise.
class DrivesTest : public ::testing::Test {
 protected:
  void Present(char letter, int64_t bytes = 1000) {
    fake.files.SetFreeBytes(letter - 'A' + 1, bytes);
  }
  // The letter of the drive a button press steps to from `from`'s drive,
  // '-' when it stays where it is.
  char Step(const char* from, bool forward) {
    const std::vector<DrivePlace> places = fake.files.DrivePlaces();
    const int current = fake.files.DrivePlaceOf(from);
    const int next = forward ? NextDrive(places, current) : PreviousDrive(places, current);
    return next == current ? '-' : places[static_cast<size_t>(next)].Label[0];
  }
  FakePlatform fake;
};

TEST_F(DrivesTest, ZeroFreeSpaceAndFailingQueriesCountAsAbsentAndTheEndsNeverWrap) {
  Present('D', 0);
  Present('E', -1);
  Present('F');
  EXPECT_EQ(Step("C:\\", true), 'F');
  EXPECT_EQ(Step("f:\\work", false), 'C');
  EXPECT_EQ(Step("Z:\\", true), '-');
  EXPECT_EQ(Step("A:\\", false), '-');
  Present('Z');
  Present('A');
  EXPECT_EQ(Step("Z:\\", true), '-');
  EXPECT_EQ(Step("Y:\\", true), 'Z');
  EXPECT_EQ(Step("B:\\", false), 'A');
  Present('C', 0);
  Present('F', 0);
  EXPECT_EQ(Step("B:\\", true), 'Z');
  EXPECT_EQ(Step("Y:\\", false), 'A');
}

TEST_F(DrivesTest, APathOnNoDriveStepsFromEitherEndAndStaysWithoutOne) {
  Present('C', 0);
  EXPECT_EQ(Step("\\\\server\\share", true), '-');
  EXPECT_EQ(Step("\\\\server\\share", false), '-');
  Present('E');
  Present('G');
  EXPECT_EQ(Step("\\\\server\\share", true), 'E');
  EXPECT_EQ(Step("\\\\server\\share", false), 'G');
}

}  // namespace
}  // namespace hopdir
