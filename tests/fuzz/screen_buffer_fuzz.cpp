// Any names drawn on the page in any window: the shadow buffer of the POSIX
// console takes bytes that are UTF-8 or not, wide characters, joining marks
// and controls, cursor moves, colours and resizes, and keeps its grid whole:
// the cursor inside the window, every wide character's two halves side by
// side, and in every cell valid UTF-8 of at most kMaxBytes bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/posix/screen_buffer.h"
#include "platform/posix/text_width.h"

namespace {

bool ValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const hopdir::Utf8Char c = hopdir::DecodeUtf8(text);
    if (!c.valid) return false;
    text.remove_prefix(c.size);
  }
  return true;
}

bool Whole(const hopdir::ScreenBuffer& screen) {
  if (screen.CursorCol() < 0 || screen.CursorCol() >= screen.Cols() || screen.CursorRow() < 0 ||
      screen.CursorRow() >= screen.Rows()) {
    return false;
  }
  for (int row = 0; row < screen.Rows(); ++row) {
    for (int col = 0; col < screen.Cols(); ++col) {
      const hopdir::ScreenCell& cell = screen.At(col, row);
      if (cell.width == hopdir::ScreenCell::kRightHalf) {
        if (cell.size != 0 || col == 0 ||
            screen.At(col - 1, row).width != hopdir::ScreenCell::kWide) {
          return false;
        }
        continue;
      }
      if (cell.size == 0 || cell.size > hopdir::ScreenCell::kMaxBytes || !ValidUtf8(cell.Text())) {
        return false;
      }
      if (cell.width == hopdir::ScreenCell::kWide &&
          (col + 1 == screen.Cols() ||
           screen.At(col + 1, row).width != hopdir::ScreenCell::kRightHalf)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool width_aware = hopdir::StartTextWidth();
  (void)width_aware;
  hopdir::ScreenBuffer screen;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  // Each step: an operation byte, an argument byte, and for text that
  // many bytes.
  while (rest.size() >= 2) {
    const auto operation = static_cast<unsigned char>(rest[0]);
    const auto argument = static_cast<unsigned char>(rest[1]);
    rest.remove_prefix(2);
    switch (operation % 6) {
      case 0:
        screen.Resize(argument % 12, operation / 6 % 8);
        break;
      case 1:
        screen.MoveTo(argument % screen.Cols(), operation / 6 % screen.Rows());
        break;
      case 2:
        screen.SetColors(argument & 0x0F, argument >> 4 & 0x07);
        break;
      case 3:
      case 4: {
        const std::string_view text = rest.substr(0, argument % 48);
        rest.remove_prefix(text.size());
        if (operation % 6 == 3) {
          screen.PutText(text);
        } else {
          screen.PutGraphic(text);
        }
        break;
      }
      default:
        screen.Clear();
        break;
    }
    if (!Whole(screen)) std::abort();
  }
  return 0;
}
