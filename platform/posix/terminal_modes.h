// The terminal device of the page and the modes it is put in: raw input
// while the page waits for presses, canonical input with echo for a line
// read, and the user's own modes back on every way out, signals included.
// The signal handlers restore the terminal themselves, from a saved copy
// of its modes and a fixed byte string, and then let the signal take its
// course; what they cannot do safely (repainting after a stop, measuring a
// resized window) they leave to the console through a self-pipe.
#ifndef HOPDIR_PLATFORM_POSIX_TERMINAL_MODES_H_
#define HOPDIR_PLATFORM_POSIX_TERMINAL_MODES_H_

#include <signal.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace hopdir {

// Alternate screen (it also saves the cursor), autowrap off so that the
// bottom right cell never scrolls.
inline constexpr std::string_view kEnterScreen = "\x1b[?1049h\x1b[?7l";
// xterm mouse reporting of presses and releases, in SGR coordinates.
inline constexpr std::string_view kMouseOn = "\x1b[?1000h\x1b[?1006h";
inline constexpr std::string_view kMouseOff = "\x1b[?1006l\x1b[?1000l";
// Everything the page turned on, off again in reverse order.
inline constexpr std::string_view kLeaveScreen =
    "\x1b[?1006l\x1b[?1000l\x1b[?7h\x1b[0m\x1b[?25h\x1b[?1049l";

class TerminalModes {
 public:
  enum class Mode : uint8_t { kRaw, kLine };

  TerminalModes() = default;
  TerminalModes(const TerminalModes&) = delete;
  TerminalModes& operator=(const TerminalModes&) = delete;
  ~TerminalModes();

  // Opens the terminal device; false when there is none.
  bool Open(const char* path);
  bool IsOpen() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  // Readable when a signal wants the console's attention.
  int WakeFd() const { return wake_read_; }
  bool WindowSize(int& cols, int& rows) const;
  // The terminal belongs to this process's group (changing its modes from
  // any other would stop the process with SIGTTOU).
  bool InForeground();
  // The terminal hung up (its window closed, its line dropped): nothing
  // can be shown or read on it again.
  bool HungUp() const { return hung_up_; }
  void NoteHangUp() { hung_up_ = true; }

  // Puts the terminal in `mode`. The first time it saves the modes found
  // and takes over the signals. False when that cannot be done now.
  bool Apply(Mode mode);
  // Modes of the page in effect, and in particular `mode`.
  bool Applied() const;
  bool InMode(Mode mode) const;
  // The page has used the terminal since the last Shutdown.
  bool EverApplied() const { return ever_applied_; }
  // Appends the bytes that show the page's screen, and counts them as
  // shown: the caller writes them before it lets signals in again.
  void ShowScreen(std::string& out);
  bool ScreenShown() const;
  // The process was stopped and continued: the screen and modes it left
  // are no longer known to be ours.
  void Lost();
  // The signal that `key` stands for where the user's modes let keys
  // signal (their intr, quit and susp characters), else 0.
  int SignalOfKey(char key) const;
  // Leaves the terminal as found, drops input typed ahead, and only then
  // sends `signal_number` to the process group, as the terminal would have
  // on the key; returns once the group goes on (or the signal is ignored).
  void SignalGroup(int signal_number);
  // The terminal back as it was found, at once.
  void Leave();
  // Leave, drop input typed ahead (mouse reports in flight above all), and
  // give the signals back to their previous handlers.
  void Shutdown();

  // One-shot notes from the signal handlers.
  bool TakeResize();
  bool TakeResume();
  void DrainWake();

 private:
  void Close();

  int fd_ = -1;
  int wake_read_ = -1;
  Mode mode_ = Mode::kRaw;
  bool saved_ = false;
  bool reapply_ = false;
  bool ever_applied_ = false;
  bool hung_up_ = false;
};

// Holds off the signals that the terminal handles while the page changes
// the terminal's modes or writes to it, so a handler never finds half a
// change or interrupts an escape sequence.
class SignalBlock {
 public:
  SignalBlock();
  SignalBlock(const SignalBlock&) = delete;
  SignalBlock& operator=(const SignalBlock&) = delete;
  ~SignalBlock();

 private:
  sigset_t previous_;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_TERMINAL_MODES_H_
