// A console for tests: a grid of cells with colours, a cursor that wraps and
// scrolls as the Windows console does, a scripted input queue of keys,
// mouse events and typed lines, and everything written captured as bytes.
#ifndef HOPDIR_TESTS_SUPPORT_FAKE_CONSOLE_H_
#define HOPDIR_TESTS_SUPPORT_FAKE_CONSOLE_H_

#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/console.h"

namespace hopdir::testing {

// Thrown when a program waits for input that the test never scripted, so a
// test fails instead of hanging.
struct InputExhausted : std::runtime_error {
  InputExhausted() : std::runtime_error("the scripted console input is exhausted") {}
};

struct Cell {
  char Char = ' ';
  uint8_t Fore = 7;
  uint8_t Back = 0;
};

class FakeConsole : public Console {
 public:
  FakeConsole(int cols = 80, int rows = 25);

  // --- set-up and inspection ---
  void Resize(int cols, int rows);           // clears the grid
  const Cell& At(int col, int row) const;    // 1-based
  std::string Row(int row) const;            // all cells of a row
  std::string RowTrimmed(int row) const;     // without trailing blanks
  std::string Screen() const;                // every row, '\n' after each
  std::string RowForeground(int row) const;  // colour of each cell as a hex digit
  std::string RowBackground(int row) const;

  // Scripting: mouse cells are 1-based, as the menus count them. Each
  // mouse event is taken in a second after the one before (NextEventAfter
  // makes the next one come sooner).
  void PushPress(int col, int row, uint16_t buttons = 1);
  void PushRelease(int col, int row);
  void PushMove(int col, int row, uint16_t buttons = 0);
  void PushWheel(int col, int row, int notches);
  // The next mouse event comes `milliseconds` after the one before.
  void NextEventAfter(int milliseconds) { next_event_gap_ = milliseconds; }
  void PushKey(char key);
  void PushExtendedKey(char code);  // 0 then the code
  void PushLine(const std::string& line);
  // The window takes a new size (and is cleared) once the input before
  // this point has been taken.
  void PushResize(int cols, int rows);
  int PendingKeys() const;
  int PendingMouseEvents() const;

  std::string Output;       // every byte written, in order
  std::string ErrorOutput;  // every line written to standard error
  std::string LineEnding = "\r\n";
  // Messages (WriteLine) go to ErrorOutput, as on POSIX; else to Output.
  bool MessagesToErrorOutput = false;
  bool HasScreen = true;  // whether OpenScreen finds a console
  int OpenScreenCalls = 0;
  uint8_t TextColor = 7;
  uint8_t BackColor = 0;
  bool MouseEnabled = false;
  int EnableMouseCalls = 0;
  int DisableMouseCalls = 0;
  int DiscardKeysCalls = 0;
  bool CursorShown = true;
  int ShowCursorCalls = 0;
  int DoubleClickTime = 500;
  std::string Ellipsis = "~";
  int WriteFailsWith = 0;  // nonzero: every write fails with this I/O error
  // Consecutive empty mouse polls after which InputExhausted is thrown.
  int IdlePollLimit = 10000;

  // --- Console ---
  bool OpenScreen() override;
  bool WindowResized() override;
  void GotoXY(uint8_t col, uint8_t row) override;
  int WhereX() override { return cursor_col_; }
  int WhereY() override { return cursor_row_; }
  int WindowCols() override { return cols_; }
  int WindowRows() override { return rows_; }
  void SetTextColor(uint8_t color) override { TextColor = color & 0x0F; }
  void SetBackColor(uint8_t color) override { BackColor = color & 0x07; }
  void ClearScreen() override;
  int WriteText(std::string_view bytes) override { return Put(bytes); }
  int WriteGraphic(std::string_view bytes) override { return Put(bytes); }
  int WriteLine(std::string_view bytes) override;
  int WriteErrorLine(std::string_view bytes) override;
  int WriteOutputLine(std::string_view bytes) override;
  int TextCells(std::string_view text) override { return static_cast<int>(text.size()); }
  size_t FitCells(std::string_view text, int cells) override;
  std::string_view EllipsisMark() override { return Ellipsis; }
  void ShowCursor(bool shown) override;
  void EnableMouse() override;
  void DisableMouse() override;
  bool TakeMouseEvent(MouseEventRecord& event) override;
  InputKind NextInput() override;
  void WaitForInput(int milliseconds) override;
  int DoubleClickMilliseconds() override { return DoubleClickTime; }
  bool KeyPressed() override;
  char ReadKey() override;
  int ReadLine(Str255& line) override;
  void DiscardKeys() override;

 public:
  struct InputItem {
    enum Kind { kKey, kMouse, kResize } kind;
    char key;
    MouseEventRecord mouse;  // a resize keeps its columns and rows in Col and Row
  };

 private:
  int Put(std::string_view bytes);
  void NewLine();
  void PushMouse(int col, int row, uint16_t buttons, uint16_t action, int16_t wheel = 0);
  Cell& CellAt(int col, int row);

  int cols_;
  int rows_;
  int cursor_col_ = 1;
  int cursor_row_ = 1;
  std::vector<Cell> cells_;
  std::deque<InputItem> input_;
  std::deque<std::string> lines_;
  int idle_polls_ = 0;
  uint32_t clock_ = 0;
  int next_event_gap_ = 1000;
};

}  // namespace hopdir::testing

#endif  // HOPDIR_TESTS_SUPPORT_FAKE_CONSOLE_H_
