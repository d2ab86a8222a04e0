// The three programs in the POSIX convention: one tree under "/", names
// that keep their case, mount points for drives, the history in the data
// directory, and the handoff through the file the shell function named.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/dir_list.h"
#include "core/program_dir.h"
#include "hopclean/hopclean.h"
#include "hopfind/hopfind.h"
#include "hopmenu/hopmenu.h"
#include "tests/scenario/cp437.h"
#include "tests/support/fake_platform.h"
#include "ui/menu_base.h"
#include "ui/screen_probe.h"

namespace hopdir {
namespace {

constexpr const char* kHandoff = "/tmp/hopdir.Xq7";
constexpr const char* kHistoryFile = "/home/ann/.hop/HOPMENU.DAT";

struct Press {
  int Col;
  int Row;
};
constexpr Press kPrevMount{5, 2};
constexpr Press kNextMount{15, 2};
constexpr Press kRoot{23, 2};
constexpr Press kDone{30, 23};
constexpr Press Path(int k) { return {5, 4 + k}; }

class PosixRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.SetExecutablePath("/opt/hopdir/bin/hopmenu");
    // Mounts: /, /home, a full /media/full, /srv.
    fake.files.AddMount("/home", 1 << 20);
    fake.files.AddMount("/media/full", 0);
    fake.files.AddMount("/srv", 1 << 20);
    fake.files.AddDir("/home/ann/Work/alpha");
    fake.files.AddDir("/home/ann/Work/Beta");
    fake.files.AddDir("/home/ann/Work/SUB");
    fake.files.AddDir("/home/ann/Src/MyProj");
    fake.files.AddDir("/x");
    fake.files.AddFile(kHandoff);
    fake.files.SetCurrentDirectory("/home/ann/Work");
    fake.process.Env = {
        {"HOME", "/home/ann"}, {"HOPDIR_HOME", "/home/ann/.hop"}, {"HOPDIR_HANDOFF", kHandoff}};
    Restart();
  }
  void Restart() {
    StartMenuObjects();
    StartDirListing();
    StartCore();
    StartScreenProbe();
  }
  void Click(Press at) {
    fake.console.PushPress(at.Col, at.Row);
    fake.console.PushRelease(at.Col, at.Row);
  }
  int Run(void (*program)()) { return fake.RunToExit(program); }
  std::optional<std::string> Handoff() const { return fake.files.Content(kHandoff); }

  testing::FakePlatform fake{testing::Convention::kPosix};
};

TEST_F(PosixRunTest, ThePageNamesMountsAndTheRootAndKeepsTheCaseOfNames) {
  fake.files.AddFile(kHistoryFile, "/srv/Data\r\n");
  EXPECT_THROW(Run(RunHopmenu), testing::InputExhausted);
  EXPECT_EQ(fake.console.Row(2).substr(0, 37), Cp437("│ <Mount ││ Mount> ││ / │ │ /srv/Data"));
  EXPECT_EQ(fake.console.Row(4).substr(0, 26), Cp437("┌────Paths on /home──────┐"));
  EXPECT_EQ(fake.console.Row(7).substr(0, 26), Cp437("│ alpha                  │"));
  EXPECT_EQ(fake.console.Row(25).substr(0, 37), "Current destination: /home/ann/Work/ ");
}

TEST_F(PosixRunTest, EachPressSequenceEndsAtItsDestination) {
  struct Case {
    std::vector<Press> presses;
    const char* destination;
  };
  const Case cases[] = {
      {{Path(5), kDone}, "/home/ann/Work/SUB"},
      {{Path(2), kDone}, "/home/ann"},
      // Up to the mount point /home, and from there to the root itself.
      {{Path(2), Path(2), Path(2), kDone}, "/"},
      {{kRoot, kDone}, "/"},
      {{kNextMount, kDone}, "/srv"},  // the full mount is skipped
      {{kPrevMount, kDone}, "/"},
  };
  for (const Case& c : cases) {
    Restart();
    fake.files.AddFile(kHistoryFile, "");
    for (Press at : c.presses) Click(at);
    EXPECT_EQ(Run(RunHopmenu), 0) << c.destination;
    EXPECT_EQ(Handoff(), "builtin cd -- '" + std::string(c.destination) + "'\n");
    EXPECT_EQ(fake.files.Content(kHistoryFile), std::string(c.destination) + "\n/home/ann/Work\n");
  }
}

TEST_F(PosixRunTest, LookupsAndHopfindIgnoreTheCaseOfLettersButHandOnNamesAsTheyAre) {
  struct Case {
    void (*program)();
    std::vector<std::string> args;
    const char* shell;
    std::string handoff;
  };
  const Case cases[] = {
      {RunHopmenu, {"myproj"}, "bash", "builtin cd -- '/home/ann/Src/MyProj'\n"},
      {RunHopmenu, {"-a"}, "zsh", "builtin cd -- '/home/ann/Src/MyProj'\n"},
      {RunHopmenu, {"-P"}, "sh", "cd -- '/x'\n"},
      {RunHopfind, {"BE"}, "bash", "builtin cd -- '/home/ann/Work/Beta'\n"},
      {RunHopfind, {"ub"}, "fish", "cd '/home/ann/Work/SUB'\n"},
      // The first in the page's order, whatever order the directory keeps.
      {RunHopfind, {"_k"}, "bash", "builtin cd -- '/home/ann/Work/Apple_k'\n"},
  };
  fake.files.AddDir("/home/ann/Work/pear_k");
  fake.files.AddDir("/home/ann/Work/Apple_k");
  for (const Case& c : cases) {
    Restart();
    fake.files.AddFile(kHistoryFile, "/home/ann/Src/MyProj\r\n/x\n");
    fake.process.Args = c.args;
    fake.process.Env["HOPDIR_SHELL"] = c.shell;
    EXPECT_EQ(Run(c.program), 0) << c.args[0];
    EXPECT_EQ(Handoff(), c.handoff);
  }
  // Without a shell function the destination goes to standard output.
  fake.process.Env.erase("HOPDIR_HANDOFF");
  fake.process.Args = {"alp"};
  EXPECT_EQ(Run(RunHopfind), 0);
  EXPECT_EQ(fake.console.Output, "/home/ann/Work/alpha\n");
}

TEST_F(PosixRunTest, HopcleanDeletesTheHandoffFileTheShellFunctionNamed) {
  EXPECT_EQ(Run(RunHopclean), 0);
  EXPECT_FALSE(fake.files.Exists(kHandoff));
  EXPECT_EQ(fake.console.Output, "");
  fake.process.Env.erase("HOPDIR_HANDOFF");
  EXPECT_EQ(Run(RunHopclean), 0);
  EXPECT_EQ(fake.console.Output, "");
  EXPECT_EQ(fake.console.ErrorOutput, "Delete failed.\n");
}

}  // namespace
}  // namespace hopdir
