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

namespace {
int GlyphCells(const Utf8Char& c) { return GlyphOf(c).cells; }
}  // namespace

int Utf8TextCells(std::string_view text) { return TextCellsBy(text, GlyphCells); }

size_t Utf8FitCells(std::string_view text, int cells) {
  return FitCellsBy(text, cells, GlyphCells);
}

}  // namespace hopdir
