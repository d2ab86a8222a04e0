#include "tests/support/fake_console.h"

#include <algorithm>

namespace hopdir::testing {

FakeConsole::FakeConsole(int cols, int rows) { Resize(cols, rows); }

void FakeConsole::Resize(int cols, int rows) {
  cols_ = cols;
  rows_ = rows;
  cells_.assign(static_cast<size_t>(cols) * static_cast<size_t>(rows), Cell{});
  cursor_col_ = cursor_row_ = 1;
}

Cell& FakeConsole::CellAt(int col, int row) {
  return cells_[(static_cast<size_t>(row) - 1) * static_cast<size_t>(cols_) +
                static_cast<size_t>(col) - 1];
}

const Cell& FakeConsole::At(int col, int row) const {
  if (col < 1 || col > cols_ || row < 1 || row > rows_) {
    throw std::out_of_range("cell outside the fake console");
  }
  return cells_[(static_cast<size_t>(row) - 1) * static_cast<size_t>(cols_) +
                static_cast<size_t>(col) - 1];
}

std::string FakeConsole::Row(int row) const {
  std::string text;
  for (int col = 1; col <= cols_; ++col) text += At(col, row).Char;
  return text;
}

std::string FakeConsole::RowTrimmed(int row) const {
  std::string text = Row(row);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string FakeConsole::Screen() const {
  std::string text;
  for (int row = 1; row <= rows_; ++row) text += Row(row) + "\n";
  return text;
}

static char HexDigit(int value) { return "0123456789ABCDEF"[value & 0x0F]; }

std::string FakeConsole::RowForeground(int row) const {
  std::string colors;
  for (int col = 1; col <= cols_; ++col) colors += HexDigit(At(col, row).Fore);
  return colors;
}

std::string FakeConsole::RowBackground(int row) const {
  std::string colors;
  for (int col = 1; col <= cols_; ++col) colors += HexDigit(At(col, row).Back);
  return colors;
}

void FakeConsole::PushMouse(int col, int row, uint16_t buttons, uint16_t action, int16_t wheel) {
  clock_ += static_cast<uint32_t>(next_event_gap_);
  next_event_gap_ = 1000;
  MouseEventRecord event{
      buttons, static_cast<uint16_t>(col - 1), static_cast<uint16_t>(row - 1), action, wheel,
      clock_};
  input_.push_back({InputItem::kMouse, 0, event});
}

void FakeConsole::PushPress(int col, int row, uint16_t buttons) {
  PushMouse(col, row, buttons, kMousePressed);
}

void FakeConsole::PushRelease(int col, int row) { PushMouse(col, row, 0, kMouseReleased); }

void FakeConsole::PushMove(int col, int row, uint16_t buttons) {
  PushMouse(col, row, buttons, kMouseMoved);
}

void FakeConsole::PushWheel(int col, int row, int notches) {
  PushMouse(col, row, 0, kMouseWheeled, static_cast<int16_t>(notches));
}

void FakeConsole::PushKey(char key) { input_.push_back({InputItem::kKey, key, {}}); }

void FakeConsole::PushExtendedKey(char code) {
  PushKey('\0');
  PushKey(code);
}

void FakeConsole::PushLine(const std::string& line) { lines_.push_back(line); }

void FakeConsole::PushResize(int cols, int rows) {
  input_.push_back(
      {InputItem::kResize, 0, {0, static_cast<uint16_t>(cols), static_cast<uint16_t>(rows), 0}});
}

int FakeConsole::PendingKeys() const {
  return static_cast<int>(std::count_if(
      input_.begin(), input_.end(), [](const InputItem& i) { return i.kind == InputItem::kKey; }));
}

int FakeConsole::PendingMouseEvents() const {
  return static_cast<int>(std::count_if(input_.begin(), input_.end(), [](const InputItem& i) {
    return i.kind == InputItem::kMouse;
  }));
}

bool FakeConsole::OpenScreen() {
  ++OpenScreenCalls;
  return HasScreen;
}

// Keys wait beside the mouse events, which TakeMouseEvent takes in their
// own order; a resize comes when everything before it has been taken.
static bool NotAKey(const FakeConsole::InputItem& item) {
  return item.kind != FakeConsole::InputItem::kKey;
}

bool FakeConsole::WindowResized() {
  if (input_.empty() || input_.front().kind != InputItem::kResize) return false;
  Resize(input_.front().mouse.Col, input_.front().mouse.Row);
  input_.pop_front();
  return true;
}

void FakeConsole::GotoXY(uint8_t col, uint8_t row) {
  if (col == 0 || col > cols_ || row == 0 || row > rows_) return;
  cursor_col_ = col;
  cursor_row_ = row;
}

void FakeConsole::ClearScreen() {
  for (Cell& cell : cells_) cell = Cell{' ', TextColor, BackColor};
  cursor_col_ = cursor_row_ = 1;
}

void FakeConsole::NewLine() {
  cursor_col_ = 1;
  if (cursor_row_ < rows_) {
    ++cursor_row_;
    return;
  }
  // Scroll up one row; the new bottom row takes the current colours.
  std::move(cells_.begin() + cols_, cells_.end(), cells_.begin());
  std::fill(cells_.end() - cols_, cells_.end(), Cell{' ', TextColor, BackColor});
}

int FakeConsole::Put(std::string_view bytes) {
  if (WriteFailsWith != 0) return WriteFailsWith;
  Output.append(bytes);
  for (char c : bytes) {
    if (c == '\r') {
      cursor_col_ = 1;
    } else if (c == '\n') {
      NewLine();
    } else {
      CellAt(cursor_col_, cursor_row_) = Cell{c, TextColor, BackColor};
      if (++cursor_col_ > cols_) NewLine();
    }
  }
  return 0;
}

int FakeConsole::WriteLine(std::string_view bytes) {
  if (MessagesToErrorOutput) return WriteErrorLine(bytes);
  return WriteOutputLine(bytes);
}

int FakeConsole::WriteOutputLine(std::string_view bytes) {
  std::string line(bytes);
  line += LineEnding;
  return Put(line);
}

int FakeConsole::WriteErrorLine(std::string_view bytes) {
  ErrorOutput.append(bytes);
  ErrorOutput += LineEnding;
  return 0;
}

size_t FakeConsole::FitCells(std::string_view text, int cells) {
  return cells <= 0 ? 0 : std::min(text.size(), static_cast<size_t>(cells));
}

void FakeConsole::EnableMouse() {
  MouseEnabled = true;
  ++EnableMouseCalls;
}

void FakeConsole::DisableMouse() {
  MouseEnabled = false;
  ++DisableMouseCalls;
}

bool FakeConsole::TakeMouseEvent(MouseEventRecord& event) {
  auto it = std::find_if(input_.begin(), input_.end(), NotAKey);
  if (it == input_.end() || it->kind != InputItem::kMouse) {
    if (++idle_polls_ > IdlePollLimit) {
      idle_polls_ = 0;
      throw InputExhausted();
    }
    return false;
  }
  idle_polls_ = 0;
  event = it->mouse;
  input_.erase(it);
  return true;
}

InputKind FakeConsole::NextInput() {
  if (input_.empty()) return InputKind::kNone;
  switch (input_.front().kind) {
    case InputItem::kKey:
      return InputKind::kKey;
    case InputItem::kMouse:
      return InputKind::kMouse;
    default:
      return InputKind::kNone;
  }
}

void FakeConsole::WaitForInput(int /*milliseconds*/) {
  if (input_.empty() && lines_.empty()) throw InputExhausted();
}

void FakeConsole::ShowCursor(bool shown) {
  CursorShown = shown;
  ++ShowCursorCalls;
}

bool FakeConsole::KeyPressed() { return PendingKeys() > 0; }

char FakeConsole::ReadKey() {
  auto it = std::find_if(input_.begin(), input_.end(),
                         [](const InputItem& i) { return i.kind == InputItem::kKey; });
  if (it == input_.end()) throw InputExhausted();
  char key = it->key;
  input_.erase(it);
  return key;
}

int FakeConsole::ReadLine(Str255& line) {
  if (lines_.empty()) throw InputExhausted();
  std::string typed = lines_.front();
  lines_.pop_front();
  line = typed;
  // The console echoes what is typed, then Enter moves to the next line.
  std::string echo = typed + "\r\n";
  if (WriteFailsWith != 0) return WriteFailsWith;
  std::string saved = Output;
  Put(echo);
  Output = saved;  // echo is not program output
  return 0;
}

void FakeConsole::DiscardKeys() {
  ++DiscardKeysCalls;
  input_.erase(std::remove_if(input_.begin(), input_.end(),
                              [](const InputItem& i) { return i.kind == InputItem::kKey; }),
               input_.end());
}

}  // namespace hopdir::testing
