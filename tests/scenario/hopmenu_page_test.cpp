#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/hopmenu_fixture.h"

namespace hopdir {
namespace {

using HopmenuPageTest = HopmenuTest;

TEST_F(HopmenuPageTest, StartedInWorkTheWholePageMatchesTheLayoutCellForCell) {
  SetHistory("D:\\TOOLS\r\nC:\\GAMES\r\n");
  RunUntilWaiting();
  const std::vector<std::string> expected = {
      "┌────────┐┌────────┐┌───┐ ┌────────────────Recent Directories:─────────────────┐",
      "│ <Drive ││ Drive> ││ \\ │ │ D:\\TOOLS                                           │",
      "└────────┘└────────┘└───┘ │ C:\\GAMES                                           │",
      "┌───Paths on Drive D:────┐│                                                    │",
      "│ .                      ││                                                    │",
      "│ ..                     ││                                                    │",
      "│ alpha                  ││                                                    │",
      "│ Beta                   ││                                                    │",
      "│ SUB                    ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        ││                                                    │",
      "│                        │└────────────────────────────────────────────────────┘",
      "│                        │┌──────┐┌───────┐┌────────────────┐                   ",
      "│                        ││ DONE ││ ABORT ││ HOT/cold/files │                   ",
      "└────────────────────────┘└──────┘└───────┘└────────────────┘                   ",
      "Current destination: D:\\WORK\\                                                   ",
  };
  ASSERT_EQ(expected.size(), 25u);
  for (int row = 1; row <= 25; ++row) {
    std::string want = Cp437(expected[static_cast<size_t>(row - 1)]);
    ASSERT_EQ(want.size(), 80u) << "row " << row;
    EXPECT_EQ(fake.console.Row(row), want) << "row " << row;
  }
  // The status line: caption and blanks white, the destination green, W - 1
  // characters in all; the cursor is parked in its last column.
  EXPECT_EQ(fake.console.RowForeground(25).substr(0, 79),
            std::string(21, 'F') + std::string(8, '2') + std::string(50, 'F'));
  EXPECT_EQ(fake.console.WhereX(), 79);
  EXPECT_EQ(fake.console.WhereY(), 25);
  // Every object is drawn on black; DONE and its pads are green inside a
  // white frame.
  EXPECT_EQ(fake.console.RowBackground(2).substr(0, 25), std::string(25, '0'));
  EXPECT_EQ(fake.console.RowForeground(23).substr(26, 8), "F222222F");
  EXPECT_EQ(fake.console.RowForeground(23).substr(34, 9), "FFFFFFFFF");
  EXPECT_EQ(fake.console.EnableMouseCalls, 1);
}

TEST_F(HopmenuPageTest, AWiderTallerConsoleStretchesTheListsAndMovesTheButtons) {
  fake.console.Resize(100, 30);
  RunUntilWaiting();
  // Paths list in columns 1-33 of rows 4-29, right list in 34-100 of rows
  // 1-26, buttons from column 34 in rows 27-29, status line in row 30.
  EXPECT_EQ(fake.console.Row(4).substr(0, 33), Cp437("┌───────Paths on Drive D:───────┐"));
  EXPECT_EQ(fake.console.At(34, 1).Char, '\xDA');
  EXPECT_EQ(fake.console.At(100, 26).Char, '\xD9');
  EXPECT_EQ(fake.console.At(33, 29).Char, '\xD9');
  EXPECT_EQ(fake.console.RowTrimmed(28).substr(33), Cp437("│ DONE ││ ABORT ││ HOT/cold/files │"));
  EXPECT_EQ(fake.console.Row(30), "Current destination: D:\\WORK\\" + std::string(71, ' '));
  EXPECT_EQ(fake.console.WhereX(), 99);
  EXPECT_EQ(fake.console.WhereY(), 30);
}

TEST_F(HopmenuPageTest, ADestinationTooLongForTheStatusLineShowsItsEndAndNeverScrolls) {
  const std::string name = "a_very_long_directory_name_that_goes_on_and_on_beyond_the_line";
  fake.files.AddDir("D:\\WORK\\" + name);
  PressPath(4);  // after alpha: "_" sorts above the letters
  RunUntilWaiting();
  const std::string destination = "D:\\WORK\\" + name + "\\";
  ASSERT_GT(destination.size(), 57u);
  // 57 columns are left for the destination: the mark and its last 56 characters.
  EXPECT_EQ(fake.console.Row(25),
            "Current destination: ~" + destination.substr(destination.size() - 56) + "  ");
  EXPECT_EQ(fake.console.Row(1).substr(0, 1), "\xDA");  // the page did not scroll
  EXPECT_EQ(fake.console.WhereX(), 79);
}

TEST_F(HopmenuPageTest, TheLegendCyclesThroughTheThreeViewsAndDoesNothingWithoutAHistory) {
  SetHistory("D:\\TOOLS\r\n");
  // The right list's top row and the first 11 cells of its first entry.
  const std::string recent =
      Cp437("┌────────────────Recent Directories:─────────────────┐│ D:\\TOOLS ");
  const std::string files =
      Cp437("┌──────────────────────Files:────────────────────────┐│ notes.txt");
  struct Case {
    int presses;
    bool history;
    const char* legend;
    const std::string& right;
  };
  for (Case c :
       {Case{1, true, "│ hot/COLD/files │", recent}, Case{2, true, "│ hot/cold/FILES │", files},
        Case{3, true, "│ HOT/cold/files │", recent},
        // Without a history directory the files view stays.
        Case{2, false, "│ hot/cold/FILES │", files}}) {
    Restart();
    fake.files.SetExecutablePath(c.history ? "C:\\HOPDIR\\hopmenu.exe" : "hopmenu.exe");
    StartCore();
    for (int i = 0; i < c.presses; ++i) Press(kLegend);
    RunUntilWaiting();
    EXPECT_EQ(fake.console.RowTrimmed(23).substr(43), Cp437(c.legend)) << c.presses;
    EXPECT_EQ(fake.console.Row(1).substr(26) + fake.console.Row(2).substr(26, 11), c.right)
        << c.presses;
  }
}

}  // namespace
}  // namespace hopdir
