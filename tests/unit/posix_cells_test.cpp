#include <gtest/gtest.h>

#include <string>

#include "containers/str_list.h"
#include "hopmenu/status_line.h"
#include "platform/posix/text_width.h"
#include "tests/support/fake_platform.h"
#include "ui/frame_box.h"
#include "ui/mark_list.h"
#include "ui/menu_base.h"
#include "ui/screen_probe.h"

namespace hopdir {
namespace {

// The fake screen, counting UTF-8 text in cells as the terminal backend
// does (the plain fake counts a byte a cell, as Windows does).
class CellCountingConsole : public testing::FakeConsole {
 public:
  int TextCells(std::string_view text) override { return Utf8TextCells(text); }
  size_t FitCells(std::string_view text, int cells) override {
    return cells <= 0 ? 0 : Utf8FitCells(text, cells);
  }
};

class TerminalCellsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(StartTextWidth()); }
  TerminalCellsTest() : platform_{console, fake.files, fake.process, fake.Paths(), fake.Handoff()} {
    InstallPlatform(&platform_);
    StartMenuObjects();
  }
  ~TerminalCellsTest() override {
    StartMenuObjects();
    StartScreenProbe();
  }

  testing::FakePlatform fake{testing::Convention::kPosix};
  CellCountingConsole console;
  Platform platform_;
};

TEST_F(TerminalCellsTest, TheStatusLineKeepsTheEndOfADestinationWithoutCuttingACharacter) {
  // 31 columns: the destination has 8 cells, the ellipsis and 7 cells when cut.
  ScreenCols = 31;
  console.Ellipsis = "…";
  const struct {
    const char* destination;
    const char* shown;
  } cases[] = {
      {"/a/日本", "/a/日本  "},              // 7 cells: whole
      {"/日本語xy", "…本語xy  "},            // 日 would straddle the cut: it goes
      {"/abe\314\201fghijkl", "…fghijkl "},  // the mark (U+0301) goes with its e
      {"/abc/defghi", "…/defghi "},          // a plain cut
  };
  for (const auto& c : cases) {
    console.Output.clear();
    WriteStatusLine(c.destination);
    EXPECT_EQ(console.Output, std::string("Current destination: ") + c.shown) << c.destination;
  }
}

TEST_F(TerminalCellsTest, ListEntriesAreClippedAndBoxesPaddedInCells) {
  StrListObj names;
  names.Init(5, false);
  names.AddString("日本語のフォルダ");
  MarkListObj list;
  list.Init(1, 1, 10, 5);  // 7 cells between the frame's sides
  list.List = &names;
  list.FirstShown = list.LastShown = 1;
  list.Draw();
  EXPECT_NE(console.Output.find("日本語"), std::string::npos);
  EXPECT_EQ(console.Output.find("日本語の"), std::string::npos);
  names.Done();

  FrameBoxObj box;
  box.Init(1, 1, "日本");
  EXPECT_EQ(box.Width, 4);
  EXPECT_EQ(box.X2, 8);
  box.AddLine("abcde");
  EXPECT_EQ(box.Width, 5);
  console.Output.clear();
  box.Draw();
  // One blank pads the line to the box's 5 cells, then the right pad.
  EXPECT_NE(console.Output.find("\xB3 日本  \xB3"), std::string::npos);
  EXPECT_NE(console.Output.find("\xB3 abcde \xB3"), std::string::npos);
}

}  // namespace
}  // namespace hopdir
