#include "ui/menu_base.h"

#include "platform/platform.h"
#include "ui/screen_write.h"

namespace hopdir {

uint8_t DefaultFrameColor = 15;
uint8_t DefaultTextColor = 15;
uint8_t DefaultBackColor = 1;
uint8_t DefaultArrowColor = 14;
uint8_t DefaultMarkColor = 2;
Str255 DefaultLeftPad(" ");
Str255 DefaultRightPad(" ");
uint8_t DefaultFrameStyle = 1;

void StartMenuObjects() {
  DefaultFrameColor = 15;
  DefaultTextColor = 15;
  DefaultBackColor = 1;
  DefaultArrowColor = 14;
  DefaultMarkColor = 2;
  DefaultLeftPad = " ";
  DefaultRightPad = " ";
  DefaultFrameStyle = 1;
  MouseCol = 0;
  MouseRow = 0;
}

void TextBlockObj::Init(int16_t x, int16_t y, const Str255& text) {
  Zone.Init(0, 0, 0, 0);
  TextColor = DefaultTextColor;
  BackColor = DefaultBackColor;
  X = x;
  Y = y;
  LineCount = 0;
  FieldLen = 0;
  Width = 0;
  if (!text.Empty()) AddLine(text);
}

void TextBlockObj::SetTextColor(uint8_t color) { TextColor = color; }

void TextBlockObj::SetBackColor(uint8_t color) { BackColor = color; }

void TextBlockObj::AddLine(const Str255& text) {
  if (LineCount >= kMaxLines) return;
  ++LineCount;
  Lines[LineCount - 1] = text;
  Y2 = static_cast<int16_t>(Y + LineCount - 1);
  const int cells = Os().console.TextCells(text.View());
  if (cells > Width) {
    Width = static_cast<int16_t>(cells);
    X2 = static_cast<int16_t>(X + Width - 1);
  }
}

void TextBlockObj::Draw() {
  Os().console.SetTextColor(TextColor);
  Os().console.SetBackColor(BackColor);
  for (int i = 1; i <= Y2 - Y + 1; ++i) {
    MoveTo(X, Y + i - 1);
    const Str255& line = Line(i);
    PutText(line.View());
    PutSpaces(Width - Os().console.TextCells(line.View()));
  }
}

const Str255& TextBlockObj::Line(int i) const {
  static const Str255 kNoLine;
  return i >= 1 && i <= LineCount ? Lines[i - 1] : kNoLine;
}

}  // namespace hopdir
