#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_platform.h"
#include "ui/screen_probe.h"

namespace hopdir {
namespace {

using testing::FakeConsole;
using testing::FakePlatform;

class ScreenProbeTest : public ::testing::Test {
 protected:
  void SetUp() override { StartScreenProbe(); }

  void Measure(int cols, int rows) {
    fake.console.Resize(cols, rows);
    ProbeScreenSize();
  }

  FakePlatform fake;
};

TEST_F(ScreenProbeTest, SizesAre80By25UntilMeasured) {
  Measure(120, 40);
  StartScreenProbe();
  EXPECT_EQ(ScreenCols, 80);
  EXPECT_EQ(ScreenRows, 25);
}

TEST_F(ScreenProbeTest, MeasuresTheWindowAndParksTheCursorOnTheLastRow) {
  struct Case {
    int cols, rows, wantCols, wantRows;
  };
  for (Case c : {Case{80, 25, 80, 25}, Case{85, 25, 85, 25}, Case{120, 40, 120, 40},
                 Case{300, 50, 255, 50}, Case{91, 19, 91, 19}, Case{10, 10, 10, 10}}) {
    Measure(c.cols, c.rows);
    EXPECT_EQ(ScreenCols, c.wantCols) << c.cols << "x" << c.rows;
    EXPECT_EQ(ScreenRows, c.wantRows) << c.cols << "x" << c.rows;
    EXPECT_EQ(fake.console.WhereX(), 1);
    EXPECT_EQ(fake.console.WhereY(), c.wantRows);
  }
}

TEST_F(ScreenProbeTest, TallWindowsStopAt255Rows) {
  Measure(80, 300);
  EXPECT_EQ(ScreenRows, 255);
  EXPECT_EQ(fake.console.WhereY(), 255);
}

TEST_F(ScreenProbeTest, WindowsSmallerThanTenCellsAreMeasuredCellByCell) {
  Measure(7, 5);
  EXPECT_EQ(ScreenCols, 7);
  EXPECT_EQ(ScreenRows, 5);
  EXPECT_EQ(fake.console.WhereY(), 5);
  Measure(1, 1);
  EXPECT_EQ(ScreenCols, 1);
  EXPECT_EQ(ScreenRows, 1);
}

// Records every cursor move the probe tries.
class RecordingConsole : public FakeConsole {
 public:
  using FakeConsole::FakeConsole;
  void GotoXY(uint8_t col, uint8_t row) override {
    Tries.push_back(col * 1000 + row);
    FakeConsole::GotoXY(col, row);
  }
  std::vector<int> Tries;
};

TEST_F(ScreenProbeTest, WidthFirstCoarseThenFineFromTheLastCoarseHit) {
  RecordingConsole console(85, 25);
  Platform platform{console, fake.files, fake.process};
  InstallPlatform(&platform);
  ProbeScreenSize();
  std::vector<int> want;
  for (int col = 10; col <= 90; col += 10) want.push_back(col * 1000 + 1);
  for (int col = 80; col <= 86; ++col) want.push_back(col * 1000 + 1);
  for (int row = 10; row <= 30; row += 10) want.push_back(1000 + row);
  for (int row = 20; row <= 26; ++row) want.push_back(1000 + row);
  EXPECT_EQ(console.Tries, want);
  EXPECT_EQ(ScreenCols, 85);
  EXPECT_EQ(ScreenRows, 25);
}

TEST_F(ScreenProbeTest, PositionsPast255WrapAsEightBitValues) {
  RecordingConsole console(300, 50);
  Platform platform{console, fake.files, fake.process};
  InstallPlatform(&platform);
  ProbeScreenSize();
  // 260 reaches column 4, 256 is column 0 and refused.
  EXPECT_EQ(console.Tries[25], 4 * 1000 + 1);
  EXPECT_EQ(console.Tries[26], 250 * 1000 + 1);
  EXPECT_EQ(console.Tries[32], 0 * 1000 + 1);
  EXPECT_EQ(ScreenCols, 255);
}

}  // namespace
}  // namespace hopdir
