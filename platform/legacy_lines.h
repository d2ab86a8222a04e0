// Lines of a text file that older Windows programs wrote in a legacy code
// page (the ANSI one) and that now hold UTF-8 names as well. A line that
// is UTF-8 is taken as UTF-8; any other is in the legacy code page. A line
// is written in the legacy code page whenever that says every character of
// it and reads back the same, so that a file of such names stays byte for
// byte what the older programs wrote; in UTF-8 otherwise.
#ifndef HOPDIR_PLATFORM_LEGACY_LINES_H_
#define HOPDIR_PLATFORM_LEGACY_LINES_H_

#include <string>
#include <string_view>

namespace hopdir {

// A code page converted to and from UTF-8 exactly, without best-fit
// substitutes.
class LegacyCodePage {
 public:
  virtual ~LegacyCodePage() = default;
  // False when some bytes stand for no character.
  virtual bool ToUtf8(std::string_view bytes, std::string& text) const = 0;
  // False when some character has no form in the code page.
  virtual bool FromUtf8(std::string_view text, std::string& bytes) const = 0;
};

// The text of a line; false when it is neither UTF-8 nor `legacy`.
bool TextOfLine(std::string_view line, const LegacyCodePage& legacy, std::string& text);
// The line that holds `text`.
std::string LineOfText(std::string_view text, const LegacyCodePage& legacy);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_LEGACY_LINES_H_
