// The terminal as the programs see it. Messages go to standard output and
// standard error; the page goes to the terminal itself (/dev/tty), in raw
// mode on the alternate screen with xterm mouse reporting, drawn into a
// shadow of the window that is written out in one write(2) when the
// program waits for input.
#ifndef HOPDIR_PLATFORM_POSIX_CONSOLE_H_
#define HOPDIR_PLATFORM_POSIX_CONSOLE_H_

#include "platform/console.h"

namespace hopdir {

class PosixConsole : public Console {
 public:
  PosixConsole();
  PosixConsole(const PosixConsole&) = delete;
  PosixConsole& operator=(const PosixConsole&) = delete;

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
  int TextCells(std::string_view text) override;
  size_t FitCells(std::string_view text, int cells) override;
  void EnableMouse() override;
  void DisableMouse() override;
  bool TakeMouseEvent(MouseEventRecord& event) override;
  void WaitForInput(int milliseconds) override;
  bool KeyPressed() override;
  char ReadKey() override;
  int ReadLine(Str255& line) override;
  void DiscardKeys() override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_CONSOLE_H_
