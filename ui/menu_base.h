// The menu toolkit's shared ground: the defaults every new object copies,
// and the base object, a block of text lines at a screen position, whose
// two virtual operations (AddLine, then Draw) every menu object overrides.
#ifndef HOPDIR_UI_MENU_BASE_H_
#define HOPDIR_UI_MENU_BASE_H_

#include <cstdint>

#include "platform/short_string.h"
#include "ui/hot_zone.h"

namespace hopdir {

// Copied into each object by its Init; a program may change them before it
// builds its objects.
extern uint8_t DefaultFrameColor;
extern uint8_t DefaultTextColor;
extern uint8_t DefaultBackColor;
extern uint8_t DefaultArrowColor;
extern uint8_t DefaultMarkColor;
extern Str255 DefaultLeftPad;
extern Str255 DefaultRightPad;
extern uint8_t DefaultFrameStyle;

// Sets the start-up defaults (white on blue, yellow arrows, green marks,
// one-space pads, single-line frames) and clears the mouse position.
void StartMenuObjects();

inline constexpr int kMaxLines = 5;

class TextBlockObj {
 public:
  Str255 Lines[kMaxLines];  // line i (1-based) is Lines[i - 1]
  int16_t X = 0;
  int16_t Y = 0;
  int16_t X2 = 0;     // right column, inclusive
  int16_t Y2 = 0;     // bottom row, inclusive
  int16_t Width = 0;  // columns each line is padded to
  int16_t LineCount = 0;
  int16_t FieldLen = 0;  // input fields only
  uint8_t TextColor = 0;
  uint8_t BackColor = 0;
  HotZoneObj Zone;

  // Zone all zeros, default colours, no lines; then `text` as the first line
  // unless it is empty. X2 and Y2 are set by AddLine only.
  void Init(int16_t x, int16_t y, const Str255& text);
  void SetTextColor(uint8_t color);
  void SetBackColor(uint8_t color);

  // Appends a line and grows the block. A sixth line is refused: Lines has
  // room for five, and the block stays as it was.
  virtual void AddLine(const Str255& text);
  // Paints the lines, each padded to Width, in TextColor on BackColor.
  virtual void Draw();

  virtual ~TextBlockObj() = default;

 protected:
  // Line i (1-based), empty outside 1..LineCount.
  const Str255& Line(int i) const;
};

}  // namespace hopdir

#endif  // HOPDIR_UI_MENU_BASE_H_
