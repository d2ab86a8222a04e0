// Output of PosixConsole: the page goes into the shadow grid (the terminal
// sees it at the next flush); messages go straight to standard error and
// what a program prints to standard output, after the page has made way.
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/posix/console.h"
#include "platform/posix/control_escapes.h"
#include "platform/posix/text_width.h"
#include "platform/posix/write_all.h"

namespace hopdir {

void PosixConsole::GotoXY(uint8_t col, uint8_t row) {
  LoadGeometry();
  if (col == 0 || col > page_.Cols() || row == 0 || row > page_.Rows()) return;
  page_.MoveTo(col - 1, row - 1);
}

int PosixConsole::WhereX() {
  LoadGeometry();
  return page_.CursorCol() + 1;
}

int PosixConsole::WhereY() {
  LoadGeometry();
  return page_.CursorRow() + 1;
}

int PosixConsole::WindowCols() {
  LoadGeometry();
  return page_.Cols();
}

int PosixConsole::WindowRows() {
  LoadGeometry();
  return page_.Rows();
}

void PosixConsole::SetTextColor(uint8_t color) {
  page_.SetColors(static_cast<uint8_t>(color & 0x0F), page_.Bg());
}

void PosixConsole::SetBackColor(uint8_t color) {
  page_.SetColors(page_.Fg(), static_cast<uint8_t>(color & 0x07));
}

void PosixConsole::ClearScreen() {
  LoadGeometry();
  page_.Clear();
  page_drawn_ = true;
}

int PosixConsole::TakeError() {
  // No page can be shown on a terminal that hung up.
  if (terminal_.HungUp()) return EIO;
  const int error = sticky_error_;
  sticky_error_ = 0;
  return error;
}

int PosixConsole::WriteText(std::string_view bytes) {
  if (const int error = TakeError(); error != 0) return error;
  LoadGeometry();
  page_.PutText(bytes);
  page_drawn_ = true;
  return 0;
}

int PosixConsole::WriteGraphic(std::string_view bytes) {
  if (const int error = TakeError(); error != 0) return error;
  LoadGeometry();
  page_.PutGraphic(bytes);
  page_drawn_ = true;
  return 0;
}

int PosixConsole::WriteMessage(int fd, std::string_view bytes) {
  // A message on the page (a halt) would vanish with the alternate screen.
  LeavePage();
  // Names in a line may hold control characters, which a terminal would
  // take as commands; into a pipe or a file the bytes go exactly.
  std::string line = isatty(fd) != 0 ? EscapedControls(bytes) : std::string(bytes);
  line += '\n';
  return WriteAll(fd, line);
}

// Standard output carries only what a program prints, so that
// cd "$(hopfind part)" never takes a message for a directory.
int PosixConsole::WriteLine(std::string_view bytes) { return WriteMessage(STDERR_FILENO, bytes); }

int PosixConsole::WriteErrorLine(std::string_view bytes) {
  return WriteMessage(STDERR_FILENO, bytes);
}

int PosixConsole::WriteOutputLine(std::string_view bytes) {
  return WriteMessage(STDOUT_FILENO, bytes);
}

int PosixConsole::TextCells(std::string_view text) { return Utf8TextCells(text); }

size_t PosixConsole::FitCells(std::string_view text, int cells) {
  return cells <= 0 ? 0 : Utf8FitCells(text, cells);
}

// The page is UTF-8 whatever the locale: its frames are drawn so too.
std::string_view PosixConsole::EllipsisMark() { return "\u2026"; }

}  // namespace hopdir
