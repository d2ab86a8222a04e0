// A framed one-line field of fixed width whose text the user retypes.
#ifndef HOPDIR_UI_INPUT_BOX_H_
#define HOPDIR_UI_INPUT_BOX_H_

#include <cstdint>

#include "platform/short_string.h"
#include "ui/frame_box.h"

namespace hopdir {

// The text is line 1 of Lines; FieldLen is the field's length.
class InputBoxObj : public FrameBoxObj {
 public:
  // Sizes the box for a field of fieldLen columns (at least 1), then puts
  // `text` in it; a longer text does not widen the box.
  void Init(int16_t x, int16_t y, const Str255& text, int16_t fieldLen);
  // Blanks the field and reads each line anew with the console's own echo
  // and editing. Typing is not limited to the field; nothing is redrawn.
  void Edit();
};

}  // namespace hopdir

#endif  // HOPDIR_UI_INPUT_BOX_H_
