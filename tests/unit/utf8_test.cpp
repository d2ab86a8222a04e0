#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/utf16.h"

namespace hopdir {
namespace {

TEST(Utf16, EveryNameWindowsCanHoldComesBackAsItWas) {
  const std::u16string names[] = {
      u"C:\\plain",
      u"M\u00fcller",
      u"\u65e5\u672c\u8a9e",
      u"\U0001F600 smile",  // a surrogate pair
      std::u16string(1, u'\xD800') + u"lead alone",
      u"trail alone" + std::u16string(1, u'\xDC00'),
      std::u16string{u'\xDC00', u'\xD800'},  // the pair the wrong way round
      u"",
  };
  for (const std::u16string& name : names) {
    EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(name)), name);
  }
  EXPECT_EQ(Utf8FromUtf16(u"M\u00fcller"), "M\xC3\xBCller");
  EXPECT_EQ(Utf8FromUtf16(u"\U0001F600"), "\xF0\x9F\x98\x80");
  // A byte that is no UTF-8 becomes one replacement character.
  EXPECT_EQ(Utf16FromUtf8("a\xFC\xC3z"), u"a\uFFFD\uFFFDz");
}

TEST(Utf8, LoneSurrogatesAreUtf8OnlyWhereWindowsNamesAllowThem) {
  EXPECT_TRUE(IsUtf8("M\xC3\xBCller \xE6\x97\xA5"));
  EXPECT_FALSE(IsUtf8("M\xFCller"));
  EXPECT_FALSE(IsUtf8("\xC0\x80"));  // overlong
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));
  EXPECT_TRUE(IsUtf8("\xED\xA0\x80", true));
  EXPECT_FALSE(IsUtf8("\xE6\x97", true));  // cut short
}

TEST(Utf8, WideCharactersTakeTwoCellsOnBothSidesOfEachBlockEdge) {
  for (char32_t wide : {0x1100, 0x115F, 0x3041, 0x4DBF, 0x4E00, 0x9FFF, 0xFF60, 0x1F600, 0x20000}) {
    EXPECT_TRUE(IsEastAsianWide(wide)) << std::hex << static_cast<int>(wide);
  }
  for (char32_t narrow : {0x10FF, 0x1160, 0x3040, 0x4DC0, 0xFF61, 0xFFFF, 0x1F650, 0xFC, 0x41}) {
    EXPECT_FALSE(IsEastAsianWide(narrow)) << std::hex << static_cast<int>(narrow);
  }
  const std::string text = "a\xE6\x97\xA5\xC3\xBC";  // a, a kanji, u-umlaut
  EXPECT_EQ(EastAsianTextCells(text), 4);
  EXPECT_EQ(EastAsianTextCells("x\xFCy"), 3);  // a byte that is no UTF-8 takes a cell
  EXPECT_EQ(EastAsianFitCells(text, 1), 1u);
  EXPECT_EQ(EastAsianFitCells(text, 2), 1u);  // the kanji does not fit in one cell
  EXPECT_EQ(EastAsianFitCells(text, 3), 4u);
  EXPECT_EQ(EastAsianFitCells(text, 4), text.size());
}

}  // namespace
}  // namespace hopdir
