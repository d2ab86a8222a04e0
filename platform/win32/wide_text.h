// Names between the Windows API (UTF-16) and the programs (UTF-8), and the
// ANSI code page that the history was written in before names were UTF-8.
#ifndef HOPDIR_PLATFORM_WIN32_WIDE_TEXT_H_
#define HOPDIR_PLATFORM_WIN32_WIDE_TEXT_H_

#include <string>
#include <string_view>

#include "platform/legacy_lines.h"
#include "platform/short_string.h"

namespace hopdir {

std::wstring WideOf(std::string_view utf8);
std::string Utf8Of(std::wstring_view wide);
// False, with `name` empty, when the UTF-8 form would not fit: a clipped
// name would be another name.
bool ShortStringOf(std::wstring_view wide, Str255& name);

// The ANSI code page of the system, converted exactly (no best fit).
class AnsiCodePage : public LegacyCodePage {
 public:
  bool ToUtf8(std::string_view bytes, std::string& text) const override;
  bool FromUtf8(std::string_view text, std::string& bytes) const override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_WIN32_WIDE_TEXT_H_
