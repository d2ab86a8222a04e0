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

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_UTF8_H_
