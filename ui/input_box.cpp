#include "ui/input_box.h"

#include "containers/io_check.h"
#include "platform/platform.h"
#include "ui/screen_write.h"

namespace hopdir {

void InputBoxObj::Init(int16_t x, int16_t y, const Str255& text, int16_t fieldLen) {
  FrameBoxObj::Init(x, y, Str255());
  FieldLen = fieldLen;
  AddLine(Str255::Repeated(' ', fieldLen > 1 ? fieldLen : 1));
  Lines[0] = text;
}

void InputBoxObj::Edit() {
  Os().console.SetTextColor(TextColor);
  int col = X + 1 + LeftPad.Length();
  for (int i = 1; i <= LineCount; ++i) {
    MoveTo(col, Y + i);
    PutSpaces(Width > 1 ? Width : 1);
  }
  for (int i = 1; i <= LineCount; ++i) {
    MoveTo(col, Y + i);
    CheckIo(Os().console.ReadLine(Lines[i - 1]));
  }
}

}  // namespace hopdir
