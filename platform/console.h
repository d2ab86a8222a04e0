// The console as the programs see it: a window of character cells addressed
// by 1-based column and row, colours, and one input queue from which mouse
// events and keys are taken separately.
#ifndef HOPDIR_PLATFORM_CONSOLE_H_
#define HOPDIR_PLATFORM_CONSOLE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/short_string.h"

namespace hopdir {

// One console mouse event. Column and row are 0-based cells of the window.
struct MouseEventRecord {
  uint16_t Buttons = 0;  // bit set of the buttons held, 0 when none
  uint16_t Col = 0;
  uint16_t Row = 0;
  uint16_t Action = 0;  // kMousePressed when a button went down
  // kMouseWheeled: the notches turned, positive away from the user (up).
  int16_t Wheel = 0;
  // When the console took the event in, in milliseconds of a clock of its
  // own: what tells the two presses of a double click from two single ones.
  uint32_t Time = 0;
};

inline constexpr uint16_t kMousePressed = 1;
inline constexpr uint16_t kMouseMoved = 2;
inline constexpr uint16_t kMouseReleased = 3;
inline constexpr uint16_t kMouseWheeled = 4;

// What waits first in the console input.
enum class InputKind : uint8_t { kNone, kKey, kMouse };

// WaitForInput without a limit: until input, a signal or a resize.
inline constexpr int kWaitWithoutLimit = -1;

class Console {
 public:
  virtual ~Console() = default;

  // Takes the console or terminal itself for a full-screen page, also when
  // the standard handles are redirected; false when the process has none.
  virtual bool OpenScreen() = 0;
  // True once after the window changed its size; the owner of the page
  // measures it again and rebuilds.
  virtual bool WindowResized() = 0;

  // Cursor to a 1-based column and row of the visible window; a position
  // outside it (0, or beyond the window's size) is ignored entirely. The
  // screen probe measures the window by relying on this.
  virtual void GotoXY(uint8_t col, uint8_t row) = 0;
  virtual int WhereX() = 0;  // 1-based cursor column within the window
  virtual int WhereY() = 0;  // 1-based cursor row within the window
  virtual int WindowCols() = 0;
  virtual int WindowRows() = 0;

  virtual void SetTextColor(uint8_t color) = 0;  // 0..15
  virtual void SetBackColor(uint8_t color) = 0;  // 0..7
  // Fills the window with blanks in the current colours; cursor to (1, 1).
  virtual void ClearScreen() = 0;

  // Names and messages, in the code page the file APIs use. Returns the
  // platform's I/O error number, 0 on success.
  virtual int WriteText(std::string_view bytes) = 0;
  // Frame, block and arrow characters: code page 437 bytes, shown as such
  // whatever the console's own code page is.
  virtual int WriteGraphic(std::string_view bytes) = 0;
  // A message followed by a line break (CR LF on redirected output): halts,
  // reports and warnings. Standard output on Windows; standard error on
  // POSIX, where standard output is kept for what a program prints.
  virtual int WriteLine(std::string_view bytes) = 0;
  // One line on standard error: for what must not mix with a redirected
  // standard output.
  virtual int WriteErrorLine(std::string_view bytes) = 0;
  // One line of what a program prints (a destination, its usage when asked,
  // a list) on standard output. Windows keeps messages there as well.
  virtual int WriteOutputLine(std::string_view bytes) { return WriteLine(bytes); }

  // The screen cells that `text` takes when written, and the bytes of its
  // longest start that fits in `cells` without cutting a character: one
  // byte a cell in a single-byte code page; UTF-8 counts characters, wide
  // ones twice.
  virtual int TextCells(std::string_view text) = 0;
  virtual size_t FitCells(std::string_view text, int cells) = 0;
  // The mark, one cell wide, that stands for the part of a name cut off to
  // fit its row: an ellipsis where the console shows one.
  virtual std::string_view EllipsisMark() = 0;

  // The cursor hidden while a page is shown, or shown again; the console
  // shows it as found whenever the program ends.
  virtual void ShowCursor(bool shown) = 0;

  // Mouse input on (quick-edit off) and back to the mode found at start.
  virtual void EnableMouse() = 0;
  virtual void DisableMouse() = 0;
  // Takes one waiting mouse event without blocking; false when none waits.
  // Keys waiting in the input stay where they are.
  virtual bool TakeMouseEvent(MouseEventRecord& event) = 0;
  // Keys and mouse events in the order they came: which of them waits
  // first, without blocking, once what was drawn is on the screen.
  virtual InputKind NextInput() = 0;
  // Blocks until a key or a mouse event waits, or the window changed its
  // size, or for at most `milliseconds` (kWaitWithoutLimit: no limit).
  // It wakes for nothing else, so a page that waits costs no processor.
  virtual void WaitForInput(int milliseconds) = 0;
  // Two presses of the same button on the same cell at most this far
  // apart make a double click.
  virtual int DoubleClickMilliseconds() = 0;

  virtual bool KeyPressed() = 0;
  // One key; an extended key reads as 0 followed by its code.
  virtual char ReadKey() = 0;
  // One line with the console's own echo and editing, without its ending;
  // at most 255 characters are kept. Returns the I/O error number.
  virtual int ReadLine(Str255& line) = 0;
  // Drops every key waiting in the console input.
  virtual void DiscardKeys() = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_CONSOLE_H_
