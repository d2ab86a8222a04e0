#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_platform.h"
#include "ui/screen_probe.h"

namespace hopdir {
namespace {

using testing::FakeConsole;
using testing::FakePlatform;

TEST(ScreenProbe, MeasuresTheWindowUpTo255AndParksTheCursorOnTheLastRow) {
  FakePlatform fake;
  struct Case {
    int cols, rows, wantCols, wantRows;
  };
  for (Case c : {Case{80, 25, 80, 25}, Case{85, 25, 85, 25}, Case{120, 40, 120, 40},
                 Case{300, 50, 255, 50}, Case{80, 300, 80, 255}, Case{91, 19, 91, 19},
                 Case{10, 10, 10, 10}, Case{7, 5, 7, 5}, Case{1, 1, 1, 1}}) {
    fake.console.Resize(c.cols, c.rows);
    ProbeScreenSize();
    EXPECT_EQ(ScreenCols, c.wantCols) << c.cols << "x" << c.rows;
    EXPECT_EQ(ScreenRows, c.wantRows) << c.cols << "x" << c.rows;
    EXPECT_EQ(fake.console.WhereX(), 1);
    EXPECT_EQ(fake.console.WhereY(), c.wantRows);
  }
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

TEST(ScreenProbe, WidthFirstCoarseThenFineWithPositionsPast255WrappingAsEightBitValues) {
  FakePlatform fake;
  RecordingConsole console(85, 25);
  Platform platform{console, fake.files, fake.process, fake.Paths(), fake.Handoff()};
  InstallPlatform(&platform);
  ProbeScreenSize();
  std::vector<int> want;
  for (int col = 10; col <= 90; col += 10) want.push_back(col * 1000 + 1);
  for (int col = 80; col <= 86; ++col) want.push_back(col * 1000 + 1);
  for (int row = 10; row <= 30; row += 10) want.push_back(1000 + row);
  for (int row = 20; row <= 26; ++row) want.push_back(1000 + row);
  EXPECT_EQ(console.Tries, want);

  RecordingConsole wide(300, 50);
  Platform wide_platform{wide, fake.files, fake.process, fake.Paths(), fake.Handoff()};
  InstallPlatform(&wide_platform);
  ProbeScreenSize();
  // 260 reaches column 4, 256 is column 0 and refused.
  EXPECT_EQ(wide.Tries[25], 4 * 1000 + 1);
  EXPECT_EQ(wide.Tries[26], 250 * 1000 + 1);
  EXPECT_EQ(wide.Tries[32], 0 * 1000 + 1);
  EXPECT_EQ(ScreenCols, 255);
}

}  // namespace
}  // namespace hopdir
