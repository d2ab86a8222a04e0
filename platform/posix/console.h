// The terminal as the programs see it. Messages go to standard error and
// what a program prints to standard output; the page goes to the terminal
// itself (/dev/tty), in raw mode on the alternate screen with xterm mouse
// reporting, drawn into a shadow of the window that is written out in one
// write(2) when the program waits for input.
#ifndef HOPDIR_PLATFORM_POSIX_CONSOLE_H_
#define HOPDIR_PLATFORM_POSIX_CONSOLE_H_

#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/posix/input_decoder.h"
#include "platform/posix/screen_buffer.h"
#include "platform/posix/screen_render.h"
#include "platform/posix/terminal_modes.h"

namespace hopdir {

class PosixConsole : public Console {
 public:
  PosixConsole();
  // The page on another terminal device than the controlling one.
  explicit PosixConsole(const char* terminal_path);
  PosixConsole(const PosixConsole&) = delete;
  PosixConsole& operator=(const PosixConsole&) = delete;
  ~PosixConsole() override;

  // Everything drawn onto the terminal, then the terminal as it was found:
  // the last step before the process ends.
  void Shutdown();

  bool OpenScreen() override;
  bool WindowResized() override;
  void GotoXY(uint8_t col, uint8_t row) override;
  int WhereX() override;
  int WhereY() override;
  int WindowCols() override;
  int WindowRows() override;
  void SetTextColor(uint8_t color) override;
  void SetBackColor(uint8_t color) override;
  void ClearScreen() override;
  int WriteText(std::string_view bytes) override;
  int WriteGraphic(std::string_view bytes) override;
  int WriteLine(std::string_view bytes) override;
  int WriteErrorLine(std::string_view bytes) override;
  int WriteOutputLine(std::string_view bytes) override;
  int TextCells(std::string_view text) override;
  size_t FitCells(std::string_view text, int cells) override;
  std::string_view EllipsisMark() override;
  void ShowCursor(bool shown) override;
  void EnableMouse() override;
  void DisableMouse() override;
  bool TakeMouseEvent(MouseEventRecord& event) override;
  InputKind NextInput() override;
  void WaitForInput(int milliseconds) override;
  int DoubleClickMilliseconds() override;
  bool KeyPressed() override;
  char ReadKey() override;
  int ReadLine(Str255& line) override;
  void DiscardKeys() override;

 private:
  using Clock = std::chrono::steady_clock;

  // --- the page (console.cpp) ---
  bool OpenTerminal();
  void LoadGeometry();
  void MeasureWindow();
  void ServiceSignals();
  bool EnterModes();
  void Flush();
  void LeavePage();
  // Nothing of the page is on the terminal any more: the next flush starts
  // it afresh.
  void ForgetPage();

  // --- output (console_output.cpp) ---
  int TakeError();
  int WriteMessage(int fd, std::string_view bytes);

  // --- input (console_input.cpp) ---
  void Pump();
  int Wait(int milliseconds);
  int ReadTerminalLine(std::string& text);
  int ReadPlainLine(std::string& text);
  std::string TakeTypedLine(bool& ended);

  const char* terminal_path_;
  TerminalModes terminal_;
  bool terminal_tried_ = false;
  bool geometry_loaded_ = false;
  ScreenBuffer page_;
  ScreenRenderer renderer_;
  // The page is wanted on the terminal: drawn into, or taking the mouse,
  // since the start or since it was left for a message.
  bool page_drawn_ = false;
  bool mouse_wanted_ = false;
  bool mouse_shown_ = false;
  bool wrap_shown_ = false;  // autowrap, on only for the echo of a line read
  bool cursor_hidden_ = false;
  bool reading_line_ = false;
  bool resized_ = false;
  int sticky_error_ = 0;  // a failed update, reported by the next write

  InputDecoder decoder_;
  Clock::time_point last_input_;
  std::vector<TerminalInput> decoded_;
  // Keys and mouse events in the order they came; an extended key is two
  // keys, 0 and its code.
  std::deque<TerminalInput> input_;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_CONSOLE_H_
