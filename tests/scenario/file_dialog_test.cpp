#include "ui/filedialog/file_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/dir_list.h"
#include "tests/scenario/cp437.h"
#include "tests/support/fake_platform.h"
#include "ui/menu_base.h"

namespace hopdir {
namespace {

using testing::FakePlatform;
using testing::InputExhausted;

constexpr int kEnded = -1;    // the dialog returned
constexpr int kWaiting = -2;  // the dialog was still polling for input

// The screen after set-up with MultiSelect, for the listing B.TXT, A.TXT,
// C.DOC; without MultiSelect only Clear all stands in rows 9 to 11.
const std::vector<std::string> kMultiSelectScreen = {
    "********************************* Pick files *********************************  ",
    "┌────────────────────────────────┐                                              ",
    "│ B.TXT                          │                                              ",
    "│ A.TXT                          │ Mask:                                        ",
    "│ C.DOC                          │ ┌───────────────────────────────────────┐    ",
    "│                                │ │ C:\\DATA\\*.*                           │    ",
    "│                                │ └───────────────────────────────────────┘    ",
    "│                                │ File selections:                             ",
    "│                                │ ┌────────────┐ ┌───────────┐ ┌────────┐      ",
    "│                                │ │ Select all │ │ Clear all │ │ Switch │      ",
    "│                                │ └────────────┘ └───────────┘ └────────┘      ",
    "│                                │ Sort by:                                     ",
    "│                                │ ┌──────┐ ┌───────────┐ ┌──────┐ ┌──────┐     ",
    "│                                │ │ Name │ │ Extension │ │ Date │ │ Size │     ",
    "│                                │ └──────┘ └───────────┘ └──────┘ └──────┘     ",
    "│                                │                                              ",
    "│                                │           ┌────────────────┐                 ",
    "│                                │           │       OK       │                 ",
    "│                                │           │ done selecting │                 ",
    "│                                │           └────────────────┘                 ",
    "│                                │            ┌──────────────┐                  ",
    "│                                │            │ Quit Program │                  ",
    "│                                │            └──────────────┘                  ",
    "│                                │                                              ",
    "└────────────────────────────────┘                                              ",
};
const char* const kClearAllOnly[] = {
    "│                                │ ┌───────────┐                                ",
    "│                                │ │ Clear all │                                ",
    "│                                │ └───────────┘                                ",
};

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartMenuObjects();
    StartDirListing();
    // Created out of order: the dialog must keep the search order.
    fake.files.AddFile("C:\\DATA\\B.TXT");
    fake.files.AddFile("C:\\DATA\\A.TXT");
    fake.files.AddFile("C:\\DATA\\C.DOC");
    fake.files.AddFile("C:\\DATA\\HIDDEN.TXT", "", kAttrHidden);
    fake.files.AddDir("C:\\DATA\\SUB");
    fake.files.AddFile("C:\\OTHER\\X.DOC");
    fake.files.AddFile("C:\\OTHER\\Y.DOC");
    list = std::make_unique<DirListObj>();
    list->Init(200, true);
  }

  // Runs the dialog; kEnded when it returned, kWaiting when it was left
  // polling for more input, otherwise the exit code.
  int Run(bool multiSelect, const char* title = "Pick files", const char* mask = "C:\\DATA\\*.*") {
    try {
      return fake.RunToExit([&] { FileSelectDialog(*list, mask, title, multiSelect); });
    } catch (const InputExhausted&) {
      return kWaiting;
    }
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 1; i <= list->Count; ++i) names.push_back(list->GetString(i).ToStd());
    return names;
  }

  // A press on the file list's row showing entry `index` of the first page.
  void PressEntry(int index) { fake.console.PushPress(10, 2 + index); }
  // Keys are seen before any waiting press, so scripts that click first end
  // with "OK".
  void PressOk() { fake.console.PushPress(50, 18); }

  void ExpectScreen(bool multiSelect) {
    for (int row = 1; row <= 25; ++row) {
      std::string want =
          multiSelect || row < 9 || row > 11 ? kMultiSelectScreen[row - 1] : kClearAllOnly[row - 9];
      EXPECT_EQ(fake.console.Row(row), Cp437(want)) << "row " << row;
    }
  }

  FakePlatform fake;
  std::unique_ptr<DirListObj> list;
};

TEST_F(FileDialogTest, SetUpDrawsTheLayoutInItsColoursWithAndWithoutMultiSelect) {
  EXPECT_EQ(Run(false), kWaiting);
  ExpectScreen(false);

  fake.console.TextColor = 7;
  EXPECT_EQ(Run(true), kWaiting);
  ExpectScreen(true);
  EXPECT_TRUE(fake.console.MouseEnabled);
  EXPECT_EQ(Names(), (std::vector<std::string>{"B.TXT", "A.TXT", "C.DOC"}));
  EXPECT_EQ(list->Dir, Str255("C:\\DATA\\"));
  // Everything stands on blue; each part in its own colour.
  for (int row = 1; row <= 25; ++row) {
    EXPECT_EQ(fake.console.RowBackground(row), std::string(80, '1')) << "row " << row;
  }
  struct Span {
    int row, col, length;
    char colour;
  };
  for (Span span :
       {Span{1, 1, 78, '7'}, Span{3, 1, 34, 'F'}, Span{4, 36, 5, '2'}, Span{6, 36, 41, '2'},
        Span{8, 36, 16, 'F'}, Span{10, 36, 14, 'F'}, Span{10, 51, 13, 'F'}, Span{10, 65, 10, 'F'},
        Span{12, 36, 8, 'E'}, Span{14, 36, 8, 'E'}, Span{14, 45, 13, 'E'}, Span{14, 59, 8, 'E'},
        Span{14, 68, 8, 'E'}, Span{19, 46, 18, 'A'}, Span{22, 47, 16, 'C'}}) {
    EXPECT_EQ(fake.console.RowForeground(span.row).substr(span.col - 1, span.length),
              std::string(span.length, span.colour))
        << span.row << "," << span.col;
  }
  // The cursor is parked in the bottom-right corner between polls.
  EXPECT_EQ(fake.console.WhereX(), 80);
  EXPECT_EQ(fake.console.WhereY(), 25);
}

TEST_F(FileDialogTest, TheTitleLosesItsAsterisksAtSeventySixCharacters) {
  for (int length : {74, 75, 76, 78}) {
    std::string title(static_cast<size_t>(length), 'T');
    EXPECT_EQ(Run(true, title.c_str()), kWaiting);
    std::string want = length < 75 ? "* " + title + " *" : " " + title;
    want.resize(80, ' ');
    EXPECT_EQ(fake.console.Row(1), want) << length;
  }
}

TEST_F(FileDialogTest, MultiSelectTogglesEachClickedEntryAndSingleSelectKeepsAtMostOne) {
  PressEntry(1);
  PressEntry(3);
  PressEntry(2);
  PressEntry(2);
  PressEntry(10);  // a row below the entries marks nothing
  EXPECT_EQ(Run(true), kWaiting);
  EXPECT_EQ(fake.console.At(2, 3).Char, '*');
  EXPECT_EQ(fake.console.At(2, 3).Fore, 15);
  EXPECT_EQ(fake.console.At(2, 4).Char, ' ');
  EXPECT_EQ(fake.console.At(2, 5).Char, '*');
  EXPECT_EQ(list->MarkedCount, 2);
  EXPECT_EQ(list->GetMarkedString(2), Str255("C.DOC"));

  PressEntry(1);
  PressEntry(2);                    // the mark moves
  EXPECT_EQ(Run(false), kWaiting);  // a fresh listing drops the earlier marks
  EXPECT_EQ(list->MarkedCount, 1);
  EXPECT_EQ(list->GetMarkedString(1), Str255("A.TXT"));
  EXPECT_EQ(fake.console.At(2, 3).Char, ' ');
  EXPECT_EQ(fake.console.At(2, 4).Char, '*');

  // Clicking the marked entry, an empty row or the top frame row leaves none.
  for (int row : {4, 12, 2}) {
    PressEntry(2);
    fake.console.PushPress(10, row);
    PressOk();
    EXPECT_EQ(Run(false), kEnded);
    EXPECT_EQ(list->MarkedCount, 0) << row;
  }
}

TEST_F(FileDialogTest, SelectAllClearAllAndSwitchReactOnlyWhereTheyAreDrawn) {
  fake.console.PushPress(40, 10);  // Select all
  PressOk();
  EXPECT_EQ(Run(true), kEnded);
  EXPECT_EQ(list->MarkedCount, 3);

  PressEntry(2);
  fake.console.PushPress(70, 9);  // Switch
  PressOk();
  EXPECT_EQ(Run(true), kEnded);
  EXPECT_EQ(list->MarkedCount, 2);
  EXPECT_EQ(list->GetMarkedString(1), Str255("B.TXT"));
  EXPECT_EQ(list->GetMarkedString(2), Str255("C.DOC"));

  fake.console.PushPress(40, 10);  // Select all
  fake.console.PushPress(63, 11);  // Clear all, bottom-right corner
  EXPECT_EQ(Run(true), kWaiting);
  EXPECT_EQ(list->MarkedCount, 0);
  for (int row = 3; row <= 5; ++row) EXPECT_EQ(fake.console.At(2, row).Char, ' ');

  // Without MultiSelect, Clear all starts in column 36 and nothing else is there.
  PressEntry(1);
  fake.console.PushPress(70, 10);  // where Switch would be
  fake.console.PushPress(50, 10);
  PressOk();
  EXPECT_EQ(Run(false), kEnded);
  EXPECT_EQ(list->MarkedCount, 1);
  PressEntry(1);
  fake.console.PushPress(36, 10);
  PressOk();
  EXPECT_EQ(Run(false), kEnded);
  EXPECT_EQ(list->MarkedCount, 0);
}

TEST_F(FileDialogTest, RetypingTheMaskRelistsWithTheListsFiltersAndDropsEveryMark) {
  PressEntry(1);
  fake.console.PushPress(50, 6);
  fake.console.PushLine("C:\\OTHER\\*.DOC");
  PressEntry(2);
  EXPECT_EQ(Run(true), kWaiting);
  EXPECT_EQ(Names(), (std::vector<std::string>{"X.DOC", "Y.DOC"}));
  EXPECT_EQ(list->Dir, Str255("C:\\OTHER\\"));
  EXPECT_EQ(list->Pattern, Str255("C:\\OTHER\\*.DOC"));
  EXPECT_EQ(fake.console.RowTrimmed(3).substr(0, 34),
            std::string("\xB3 X.DOC") + std::string(26, ' ') + "\xB3");
  EXPECT_EQ(list->GetMarkedString(1), Str255("Y.DOC"));
  EXPECT_EQ(fake.console.At(3, 5).Char, ' ');  // C.DOC's row is gone

  // The same mask typed again still gives a fresh, unmarked listing.
  fake.console.PushPress(3, 4);
  fake.console.PushPress(37, 5);
  fake.console.PushLine("C:\\DATA\\*.*");
  PressOk();
  EXPECT_EQ(Run(true), kEnded);
  EXPECT_EQ(list->MarkedCount, 0);
  EXPECT_EQ(list->Count, 3);

  list->AllowedAttr = AnyAttrMask;
  list->RequiredAttr = kAttrDirectory;
  PressOk();
  EXPECT_EQ(Run(true), kEnded);
  EXPECT_EQ(Names(), (std::vector<std::string>{".", "..", "SUB"}));
  list->RequiredAttr = kAttrHidden;
  fake.console.PushPress(50, 6);
  fake.console.PushLine("C:\\DATA\\*.TXT");
  PressOk();
  EXPECT_EQ(Run(true), kEnded);
  EXPECT_EQ(Names(), (std::vector<std::string>{"HIDDEN.TXT"}));
}

TEST_F(FileDialogTest, SortButtonsOnlyWriteTheirLabel) {
  struct Case {
    int col;
    const char* label;
  };
  for (Case c : {Case{40, "Sort by name      "}, Case{50, "Sort by extension "},
                 Case{60, "Sort by date      "}, Case{70, "Sort by size      "}}) {
    PressEntry(2);
    fake.console.PushPress(c.col, 14);
    EXPECT_EQ(Run(true), kWaiting);
    EXPECT_EQ(fake.console.Row(24).substr(0, 34), c.label + std::string(15, ' ') + "\xB3");
    EXPECT_EQ(Names(), (std::vector<std::string>{"B.TXT", "A.TXT", "C.DOC"}));
    EXPECT_EQ(list->MarkedCount, 1);
  }
}

TEST_F(FileDialogTest, AnyKeyOrOkEndsOnABlackScreenAndQuitProgramExitsOne) {
  PressEntry(3);
  fake.console.PushKey('a');
  PressEntry(1);  // never taken: the dialog is over
  EXPECT_EQ(Run(true), kEnded);
  EXPECT_EQ(list->MarkedCount, 1);
  EXPECT_EQ(list->GetMarkedString(1), Str255("C.DOC"));
  EXPECT_EQ(fake.console.PendingMouseEvents(), 1);
  for (int row = 1; row <= 25; ++row) {
    EXPECT_EQ(fake.console.Row(row), std::string(80, ' '));
    EXPECT_EQ(fake.console.RowForeground(row), std::string(80, 'F'));
    EXPECT_EQ(fake.console.RowBackground(row), std::string(80, '0'));
  }

  fake.console.PushExtendedKey('\x48');  // both bytes of an arrow key are read
  EXPECT_EQ(Run(true), kEnded);
  EXPECT_EQ(fake.console.PendingKeys(), 0);

  PressEntry(2);
  fake.console.PushPress(63, 20);  // OK, bottom-right corner
  PressEntry(1);
  EXPECT_EQ(Run(false), kEnded);
  EXPECT_EQ(list->GetMarkedString(1), Str255("A.TXT"));
  EXPECT_EQ(fake.console.PendingMouseEvents(), 1);

  PressEntry(1);
  fake.console.PushPress(47, 21);  // Quit Program
  EXPECT_EQ(Run(true), 1);
  EXPECT_EQ(fake.console.RowForeground(1), std::string(80, 'F'));
  for (int row = 1; row <= 25; ++row) {
    EXPECT_EQ(fake.console.RowTrimmed(row), row == 1 ? "User abort!" : "") << row;
    EXPECT_EQ(fake.console.RowBackground(row), std::string(80, '0'));
  }

  fake.console.WriteFailsWith = 29;
  EXPECT_EQ(Run(true), 29);
}

TEST_F(FileDialogTest, TheArrowsPageThroughALongListing) {
  for (int i = 1; i <= 30; ++i) {
    fake.files.AddFile("C:\\LONG\\F" + std::to_string(100 + i) + ".TXT");
  }
  fake.console.PushPress(33, 24);  // down arrows
  PressEntry(1);
  EXPECT_EQ(Run(true, "Long", "C:\\LONG\\*.*"), kWaiting);
  EXPECT_EQ(fake.console.Row(3).substr(0, 10), "\xB3*F109.TXT");
  EXPECT_EQ(list->GetMarkedString(1), Str255("F109.TXT"));

  fake.console.PushPress(33, 24);
  fake.console.PushPress(32, 3);  // up arrows
  PressEntry(22);
  EXPECT_EQ(Run(true, "Long", "C:\\LONG\\*.*"), kWaiting);
  EXPECT_EQ(fake.console.Row(3).substr(0, 10), "\xB3 F101.TXT");
  EXPECT_EQ(list->GetMarkedString(1), Str255("F122.TXT"));
}

}  // namespace
}  // namespace hopdir
