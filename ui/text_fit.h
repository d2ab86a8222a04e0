// Text cut to the cells it has on screen, by the console's own count of
// cells, never inside a character.
#ifndef HOPDIR_UI_TEXT_FIT_H_
#define HOPDIR_UI_TEXT_FIT_H_

#include <cstdint>
#include <string_view>

#include "platform/short_string.h"

namespace hopdir {

enum class CutStyle : uint8_t {
  kPlain,    // the start that fits, and nothing to say that more was cut
  kMarkEnd,  // the start, then the ellipsis mark
  kKeepEnd,  // the ellipsis mark, then the end: what tells paths apart
};

// `text` as it fits in `cells`: unchanged when it fits. A wide character
// that would straddle the cut goes whole, leaving a cell blank.
Str255 FitToCells(std::string_view text, int cells, CutStyle style);

}  // namespace hopdir

#endif  // HOPDIR_UI_TEXT_FIT_H_
