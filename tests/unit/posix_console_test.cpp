#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/console.h"
#include "platform/posix/terminal_modes.h"

// The test links with --wrap=write: every write(2) of the backend passes
// here, so a test can count the writes of one update.
namespace {
std::vector<std::string>* recorded = nullptr;
}  // namespace

// NOLINTNEXTLINE(bugprone-reserved-identifier): the linker's names for the wrap
extern "C" ssize_t __real_write(int fd, const void* bytes, size_t size);
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" ssize_t __wrap_write(int fd, const void* bytes, size_t size) {
  if (recorded != nullptr && fd > STDERR_FILENO) {
    recorded->emplace_back(static_cast<const char*>(bytes), size);
  }
  return __real_write(fd, bytes, size);
}

namespace hopdir {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

const std::string kFirstErase = "\x1b[?25l\x1b[0;40m\x1b[H\x1b[2J";

// The console on a pseudo-terminal of 30 x 5 cells; the test plays the
// terminal on the master side.
class PosixConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    path_ = ptsname(master_);
    Resize(30, 5);
    // Keeps the terminal open, and its modes readable, beside the console.
    slave_ = open(path_.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave_, 0);
    found_ = Modes();
  }
  void TearDown() override {
    close(slave_);
    if (master_ >= 0) close(master_);
  }

  void Resize(int cols, int rows) {
    winsize size = {static_cast<unsigned short>(rows), static_cast<unsigned short>(cols), 0, 0};
    ioctl(master_, TIOCSWINSZ, &size);
  }
  void Type(std::string_view bytes) {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Everything the terminal received, once nothing more comes.
  std::string Drain() {
    std::string shown;
    pollfd fd = {master_, POLLIN, 0};
    char buffer[4096];
    while (poll(&fd, 1, 100) > 0) {
      const ssize_t count = read(master_, buffer, sizeof buffer);
      if (count <= 0) break;
      shown.append(buffer, static_cast<size_t>(count));
    }
    return shown;
  }
  termios Modes() const {
    termios modes = {};
    tcgetattr(slave_, &modes);
    return modes;
  }
  bool AsFound() const {
    const termios now = Modes();
    return now.c_iflag == found_.c_iflag && now.c_oflag == found_.c_oflag &&
           now.c_cflag == found_.c_cflag && now.c_lflag == found_.c_lflag &&
           std::memcmp(now.c_cc, found_.c_cc, sizeof now.c_cc) == 0;
  }
  // Draws "x" and shows the page.
  void ShowPage(PosixConsole& console) {
    console.EnableMouse();
    console.WriteText("x");
    console.KeyPressed();
    Drain();
  }
  static bool HandlerTaken(int signal_number) {
    struct sigaction action;
    sigaction(signal_number, nullptr, &action);
    return action.sa_handler != SIG_DFL;
  }

  int master_ = -1;
  int slave_ = -1;
  std::string path_;
  termios found_ = {};
};

TEST_F(PosixConsoleTest, AnUpdateIsOneWriteOfTheScreenModesAndChangedCells) {
  PosixConsole console(path_.c_str());
  ASSERT_TRUE(console.OpenScreen());
  EXPECT_EQ(console.WindowCols(), 30);
  EXPECT_EQ(console.WindowRows(), 5);
  console.EnableMouse();
  console.SetTextColor(14);
  console.SetBackColor(1);
  console.GotoXY(2, 2);
  console.WriteText("Hi");
  std::vector<std::string> writes;
  recorded = &writes;
  MouseEventRecord event;
  EXPECT_FALSE(console.TakeMouseEvent(event));
  console.WaitForInput(0);
  recorded = nullptr;
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0], std::string(kEnterScreen) + std::string(kMouseOn) + kFirstErase +
                           "\x1b[2;2H\x1b[93;44mHi\x1b[?25h");
  EXPECT_EQ(Drain(), writes[0]);
}

TEST_F(PosixConsoleTest, ShutdownLeavesTheTerminalAsFoundAndGivesTheSignalsBack) {
  PosixConsole console(path_.c_str());
  ShowPage(console);
  const termios raw = Modes();
  EXPECT_EQ(raw.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(raw.c_iflag & (IXON | ICRNL), 0u);
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT, SIGWINCH}) {
    EXPECT_TRUE(HandlerTaken(signal_number)) << signal_number;
  }
  console.DisableMouse();
  console.Shutdown();
  console.Shutdown();
  EXPECT_EQ(Drain(), std::string(kMouseOff) + std::string(kLeaveScreen));
  EXPECT_TRUE(AsFound());
  for (int signal_number : {SIGINT, SIGTSTP, SIGWINCH}) EXPECT_FALSE(HandlerTaken(signal_number));
}

TEST_F(PosixConsoleTest, WithoutAPageNothingReachesTheTerminal) {
  PosixConsole console(path_.c_str());
  ASSERT_TRUE(console.OpenScreen());
  // The screen probe's moves: inside the window only.
  const struct {
    uint8_t col, row;
    int x, y;
  } moves[] = {{30, 5, 30, 5}, {31, 1, 30, 5}, {1, 6, 30, 5},
               {0, 1, 30, 5},  {1, 0, 30, 5},  {1, 1, 1, 1}};
  for (const auto& m : moves) {
    console.GotoXY(m.col, m.row);
    EXPECT_EQ(console.WhereX(), m.x);
    EXPECT_EQ(console.WhereY(), m.y);
  }
  MouseEventRecord event;
  EXPECT_FALSE(console.TakeMouseEvent(event));
  EXPECT_FALSE(console.KeyPressed());
  console.DisableMouse();
  console.DiscardKeys();
  console.Shutdown();
  EXPECT_EQ(Drain(), "");
  EXPECT_TRUE(AsFound());
  EXPECT_FALSE(HandlerTaken(SIGINT));
}

TEST_F(PosixConsoleTest, KeysAndMouseEventsWaitInQueuesOfTheirOwn) {
  PosixConsole console(path_.c_str());
  ShowPage(console);
  Type("a\x1b[<0;5;3M\x1b[A\x1b[<0;5;3mb");
  console.WaitForInput(2000);
  MouseEventRecord event;
  ASSERT_TRUE(console.TakeMouseEvent(event));
  EXPECT_EQ(event.Action, kMousePressed);
  EXPECT_EQ(event.Buttons, 1);
  EXPECT_EQ(event.Col, 4);
  EXPECT_EQ(event.Row, 2);
  ASSERT_TRUE(console.TakeMouseEvent(event));
  EXPECT_EQ(event.Action, kMouseReleased);
  EXPECT_FALSE(console.TakeMouseEvent(event));
  for (char key : {'a', '\0', '\x48', 'b'}) EXPECT_EQ(console.ReadKey(), key);
  EXPECT_FALSE(console.KeyPressed());

  Type("\x1b");
  EXPECT_EQ(console.ReadKey(), '\x1b');  // alone, once nothing follows
  Type("xyz\x1b[<2;1;1M");
  console.WaitForInput(2000);
  console.DiscardKeys();
  EXPECT_FALSE(console.KeyPressed());
  EXPECT_TRUE(console.TakeMouseEvent(event));
  EXPECT_EQ(event.Buttons, 2);
}

TEST_F(PosixConsoleTest, ALineIsReadWithTheTerminalsEchoAfterTheKeysTypedAhead) {
  PosixConsole console(path_.c_str());
  ShowPage(console);
  console.GotoXY(1, 2);
  Type("ab\177c");
  // Keys do not end a wait for presses: look for them a while.
  for (int i = 0; i < 200 && !console.KeyPressed(); ++i) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  ASSERT_TRUE(console.KeyPressed());
  std::thread typist([this] {
    for (int i = 0; i < 200 && (Modes().c_lflag & ICANON) == 0; ++i) {
      std::this_thread::sleep_for(milliseconds(10));
    }
    Type("de\r");
  });
  Str255 line;
  EXPECT_EQ(console.ReadLine(line), 0);
  typist.join();
  EXPECT_EQ(line, "acde");
  EXPECT_EQ(Modes().c_lflag & ICANON, 0u);
  const std::string shown = Drain();
  // Mouse reports off and autowrap on while the terminal echoes the line.
  const size_t echo = shown.find("de");
  ASSERT_NE(echo, std::string::npos);
  EXPECT_LT(shown.find(std::string(kMouseOff) + "\x1b[?7h"), echo);
  EXPECT_EQ(console.WhereX(), 1);
  EXPECT_EQ(console.WhereY(), 3);
  console.KeyPressed();
  const std::string repainted = Drain();
  EXPECT_EQ(repainted.find(std::string(kMouseOn) + "\x1b[?7l"), 0u);
  EXPECT_NE(repainted.find("\x1b[2J\x1b[37mx\x1b[2;1Hacde\x1b[3;1H"), std::string::npos);
}

TEST_F(PosixConsoleTest, AHungUpTerminalEndsTheWaitForAKey) {
  PosixConsole console(path_.c_str());
  ShowPage(console);
  close(master_);
  master_ = -1;
  EXPECT_EQ(console.ReadKey(), '\x1A');
  EXPECT_EQ(console.WriteText("y"), EIO);
}

TEST_F(PosixConsoleTest, AResizeIsReportedOnceAndRepaintsTheWholePage) {
  PosixConsole console(path_.c_str());
  ShowPage(console);
  EXPECT_FALSE(console.WindowResized());
  Resize(40, 6);
  raise(SIGWINCH);
  EXPECT_TRUE(console.WindowResized());
  EXPECT_FALSE(console.WindowResized());
  EXPECT_EQ(console.WindowCols(), 40);
  EXPECT_EQ(console.WindowRows(), 6);
  console.KeyPressed();
  EXPECT_EQ(Drain(), kFirstErase + "\x1b[37mx\x1b[?25h");
}

TEST_F(PosixConsoleTest, AMessageLeavesThePageForGood) {
  PosixConsole console(path_.c_str());
  ShowPage(console);
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  const int saved = dup(STDERR_FILENO);
  dup2(out[1], STDERR_FILENO);
  const int result = console.WriteLine("Halting");
  dup2(saved, STDERR_FILENO);
  close(saved);
  close(out[1]);
  char message[16] = {};
  EXPECT_EQ(read(out[0], message, sizeof message), 8);
  close(out[0]);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(message, "Halting\n");
  EXPECT_EQ(Drain(), kLeaveScreen);
  EXPECT_TRUE(AsFound());
  console.KeyPressed();
  console.DiscardKeys();
  console.Shutdown();
  EXPECT_EQ(Drain(), "");
}

TEST_F(PosixConsoleTest, ATerminatingSignalRestoresTheTerminalAndStillEndsTheProcess) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    PosixConsole console(path_.c_str());
    console.EnableMouse();
    console.WriteText("x");
    console.KeyPressed();
    raise(SIGTERM);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  const std::string shown = Drain();
  ASSERT_GT(shown.size(), kLeaveScreen.size());
  EXPECT_EQ(shown.substr(shown.size() - kLeaveScreen.size()), kLeaveScreen);
  EXPECT_TRUE(AsFound());
}

TEST_F(PosixConsoleTest, TheUsersInterruptKeyEndsTheProcessGroupOnceTheTerminalIsRestored) {
  // As `stty intr ^X` leaves it: Ctrl+C is a plain key then.
  termios modes = Modes();
  modes.c_cc[VINTR] = '\x18';
  ASSERT_EQ(tcsetattr(slave_, TCSANOW, &modes), 0);
  found_ = Modes();
  int keys[2];
  ASSERT_EQ(pipe(keys), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The signal is for this group alone, not for the test runner's.
    setpgid(0, 0);
    PosixConsole console(path_.c_str());
    console.EnableMouse();
    console.WriteText("x");
    const char key = console.ReadKey();
    [[maybe_unused]] const ssize_t noted = write(keys[1], &key, 1);
    for (int i = 0; i < 50; ++i) console.WaitForInput(100);
    _exit(0);
  }
  close(keys[1]);
  for (int i = 0; i < 200 && (Modes().c_lflag & ICANON) != 0; ++i) {
    std::this_thread::sleep_for(milliseconds(10));
  }
  Type("\x03");
  char key = 0;
  EXPECT_EQ(read(keys[0], &key, 1), 1);
  close(keys[0]);
  EXPECT_EQ(key, '\x03');
  Type("\x18");
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGINT);
  const std::string shown = Drain();
  ASSERT_GT(shown.size(), kLeaveScreen.size());
  EXPECT_EQ(shown.substr(shown.size() - kLeaveScreen.size()), kLeaveScreen);
  EXPECT_TRUE(AsFound());
}

TEST_F(PosixConsoleTest, WaitingTakesNoProcessorTimeAndEndsWhenThePressComes) {
  PosixConsole console(path_.c_str());
  ShowPage(console);
  rusage before = {};
  getrusage(RUSAGE_SELF, &before);
  const auto start = steady_clock::now();
  for (int i = 0; i < 10; ++i) console.WaitForInput(50);
  const auto waited = steady_clock::now() - start;
  rusage after = {};
  getrusage(RUSAGE_SELF, &after);
  const long used_us = (after.ru_utime.tv_sec - before.ru_utime.tv_sec) * 1000000L +
                       (after.ru_utime.tv_usec - before.ru_utime.tv_usec) +
                       (after.ru_stime.tv_sec - before.ru_stime.tv_sec) * 1000000L +
                       (after.ru_stime.tv_usec - before.ru_stime.tv_usec);
  EXPECT_GE(waited, milliseconds(450));
  EXPECT_LT(used_us, 20000);

  Type("\x1b[<0;1;1M");
  const auto press = steady_clock::now();
  console.WaitForInput(5000);
  EXPECT_LT(steady_clock::now() - press, milliseconds(1000));
}

}  // namespace
}  // namespace hopdir
