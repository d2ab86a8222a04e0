// Screen rows written with box-drawing glyphs in the test source, turned
// into the code page 437 bytes that the fake console holds.
#ifndef HOPDIR_TESTS_SCENARIO_CP437_H_
#define HOPDIR_TESTS_SCENARIO_CP437_H_

#include <string>
#include <string_view>

namespace hopdir {

inline std::string Cp437(const std::string& utf8) {
  static const struct {
    const char* glyph;
    char byte;
  } kGlyphs[] = {{"┌", '\xDA'}, {"─", '\xC4'}, {"┐", '\xBF'}, {"│", '\xB3'},
                 {"└", '\xC0'}, {"┘", '\xD9'}, {"↑", '\x18'}, {"↓", '\x19'}};
  std::string bytes;
  for (size_t i = 0; i < utf8.size();) {
    bool glyph = false;
    for (const auto& g : kGlyphs) {
      std::string_view text(g.glyph);
      if (utf8.compare(i, text.size(), text) == 0) {
        bytes += g.byte;
        i += text.size();
        glyph = true;
        break;
      }
    }
    if (!glyph) bytes += utf8[i++];
  }
  return bytes;
}

}  // namespace hopdir

#endif  // HOPDIR_TESTS_SCENARIO_CP437_H_
