#include <gtest/gtest.h>

#include <string>
#include <utility>

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
  bool Hit(HotZoneObj& zone, int col, int row) {
    MouseCol = static_cast<int16_t>(col);
    MouseRow = static_cast<int16_t>(row);
    return zone.Contains();
  }

  FakePlatform fake;
};

TEST_F(MenuBaseTest, ZonesTakeLeftRightTopBottomContainTheirEdgesAndKeepTheLastHit) {
  HotZoneObj cell;
  cell.Init(5, 5, 3, 3);
  EXPECT_TRUE(Hit(cell, 5, 3));
  EXPECT_EQ(cell.HitX, 1);
  EXPECT_EQ(cell.HitY, 1);

  HotZoneObj zone;
  zone.Init(10, 20, 2, 4);
  EXPECT_TRUE(Hit(zone, 10, 2));
  ASSERT_TRUE(Hit(zone, 20, 4));
  EXPECT_EQ(zone.HitX, 11);
  EXPECT_EQ(zone.HitY, 3);
  for (auto [col, row] : {std::pair{9, 3}, {21, 3}, {15, 1}, {15, 5}}) {
    EXPECT_FALSE(Hit(zone, col, row)) << col << "," << row;
  }
  EXPECT_EQ(zone.HitX, 11);
  EXPECT_EQ(zone.HitY, 3);
  zone.Assign(1, 3, 7, 9);
  EXPECT_EQ(zone.HitX, 11);  // re-placing the zone keeps the hit as well
  EXPECT_TRUE(Hit(zone, 3, 9));
  EXPECT_FALSE(Hit(zone, 4, 9));
}

TEST_F(MenuBaseTest, TextBlockGrowsWithItsLongestLineRefusesASixthAndPadsInItsOwnColours) {
  DefaultTextColor = 9;
  TextBlockObj block;
  block.Init(4, 2, Str255());
  EXPECT_EQ(block.LineCount, 0);
  for (const char* line : {"abc", "defgh", "ij", "k", "l"}) block.AddLine(line);
  block.AddLine("a much longer sixth line");
  EXPECT_EQ(block.LineCount, 5);
  EXPECT_EQ(block.Width, 5);
  EXPECT_EQ(block.X2, 8);
  EXPECT_EQ(block.Y2, 6);
  EXPECT_EQ(block.Zone.X2, 0);

  // The colours are the defaults when the block was built.
  DefaultTextColor = 12;
  DefaultBackColor = 0;
  fake.console.Resize(12, 8);
  block.Draw();
  EXPECT_EQ(fake.console.Row(2), "   abc      ");
  EXPECT_EQ(fake.console.Row(3), "   defgh    ");
  EXPECT_EQ(fake.console.Row(4), "   ij       ");
  EXPECT_EQ(fake.console.RowTrimmed(6), "   l");
  EXPECT_EQ(fake.console.RowTrimmed(7), "");
  EXPECT_EQ(fake.console.RowForeground(2), "777999997777");
  EXPECT_EQ(fake.console.RowBackground(4), "000111110000");
}

}  // namespace
}  // namespace hopdir
