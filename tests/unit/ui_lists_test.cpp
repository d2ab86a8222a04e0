#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "containers/str_list.h"
#include "tests/support/fake_platform.h"
#include "ui/mark_list.h"
#include "ui/menu_base.h"
#include "ui/scroll_list.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

constexpr char kUp = '\x18', kDown = '\x19', kV = '\xB3';

class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override { StartMenuObjects(); }
  void TearDown() override {
    list.Done();
    StartMenuObjects();
  }

  // Entries "E1", "E2", ... or, with a prefix, that prefix and the number.
  void Fill(int count, bool marks, const std::string& prefix = "E") {
    list.Init(200, marks);
    for (int i = 1; i <= count; ++i) list.AddString(Str255(prefix + std::to_string(i)));
  }
  void Bind(ScrollListObj& view, int first, int last) {
    view.List = &list;
    view.FirstShown = static_cast<int16_t>(first);
    view.LastShown = static_cast<int16_t>(last);
  }
  bool UpArrows(const ScrollListObj& view) const {
    return fake.console.At(view.UpX, view.UpY).Char == kUp &&
           fake.console.At(view.UpX + 1, view.UpY + 1).Char == kUp;
  }
  bool DownArrows(const ScrollListObj& view) const {
    return fake.console.At(view.DownX, view.DownY).Char == kDown &&
           fake.console.At(view.DownX + 1, view.DownY + 1).Char == kDown;
  }

  static std::string Corners(const HotZoneObj& zone) {
    return std::to_string(zone.X1) + "-" + std::to_string(zone.X2) + "," + std::to_string(zone.Y1) +
           "-" + std::to_string(zone.Y2);
  }
  // The first six cells of the row that shows entry i.
  static std::string Shown(int i) {
    std::string cells = kV + (" E" + std::to_string(i));
    return cells + std::string(6 - cells.size(), ' ');
  }

  FakePlatform fake;
  StrListObj list;
};

TEST_F(ListsTest, DrawShowsTitleArrowsEntriesCutToTwentyThreeAndMarksInTheirColours) {
  Fill(30, true);
  list.SetMark(3, true);
  list.SetMark(16, true);  // below the page
  MarkListObj view;
  view.Init(1, 5, 26, 20);
  EXPECT_EQ(view.PageSize, 14);
  EXPECT_EQ(Corners(view.UpZone), "24-25,6-7");
  EXPECT_EQ(Corners(view.DownZone), "24-25,18-19");
  view.Title = "Recent";
  view.SetTextColor(11);
  view.SetMarkColor(10);
  Bind(view, 2, 15);
  view.Draw();
  EXPECT_EQ(fake.console.Row(5).substr(0, 26),
            "\xDA" + std::string(8, '\xC4') + "Recent" + std::string(10, '\xC4') + "\xBF");
  EXPECT_EQ(fake.console.RowForeground(5).substr(9, 6), "BBBBBB");
  EXPECT_EQ(fake.console.Row(6).substr(0, 26),
            kV + std::string(" E2") + std::string(19, ' ') + kUp + kUp + kV);
  EXPECT_EQ(fake.console.Row(7).substr(0, 26),
            kV + std::string("*E3") + std::string(19, ' ') + kUp + kUp + kV);
  EXPECT_EQ(fake.console.Row(19).substr(0, 26),
            kV + std::string(" E15") + std::string(18, ' ') + kDown + kDown + kV);
  EXPECT_EQ(fake.console.RowForeground(7).substr(0, 26), "FA" + std::string(21, 'B') + "EEF");
  EXPECT_EQ(fake.console.RowForeground(18).substr(23, 2), "EE");
  EXPECT_EQ(fake.console.RowBackground(7).substr(0, 26), std::string(26, '1'));
  EXPECT_EQ(fake.console.Row(20).substr(0, 26), "\xC0" + std::string(24, '\xC4') + "\xD9");

  // Entries are cut to the inner width less one and cover the arrows.
  list.Done();
  Fill(20, true, "ABCDEFGHIJKLMNOPQRSTUVWXYZ-");
  view.Draw();
  EXPECT_EQ(fake.console.Row(6).substr(0, 27),
            kV + std::string(" ABCDEFGHIJKLMNOPQRSTUVW") + kV + " ");
  EXPECT_EQ(fake.console.Row(19).substr(0, 26), kV + std::string(" ABCDEFGHIJKLMNOPQRSTUVW") + kV);
}

TEST_F(ListsTest, PagingMovesWholePagesAndRedrawsWithArrowsWhenThereIsMore) {
  Fill(25, true);
  list.SetMark(12, true);
  MarkListObj view;
  view.Init(1, 1, 20, 12);
  view.Title = "Dirs";
  ASSERT_EQ(view.PageSize, 10);
  Bind(view, 1, 10);
  struct Step {
    bool up;
    int first, last;
  };
  for (Step step : {Step{false, 11, 20}, Step{false, 16, 25}, Step{false, 16, 25},
                    Step{true, 6, 15}, Step{true, 1, 10}, Step{true, 1, 10}}) {
    fake.console.ClearScreen();
    ScrollListObj& as_scroll = view;  // the mark list's own Draw repaints
    as_scroll.PageScroll(step.up);
    EXPECT_EQ(view.FirstShown, step.first);
    EXPECT_EQ(view.LastShown, step.last);
    EXPECT_EQ(UpArrows(view), step.first > 1) << step.first;
    EXPECT_EQ(DownArrows(view), step.last < 25) << step.last;
    EXPECT_EQ(fake.console.Row(2).substr(0, 6), Shown(step.first));
    EXPECT_EQ(fake.console.Row(11).substr(0, 6), Shown(step.last));
    EXPECT_EQ(fake.console.Row(1).substr(7, 4), "Dirs");
    EXPECT_EQ(fake.console.At(2, 3).Char, step.first == 11 ? '*' : ' ') << step.first;
  }

  list.Done();
  Fill(3, false);
  Bind(view, 1, 3);
  for (bool up : {false, true}) {
    view.PageScroll(up);
    EXPECT_EQ(view.FirstShown, 1);
    EXPECT_EQ(view.LastShown, 3);
    EXPECT_FALSE(UpArrows(view));
    EXPECT_FALSE(DownArrows(view));
  }
  list.Done();
  Fill(0, false);
  fake.console.ClearScreen();
  view.PageScroll(false);
  EXPECT_EQ(view.FirstShown, 1);
  EXPECT_EQ(view.LastShown, 0);
  for (int row = 2; row <= 11; ++row) {
    EXPECT_EQ(fake.console.Row(row).substr(0, 20), kV + std::string(18, ' ') + kV) << row;
  }
}

TEST_F(ListsTest, RowToIndexGivesTheShownPositionOrZeroAndRowsBeyondTheListToggleToASpace) {
  Fill(25, true);
  MarkListObj view;
  view.Init(1, 5, 26, 20);
  Bind(view, 11, 20);
  for (auto [row, index] : {std::pair{5, 0}, {6, 11}, {15, 20}, {16, 0}, {20, 0}, {1, 0}}) {
    EXPECT_EQ(view.RowToIndex(static_cast<int16_t>(row)), index) << row;
  }

  list.Done();
  Fill(5, true);
  Bind(view, 1, view.PageSize);  // as the file dialog binds it
  view.Draw();
  EXPECT_FALSE(DownArrows(view));
  EXPECT_EQ(fake.console.Row(11).substr(0, 26), kV + std::string(24, ' ') + kV);
  int16_t beyond = view.RowToIndex(12);
  EXPECT_EQ(beyond, 7);
  fake.console.GotoXY(2, 12);
  fake.console.WriteText("X");
  view.ToggleMark(beyond);
  EXPECT_EQ(list.Count, 5);
  EXPECT_EQ(list.MarkedCount, 0);
  EXPECT_FALSE(list.GetMark(beyond));
  EXPECT_EQ(fake.console.At(2, 12).Char, ' ');
  EXPECT_EQ(fake.console.At(2, 12).Fore, 2);
}

TEST_F(ListsTest, MarkOperationsChangeTheListAndRepaintOnlyThePage) {
  Fill(25, true);
  MarkListObj view;
  view.Init(1, 1, 20, 12);
  Bind(view, 11, 20);
  view.Draw();
  view.ToggleMark(12);
  EXPECT_TRUE(list.GetMark(12));
  EXPECT_EQ(fake.console.At(2, 3).Char, '*');
  EXPECT_EQ(fake.console.At(2, 3).Fore, 2);
  view.ToggleMark(12);
  EXPECT_FALSE(list.GetMark(12));
  EXPECT_EQ(fake.console.At(2, 3).Char, ' ');

  std::string before = fake.console.Screen();
  view.ToggleMark(3);  // off the page: marked, not drawn
  EXPECT_TRUE(list.GetMark(3));
  EXPECT_EQ(fake.console.Screen(), before);

  view.MarkAll(true);
  EXPECT_EQ(list.MarkedCount, 25);
  for (int row = 2; row <= 11; ++row) EXPECT_EQ(fake.console.At(2, row).Char, '*') << row;
  EXPECT_EQ(fake.console.RowTrimmed(13), "");

  list.SetMark(15, false);
  before = fake.console.Screen();
  view.InvertMarks();  // redrawn only by the next Draw
  EXPECT_EQ(list.MarkedCount, 1);
  EXPECT_TRUE(list.GetMark(15));
  EXPECT_EQ(fake.console.Screen(), before);

  view.MarkAll(false);
  EXPECT_EQ(list.MarkedCount, 0);
  EXPECT_EQ(fake.console.At(2, 6).Char, ' ');

  // A list without marks shows no mark column and ignores mark operations.
  list.Done();
  Fill(12, false);
  Bind(view, 1, 10);
  view.Draw();
  before = fake.console.Screen();
  std::string output = fake.console.Output;
  view.DrawMark(1);
  view.ToggleMark(1);
  view.MarkAll(true);
  view.InvertMarks();
  EXPECT_EQ(fake.console.Screen(), before);
  EXPECT_EQ(fake.console.Output, output);
  EXPECT_EQ(list.MarkedCount, 0);
}

}  // namespace
}  // namespace hopdir
