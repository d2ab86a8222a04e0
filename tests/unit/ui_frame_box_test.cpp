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

TEST_F(FrameBoxTest, CaptionBoxIsSizedToItsCaptionAndDrawnInItsColours) {
  FrameBoxObj box;
  box.Init(1, 1, "<Drive");
  EXPECT_EQ(box.Width, 6);
  EXPECT_EQ(box.Zone.X2, 10);
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
}

TEST_F(FrameBoxTest, ALongerLineWidensTheBoxShorterOnesArePaddedAndASixthIsRefused) {
  FrameBoxObj box;
  box.Init(3, 2, "12345678");
  box.AddLine("done selecting");
  EXPECT_EQ(box.Zone.X2, 20);
  EXPECT_EQ(box.Zone.Y2, 5);
  for (const char* line : {"1234567890123", "4", "5"}) box.AddLine(line);
  box.AddLine("a sixth, longer line");
  EXPECT_EQ(box.Width, 14);
  EXPECT_EQ(box.X2, 20);
  EXPECT_EQ(box.Y2, 8);
  // Only a widening line lays the box out again, so the zone keeps its row.
  EXPECT_EQ(box.Zone.Y2, 5);
  box.Draw();
  EXPECT_EQ(fake.console.RowTrimmed(2), "  " + (kTL + Repeat(kH, 16) + kTR));
  EXPECT_EQ(fake.console.RowTrimmed(3), "  " + (kV + std::string(" 12345678       ") + kV));
  EXPECT_EQ(fake.console.RowTrimmed(4), "  " + (kV + std::string(" done selecting ") + kV));
  EXPECT_EQ(fake.console.RowTrimmed(5), "  " + (kV + std::string(" 1234567890123  ") + kV));
  EXPECT_EQ(fake.console.RowTrimmed(7), "  " + (kV + std::string(" 5              ") + kV));
  EXPECT_EQ(fake.console.RowTrimmed(8), "  " + (kBL + Repeat(kH, 16) + kBR));
}

TEST_F(FrameBoxTest, EachStyleDrawsItsOwnCharactersAndStylesWrapModuloFour) {
  const char* styles[][3] = {
      {"\xDA\xC4\xC4\xC4\xBF", "\xB3 a \xB3", "\xC0\xC4\xC4\xC4\xD9"},
      {"\xC9\xCD\xCD\xCD\xBB", "\xBA a \xBA", "\xC8\xCD\xCD\xCD\xBC"},
      {"\xDE\xDF\xDF\xDF\xDD", "\xDE a \xDD", "\xDE\xDC\xDC\xDC\xDD"},
      {"\xDB\xDB\xDB\xDB\xDB", "\xDB a \xDB", "\xDB\xDB\xDB\xDB\xDB"},
  };
  for (int number = 1; number <= 4; ++number) {
    for (int selector : {number, number + 4, number % 4}) {
      FrameBoxObj box;
      box.Init(1, 1, "a");
      box.SetFrameStyle(static_cast<uint8_t>(selector));
      box.Layout();
      box.Draw();
      for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(fake.console.RowTrimmed(row), styles[number - 1][row - 1]) << selector;
      }
    }
  }
  DefaultFrameStyle = 2;
  FrameBoxObj box;
  box.Init(1, 1, "a");
  EXPECT_EQ(box.TopLine, "\xCD\xCD\xCD");
}

TEST_F(FrameBoxTest, ABoxWithoutLinesOrCornersDrawsNothing) {
  FrameBoxObj box;
  box.Init(1, 1, Str255());
  box.Draw();
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(FrameBoxTest, AnInputFieldOf37IsFortyOneWideAndEditClearsExactlyTheField) {
  InputBoxObj field;
  field.Init(36, 5, "*.*", 37);
  EXPECT_EQ(field.X2, 76);
  EXPECT_EQ(field.Y2, 7);
  field.Draw();
  EXPECT_EQ(fake.console.Row(6).substr(35, 41), kV + std::string(" *.*") + Repeat(' ', 35) + kV);

  // An initial text longer than the field is drawn whole, past the frame.
  fake.console.ClearScreen();
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
  // What is typed is kept whole, however long.
  fake.console.PushLine(Repeat('y', 60));
  field.Edit();
  EXPECT_EQ(field.Lines[0].Length(), 60);

  field.Init(1, 10, "", 0);
  EXPECT_EQ(field.X2, 5);
}

}  // namespace
}  // namespace hopdir
