#include "platform/utf8.h"

#include <algorithm>
#include <iterator>

namespace hopdir {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// The character at the start of `text`, a surrogate accepted when
// `surrogates_allowed`.
Utf8Char Decode(std::string_view text, bool surrogates_allowed) {
  const auto lead = static_cast<unsigned char>(text[0]);
  Utf8Char c;
  c.code = lead;
  if (lead < 0x80) {
    c.valid = true;
    return c;
  }
  size_t size = 0;
  char32_t code = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2;
    code = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3;
    code = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4;
    code = lead & 0x07;
    least = 0x10000;
  } else {
    return c;
  }
  if (text.size() < size) return c;
  for (size_t i = 1; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return c;
    code = (code << 6) | (byte & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (IsSurrogate(code) && !surrogates_allowed)) return c;
  c.code = code;
  c.size = size;
  c.valid = true;
  return c;
}

// The blocks whose characters the East Asian Width property calls wide or
// fullwidth, first and last of each, in ascending order.
struct CodeRange {
  char32_t first;
  char32_t last;
};
constexpr CodeRange kWideRanges[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4},
    {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F202}, {0x1F210, 0x1F23B},
    {0x1F240, 0x1F248}, {0x1F250, 0x1F251}, {0x1F260, 0x1F265}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

int CellsOf(const Utf8Char& c) { return c.valid && IsEastAsianWide(c.code) ? 2 : 1; }

}  // namespace

Utf8Char DecodeUtf8(std::string_view text) { return Decode(text, false); }

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsUtf8(std::string_view text, bool surrogates_allowed) {
  while (!text.empty()) {
    const Utf8Char c = Decode(text, surrogates_allowed);
    if (!c.valid) return false;
    text.remove_prefix(c.size);
  }
  return true;
}

size_t Utf8ClipLength(std::string_view text, size_t max_bytes) {
  if (text.size() <= max_bytes) return text.size();
  // Back to the lead byte of the character the cut falls in; a character
  // that ends right at the cut, and bytes that are no UTF-8, stay.
  size_t start = max_bytes;
  while (start > 0 && max_bytes - start < 4 &&
         IsContinuation(static_cast<unsigned char>(text[start]))) {
    --start;
  }
  const auto lead = static_cast<unsigned char>(text[start]);
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return start + length > max_bytes && (lead & 0xC0) == 0xC0 ? start : max_bytes;
}

bool IsEastAsianWide(char32_t code) {
  const auto* end = std::end(kWideRanges);
  const auto* range = std::lower_bound(std::begin(kWideRanges), end, code,
                                       [](const CodeRange& r, char32_t c) { return r.last < c; });
  return range != end && range->first <= code;
}

int EastAsianTextCells(std::string_view text) { return TextCellsBy(text, CellsOf); }

size_t EastAsianFitCells(std::string_view text, int cells) {
  return FitCellsBy(text, cells, CellsOf);
}

}  // namespace hopdir
