// A box of text lines inside a frame of code page 437 box characters: the
// toolkit's buttons and labels, and the base of the input field and lists.
#ifndef HOPDIR_UI_FRAME_BOX_H_
#define HOPDIR_UI_FRAME_BOX_H_

#include <cstdint>

#include "platform/short_string.h"
#include "ui/menu_base.h"

namespace hopdir {

// The frame occupies columns X and X2 and rows Y and Y2; each inner row
// holds LeftPad, the line padded to Width, and RightPad.
class FrameBoxObj : public TextBlockObj {
 public:
  uint8_t FrameColor = 0;
  char TopLeft = 0;
  char TopRight = 0;
  char BottomLeft = 0;
  char BottomRight = 0;
  char LeftSide = 0;
  char RightSide = 0;
  char TopEdge = 0;
  char BottomEdge = 0;
  Str255 TopLine;  // TopEdge across the inner width, prepared by Layout
  Str255 BottomLine;
  Str255 LeftPad;
  Str255 RightPad;

  // Defaults for colours, pads and frame style; then `text` as the first
  // line unless it is empty. Without a line the box has no size until its
  // owner sets X2 and Y2 and calls Layout.
  void Init(int16_t x, int16_t y, const Str255& text);
  void SetFrameColor(uint8_t color);
  // 1 single line, 2 double line, 3 half blocks, 4 full block; any byte is
  // taken modulo 4, with 0 meaning 4.
  void SetFrameStyle(uint8_t style);
  // Recomputes Width, TopLine, BottomLine and Zone from the corners and pads.
  void Layout();

  // Appends a line; the box grows one row, and widens (with a new Layout)
  // only when the line is longer than Width. A sixth line is refused.
  void AddLine(const Str255& text) override;
  // Frame in FrameColor, pads and lines in TextColor, all on BackColor. A
  // line longer than Width is written whole, pushing the right side out.
  // A box without size (no line, corners never set) draws nothing.
  void Draw() override;
};

}  // namespace hopdir

#endif  // HOPDIR_UI_FRAME_BOX_H_
