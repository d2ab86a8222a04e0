#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_platform.h"
#include "ui/frame_box.h"
#include "ui/input_box.h"
#include "ui/menu_base.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

std::string Repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

// The single-line frame's characters in code page 437.
constexpr char kTL = '\xDA', kTR = '\xBF', kBL = '\xC0', kBR = '\xD9', kH = '\xC4', kV = '\xB3';

class FrameBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { StartMenuObjects(); }
  void TearDown() override { StartMenuObjects(); }

  FakePlatform fake;
};

TEST_F(FrameBoxTest, CaptionBoxIsSizedToItsCaptionAndPads) {
  FrameBoxObj box;
  box.Init(1, 1, "<Drive");
  EXPECT_EQ(box.X2, 10);
  EXPECT_EQ(box.Y2, 3);
  EXPECT_EQ(box.Width, 6);
  EXPECT_EQ(box.Zone.X1, 1);
  EXPECT_EQ(box.Zone.X2, 10);
  EXPECT_EQ(box.Zone.Y1, 1);
  EXPECT_EQ(box.Zone.Y2, 3);

  box.SetFrameColor(12);
  box.SetTextColor(14);
  box.SetBackColor(3);
  box.Draw();
  EXPECT_EQ(fake.console.RowTrimmed(1), kTL + Repeat(kH, 8) + kTR);
  EXPECT_EQ(fake.console.RowTrimmed(2), kV + std::string(" <Drive ") + kV);
  EXPECT_EQ(fake.console.RowTrimmed(3), kBL + Repeat(kH, 8) + kBR);
  EXPECT_EQ(fake.console.RowForeground(1).substr(0, 11), "CCCCCCCCCC7");
  EXPECT_EQ(fake.console.RowForeground(2).substr(0, 11), "CEEEEEEEEC7");
  EXPECT_EQ(fake.console.RowBackground(3).substr(0, 11), "33333333330");
  // Frame characters go out as graphics, the caption as text: both land in
  // the captured output in drawing order.
  EXPECT_NE(fake.console.Output.find(" <Drive "), std::string::npos);
}

TEST_F(FrameBoxTest, ALongerLineWidensTheBoxAndShorterLinesArePadded) {
  FrameBoxObj box;
  box.Init(3, 2, "12345678");
  box.AddLine("done selecting");
  EXPECT_EQ(box.Width, 14);
  EXPECT_EQ(box.X2, 20);
  EXPECT_EQ(box.Y2, 5);
  EXPECT_EQ(box.Zone.X2, 20);
  EXPECT_EQ(box.Zone.Y2, 5);
  box.AddLine("1234567890123");  // one short of Width
  EXPECT_EQ(box.Y2, 6);
  // Only a widening line lays the box out again, so the zone keeps its row.
  EXPECT_EQ(box.Zone.Y2, 5);
  box.Draw();
  EXPECT_EQ(fake.console.RowTrimmed(2), "  " + (kTL + Repeat(kH, 16) + kTR));
  EXPECT_EQ(fake.console.RowTrimmed(3), "  " + (kV + std::string(" 12345678       ") + kV));
  EXPECT_EQ(fake.console.RowTrimmed(4), "  " + (kV + std::string(" done selecting ") + kV));
  EXPECT_EQ(fake.console.RowTrimmed(5), "  " + (kV + std::string(" 1234567890123  ") + kV));
  EXPECT_EQ(fake.console.RowTrimmed(6), "  " + (kBL + Repeat(kH, 16) + kBR));
}

TEST_F(FrameBoxTest, EachStyleDrawsItsOwnCharactersAndStylesWrapModuloFour) {
  struct Style {
    int number;
    std::string top, middle, bottom;
  };
  const Style styles[] = {
      {1, "\xDA\xC4\xC4\xC4\xBF", "\xB3 a \xB3", "\xC0\xC4\xC4\xC4\xD9"},
      {2, "\xC9\xCD\xCD\xCD\xBB", "\xBA a \xBA", "\xC8\xCD\xCD\xCD\xBC"},
      {3, "\xDE\xDF\xDF\xDF\xDD", "\xDE a \xDD", "\xDE\xDC\xDC\xDC\xDD"},
      {4, "\xDB\xDB\xDB\xDB\xDB", "\xDB a \xDB", "\xDB\xDB\xDB\xDB\xDB"},
  };
  for (const Style& style : styles) {
    for (int selector : {style.number, style.number + 4, style.number % 4}) {
      FrameBoxObj box;
      box.Init(1, 1, "a");
      box.SetFrameStyle(static_cast<uint8_t>(selector));
      box.Layout();
      box.Draw();
      EXPECT_EQ(fake.console.RowTrimmed(1), style.top) << selector;
      EXPECT_EQ(fake.console.RowTrimmed(2), style.middle) << selector;
      EXPECT_EQ(fake.console.RowTrimmed(3), style.bottom) << selector;
    }
  }
  DefaultFrameStyle = 2;
  FrameBoxObj box;
  box.Init(1, 1, "a");
  EXPECT_EQ(box.TopLine, "\xCD\xCD\xCD");
}

TEST_F(FrameBoxTest, CornersSetByTheOwnerAreLaidOutWithEdgesClippedAt255) {
  FrameBoxObj box;
  box.Init(1, 1, Str255());
  box.Draw();  // no size yet: nothing to draw
  EXPECT_EQ(fake.console.Output, "");
  box.X2 = 302;
  box.Y2 = 4;
  box.Layout();
  EXPECT_EQ(box.Width, 298);
  EXPECT_EQ(box.TopLine.Length(), 255);
  EXPECT_EQ(box.BottomLine.Length(), 255);
  box.X2 = 2;
  box.Layout();
  EXPECT_EQ(box.TopLine, "");
  EXPECT_EQ(box.Zone.X2, 2);
  EXPECT_EQ(box.Zone.Y2, 4);
}

TEST_F(FrameBoxTest, ASixthLineIsRefused) {
  FrameBoxObj box;
  box.Init(1, 1, "1");
  for (const char* line : {"2", "3", "4", "5"}) box.AddLine(line);
  box.AddLine("a sixth, longer line");
  EXPECT_EQ(box.LineCount, 5);
  EXPECT_EQ(box.Y2, 7);
  EXPECT_EQ(box.X2, 5);
  box.Draw();
  EXPECT_EQ(fake.console.RowTrimmed(6), kV + std::string(" 5 ") + kV);
  EXPECT_EQ(fake.console.RowTrimmed(7), kBL + Repeat(kH, 3) + kBR);
}

TEST_F(FrameBoxTest, AFailingConsoleWriteEndsTheProgramWithItsErrorNumber) {
  FrameBoxObj box;
  box.Init(1, 1, "OK");
  fake.console.WriteFailsWith = 29;
  EXPECT_EQ(fake.RunToExit([&] { box.Draw(); }), 29);
}

TEST_F(FrameBoxTest, InputFieldOf37IsFortyOneColumnsWideAndThreeRowsHigh) {
  InputBoxObj field;
  field.Init(36, 5, "*.*", 37);
  EXPECT_EQ(field.FieldLen, 37);
  EXPECT_EQ(field.Width, 37);
  EXPECT_EQ(field.X2, 76);
  EXPECT_EQ(field.Y2, 7);
  EXPECT_EQ(field.LineCount, 1);
  EXPECT_EQ(field.Lines[0], "*.*");
  field.Draw();
  EXPECT_EQ(fake.console.Row(6).substr(35, 41), kV + std::string(" *.*") + Repeat(' ', 35) + kV);

  InputBoxObj tiny;
  tiny.Init(1, 10, "", 0);
  EXPECT_EQ(tiny.Width, 1);
  EXPECT_EQ(tiny.X2, 5);
  EXPECT_EQ(tiny.FieldLen, 0);
}

TEST_F(FrameBoxTest, EditClearsExactlyTheFieldAndReadsThere) {
  // An initial text longer than the field is drawn whole, past the frame.
  InputBoxObj field;
  field.Init(1, 1, Str255(Repeat('x', 45)), 37);
  EXPECT_EQ(field.X2, 41);
  field.SetTextColor(2);
  field.Draw();
  EXPECT_EQ(fake.console.RowTrimmed(2), kV + (" " + Repeat('x', 45) + " ") + kV);

  fake.console.PushLine("*.TXT");
  fake.console.TextColor = 7;
  field.Edit();
  EXPECT_EQ(field.Lines[0], "*.TXT");
  // Columns 3 to 39 were blanked in the text colour; the echo starts at 3.
  EXPECT_EQ(fake.console.RowTrimmed(2),
            kV + (" *.TXT" + Repeat(' ', 32) + Repeat('x', 8) + " ") + kV);
  EXPECT_EQ(fake.console.RowForeground(2).substr(2, 37), Repeat('2', 37));
  EXPECT_EQ(fake.console.At(40, 2).Char, 'x');

  // What is typed is kept whole, however long.
  fake.console.PushLine(Repeat('y', 60));
  field.Edit();
  EXPECT_EQ(field.Lines[0].Length(), 60);
}

}  // namespace
}  // namespace hopdir
