// Input of PosixConsole. Whatever the terminal sends while the page is in
// raw mode goes through the decoder into one queue of keys and mouse
// events in the order they came; polling the mouse never loses a key and
// discarding keys drops only keys. Waiting is poll(2) on the terminal and
// on the signals' self-pipe, with no timeout but while the rest of an
// escape sequence is due.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/platform.h"
#include "platform/posix/console.h"

namespace hopdir {
namespace {

// Input beyond this, unread, is dropped as it comes.
constexpr size_t kInputQueueLimit = 4096 + 256;
// How long the rest of an escape sequence may take to arrive, and so how
// long a lone Esc waits before it counts as the Esc key.
constexpr auto kSequenceTimeout = std::chrono::milliseconds(50);
// Terminals report presses, not double clicks: two presses this close
// count as one, the time Windows takes unless its user changed it.
constexpr int kDoubleClickMilliseconds = 500;
// How often a page that cannot take the terminal now (the process is in
// the background) looks again.
constexpr int kRetryMilliseconds = 100;
// Bytes kept of a line read; the short string keeps 255 of them.
constexpr size_t kLineLimit = 256;
// What ReadKey reports when no key can ever come, as the console reports
// the end of its input.
constexpr char kEndOfInput = '\x1A';

void EraseLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
    text.pop_back();
  }
  if (!text.empty()) text.pop_back();
}

bool ReportsHangUp(const pollfd& fd) { return (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0; }

bool IsKey(const TerminalInput& input) { return input.kind != TerminalInput::kMouse; }

TerminalInput Key(char byte) {
  TerminalInput input;
  input.key = byte;
  return input;
}

uint32_t Milliseconds(std::chrono::steady_clock::time_point time) {
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count());
}

}  // namespace

void PosixConsole::Pump() {
  ServiceSignals();
  if (!terminal_.InMode(TerminalModes::Mode::kRaw)) return;
  char buffer[4096];
  bool got = false;
  for (;;) {
    const ssize_t count = read(terminal_.Fd(), buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    decoder_.Feed(std::string_view(buffer, static_cast<size_t>(count)), decoded_);
    got = true;
    if (static_cast<size_t>(count) < sizeof buffer) break;
  }
  const Clock::time_point now = Clock::now();
  if (got) {
    last_input_ = now;
  } else if (decoder_.Holding() && now - last_input_ >= kSequenceTimeout) {
    decoder_.Expire(decoded_);
  }
  int signal_number = 0;
  for (TerminalInput input : decoded_) {
    // The terminal drops what follows a signal key; so does the page.
    if (input.kind == TerminalInput::kKey) signal_number = terminal_.SignalOfKey(input.key);
    if (signal_number != 0) break;
    switch (input.kind) {
      case TerminalInput::kMouse:
        if (input_.size() >= kInputQueueLimit) break;
        input.mouse.Time = Milliseconds(now);
        input_.push_back(input);
        break;
      case TerminalInput::kExtendedKey:
        if (input_.size() + 2 > kInputQueueLimit) break;
        input_.push_back(Key('\0'));
        input_.push_back(Key(input.key));
        break;
      case TerminalInput::kKey:
        if (input_.size() < kInputQueueLimit) input_.push_back(input);
        break;
    }
  }
  decoded_.clear();
  if (signal_number != 0) {
    terminal_.SignalGroup(signal_number);
    // Continued, or the signal is ignored: the page is shown anew.
    SignalBlock block;
    terminal_.Lost();
    renderer_.Invalidate();
  }
}

int PosixConsole::Wait(int milliseconds) {
  if (terminal_.HungUp()) return EIO;
  pollfd fds[2] = {};
  nfds_t count = 0;
  if (terminal_.IsOpen()) fds[count++] = {terminal_.WakeFd(), POLLIN, 0};
  // Raw input that nobody reads (a line read waiting for the foreground)
  // would keep the terminal readable and the wait from waiting.
  const bool watch_terminal = terminal_.InMode(TerminalModes::Mode::kRaw) && !reading_line_;
  if (watch_terminal) {
    fds[count++] = {terminal_.Fd(), POLLIN, 0};
  } else if (milliseconds < 0 || milliseconds > kRetryMilliseconds) {
    milliseconds = kRetryMilliseconds;
  }
  if (watch_terminal && decoder_.Holding()) {
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last_input_);
    const int rest = static_cast<int>(std::max<int64_t>(0, (kSequenceTimeout - waited).count()));
    milliseconds = milliseconds < 0 ? rest : std::min(milliseconds, rest);
  }
  if (poll(fds, count, milliseconds) <= 0) return 0;
  if (terminal_.IsOpen() && (fds[0].revents & POLLIN) != 0) terminal_.DrainWake();
  // A hung-up terminal also reads as readable, forever: the hangup counts.
  if (watch_terminal && ReportsHangUp(fds[1])) {
    terminal_.NoteHangUp();
    return EIO;
  }
  return 0;
}

bool PosixConsole::TakeMouseEvent(MouseEventRecord& event) {
  Pump();
  const auto mouse = std::find_if_not(input_.begin(), input_.end(), IsKey);
  if (mouse == input_.end()) {
    Flush();
    return false;
  }
  event = mouse->mouse;
  input_.erase(mouse);
  return true;
}

InputKind PosixConsole::NextInput() {
  // What the input acts on is on the terminal before it is taken.
  Flush();
  Pump();
  if (input_.empty()) return InputKind::kNone;
  return IsKey(input_.front()) ? InputKind::kKey : InputKind::kMouse;
}

void PosixConsole::WaitForInput(int milliseconds) {
  Flush();
  Pump();
  if (!input_.empty()) return;
  // The terminal is gone and no press can ever come: the program ends as
  // on any failed console I/O, on the user's modes.
  if (Wait(milliseconds < 0 ? -1 : milliseconds) != 0) ExitProgram(EIO);
}

int PosixConsole::DoubleClickMilliseconds() { return kDoubleClickMilliseconds; }

bool PosixConsole::KeyPressed() {
  Flush();
  Pump();
  return std::any_of(input_.begin(), input_.end(), IsKey);
}

char PosixConsole::ReadKey() {
  Flush();
  for (;;) {
    Pump();
    const auto key = std::find_if(input_.begin(), input_.end(), IsKey);
    if (key != input_.end()) {
      const char byte = key->key;
      input_.erase(key);
      return byte;
    }
    if (!OpenTerminal()) return kEndOfInput;
    // Keys come from the page's raw mode, so a key read enters the page.
    page_drawn_ = true;
    Flush();
    if (Wait(-1) != 0) return kEndOfInput;
  }
}

void PosixConsole::DiscardKeys() {
  Pump();
  input_.erase(std::remove_if(input_.begin(), input_.end(), IsKey), input_.end());
  if (terminal_.EverApplied()) tcflush(terminal_.Fd(), TCIFLUSH);
}

std::string PosixConsole::TakeTypedLine(bool& ended) {
  std::string text;
  ended = false;
  // Keys up to the end of the line; mouse events stay where they are.
  auto next = [this] { return std::find_if(input_.begin(), input_.end(), IsKey); };
  for (auto it = next(); it != input_.end() && !ended; it = next()) {
    const char key = it->key;
    input_.erase(it);
    if (key == '\0') {
      // An extended key edits nothing in a line read.
      if (auto code = next(); code != input_.end()) input_.erase(code);
    } else if (key == '\r' || key == '\n') {
      ended = true;
    } else if (key == '\b') {
      EraseLastCharacter(text);
    } else if (static_cast<unsigned char>(key) >= 0x20 && text.size() < kLineLimit) {
      text += key;
    }
  }
  return text;
}

int PosixConsole::ReadPlainLine(std::string& text) {
  for (;;) {
    char byte = 0;
    const ssize_t count = read(STDIN_FILENO, &byte, 1);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return errno;
    if (count == 0 || byte == '\n') return 0;
    if (text.size() < kLineLimit) text += byte;
  }
}

int PosixConsole::ReadTerminalLine(std::string& text) {
  // Keys typed before the read belong to the line, as if typed into it.
  page_drawn_ = true;
  Flush();
  Pump();
  bool ended = false;
  text = TakeTypedLine(ended);
  page_.PutText(text);
  if (ended) {
    page_.NewLine();
    return 0;
  }
  const size_t typed_ahead = text.size();
  reading_line_ = true;
  int result = 0;
  for (bool done = false; !done;) {
    Flush();
    if (!terminal_.InMode(TerminalModes::Mode::kLine)) {
      result = Wait(kRetryMilliseconds);
      done = result != 0;
      continue;
    }
    pollfd fds[2] = {{terminal_.Fd(), POLLIN, 0}, {terminal_.WakeFd(), POLLIN, 0}};
    if (poll(fds, 2, -1) <= 0) continue;
    if ((fds[1].revents & POLLIN) != 0) terminal_.DrainWake();
    if (ReportsHangUp(fds[0])) {
      terminal_.NoteHangUp();
      result = EIO;
      done = true;
      continue;
    }
    if ((fds[0].revents & POLLIN) == 0) continue;
    // Canonical mode: one read returns at most the rest of one line.
    char buffer[512];
    const ssize_t count = read(terminal_.Fd(), buffer, sizeof buffer);
    if (count < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      result = errno;
      done = true;
      continue;
    }
    done = count == 0;
    for (ssize_t i = 0; i < count && !done; ++i) {
      if (buffer[i] == '\n') {
        done = true;
      } else if (text.size() < kLineLimit) {
        text += buffer[i];
      }
    }
  }
  reading_line_ = false;
  // Raw again at once, so that nothing typed after the line is echoed.
  EnterModes();
  // The terminal echoed the line and went to the next row; the page keeps
  // the same, and is written whole again since the terminal edited it.
  page_.PutText(std::string_view(text).substr(typed_ahead));
  page_.NewLine();
  renderer_.Invalidate();
  return result;
}

int PosixConsole::ReadLine(Str255& line) {
  Flush();
  std::string text;
  const int result = OpenTerminal() ? ReadTerminalLine(text) : ReadPlainLine(text);
  while (!text.empty() && text.back() == '\r') text.pop_back();
  line = text;
  return result;
}

}  // namespace hopdir
