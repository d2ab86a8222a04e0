#include "platform/posix/control_escapes.h"

#include "platform/posix/text_width.h"

namespace hopdir {
namespace {

void AppendHex(std::string& out, std::string_view prefix, unsigned value) {
  constexpr char kHex[] = "0123456789abcdef";
  out += prefix;
  out += kHex[(value >> 4) & 0x0F];
  out += kHex[value & 0x0F];
}

}  // namespace

std::string EscapedControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Char c = DecodeUtf8(text);
    if (!c.valid) {
      AppendHex(out, "\\x", static_cast<unsigned char>(text[0]));
    } else if (c.code < 0x20 || c.code == 0x7F) {
      AppendHex(out, "\\x", static_cast<unsigned>(c.code));
    } else if (c.code >= 0x80 && c.code < 0xA0) {
      AppendHex(out, "\\u00", static_cast<unsigned>(c.code));
    } else if (c.code == '\\') {
      out += "\\\\";
    } else {
      out.append(text.substr(0, c.size));
    }
    text.remove_prefix(c.size);
  }
  return out;
}

}  // namespace hopdir
