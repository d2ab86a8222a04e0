// The page's life on the terminal: entering it (raw mode, alternate
// screen, mouse reporting), writing each update out in one write(2),
// following stops, continues and resizes, and leaving it as it was found.
#include "platform/posix/console.h"

#include <utility>

#include "platform/posix/write_all.h"

namespace hopdir {
namespace {

constexpr int kFallbackCols = 80;
constexpr int kFallbackRows = 25;
constexpr std::string_view kAutowrapOn = "\x1b[?7h";
constexpr std::string_view kAutowrapOff = "\x1b[?7l";

}  // namespace

PosixConsole::PosixConsole() : PosixConsole("/dev/tty") {}

PosixConsole::PosixConsole(const char* terminal_path) : terminal_path_(terminal_path) {}

PosixConsole::~PosixConsole() { Shutdown(); }

bool PosixConsole::OpenScreen() { return OpenTerminal(); }

bool PosixConsole::OpenTerminal() {
  if (!terminal_tried_) {
    terminal_tried_ = true;
    terminal_.Open(terminal_path_);
  }
  return terminal_.IsOpen();
}

void PosixConsole::LoadGeometry() {
  if (geometry_loaded_) return;
  geometry_loaded_ = true;
  int cols = kFallbackCols;
  int rows = kFallbackRows;
  if (OpenTerminal()) terminal_.WindowSize(cols, rows);
  page_.Resize(cols, rows);
}

void PosixConsole::MeasureWindow() {
  int cols = page_.Cols();
  int rows = page_.Rows();
  if (terminal_.WindowSize(cols, rows) && (cols != page_.Cols() || rows != page_.Rows())) {
    page_.Resize(cols, rows);
    resized_ = true;
  }
  geometry_loaded_ = true;
}

void PosixConsole::ServiceSignals() {
  if (!terminal_.IsOpen()) return;
  if (terminal_.TakeResize()) {
    MeasureWindow();
    // Terminals rewrap or crop what they show when resized.
    renderer_.Invalidate();
  }
  if (terminal_.TakeResume()) {
    SignalBlock block;
    terminal_.Lost();
    renderer_.Invalidate();
  }
}

bool PosixConsole::EnterModes() {
  if (!OpenTerminal()) return false;
  SignalBlock block;
  return terminal_.Apply(reading_line_ ? TerminalModes::Mode::kLine : TerminalModes::Mode::kRaw);
}

void PosixConsole::Flush() {
  ServiceSignals();
  if (!page_drawn_ && !mouse_wanted_) return;
  // No terminal, or the process is not in the foreground: the page waits.
  if (!EnterModes()) return;
  LoadGeometry();
  std::string out;
  SignalBlock block;
  if (!terminal_.ScreenShown()) {
    // Resizes before the page took the signals, or while it was stopped.
    MeasureWindow();
    terminal_.ShowScreen(out);
    renderer_.Invalidate();
    mouse_shown_ = false;
    wrap_shown_ = false;
  }
  // A line read echoes with the terminal's own wrapping, and mouse reports
  // would land in the line as text.
  const bool mouse = mouse_wanted_ && !reading_line_;
  if (mouse != mouse_shown_) {
    out += mouse ? kMouseOn : kMouseOff;
    mouse_shown_ = mouse;
  }
  if (reading_line_ != wrap_shown_) {
    out += reading_line_ ? kAutowrapOn : kAutowrapOff;
    wrap_shown_ = reading_line_;
  }
  // The echo of a line read shows where typing goes.
  renderer_.Render(page_, !cursor_hidden_ || reading_line_, out);
  if (out.empty()) return;
  const int result = WriteAll(terminal_.Fd(), out);
  if (result == EIO) terminal_.NoteHangUp();
  if (result != 0 && sticky_error_ == 0) sticky_error_ = result;
}

void PosixConsole::LeavePage() {
  if (!terminal_.IsOpen()) return;
  terminal_.Leave();
  ForgetPage();
}

void PosixConsole::Shutdown() {
  Flush();
  terminal_.Shutdown();
  ForgetPage();
}

void PosixConsole::ForgetPage() {
  page_drawn_ = false;
  mouse_wanted_ = false;
  mouse_shown_ = false;
  renderer_.Invalidate();
}

bool PosixConsole::WindowResized() {
  ServiceSignals();
  return std::exchange(resized_, false);
}

void PosixConsole::EnableMouse() {
  mouse_wanted_ = true;
  EnterModes();
}

void PosixConsole::DisableMouse() { mouse_wanted_ = false; }

void PosixConsole::ShowCursor(bool shown) { cursor_hidden_ = !shown; }

}  // namespace hopdir
