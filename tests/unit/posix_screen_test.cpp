#include <gtest/gtest.h>

#include <string>

#include "platform/posix/screen_buffer.h"
#include "platform/posix/screen_render.h"
#include "platform/posix/text_width.h"

namespace hopdir {
namespace {

class PosixScreenTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTextWidth()); }

  // A row's characters, a wide one once, the half it covers not at all.
  static std::string Row(const ScreenBuffer& page, int row) {
    std::string text;
    for (int col = 0; col < page.Cols(); ++col) text += page.At(col, row).Text();
    return text;
  }
};

TEST_F(PosixScreenTest, CellsCountWideCharactersTwiceAndJoiningMarksNever) {
  const struct {
    std::string text;
    int cells;
  } cases[] = {
      {"abc", 3},          {"\xC3\xA9", 1},      // é
      {"e\xCC\x81", 1},                          // e and a combining acute
      {"日本", 4},         {"\xFF\xE6\x97", 3},  // invalid bytes, a cut character
      {"a\nb\t", 4},       {"\xC2\x85", 1},      // controls, C1 included
      {"\xED\xA0\x80", 3},                       // an encoded surrogate is three invalid bytes
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8TextCells(c.text), c.cells) << c.text;
}

TEST_F(PosixScreenTest, FitCellsNeverCutsACharacterAndKeepsItsMarks) {
  const std::string text = "a日e\xCC\x81z";  // 1 + 2 + 1 + 1 cells
  const struct {
    int cells;
    size_t bytes;
  } cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 4}, {4, 7}, {5, 8}, {6, 8}};
  for (const auto& c : cases) EXPECT_EQ(Utf8FitCells(text, c.cells), c.bytes) << c.cells;
}

TEST_F(PosixScreenTest, WritingWrapsAtTheRowEndAndScrollsPastTheLastRow) {
  ScreenBuffer page;
  page.Resize(4, 2);
  page.PutText("abcd");
  EXPECT_EQ(page.CursorCol(), 0);
  EXPECT_EQ(page.CursorRow(), 1);
  page.PutText("efg");
  EXPECT_EQ(Row(page, 0), "abcd");
  page.PutText("h");
  EXPECT_EQ(Row(page, 0), "efgh");
  EXPECT_EQ(Row(page, 1), "    ");
  page.MoveTo(0, 1);
  page.PutText("\r\n\x01");
  EXPECT_EQ(Row(page, 1), "??? ");
  page.NewLine();
  EXPECT_EQ(Row(page, 0), "??? ");
}

TEST_F(PosixScreenTest, WideMarkedInvalidAndGraphicCharactersTakeTheirCells) {
  ScreenBuffer page;
  page.Resize(4, 4);
  page.PutText("abc日");  // does not fit in the last column: goes down whole
  EXPECT_EQ(Row(page, 0), "abc ");
  EXPECT_EQ(Row(page, 1), "日  ");
  EXPECT_EQ(page.At(1, 1).width, ScreenCell::kRightHalf);
  page.MoveTo(1, 1);
  page.PutText("x");  // over the right half: the left half goes too
  EXPECT_EQ(Row(page, 1), " x  ");
  page.MoveTo(0, 2);
  page.PutText("e\xCC\x81\xFF");
  page.PutGraphic("\xDA\x18");
  EXPECT_EQ(Row(page, 2), "e\xCC\x81\xEF\xBF\xBD┌↑");
  // A narrower window cuts 日 in two: its left half, now in the last
  // column, goes, and the renderer never looks past the row for the other.
  page.MoveTo(0, 2);
  page.PutText("ab日");
  page.Resize(3, 4);
  EXPECT_EQ(Row(page, 2), "ab ");
  std::string out;
  ScreenRenderer().Render(page, true, out);
  EXPECT_EQ(out.find("日"), std::string::npos);
}

// A 6 x 2 page: a white frame corner and "Hi" in yellow on blue.
ScreenBuffer SamplePage() {
  ScreenBuffer page;
  page.Resize(6, 2);
  page.SetColors(15, 0);
  page.Clear();
  page.PutGraphic("\xDA\xC4");
  page.MoveTo(2, 1);
  page.SetColors(14, 1);
  page.PutText("Hi");
  page.MoveTo(5, 1);
  return page;
}

const std::string kErase = "\x1b[?25l\x1b[0;40m\x1b[H\x1b[2J\x1b[?25h";

TEST_F(PosixScreenTest, AFirstRenderErasesThenWritesOnlyWhatIsNotBlank) {
  ScreenRenderer renderer;
  std::string out;
  renderer.Render(SamplePage(), true, out);
  EXPECT_EQ(out,
            "\x1b[?25l\x1b[0;40m\x1b[H\x1b[2J"
            "\x1b[97m┌─"
            "\x1b[2;3H\x1b[93;44mHi"
            "\x1b[C\x1b[?25h");
}

TEST_F(PosixScreenTest, LaterRendersSendChangesOnlyAndNothingForNoChange) {
  ScreenRenderer renderer;
  ScreenBuffer page = SamplePage();
  std::string out;
  renderer.Render(page, true, out);
  out.clear();
  renderer.Render(page, true, out);
  EXPECT_EQ(out, "");
  page.MoveTo(0, 1);
  page.SetColors(14, 1);
  page.PutText("日");
  page.MoveTo(0, 0);
  renderer.Render(page, true, out);
  EXPECT_EQ(out, "\x1b[?25l\x1b[2;1H日\x1b[H\x1b[?25h");
  out.clear();
  page.MoveTo(1, 1);
  page.SetColors(4, 1);
  page.PutText("x");  // over the right half of 日: its left half turns blank
  page.MoveTo(0, 0);
  renderer.Render(page, true, out);
  EXPECT_EQ(out, "\x1b[?25l\x1b[2;1H \x1b[31mx\x1b[H\x1b[?25h");
  out.clear();
  renderer.Invalidate();
  renderer.Render(page, true, out);
  EXPECT_EQ(out,
            "\x1b[?25l\x1b[0;40m\x1b[H\x1b[2J\x1b[97m┌─"
            "\x1b[2;1H\x1b[44m \x1b[31mx\x1b[93mHi\x1b[H\x1b[?25h");
  out.clear();
  page.SetColors(7, 0);
  page.Clear();  // erased rather than written blank by blank
  renderer.Render(page, true, out);
  EXPECT_EQ(out, kErase);
}

TEST_F(PosixScreenTest, DosColoursMapToTheirSgrNumbers) {
  const int foreground[16] = {30, 34, 32, 36, 31, 35, 33, 37, 90, 94, 92, 96, 91, 95, 93, 97};
  for (int color = 0; color < 16; ++color) {
    EXPECT_EQ(SgrForeground(static_cast<uint8_t>(color)), foreground[color]);
    EXPECT_EQ(SgrBackground(static_cast<uint8_t>(color & 7)), foreground[color & 7] + 10);
  }
}

}  // namespace
}  // namespace hopdir
