#include "ui/frame_box.h"

#include "platform/platform.h"
#include "ui/screen_write.h"

namespace hopdir {

namespace {

// Per style: top-left, top-right, bottom-left, bottom-right, top edge,
// bottom edge, left side, right side (code page 437).
constexpr unsigned char kFrameStyles[4][8] = {
    {0xDA, 0xBF, 0xC0, 0xD9, 0xC4, 0xC4, 0xB3, 0xB3},
    {0xC9, 0xBB, 0xC8, 0xBC, 0xCD, 0xCD, 0xBA, 0xBA},
    {0xDE, 0xDD, 0xDE, 0xDD, 0xDF, 0xDC, 0xDE, 0xDD},
    {0xDB, 0xDB, 0xDB, 0xDB, 0xDB, 0xDB, 0xDB, 0xDB},
};

}  // namespace

void FrameBoxObj::Init(int16_t x, int16_t y, const Str255& text) {
  // The first line is added only once the frame's own fields are set, since
  // the framed AddLine sizes the box from the pads.
  TextBlockObj::Init(x, y, Str255());
  FrameColor = DefaultFrameColor;
  LeftPad = DefaultLeftPad;
  RightPad = DefaultRightPad;
  SetFrameStyle(DefaultFrameStyle);
  if (!text.Empty()) AddLine(text);
}

void FrameBoxObj::SetFrameColor(uint8_t color) { FrameColor = color; }

void FrameBoxObj::SetFrameStyle(uint8_t style) {
  int index = style % 4 == 0 ? 3 : style % 4 - 1;
  const unsigned char* chars = kFrameStyles[index];
  TopLeft = static_cast<char>(chars[0]);
  TopRight = static_cast<char>(chars[1]);
  BottomLeft = static_cast<char>(chars[2]);
  BottomRight = static_cast<char>(chars[3]);
  TopEdge = static_cast<char>(chars[4]);
  BottomEdge = static_cast<char>(chars[5]);
  LeftSide = static_cast<char>(chars[6]);
  RightSide = static_cast<char>(chars[7]);
}

void FrameBoxObj::Layout() {
  Width = static_cast<int16_t>(X2 - X - 1 - LeftPad.Length() - RightPad.Length());
  TopLine = Str255::Repeated(TopEdge, X2 - X - 1);
  BottomLine = Str255::Repeated(BottomEdge, X2 - X - 1);
  Zone.Assign(X, X2, Y, Y2);
}

void FrameBoxObj::AddLine(const Str255& text) {
  if (LineCount >= kMaxLines) return;
  ++LineCount;
  Lines[LineCount - 1] = text;
  Y2 = static_cast<int16_t>(Y + LineCount + 1);
  const int cells = Os().console.TextCells(text.View());
  if (cells > Width) {
    Width = static_cast<int16_t>(cells);
    X2 = static_cast<int16_t>(X + Width + LeftPad.Length() + RightPad.Length() + 1);
    Layout();
  }
}

void FrameBoxObj::Draw() {
  // A box built without a line whose corners were never set has no size.
  if (X2 <= X || Y2 <= Y) return;
  Console& console = Os().console;
  MoveTo(X, Y);
  console.SetTextColor(FrameColor);
  console.SetBackColor(BackColor);
  PutGraphic(TopLeft);
  PutGraphic(TopLine.View());
  PutGraphic(TopRight);
  for (int i = 1; i <= Y2 - Y - 1; ++i) {
    MoveTo(X, Y + i);
    PutGraphic(LeftSide);
    console.SetTextColor(TextColor);
    PutText(LeftPad.View());
    const Str255& line = Line(i);
    PutText(line.View());
    PutSpaces(Width - console.TextCells(line.View()));
    PutText(RightPad.View());
    console.SetTextColor(FrameColor);
    PutGraphic(RightSide);
  }
  MoveTo(X, Y2);
  PutGraphic(BottomLeft);
  PutGraphic(BottomLine.View());
  PutGraphic(BottomRight);
}

}  // namespace hopdir
