#include "platform/utf16.h"

#include "platform/utf8.h"

namespace hopdir {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsLeadSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsTrailSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The three bytes of a code point in U+0800..U+FFFF, surrogates included.
void AppendThreeBytes(std::string& out, char32_t code) {
  out += static_cast<char>(0xE0 | (code >> 12));
  out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (code & 0x3F));
}

// A lone surrogate as UTF-8 encodes it: ED A0..BF xx.
bool DecodeSurrogate(std::string_view text, char32_t& unit) {
  if (text.size() < 3) return false;
  const auto b0 = static_cast<unsigned char>(text[0]);
  const auto b1 = static_cast<unsigned char>(text[1]);
  const auto b2 = static_cast<unsigned char>(text[2]);
  if (b0 != 0xED || b1 < 0xA0 || b1 > 0xBF || (b2 & 0xC0) != 0x80) return false;
  unit = 0xD000 | ((b1 & 0x3F) << 6) | (b2 & 0x3F);
  return true;
}

}  // namespace

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (IsLeadSurrogate(unit) && i + 1 < text.size() && IsTrailSurrogate(text[i + 1])) {
      const char32_t trail = text[++i];
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (trail - 0xDC00));
    } else if (unit >= 0x800) {
      AppendThreeBytes(out, unit);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::u16string Utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  while (!text.empty()) {
    char32_t unit = 0;
    if (DecodeSurrogate(text, unit)) {
      out += static_cast<char16_t>(unit);
      text.remove_prefix(3);
      continue;
    }
    const Utf8Char c = DecodeUtf8(text);
    text.remove_prefix(c.size);
    if (!c.valid) {
      out += kReplacement;
    } else if (c.code >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c.code - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c.code - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c.code);
    }
  }
  return out;
}

}  // namespace hopdir
