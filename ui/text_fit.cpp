#include "ui/text_fit.h"

#include "platform/platform.h"

namespace hopdir {

Str255 FitToCells(std::string_view text, int cells, CutStyle style) {
  Console& console = Os().console;
  if (cells <= 0) return Str255();
  const int width = console.TextCells(text);
  if (width <= cells) return Str255(text);
  if (style == CutStyle::kPlain) return Str255(text.substr(0, console.FitCells(text, cells)));
  const std::string_view mark = console.EllipsisMark();
  const int room = cells - console.TextCells(mark);
  if (style == CutStyle::kMarkEnd) {
    return Str255(text.substr(0, console.FitCells(text, room))) + Str255(mark);
  }
  // The end that fits: drop the start that takes the cells in excess, and
  // one character more where a wide one straddles that cut.
  const int dropped = width - room;
  size_t cut = console.FitCells(text, dropped);
  if (console.TextCells(text.substr(0, cut)) < dropped) cut = console.FitCells(text, dropped + 1);
  return Str255(mark) + Str255(text.substr(cut));
}

}  // namespace hopdir
