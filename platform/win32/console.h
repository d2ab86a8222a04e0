// The Windows console: output through a shadow of the visible window that
// is written back in one call at the points where the program waits, and
// input records taken into one queue of keys and mouse events. A page uses the
// console itself (CONOUT$, CONIN$) when the standard handles are redirected;
// messages then stay with standard output. Text is UTF-8 in the programs
// and UTF-16 in the console.
#ifndef HOPDIR_PLATFORM_WIN32_CONSOLE_H_
#define HOPDIR_PLATFORM_WIN32_CONSOLE_H_

#include <atomic>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "platform/console.h"
#include "platform/win32/windows_api.h"

namespace hopdir {

class Win32Console : public Console {
 public:
  Win32Console();
  Win32Console(const Win32Console&) = delete;
  Win32Console& operator=(const Win32Console&) = delete;

  // Ctrl+C, Ctrl+Break and closing the window from now on restore the
  // console's modes before the process ends (without a batch file).
  void EndOnControlEvents();
  // Everything buffered onto the screen, then the input mode and colours
  // back as they were found; the last step before the process ends.
  void Shutdown();
  // The control handler's part of Shutdown, from the handler's own thread.
  void RestoreModesFromControlEvent();

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
  // Names are UTF-8; an East Asian wide character takes two cells.
  int TextCells(std::string_view text) override;
  size_t FitCells(std::string_view text, int cells) override;
  // Code page 437, the console's own, has no ellipsis: a tilde, as in the
  // short names that Windows cuts long ones to (PROGRA~1).
  std::string_view EllipsisMark() override { return "~"; }
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
  // --- output ---
  void TakeScreen(DWORD mode);
  bool LoadGeometry();
  bool LoadCells();
  int Put(const std::wstring& text, bool controls, bool direct);
  int PutDirect(std::wstring_view text);
  int Commit();
  void Flush();
  int Width() const { return window_.Right - window_.Left + 1; }
  int Height() const { return window_.Bottom - window_.Top + 1; }

  // --- input ---
  void Pump();
  void Take(const INPUT_RECORD& record, const SMALL_RECT& window);
  bool ScreenWindow(SMALL_RECT& window);
  bool RawKeyWaiting();
  char ReadRawKey();
  int ReadRawLine(Str255& line);
  void RestoreModes();

  HANDLE std_out_;  // redirected: lines always, all text while no page is open
  HANDLE out_;      // the console's screen buffer: the page, and mouse positions
  HANDLE in_;       // standard input, or the console's own once a page needs it
  bool std_out_console_ = false;
  bool out_console_ = false;  // text goes to the console through out_
  bool in_console_ = false;
  bool wrap_at_eol_ = true;
  UINT text_code_page_;  // of typed text: UTF-8, the form of names

  WORD original_attribute_ = 0x07;
  WORD attribute_ = 0x07;
  WORD console_attribute_ = 0x07;
  int sticky_error_ = 0;  // a failed flush, reported by the next write

  // The shadow of the visible window; valid until the program waits.
  bool geometry_valid_ = false;
  bool cells_valid_ = false;
  SMALL_RECT window_ = {};
  COORD buffer_size_ = {};
  COORD cursor_ = {};
  COORD console_cursor_ = {};
  std::vector<CHAR_INFO> cells_;
  bool dirty_ = false;
  int dirty_left_ = 0;
  int dirty_top_ = 0;
  int dirty_right_ = 0;
  int dirty_bottom_ = 0;

  DWORD original_input_mode_ = 0;
  std::atomic<DWORD> mouse_saved_mode_{0};
  std::atomic<bool> mouse_mode_saved_{false};
  std::atomic<bool> mouse_mode_active_{false};
  // The cursor as found, put back at every exit while it is hidden.
  CONSOLE_CURSOR_INFO saved_cursor_ = {};
  std::atomic<bool> cursor_hidden_{false};
  int known_cols_ = 0;  // the window's size when last looked at
  int known_rows_ = 0;

  // Keys (one key-down record each, repeat count 1) and mouse events in the
  // order they came.
  struct QueuedInput {
    bool Mouse = false;
    INPUT_RECORD Key = {};
    MouseEventRecord Event;
  };
  std::deque<QueuedInput> input_;
  // What ReadKey hands out next: the code after the 0 of an extended key,
  // or the rest of a character's UTF-8 bytes.
  std::string pending_;
  DWORD previous_buttons_ = 0;
  bool raw_input_ended_ = false;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_WIN32_CONSOLE_H_
