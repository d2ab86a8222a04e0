// Names on POSIX are UTF-8 bytes; the page counts them in terminal cells.
// Widths come from the C library's wcwidth under a UTF-8 locale, the
// table every terminal program on the system shares.
#ifndef HOPDIR_PLATFORM_POSIX_TEXT_WIDTH_H_
#define HOPDIR_PLATFORM_POSIX_TEXT_WIDTH_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace hopdir {

// Switches character classification to UTF-8 (C.UTF-8, else the user's
// own locale if that is UTF-8). False when no such locale exists; every
// character beyond ASCII then counts as one cell. GlyphOf calls it for the
// first character beyond ASCII, so that a run that shows none never loads
// a locale.
bool StartTextWidth();

// What a character of a name shows as on the page, and the cells it takes:
// 0 for a mark that joins the character before it, 2 for a wide one. A
// control character shows as '?' and an invalid byte or a character the
// terminal cannot be trusted to draw as U+FFFD, one cell each.
struct TextGlyph {
  char32_t shown = 0;
  int cells = 1;
};
TextGlyph GlyphOf(const Utf8Char& c);

int Utf8TextCells(std::string_view text);
// Bytes of the longest start of `text` that fits in `cells`; marks that
// join the last character that fits come with it.
size_t Utf8FitCells(std::string_view text, int cells);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_TEXT_WIDTH_H_
