// UTF-8, the form names take inside the programs on every platform: one
// character at a time, the longest start of a name that ends between two
// characters, and the cells a character takes in a console that draws East
// Asian wide characters two cells wide.
#ifndef HOPDIR_PLATFORM_UTF8_H_
#define HOPDIR_PLATFORM_UTF8_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace hopdir {

// One character of UTF-8 text: `size` bytes, 1 for a byte that starts no
// valid character (overlong forms, surrogates and truncated sequences
// included).
struct Utf8Char {
  char32_t code = 0;
  size_t size = 1;
  bool valid = false;
};
// The character at the start of `text`, which must not be empty.
Utf8Char DecodeUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t code);

// Whether `text` is UTF-8 throughout. Windows names may hold a surrogate
// without its partner; such a name is UTF-8 here when `surrogates_allowed`,
// each lone surrogate in the three bytes UTF-8 would give it.
bool IsUtf8(std::string_view text, bool surrogates_allowed = false);

// The bytes of the longest start of `text`, at most `max_bytes`, that ends
// between two characters; bytes that are no UTF-8 count one by one.
size_t Utf8ClipLength(std::string_view text, size_t max_bytes);

// Whether a character takes two cells: East Asian wide and fullwidth ones
// (CJK ideographs, kana, hangul, fullwidth forms, most emoji).
bool IsEastAsianWide(char32_t code);
// The cells `text` takes where each character takes one, the wide ones two
// and each byte that is no UTF-8 one; and the bytes of its longest start
// that fits in `cells`.
int EastAsianTextCells(std::string_view text);
size_t EastAsianFitCells(std::string_view text, int cells);

// The same two measures for a console whose cells per character
// `cells_of(Utf8Char)` tells.
template <typename CellsOf>
int TextCellsBy(std::string_view text, CellsOf cells_of) {
  int cells = 0;
  while (!text.empty()) {
    const Utf8Char c = DecodeUtf8(text);
    cells += cells_of(c);
    text.remove_prefix(c.size);
  }
  return cells;
}
template <typename CellsOf>
size_t FitCellsBy(std::string_view text, int cells, CellsOf cells_of) {
  size_t fits = 0;
  int used = 0;
  while (fits < text.size()) {
    const Utf8Char c = DecodeUtf8(text.substr(fits));
    const int width = cells_of(c);
    if (used + width > cells) break;
    used += width;
    fits += c.size;
  }
  return fits;
}

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_UTF8_H_
