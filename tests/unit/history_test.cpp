#include "hopmenu/history.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/paths.h"
#include "core/program_dir.h"
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
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> result;
    for (int16_t i = 1; i <= history->Entries().Count; ++i) {
      result.push_back(history->Entry(i).ToStd());
    }
    return result;
  }
  // Loads a new history, as a run starts.
  int LoadFresh() {
    history = std::make_unique<History>();
    return fake.RunToExit([&] { history->Load(); });
  }
  // Loads afresh from `file`.
  int Load(const std::string& file) {
    fake.files.AddFile(kHistoryFile, file);
    return LoadFresh();
  }
  // Loads `file` and saves after a jump from `start` to `destination`.
  int LoadAndSave(const std::string& file, const char* start, const char* destination) {
    fake.files.AddFile(kHistoryFile, file);
    history = std::make_unique<History>();
    return fake.RunToExit([&] {
      history->Load();
      history->Save(start, destination);
    });
  }

  FakePlatform fake;
  std::unique_ptr<History> history = std::make_unique<History>();
};

using Strings = std::vector<std::string>;

std::string Dirs(int from, int to) {
  std::string lines;
  for (int i = from; i <= to; ++i) lines += "D:\\DIR" + std::to_string(i) + "\r\n";
  return lines;
}

TEST(StripTrailingSeparator, KeepsRootsAndSingleCharactersInBothConventions) {
  using P = std::pair<const char*, const char*>;
  {
    FakePlatform posix(testing::Convention::kPosix);
    for (auto [in, out] : {P{"/home/", "/home"}, P{"/", "/"}, P{"/a//", "/a/"}, P{"x/", "x"},
                           P{"/a\\", "/a\\"}, P{"", ""}}) {
      Str255 path = in;
      StripTrailingSeparator(path);
      EXPECT_EQ(path, out) << in;
    }
  }
  FakePlatform windows;
  for (auto [in, out] : {P{"D:\\WORK\\", "D:\\WORK"}, P{"D:\\", "D:\\"}, P{"\\", "\\"}, P{"", ""},
                         P{"x\\", "x"}, P{"D:\\A\\\\", "D:\\A\\"}, P{"D:\\A:\\", "D:\\A:"},
                         P{"\\\\SERVER\\SHARE\\", "\\\\SERVER\\SHARE"}}) {
    Str255 path = in;
    StripTrailingSeparator(path);
    EXPECT_EQ(path, out) << in;
  }
}

TEST_F(HistoryTest, LoadKeepsNonEmptyLinesAsTheyAreClippedAt255AndStopsAtTheHundredth) {
  LoadFresh();  // no file: an empty history, silently
  EXPECT_EQ(history->Entries().Count, 0);
  Load("\r\n\r\n\n");
  EXPECT_EQ(history->Entries().Count, 0);
  EXPECT_EQ(Load("D:\\WORK\r\n\r\nd:\\lower\n" + std::string(300, 'q') + "\r\nNEXT\r\n\nLAST"), -1);
  EXPECT_TRUE(history->Available());
  EXPECT_EQ(Entries(), (Strings{"D:\\WORK", "d:\\lower", std::string(255, 'q'), "NEXT", "LAST"}));
  EXPECT_EQ(fake.console.Output, "");
  // Whole paths: 81 and 255 characters stay whole, 256 keep 255.
  Load(std::string(81, 'a') + "\r\n" + std::string(255, 'b') + "\r\n" + std::string(256, 'c'));
  EXPECT_EQ(Entries(),
            (Strings{std::string(81, 'a'), std::string(255, 'b'), std::string(255, 'c')}));

  EXPECT_EQ(Load(Dirs(1, 100) + "\r\n"), -1);
  EXPECT_EQ(history->Entries().Count, 100);
  // More lines than the history keeps: the first hundred, the most recent.
  EXPECT_EQ(Load(Dirs(1, 101)), -1);
  EXPECT_EQ(history->Entry(100), "D:\\DIR100");
  EXPECT_EQ(Load(Dirs(1, 150)), -1);
  EXPECT_EQ(history->Entries().Count, 100);
  // However large the file, a line the reading limit cuts is no entry.
  EXPECT_EQ(Load("D:\\A\r\n" + std::string(200000, 'x') + "\r\nD:\\B\r\n"), -1);
  EXPECT_EQ(Entries(), Strings{"D:\\A"});
  EXPECT_EQ(fake.console.Output, "");
  fake.files.ReadFailsWith = 23;
  EXPECT_EQ(Load("D:\\A\r\n"), 23);
}

TEST_F(HistoryTest, TheHistoryLivesBesideTheProgramOrNowhere) {
  fake.files.SetExecutablePath("D:hopmenu.exe");
  StartCore();
  fake.files.AddFile("D:\\HOPMENU.DAT", "D:\\A\r\n");
  LoadFresh();
  EXPECT_EQ(history->Directory(), "D:\\");
  EXPECT_EQ(Entries(), Strings{"D:\\A"});

  fake.files.SetExecutablePath("hopmenu.exe");
  StartCore();
  fake.files.AddFile("C:\\HOPMENU.DAT", "C:\\X\r\n");
  fake.files.SetCurrentDirectory("C:\\");
  EXPECT_EQ(LoadAndSave("D:\\OLD\r\n", "C:\\", "C:\\Y"), -1);
  EXPECT_FALSE(history->Available());
  EXPECT_EQ(history->Entries().Count, 0);
  EXPECT_EQ(fake.files.Content(kHistoryFile), "D:\\OLD\r\n");
  EXPECT_EQ(fake.files.Content("C:\\HOPMENU.DAT"), "C:\\X\r\n");
}

TEST_F(HistoryTest, SaveMovesStartThenDestinationToTheFrontUpperCasedInAtMostAHundredLines) {
  const std::string long_dir = "D:\\" + std::string(240, 'L');
  const std::string long80 = long_dir.substr(0, 80);
  struct Case {
    std::string file;
    std::string start, destination, saved;
  } cases[] = {
      {"D:\\A\r\nD:\\TOOLS\r\nd:\\work\r\nD:\\WORK\r\nD:\\B\r\n", "d:\\work\\", "D:\\Tools",
       "D:\\TOOLS\r\nD:\\WORK\r\nD:\\A\r\nd:\\work\r\nD:\\B\r\n"},
      {"D:\\A\r\n", "d:\\", "d:\\", "D:\\\r\nD:\\A\r\n"},
      {Dirs(1, 100), "D:\\START", "D:\\DEST", "D:\\DEST\r\nD:\\START\r\n" + Dirs(1, 98)},
      {Dirs(1, 150), "D:\\START", "D:\\DEST", "D:\\DEST\r\nD:\\START\r\n" + Dirs(1, 98)},
      {Dirs(1, 98), "D:\\START", "D:\\DEST", "D:\\DEST\r\nD:\\START\r\n" + Dirs(1, 98)},
      {Dirs(1, 99), "D:\\START", "D:\\DEST", "D:\\DEST\r\nD:\\START\r\n" + Dirs(1, 98)},
      // An empty destination is an empty first line, which the next load skips.
      {"", "D:\\WORK", "", "\r\nD:\\WORK\r\n"},
      // A deep directory is kept whole and found again as a duplicate.
      {long_dir + "\r\n" + long80 + "\r\n", "D:\\WORK", long_dir,
       long_dir + "\r\nD:\\WORK\r\n" + long80 + "\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadAndSave(c.file, c.start.c_str(), c.destination.c_str()), -1);
    EXPECT_EQ(fake.files.Content(kHistoryFile), c.saved) << c.start;
    EXPECT_FALSE(fake.files.Exists(kTempFile));
  }
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(HistoryTest, ASaveFailedAtAnyStepLeavesTheOldOrTheNewFileAndNoTemporaryFile) {
  const std::string old_file = "D:\\ONE\r\nD:\\TWO\r\nD:\\THREE\r\n";
  const std::string new_file = "D:\\NEW\r\nD:\\WORK\r\n" + old_file;
  const std::string unsaved = "Unable to save history to D:\\TOOLS\\HOPMENU.DAT\r\n";
  EXPECT_EQ(LoadAndSave(old_file, "D:\\WORK", "D:\\NEW"), -1);
  EXPECT_EQ(fake.files.Content(kHistoryFile), new_file);

  // Every write, failing at every byte (a full disk): reported, and the
  // run goes on.
  for (size_t budget = 0; budget < new_file.size(); ++budget) {
    fake.files.WriteBudget = static_cast<int64_t>(budget);
    fake.console.Output.clear();
    EXPECT_EQ(LoadAndSave(old_file, "D:\\WORK", "D:\\NEW"), -1) << budget;
    EXPECT_EQ(fake.console.Output, unsaved) << budget;
    EXPECT_EQ(fake.files.Content(kHistoryFile), old_file) << budget;
    EXPECT_FALSE(fake.files.Exists(kTempFile)) << budget;
  }
  fake.files.WriteBudget = -1;

  // Creating, closing and replacing: each reported, and the run goes on.
  struct Step {
    const char* name;
    int code;
    std::string output;
  };
  for (const Step& step :
       {Step{"create", -1, unsaved}, Step{"close", -1, unsaved}, Step{"replace", -1, unsaved}}) {
    const std::string name = step.name;
    if (name == "create") fake.files.CreateFails[kTempFile] = testing::kErrorAccessDenied;
    fake.files.CloseFailsWith = name == "close" ? 29 : 0;
    fake.files.ReplaceFailsWith = name == "replace" ? testing::kErrorAccessDenied : 0;
    fake.console.Output.clear();
    EXPECT_EQ(LoadAndSave(old_file, "D:\\WORK", "D:\\NEW"), step.code) << name;
    EXPECT_EQ(fake.console.Output, step.output) << name;
    EXPECT_EQ(fake.files.Content(kHistoryFile), old_file) << name;
    EXPECT_FALSE(fake.files.Exists(kTempFile)) << name;
    fake.files.CreateFails.clear();
  }

  // A directory where the file goes cannot be replaced.
  fake.files.CloseFailsWith = 0;
  fake.files.ReplaceFailsWith = 0;
  fake.console.Output.clear();
  fake.files.AddDir(kHistoryFile);
  LoadFresh();
  EXPECT_EQ(fake.RunToExit([&] { history->Save("D:\\WORK", "D:\\NEW"); }), -1);
  EXPECT_EQ(fake.console.Output, unsaved);
  EXPECT_TRUE(fake.files.IsDirectory(kHistoryFile));
  EXPECT_FALSE(fake.files.Exists(kTempFile));
}

TEST_F(HistoryTest, SaveMergesWhatAnotherRunSavedMeanwhileUnderTheLock) {
  fake.files.AddFile(kHistoryFile, "D:\\OLD\r\n");
  fake.files.AddFile(kTempFile, "left by a run that died\r\n");
  EXPECT_EQ(fake.RunToExit([&] {
    history->Load();
    // Another run saves between this run's load and save.
    fake.files.AddFile(kHistoryFile, "D:\\THEIRS\r\nD:\\THEIR_START\r\nD:\\OLD\r\n");
    history->Save("D:\\MINE_START", "D:\\MINE");
  }),
            -1);
  EXPECT_EQ(fake.files.Content(kHistoryFile),
            "D:\\MINE\r\nD:\\MINE_START\r\nD:\\THEIRS\r\nD:\\THEIR_START\r\nD:\\OLD\r\n");
  EXPECT_EQ(fake.files.LockCalls, 1);
  EXPECT_EQ(fake.files.ReplacesWithoutLock, 0);
  EXPECT_FALSE(fake.files.LockHeld);
  EXPECT_FALSE(fake.files.Exists(kTempFile));

  // Without the lock nothing is written.
  fake.files.LockFailsWith = testing::kErrorAccessDenied;
  EXPECT_EQ(LoadAndSave("D:\\A\r\n", "D:\\B", "D:\\C"), -1);
  EXPECT_EQ(fake.console.Output, "Unable to save history to D:\\TOOLS\\HOPMENU.DAT\r\n");
  EXPECT_EQ(fake.files.Content(kHistoryFile), "D:\\A\r\n");
}

TEST(PosixHistory, LivesInTheDataDirectoryKeepsCaseAndEndsLinesInLf) {
  FakePlatform fake(testing::Convention::kPosix);
  StartCore();
  fake.process.Env["HOME"] = "/home/ann";
  fake.files.AddDir("/home/ann");
  auto history = std::make_unique<History>();
  fake.RunToExit([&] {
    history->Load();
    history->Save("/home/ann/Src/", "/home/ann/Src/MyProj");
  });
  // Created on the first save; CR LF is read, LF written.
  EXPECT_EQ(history->Directory(), "/home/ann/.local/share/hopdir/");
  EXPECT_EQ(fake.files.Content("/home/ann/.local/share/hopdir/HOPMENU.DAT"),
            "/home/ann/Src/MyProj\n/home/ann/Src\n");
  // A name with a line break cannot be a line of its own: it is left out.
  fake.RunToExit([&] { history->Save("/home/ann/two\nlines", "/home/ann/Src"); });
  EXPECT_EQ(fake.files.Content("/home/ann/.local/share/hopdir/HOPMENU.DAT"),
            "/home/ann/Src\n/home/ann/Src/MyProj\n");

  history = std::make_unique<History>();
  fake.process.Env["XDG_DATA_HOME"] = "/data";
  // A CR at the end of a line would not survive a save in LF lines: it goes.
  fake.files.AddFile("/data/hopdir/HOPMENU.DAT", "/x\r\n/y\r\r\n\r\r\n/z\r");
  fake.RunToExit([&] { history->Load(); });
  EXPECT_EQ(history->Entries().Count, 3);
  EXPECT_EQ(history->Entry(1), "/x");
  EXPECT_EQ(history->Entry(2), "/y");
  EXPECT_EQ(history->Entry(3), "/z");

  history = std::make_unique<History>();
  fake.process.Env["XDG_DATA_HOME"] = "relative";  // ignored, as the XDG rules say
  fake.process.Env["HOPDIR_HOME"] = "/custom";
  fake.RunToExit([&] { history->Load(); });
  EXPECT_EQ(history->Directory(), "/custom/");
}

}  // namespace
}  // namespace hopdir
