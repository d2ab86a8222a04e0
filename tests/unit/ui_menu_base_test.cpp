#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_platform.h"
#include "ui/hot_zone.h"
#include "ui/menu_base.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

class MenuBaseTest : public ::testing::Test {
 protected:
  void SetUp() override { StartMenuObjects(); }
  void TearDown() override { StartMenuObjects(); }

  FakePlatform fake;
};

TEST_F(MenuBaseTest, ZoneArgumentsAreLeftRightTopBottom) {
  HotZoneObj zone;
  zone.Init(10, 20, 2, 4);
  EXPECT_EQ(zone.X1, 10);
  EXPECT_EQ(zone.Y1, 2);
  EXPECT_EQ(zone.X2, 20);
  EXPECT_EQ(zone.Y2, 4);
  zone.Assign(1, 3, 7, 9);
  EXPECT_EQ(zone.X1, 1);
  EXPECT_EQ(zone.Y1, 7);
  EXPECT_EQ(zone.X2, 3);
  EXPECT_EQ(zone.Y2, 9);
}

TEST_F(MenuBaseTest, ContainsIsInclusiveAndAMissKeepsTheLastHit) {
  HotZoneObj cell;
  cell.Init(5, 5, 3, 3);
  MouseCol = 5;
  MouseRow = 3;
  EXPECT_TRUE(cell.Contains());
  EXPECT_EQ(cell.HitX, 1);
  EXPECT_EQ(cell.HitY, 1);

  HotZoneObj zone;
  zone.Init(10, 20, 2, 4);
  MouseCol = 20;
  MouseRow = 4;
  ASSERT_TRUE(zone.Contains());
  EXPECT_EQ(zone.HitX, 11);
  EXPECT_EQ(zone.HitY, 3);
  for (auto [col, row] : {std::pair{9, 3}, {21, 3}, {15, 1}, {15, 5}}) {
    MouseCol = static_cast<int16_t>(col);
    MouseRow = static_cast<int16_t>(row);
    EXPECT_FALSE(zone.Contains()) << col << "," << row;
  }
  EXPECT_EQ(zone.HitX, 11);
  EXPECT_EQ(zone.HitY, 3);
  // Re-placing the zone keeps the hit as well.
  zone.Assign(1, 2, 1, 2);
  EXPECT_EQ(zone.HitX, 11);
}

TEST_F(MenuBaseTest, TextBlockGrowsWithItsLongestLineAndPadsWhenDrawn) {
  TextBlockObj block;
  block.Init(4, 2, Str255());
  EXPECT_EQ(block.LineCount, 0);
  EXPECT_EQ(block.Width, 0);
  EXPECT_EQ(block.Zone.X2, 0);
  block.AddLine("abc");
  block.AddLine("defgh");
  EXPECT_EQ(block.Width, 5);
  EXPECT_EQ(block.X2, 8);
  EXPECT_EQ(block.Y2, 3);
  block.AddLine("ij");
  EXPECT_EQ(block.Width, 5);
  EXPECT_EQ(block.Y2, 4);

  fake.console.Resize(12, 5);
  block.SetTextColor(14);
  block.SetBackColor(3);
  block.Draw();
  EXPECT_EQ(fake.console.Row(2), "   abc      ");
  EXPECT_EQ(fake.console.Row(3), "   defgh    ");
  EXPECT_EQ(fake.console.Row(4), "   ij       ");
  EXPECT_EQ(fake.console.RowForeground(2), "777EEEEE7777");
  EXPECT_EQ(fake.console.RowBackground(4), "000333330000");
  EXPECT_EQ(block.Zone.X1 + block.Zone.X2 + block.Zone.Y1 + block.Zone.Y2, 0);
}

TEST_F(MenuBaseTest, ASixthLineIsRefusedAndTheBlockStaysAsItWas) {
  TextBlockObj block;
  block.Init(1, 1, "one");
  for (const char* line : {"two", "three", "four", "five"}) block.AddLine(line);
  ASSERT_EQ(block.LineCount, 5);
  block.AddLine("a much longer sixth line");
  EXPECT_EQ(block.LineCount, 5);
  EXPECT_EQ(block.Width, 5);
  EXPECT_EQ(block.Y2, 5);
  EXPECT_EQ(block.Lines[4], "five");
  block.Draw();
  EXPECT_EQ(fake.console.RowTrimmed(5), "five");
  EXPECT_EQ(fake.console.RowTrimmed(6), "");
}

TEST_F(MenuBaseTest, DefaultsAreCopiedWhenAnObjectIsBuilt) {
  EXPECT_EQ(DefaultFrameColor, 15);
  EXPECT_EQ(DefaultArrowColor, 14);
  EXPECT_EQ(DefaultMarkColor, 2);
  EXPECT_EQ(DefaultLeftPad, " ");
  EXPECT_EQ(DefaultRightPad, " ");
  EXPECT_EQ(DefaultFrameStyle, 1);
  TextBlockObj before;
  before.Init(1, 1, "x");
  DefaultBackColor = 0;
  DefaultTextColor = 9;
  TextBlockObj after;
  after.Init(1, 1, "x");
  EXPECT_EQ(before.BackColor, 1);
  EXPECT_EQ(before.TextColor, 15);
  EXPECT_EQ(after.BackColor, 0);
  EXPECT_EQ(after.TextColor, 9);
  StartMenuObjects();
  EXPECT_EQ(DefaultBackColor, 1);
  EXPECT_EQ(DefaultTextColor, 15);
}

}  // namespace
}  // namespace hopdir
