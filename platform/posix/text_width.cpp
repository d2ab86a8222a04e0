#include "platform/posix/text_width.h"

#include <clocale>
#include <cwchar>

namespace hopdir {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Whether wcwidth knows wide and joining characters; settled by
// StartTextWidth, at the latest when the first character beyond ASCII is
// measured.
bool width_settled = false;
bool width_aware = false;

bool WidthsKnown() { return wcwidth(0x4E00) == 2 && wcwidth(0x0301) == 0; }

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool StartTextWidth() {
  width_settled = true;
  for (const char* name : {"C.UTF-8", "C.utf8", ""}) {
    if (std::setlocale(LC_CTYPE, name) != nullptr && WidthsKnown()) {
      width_aware = true;
      return true;
    }
  }
  std::setlocale(LC_CTYPE, "C");
  width_aware = false;
  return false;
}

Utf8Char DecodeUtf8(std::string_view text) {
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
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return c;
  c.code = code;
  c.size = size;
  c.valid = true;
  return c;
}

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

TextGlyph GlyphOf(const Utf8Char& c) {
  if (!c.valid) return {kReplacement, 1};
  const char32_t code = c.code;
  if (code < 0x20 || (code >= 0x7F && code < 0xA0)) return {U'?', 1};
  if (code < 0x7F) return {code, 1};
  if (!width_settled) StartTextWidth();
  if (!width_aware) return {code, 1};
  const int width = wcwidth(static_cast<wchar_t>(code));
  // Unassigned and non-printing characters: terminals disagree on them.
  if (width < 0 || width > 2) return {kReplacement, 1};
  return {code, width};
}

int Utf8TextCells(std::string_view text) {
  int cells = 0;
  while (!text.empty()) {
    const Utf8Char c = DecodeUtf8(text);
    cells += GlyphOf(c).cells;
    text.remove_prefix(c.size);
  }
  return cells;
}

size_t Utf8FitCells(std::string_view text, int cells) {
  size_t fits = 0;
  int used = 0;
  while (fits < text.size()) {
    const Utf8Char c = DecodeUtf8(text.substr(fits));
    const int width = GlyphOf(c).cells;
    if (used + width > cells) break;
    used += width;
    fits += c.size;
  }
  return fits;
}

}  // namespace hopdir
