// Brings the terminal from what it shows to what the page holds: only the
// cells that differ, colours (xterm SGR) only when they change, and the
// cursor parked where the program left it, shown or hidden.
#ifndef HOPDIR_PLATFORM_POSIX_SCREEN_RENDER_H_
#define HOPDIR_PLATFORM_POSIX_SCREEN_RENDER_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/screen_buffer.h"

namespace hopdir {

// The SGR numbers of the console colours, which count in DOS order (1 is
// blue, 4 is red): foreground 0..15 as 30-37 and 90-97, background 0..7 as
// 40-47.
int SgrForeground(uint8_t color);
int SgrBackground(uint8_t color);

class ScreenRenderer {
 public:
  // The terminal shows something unknown (first entry, after a stop, a
  // resize or a line read with echo): the next Render repaints it whole.
  void Invalidate();
  // Appends to `out` what makes the terminal show `page`, with its cursor
  // visible or not; nothing when it already does.
  void Render(const ScreenBuffer& page, bool cursor_visible, std::string& out);

 private:
  bool ErasingIsShorter(const ScreenBuffer& page) const;
  void Erase(const ScreenBuffer& page, std::string& out);
  void RenderRow(const ScreenBuffer& page, int row, std::string& out);
  bool NeedsWrite(const ScreenBuffer& page, int col, int row) const;
  void MoveCursor(int col, int row, std::string& out);
  void SetColors(const ScreenCell& cell, std::string& out);
  ScreenCell& Shown(int col, int row) {
    return shown_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
  }
  const ScreenCell& Shown(int col, int row) const {
    return shown_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
  }

  bool valid_ = false;
  int cols_ = 0;
  int rows_ = 0;
  std::vector<ScreenCell> shown_;
  uint64_t version_ = 0;
  // The terminal's own cursor and colours; -1 when not known.
  int col_ = -1;
  int row_ = -1;
  int fg_ = -1;
  int bg_ = -1;
  int cursor_shown_ = -1;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_SCREEN_RENDER_H_
