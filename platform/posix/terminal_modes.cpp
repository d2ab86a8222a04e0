#include "platform/posix/terminal_modes.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace hopdir {
namespace {

constexpr std::array<int, 7> kHandled = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,
                                         SIGTSTP, SIGCONT, SIGWINCH};

// Shared with the handlers, which may only read them and call
// async-signal-safe functions.
int tty_fd = -1;
int wake_write = -1;
struct termios saved_modes;
volatile sig_atomic_t modes_applied = 0;
volatile sig_atomic_t screen_shown = 0;
volatile sig_atomic_t resize_noted = 0;
volatile sig_atomic_t resume_noted = 0;
struct sigaction stop_action;

// What the handlers replaced, put back at shutdown.
struct Taken {
  bool installed = false;
  struct sigaction previous;
};
std::array<Taken, kHandled.size()> taken;
bool handlers_installed = false;

void Wake() {
  if (wake_write < 0) return;
  const char note = 0;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t written = write(wake_write, &note, 1);
}

// Async-signal-safe, and also the normal way back. SIGTTOU is held off so
// that a process that lost the foreground still restores instead of
// stopping half-way. Input still in flight (mouse reports above all) would
// otherwise reach the shell as typed text.
void RestoreTerminal(bool discard_input) {
  sigset_t ttou;
  sigset_t previous;
  sigemptyset(&ttou);
  sigaddset(&ttou, SIGTTOU);
  sigprocmask(SIG_BLOCK, &ttou, &previous);
  if (screen_shown != 0) {
    const char* bytes = kLeaveScreen.data();
    size_t left = kLeaveScreen.size();
    while (left > 0) {
      const ssize_t written = write(tty_fd, bytes, left);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) break;
      bytes += written;
      left -= static_cast<size_t>(written);
    }
    screen_shown = 0;
  }
  if (modes_applied != 0) {
    tcsetattr(tty_fd, TCSADRAIN, &saved_modes);
    if (discard_input) tcflush(tty_fd, TCIFLUSH);
    modes_applied = 0;
  }
  sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void SetDefault(int signal_number) {
  struct sigaction action = {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
}

void Unblock(int signal_number) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal_number);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

// SIGINT, SIGTERM, SIGHUP, SIGQUIT: the process dies of the signal, as it
// would have without the page, but on the user's terminal modes.
void OnTerminate(int signal_number) {
  RestoreTerminal(true);
  SetDefault(signal_number);
  Unblock(signal_number);
  raise(signal_number);
}

// Ctrl+Z: the terminal goes back to the shell before the job stops. Once
// continued, the console enters the page again, and only in the foreground.
void OnStop(int /*signal_number*/) {
  const int saved_errno = errno;
  RestoreTerminal(true);
  SetDefault(SIGTSTP);
  Unblock(SIGTSTP);
  raise(SIGTSTP);
  // Continued, or never stopped (an orphaned process group is not).
  sigaction(SIGTSTP, &stop_action, nullptr);
  resume_noted = 1;
  Wake();
  errno = saved_errno;
}

void OnContinue(int /*signal_number*/) {
  const int saved_errno = errno;
  resume_noted = 1;
  Wake();
  errno = saved_errno;
}

void OnResize(int /*signal_number*/) {
  const int saved_errno = errno;
  resize_noted = 1;
  Wake();
  errno = saved_errno;
}

void InstallHandlers() {
  sigset_t all;
  sigemptyset(&all);
  for (int signal_number : kHandled) sigaddset(&all, signal_number);
  for (size_t i = 0; i < kHandled.size(); ++i) {
    const int signal_number = kHandled[i];
    struct sigaction previous;
    if (sigaction(signal_number, nullptr, &previous) != 0) continue;
    // A signal the parent told us to ignore (nohup, a background job of a
    // shell without job control) stays ignored.
    if (previous.sa_handler == SIG_IGN && signal_number != SIGCONT && signal_number != SIGWINCH) {
      continue;
    }
    struct sigaction action = {};
    action.sa_mask = all;
    action.sa_flags = SA_RESTART;
    switch (signal_number) {
      case SIGTSTP:
        action.sa_handler = OnStop;
        stop_action = action;
        break;
      case SIGCONT:
        action.sa_handler = OnContinue;
        break;
      case SIGWINCH:
        action.sa_handler = OnResize;
        break;
      default:
        action.sa_handler = OnTerminate;
        break;
    }
    if (sigaction(signal_number, &action, nullptr) != 0) continue;
    taken[i].installed = true;
    taken[i].previous = previous;
  }
  handlers_installed = true;
}

void RestoreHandlers() {
  for (size_t i = 0; i < kHandled.size(); ++i) {
    if (!taken[i].installed) continue;
    sigaction(kHandled[i], &taken[i].previous, nullptr);
    taken[i].installed = false;
  }
  handlers_installed = false;
}

struct termios RawModes(struct termios modes) {
  // Keys one by one, unechoed, Enter as CR, Ctrl+S and Ctrl+Q as keys.
  // Ctrl+C, Ctrl+\ and Ctrl+Z come as keys too, and the console signals for
  // them once the terminal is restored: the terminal would signal the whole
  // job at once, and a parent in it (sh -c 'hopmenu; ...') that stops at
  // once hands the terminal to its shell before the page has left it.
  // Reads never block: poll(2) waits.
  modes.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR | ISTRIP | INPCK | PARMRK);
  modes.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | IEXTEN | ISIG);
  modes.c_cc[VMIN] = 0;
  modes.c_cc[VTIME] = 0;
  return modes;
}

struct termios LineModes(struct termios modes) {
  // The terminal's own line editing and echo; Enter ends the line however
  // the user's modes map it.
  modes.c_lflag |= ICANON | ECHO | ISIG;
  modes.c_iflag |= ICRNL;
  modes.c_iflag &= ~static_cast<tcflag_t>(IGNCR | INLCR);
  return modes;
}

}  // namespace

TerminalModes::~TerminalModes() {
  Shutdown();
  Close();
}

bool TerminalModes::Open(const char* path) {
  if (fd_ >= 0) return true;
  const int fd = open(path, O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  int pipe_ends[2];
  if (pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    close(fd);
    return false;
  }
  fd_ = tty_fd = fd;
  resize_noted = 0;
  resume_noted = 0;
  wake_read_ = pipe_ends[0];
  wake_write = pipe_ends[1];
  return true;
}

void TerminalModes::Close() {
  if (fd_ < 0) return;
  close(fd_);
  close(wake_read_);
  close(wake_write);
  fd_ = tty_fd = wake_read_ = wake_write = -1;
  saved_ = false;
}

bool TerminalModes::WindowSize(int& cols, int& rows) const {
  struct winsize size = {};
  if (fd_ < 0 || ioctl(fd_, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) {
    return false;
  }
  cols = size.ws_col;
  rows = size.ws_row;
  return true;
}

bool TerminalModes::InForeground() {
  const pid_t group = tcgetpgrp(fd_);
  if (group < 0 && errno == EIO) hung_up_ = true;
  // A terminal that is not the controlling one has no foreground to lose.
  return group < 0 || group == getpgrp();
}

bool TerminalModes::Apply(Mode mode) {
  if (fd_ < 0 || hung_up_) return false;
  if (modes_applied != 0 && mode == mode_ && !reapply_) return true;
  if (!saved_) {
    if (tcgetattr(fd_, &saved_modes) != 0) {
      hung_up_ = errno == EIO;
      return false;
    }
    saved_ = true;
  }
  if (!handlers_installed) InstallHandlers();
  if (!InForeground()) return false;
  const struct termios wanted = mode == Mode::kRaw ? RawModes(saved_modes) : LineModes(saved_modes);
  if (tcsetattr(fd_, TCSADRAIN, &wanted) != 0) {
    hung_up_ = errno == EIO;
    return false;
  }
  modes_applied = 1;
  mode_ = mode;
  reapply_ = false;
  ever_applied_ = true;
  return true;
}

bool TerminalModes::Applied() const { return modes_applied != 0; }

bool TerminalModes::InMode(Mode mode) const {
  return modes_applied != 0 && mode_ == mode && !reapply_;
}

void TerminalModes::ShowScreen(std::string& out) {
  out += kEnterScreen;
  screen_shown = 1;
}

bool TerminalModes::ScreenShown() const { return screen_shown != 0; }

void TerminalModes::Lost() {
  screen_shown = 0;
  reapply_ = true;
}

int TerminalModes::SignalOfKey(char key) const {
  const auto byte = static_cast<cc_t>(key);
  if (!saved_ || (saved_modes.c_lflag & ISIG) == 0 || byte == _POSIX_VDISABLE) return 0;
  if (byte == saved_modes.c_cc[VINTR]) return SIGINT;
  if (byte == saved_modes.c_cc[VQUIT]) return SIGQUIT;
  if (byte == saved_modes.c_cc[VSUSP]) return SIGTSTP;
  return 0;
}

void TerminalModes::SignalGroup(int signal_number) {
  {
    SignalBlock block;
    RestoreTerminal(true);
  }
  kill(0, signal_number);
}

void TerminalModes::Leave() {
  if (fd_ < 0) return;
  SignalBlock block;
  RestoreTerminal(false);
}

void TerminalModes::Shutdown() {
  if (fd_ < 0) return;
  Leave();
  if (ever_applied_) {
    tcflush(fd_, TCIFLUSH);
    ever_applied_ = false;
  }
  if (handlers_installed) RestoreHandlers();
}

bool TerminalModes::TakeResize() {
  if (resize_noted == 0) return false;
  resize_noted = 0;
  return true;
}

bool TerminalModes::TakeResume() {
  if (resume_noted == 0) return false;
  resume_noted = 0;
  return true;
}

void TerminalModes::DrainWake() {
  char notes[64];
  while (wake_read_ >= 0 && read(wake_read_, notes, sizeof notes) > 0) {
  }
}

SignalBlock::SignalBlock() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal_number : kHandled) sigaddset(&set, signal_number);
  sigprocmask(SIG_BLOCK, &set, &previous_);
}

SignalBlock::~SignalBlock() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace hopdir
