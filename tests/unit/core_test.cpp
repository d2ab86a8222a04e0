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
  void SetUp() override {
    fake.files.AddDir("D:\\TOOLS");
    StartAt("D:\\TOOLS\\hopfind.exe");
  }
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
  using P = std::pair<const char*, const char*>;
  for (auto [destination, batch] :
       {P{"D:\\Work\\Projects", "D:\r\ncd \"\\Work\\Projects\"\r\n"},
        P{"D:\\", "D:\r\ncd \"\\\"\r\n"}, P{"", "\r\ncd \"\"\r\n"},
        P{"\\\\server\\share\\dir", "\\\\\r\ncd \"server\\share\\dir\"\r\n"}}) {
    HandOn(destination);
    EXPECT_EQ(Batch(), batch) << destination;
  }
  HandOn("D:\\50%done\\%%");
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\50%%done\\%%%%\"\r\n");
  // Doubling never clips: a 255-character destination of percent signs
  // stays whole.
  HandOn(Str255("D:" + std::string(253, '%')));
  EXPECT_EQ(Batch(), "D:\r\ncd \"" + std::string(506, '%') + "\"\r\n");

  fake.files.ShellTranslation['\xC3'] = "";
  fake.files.ShellTranslation['\xBC'] = '\x81';  // u-umlaut, UTF-8 -> 437
  HandOn("D:\\M\xC3\xBCller");
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\M\x81ller\"\r\n");
}

TEST_F(CoreTest, ANameTheShellCannotSayGoesAsItsShortNameOrNotAtAll) {
  const std::string japanese = "\xE6\x97\xA5\xE6\x9C\xAC";  // two kanji, no form in 437
  fake.files.UnmappableBytes = "\xE6";
  fake.files.AddDir("D:\\Work\\" + japanese + "\\sub\\" + japanese);
  fake.files.ShortNames["D:\\WORK\\" + japanese] = "5E6C~1";
  fake.files.ShortNames["D:\\WORK\\" + japanese + "\\SUB\\" + japanese] = "5E6C~2";
  HandOn(Str255("D:\\Work\\" + japanese + "\\sub\\" + japanese));
  EXPECT_EQ(Batch(), "D:\r\ncd \"\\Work\\5E6C~1\\sub\\5E6C~2\"\r\n");
  // A directory without a short name, or one that is gone, has no form.
  fake.files.AddDir("D:\\Plain\\" + japanese);
  for (const std::string& parent : {"D:\\Plain\\", "D:\\Gone\\"}) {
    EXPECT_EQ(fake.RunToExit([&] { HandOn(Str255(parent + japanese)); }),
              testing::kErrorNoTranslation)
        << parent;
    EXPECT_EQ(Batch(), "D:\r\ncd \"\\Work\\5E6C~1\\sub\\5E6C~2\"\r\n");  // left as it was
  }
}

TEST_F(CoreTest, ABangReachesCdWithDelayedExpansionOnOrOff) {
  using P = std::pair<const char*, const char*>;
  for (auto [destination, line2] :
       {P{"D:\\x!y!z", "if \"!!\"==\"\" (cd \"\\x^!y^!z\") else cd \"\\x!y!z\""},
        P{"D:\\a^b!c%d^", "if \"!!\"==\"\" (cd \"\\a^^b^!c%%d^^\") else cd \"\\a^b!c%%d^\""},
        P{"D:\\a^b%c", "cd \"\\a^b%%c\""},
        P{"D:\\!", "if \"!!\"==\"\" (cd \"\\^!\") else cd \"\\!\""}}) {
    HandOn(destination);
    EXPECT_EQ(Batch(), "D:\r\n" + std::string(line2) + "\r\n") << destination;
  }
}

TEST_F(CoreTest, ADestinationThatWouldRunAsCommandsIsRefusedWithoutABatchFile) {
  fake.files.AddFile("D:\\TOOLS\\HopdirTemp.Bat", "old");
  const std::string bad_character =
      ": a Windows path holds no \" < > | * ? and no control character.\r\n";
  const std::string bad_drive =
      ": a Windows path starts with a drive letter and a colon, or with \\\\.\r\n";
  using P = std::pair<std::string, std::string>;
  for (const auto& [destination, message] :
       {P{"C:\\x\" & echo INJECTED> C:\\pwned.txt & rem \"",
          "C:\\x\" & echo INJECTED> C:\\pwned.txt & rem \"" + bad_character},
        P{"&e\\foo", "&e\\foo" + bad_drive}, P{"D:\\a<b", "D:\\a<b" + bad_character},
        P{"D:\\a>b", "D:\\a>b" + bad_character}, P{"D:\\a|b", "D:\\a|b" + bad_character},
        P{"D:\\a*", "D:\\a*" + bad_character}, P{"D:\\a?", "D:\\a?" + bad_character},
        P{"D:\\a\nb", "D:\\a?b" + bad_character}, P{"D:\\\x1F", "D:\\?" + bad_character},
        P{"D:\\\x01", "D:\\?" + bad_character}, P{"D", "D" + bad_drive},
        P{"1:\\x", "1:\\x" + bad_drive}, P{"@:\\x", "@:\\x" + bad_drive},
        P{"[:\\x", "[:\\x" + bad_drive}, P{"`:\\x", "`:\\x" + bad_drive},
        P{"{:\\x", "{:\\x" + bad_drive}, P{"D;\\x", "D;\\x" + bad_drive},
        P{"\\x\\y", "\\x\\y" + bad_drive}}) {
    fake.console.Output.clear();
    EXPECT_EQ(fake.RunToExit([&] { WriteDestination(Str255(destination)); }), kErrorInvalidName)
        << destination;
    EXPECT_EQ(fake.console.Output, "Cannot go to " + message) << destination;
    EXPECT_EQ(Batch(), "old") << destination;
  }
  // Just inside: a blank (the first character past the controls), the
  // letters at both ends, a network path and the empty destination.
  using Q = std::pair<const char*, const char*>;
  for (auto [destination, batch] :
       {Q{"D:\\a b\x7F", "D:\r\ncd \"\\a b\x7F\"\r\n"}, Q{"a:\\", "a:\r\ncd \"\\\"\r\n"},
        Q{"Z:\\", "Z:\r\ncd \"\\\"\r\n"}, Q{"z:", "z:\r\ncd \"\"\r\n"},
        Q{"A:", "A:\r\ncd \"\"\r\n"}, Q{"\\\\s\\t", "\\\\\r\ncd \"s\\t\"\r\n"},
        Q{"", "\r\ncd \"\"\r\n"}}) {
    HandOn(destination);
    EXPECT_EQ(Batch(), batch) << destination;
  }
}

TEST_F(CoreTest, AWrapperNamesABatchFileThatIsMadeNewAndNeverOneThatIsThere) {
  const std::string named = "C:\\TEMP\\hopdir-1-2-1\\HopdirTemp.Bat";
  fake.files.AddDir("C:\\TEMP\\hopdir-1-2-1");
  fake.process.Env["HOPDIR_HANDOFF"] = named;
  EXPECT_EQ(Os().handoff.Location().ToStd(), named);
  HandOn("D:\\Work");
  EXPECT_EQ(fake.files.Content(named), "D:\r\ncd \"\\Work\"\r\n");
  EXPECT_FALSE(fake.files.Exists("D:\\TOOLS\\HopdirTemp.Bat"));
  // Someone else's file of that name stays as it is.
  EXPECT_EQ(fake.RunToExit([] { HandOn("D:\\Other"); }), testing::kErrorFileExists);
  EXPECT_EQ(fake.files.Content(named), "D:\r\ncd \"\\Work\"\r\n");
}

TEST_F(CoreTest, WhereTheProgramsFolderTakesNoNewFilesTheBatchFileGoesToTheUsersOwn) {
  fake.process.Env["LOCALAPPDATA"] = "C:\\Users\\ann\\AppData\\Local";
  const std::string own = "C:\\Users\\ann\\AppData\\Local\\Hopdir\\HopdirTemp.Bat";
  fake.files.CreateFails["D:\\TOOLS\\HOPDIR.$W$"] = testing::kErrorAccessDenied;
  EXPECT_EQ(Os().handoff.Location().ToStd(), own);
  HandOn("D:\\Work");
  EXPECT_EQ(fake.files.Content(own), "D:\r\ncd \"\\Work\"\r\n");
  EXPECT_FALSE(fake.files.Exists("D:\\TOOLS\\HopdirTemp.Bat"));
  // Any other failure of the probe leaves the file beside the programs,
  // where the write itself reports what is wrong.
  fake.files.CreateFails["D:\\TOOLS\\HOPDIR.$W$"] = testing::kErrorDiskFull;
  EXPECT_EQ(Os().handoff.Location().ToStd(), "D:\\TOOLS\\HopdirTemp.Bat");
  fake.files.CreateFails.clear();
  EXPECT_EQ(Os().handoff.Location().ToStd(), "D:\\TOOLS\\HopdirTemp.Bat");
  EXPECT_FALSE(fake.files.Exists("D:\\TOOLS\\HOPDIR.$W$"));
  // A probe left behind: whether it can be deleted tells.
  fake.files.AddFile("D:\\TOOLS\\HOPDIR.$W$");
  EXPECT_EQ(Os().handoff.Location().ToStd(), "D:\\TOOLS\\HopdirTemp.Bat");
  EXPECT_FALSE(fake.files.Exists("D:\\TOOLS\\HOPDIR.$W$"));
  fake.files.AddFile("D:\\TOOLS\\HOPDIR.$W$");
  fake.files.DeleteFailsWith = testing::kErrorAccessDenied;
  EXPECT_EQ(Os().handoff.Location().ToStd(), own);
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
