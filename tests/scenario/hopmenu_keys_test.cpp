#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/scenario/hopmenu_fixture.h"

namespace hopdir {
namespace {

// The page from the keyboard, the wheel and double clicks, each case a
// script and where it ends. D:\WORK holds alpha (with one and two), Beta
// and SUB; D:\MANY holds D00..D44.
class HopmenuKeysTest : public HopmenuTest {
 protected:
  static constexpr const char* kHistory = "D:\\TOOLS\r\nC:\\GAMES\r\n";
  void SetUp() override {
    HopmenuTest::SetUp();
    SetHistory(kHistory);
    fake.files.AddDir("D:\\WORK\\alpha\\one");
    fake.files.AddDir("D:\\WORK\\alpha\\two");
    fake.files.AddDir("C:\\GAMES");
    for (int i = 0; i < 45; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "D:\\MANY\\D%02d", i);
      fake.files.AddDir(name);
    }
  }

  // Two presses on one cell, the second `apart` milliseconds after the first.
  void DoubleClick(int col, int row, int apart) {
    fake.console.PushPress(col, row);
    fake.console.NextEventAfter(10);
    fake.console.PushRelease(col, row);
    fake.console.NextEventAfter(apart - 10);
    fake.console.PushPress(col, row);
    fake.console.NextEventAfter(10);
    fake.console.PushRelease(col, row);
  }

  // Keys as typed: {Name} is a key without a character, anything else
  // the key of that character.
  void Type(const std::string& script) {
    static const std::map<std::string, std::function<void(testing::FakeConsole&)>> keys = {
        {"Up", [](auto& c) { c.PushExtendedKey(72); }},
        {"Down", [](auto& c) { c.PushExtendedKey(80); }},
        {"PgUp", [](auto& c) { c.PushExtendedKey(73); }},
        {"PgDn", [](auto& c) { c.PushExtendedKey(81); }},
        {"Home", [](auto& c) { c.PushExtendedKey(71); }},
        {"End", [](auto& c) { c.PushExtendedKey(79); }},
        {"Left", [](auto& c) { c.PushExtendedKey(75); }},
        {"Right", [](auto& c) { c.PushExtendedKey(77); }},
        {"STab", [](auto& c) { c.PushExtendedKey(15); }},
        {"F2", [](auto& c) { c.PushExtendedKey(60); }},
        {"F3", [](auto& c) { c.PushExtendedKey(61); }},
        {"F4", [](auto& c) { c.PushExtendedKey(62); }},
        {"F5", [](auto& c) { c.PushExtendedKey(63); }},
        {"F10", [](auto& c) { c.PushExtendedKey(68); }},
        {"Tab", [](auto& c) { c.PushKey('\t'); }},
        {"Enter", [](auto& c) { c.PushKey('\r'); }},
        {"Bs", [](auto& c) { c.PushKey('\b'); }},
        {"Esc", [](auto& c) { c.PushKey('\x1b'); }},
        {"^D", [](auto& c) { c.PushKey('\x04'); }},
        {"^U", [](auto& c) { c.PushKey('\x15'); }},
    };
    for (size_t i = 0; i < script.size(); ++i) {
      if (script[i] != '{') {
        fake.console.PushKey(script[i]);
        continue;
      }
      const size_t end = script.find('}', i);
      keys.at(script.substr(i + 1, end - i - 1))(fake.console);
      i = end;
    }
  }
};

TEST_F(HopmenuKeysTest, EachScriptEndsWhereItShould) {
  struct Case {
    const char* start;
    std::function<void()> script;
    int status;
    std::string batch;  // empty: none written
  };
  auto keys = [this](const char* text) { return [this, text] { Type(text); }; };
  const Case cases[] = {
      // Filter, Enter on the only match, F10; the highlight starts on alpha.
      {"D:\\WORK", keys("su{Enter}{F10}"), 0, BatchFor("D:", "\\WORK\\SUB")},
      {"D:\\WORK", keys("SU{Enter}{F10}"), 0, BatchFor("D:", "\\WORK\\SUB")},
      {"D:\\WORK", keys("{Enter}{^D}"), 0, BatchFor("D:", "\\WORK\\alpha")},
      {"D:\\WORK", keys("{Down}{Right}{F10}"), 0, BatchFor("D:", "\\WORK\\Beta")},
      {"D:\\WORK", keys("{End}{Up}{Up}{Enter}{F10}"), 0, BatchFor("D:", "\\WORK\\alpha")},
      {"D:\\WORK", keys("{Home}{Enter}{F10}"), 0, BatchFor("D:", "\\WORK")},  // "."
      // Up from where the list shows "..": WORK is highlighted, Enter goes back.
      {"D:\\WORK", keys("{Bs}{Enter}{F10}"), 0, BatchFor("D:", "\\WORK")},
      {"D:\\WORK\\alpha", keys("{Left}{Left}{Enter}{Enter}{F10}"), 0,
       BatchFor("D:", "\\WORK\\alpha")},
      // Backspace takes a filter back first, Esc clears it; then each goes on.
      {"D:\\WORK", keys("xy{Bs}{Bs}{Bs}{F10}"), 0, BatchFor("D:", "\\")},
      {"D:\\WORK", keys("qq{Esc}{Down}{Enter}{F10}"), 0, BatchFor("D:", "\\WORK\\Beta")},
      {"D:\\WORK", keys("b{^U}{Enter}{F10}"), 0, BatchFor("D:", "\\WORK\\Beta")},
      {"D:\\WORK", keys("{Esc}"), 1, ""},
      {"D:\\WORK", keys("zz{Esc}{Esc}"), 1, ""},
      // Tab to the recent directories: hot ends there, cold moves the page.
      {"D:\\WORK", keys("{Tab}{Enter}"), 0, BatchFor("D:", "\\TOOLS")},
      {"D:\\WORK", keys("{Tab}{Down}{Enter}"), 0, BatchFor("C:", "\\GAMES")},
      // The page moved goes on in its paths list: ".." below "." leads up.
      {"D:\\WORK", keys("{F5}{STab}{Down}{Enter}{Down}{Enter}{F10}"), 0, BatchFor("C:", "\\")},
      {"D:\\WORK", keys("{F5}{F5}{Tab}{Enter}{Tab}{Enter}{F10}"), 0,
       BatchFor("D:", "\\WORK\\alpha")},  // a file changes nothing
      // Typing moves the focus back to the paths list; Tab keeps highlights.
      {"D:\\WORK", keys("{Tab}s{Enter}{F10}"), 0, BatchFor("D:", "\\WORK\\SUB")},
      {"D:\\WORK", keys("{Down}{Tab}{Down}{Tab}{Enter}{F10}"), 0, BatchFor("D:", "\\WORK\\Beta")},
      // The drive buttons and the root button.
      {"D:\\WORK", keys("{F3}{F10}"), 0, BatchFor("F:", "\\PROJ")},
      {"D:\\WORK", keys("{F2}{F10}"), 0, BatchFor("C:", "\\HOPDIR")},
      {"D:\\WORK", keys("{F4}{F10}"), 0, BatchFor("D:", "\\")},
      // Pages of 19 rows: D00 is entry 3, PgDn goes 19 on; the wheel 3 a notch.
      {"D:\\MANY", keys("{PgDn}{Enter}{F10}"), 0, BatchFor("D:", "\\MANY\\D19")},
      {"D:\\MANY", keys("{PgDn}{PgDn}{PgUp}{Enter}{F10}"), 0, BatchFor("D:", "\\MANY\\D19")},
      {"D:\\MANY", keys("{End}{Enter}{F10}"), 0, BatchFor("D:", "\\MANY\\D44")},
      {"D:\\MANY",
       [this] {
         fake.console.PushWheel(kPathsCol, 10, -2);
         Type("{Enter}{F10}");
       },
       0, BatchFor("D:", "\\MANY\\D04")},  // the highlight kept on screen: entry 7
      {"D:\\MANY",
       [this] {
         fake.console.PushWheel(kPathsCol, 10, -3);
         fake.console.PushWheel(kPathsCol, 10, 1);
         PressPath(1);
         Type("{F10}");
       },
       0, BatchFor("D:", "\\MANY\\D04")},
      // Keys and presses in the order they came: the press is on the filtered list.
      {"D:\\WORK",
       [this] {
         Type("su");
         PressPath(3);
         Type("{F10}");
       },
       0, BatchFor("D:", "\\WORK\\SUB")},
      // A double click walks one level; presses further apart walk two.
      {"D:\\WORK",
       [this] {
         DoubleClick(kPathsCol, 7, 500);
         Type("{F10}");
       },
       0, BatchFor("D:", "\\WORK\\alpha")},
      {"D:\\WORK",
       [this] {
         DoubleClick(kPathsCol, 7, 501);
         Type("{F10}");
       },
       0, BatchFor("D:", "\\WORK\\alpha\\one")},
  };
  for (const Case& c : cases) {
    Restart();
    SetHistory(kHistory);
    fake.files.DeleteFile(Str255(kBatchFile));
    fake.files.SetCurrentDirectory(c.start);
    c.script();
    EXPECT_EQ(Run(), c.status) << c.start << " " << c.batch;
    EXPECT_EQ(Batch().value_or(""), c.batch) << c.start;
    EXPECT_EQ(fake.console.PendingKeys(), 0);
    EXPECT_TRUE(fake.console.CursorShown);
  }
}

TEST_F(HopmenuKeysTest, TheHighlightTheFilterAndTheCursorShowOnThePage) {
  fake.files.AddDir("D:\\WORK\\" + std::string(30, 'L') + "ong");
  Type("l{Down}");
  RunUntilWaiting();
  EXPECT_FALSE(fake.console.CursorShown);
  // ".", "..", alpha and the long name: the long one highlighted, cut with
  // the mark; the filter in the bottom edge.
  EXPECT_EQ(fake.console.Row(7).substr(0, 26), Cp437("│ alpha                  │"));
  EXPECT_EQ(fake.console.Row(8).substr(0, 26), Cp437("│ " + std::string(22, 'L') + "~│"));
  EXPECT_EQ(fake.console.RowBackground(8).substr(0, 26), "0" + std::string(24, '7') + "0");
  EXPECT_EQ(fake.console.RowForeground(8).substr(1, 24), std::string(24, '0'));
  EXPECT_EQ(fake.console.RowBackground(7).substr(0, 26), std::string(26, '0'));
  std::string bottom = "└─Filter: l";
  for (int i = 0; i < 14; ++i) bottom += "─";
  EXPECT_EQ(fake.console.Row(24).substr(0, 26), Cp437(bottom + "┘"));
}

TEST_F(HopmenuKeysTest, BelowTheSizeThatFitsOneLineSaysSoUntilAResizeOrEsc) {
  struct Case {
    int cols;
    int rows;
    bool fits;
  };
  for (Case c : {Case{75, 10, true}, Case{74, 10, false}, Case{75, 9, false}, Case{30, 8, false}}) {
    Restart();
    fake.console.Resize(c.cols, c.rows);
    Type("{Down}");
    RunUntilWaiting();
    const int middle = (c.rows + 1) / 2;
    const std::string line = "Too small: needs 75 x 10";
    if (c.fits) {
      EXPECT_EQ(fake.console.RowTrimmed(c.rows), "Current destination: D:\\WORK\\") << c.cols;
      EXPECT_EQ(fake.console.Row(3).substr(0, 25), Cp437("└────────┘└────────┘└───┘"));
    } else {
      const std::string row = fake.console.RowTrimmed(middle);
      EXPECT_EQ(row.substr(row.find_first_not_of(' ')), line) << c.cols << "x" << c.rows;
      EXPECT_EQ(fake.console.Screen().find("Current"), std::string::npos);
    }
  }
  // Too small, then big enough again: the page as it was, filter and all;
  // Esc while too small is ABORT.
  Restart();
  fake.console.Resize(80, 25);
  Type("be");
  fake.console.PushResize(60, 20);
  fake.console.PushResize(80, 25);
  RunUntilWaiting();
  EXPECT_EQ(fake.console.Row(7).substr(0, 26), Cp437("│ Beta                   │"));
  EXPECT_EQ(fake.console.Row(24).substr(0, 14), Cp437("└─Filter: be──"));
  Restart();
  fake.console.Resize(30, 8);
  Type("{F10}{Esc}");
  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(Batch(), std::nullopt);
}

}  // namespace
}  // namespace hopdir
