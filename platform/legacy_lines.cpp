#include "platform/legacy_lines.h"

#include "platform/utf8.h"

namespace hopdir {

bool TextOfLine(std::string_view line, const LegacyCodePage& legacy, std::string& text) {
  // A name of Windows may hold a lone surrogate, which the line then holds
  // as UTF-8 would give it.
  if (IsUtf8(line, true)) {
    text.assign(line);
    return true;
  }
  return legacy.ToUtf8(line, text);
}

std::string LineOfText(std::string_view text, const LegacyCodePage& legacy) {
  std::string bytes;
  // Legacy bytes that happen to be UTF-8 as well would read back as other
  // characters: such a line goes in UTF-8 ("Ã¼" in code page 1252 is the
  // UTF-8 of "ü").
  if (legacy.FromUtf8(text, bytes) && (bytes == text || !IsUtf8(bytes, true))) return bytes;
  return std::string(text);
}

}  // namespace hopdir
