#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "containers/str_list.h"
#include "platform/text_file.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

class StrListTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (list.Items != nullptr) {
      list.Done();
    }
  }
  void Fill(std::initializer_list<const char*> entries, int16_t capacity = 10, bool marks = false) {
    list.Init(capacity, marks);
    for (const char* entry : entries) {
      list.AddString(entry);
    }
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> result;
    for (int16_t i = 1; i <= list.Count; ++i) {
      result.push_back(list.GetString(i).ToStd());
    }
    return result;
  }
  std::string Halt(const std::string& message) {
    return "Halting with error-code 1, because:\r\n" + message + "\r\n";
  }

  FakePlatform fake;
  StrListObj list;
};

using Strings = std::vector<std::string>;

TEST_F(StrListTest, InitStartsEmptyWithUnsetMarks) {
  list.Count = 7;
  list.MarkedCount = 3;
  list.NewMark = true;
  list.Init(5, true);
  EXPECT_EQ(list.Count, 0);
  EXPECT_EQ(list.Capacity, 5);
  EXPECT_EQ(list.MarkedCount, 0);
  EXPECT_TRUE(list.HasMarks);
  EXPECT_FALSE(list.NewMark);
  EXPECT_NE(list.Marks, nullptr);
  list.Done();
  EXPECT_EQ(list.Items, nullptr);
  EXPECT_EQ(list.Marks, nullptr);
}

TEST_F(StrListTest, StorageThatCannotBeHadHalts) {
  EXPECT_EQ(fake.RunToExit([&] { list.Init(-1, false); }), 1);
  EXPECT_EQ(fake.console.Output, Halt("not enough RAM available."));
}

TEST_F(StrListTest, EntriesKeepTheirFirstEightyCharacters) {
  std::string long_entry;
  for (int i = 0; i < 100; ++i) {
    long_entry += static_cast<char>('A' + i % 26);
  }
  Fill({});
  list.AddString(Str255(long_entry));
  list.InsertInList(1, Str255(long_entry));
  EXPECT_EQ(list.GetString(1).ToStd(), long_entry.substr(0, 80));
  EXPECT_EQ(list.GetString(2).ToStd(), long_entry.substr(0, 80));
  EXPECT_FALSE(list.StringInList(Str255(long_entry)));
  EXPECT_TRUE(list.StringInList(Str255(long_entry.substr(0, 80))));
  EXPECT_EQ(list.StringPosition(Str255(long_entry.substr(0, 79))), 0);
}

TEST_F(StrListTest, ReadsOutsideTheEntriesAreEmpty) {
  Fill({"A", "B"});
  for (int16_t position : {0, -1, 3, 10, -32768}) {
    EXPECT_EQ(list.GetString(position), "") << position;
  }
  list.DeleteString(2);
  EXPECT_EQ(list.GetString(2), "");  // the vacated slot is never shown
}

TEST_F(StrListTest, AddingToAFullListHalts) {
  Fill({}, 0);
  EXPECT_EQ(fake.RunToExit([&] { list.AddString("x"); }), 1);
  EXPECT_EQ(fake.console.Output, Halt("AddString tried to store too many strings in list."));
  EXPECT_EQ(list.Count, 0);
}

TEST_F(StrListTest, InsertingGoesInFrontAndHaltsWhenFull) {
  Fill({"A", "B"}, 3);
  list.InsertInList(1, "N");
  EXPECT_EQ(Entries(), (Strings{"N", "A", "B"}));
  EXPECT_EQ(fake.RunToExit([&] { list.InsertInList(1, "M"); }), 1);
  EXPECT_EQ(fake.console.Output, Halt("InsertInList tried to store too many strings in list."));
  EXPECT_EQ(Entries(), (Strings{"N", "A", "B"}));
}

TEST_F(StrListTest, InsertPositionsOutsideTheListLandAtTheNearestEnd) {
  Fill({"A", "B"}, 6);
  list.InsertInList(3, "C");
  list.InsertInList(9, "D");
  list.InsertInList(0, "Z");
  list.InsertInList(-4, "Y");
  EXPECT_EQ(Entries(), (Strings{"Y", "Z", "A", "B", "C", "D"}));
}

TEST_F(StrListTest, DeletingShiftsLaterEntriesAndHaltsOutsideTheList) {
  Fill({"A", "B", "C", "D"});
  list.DeleteString(2);
  EXPECT_EQ(Entries(), (Strings{"A", "C", "D"}));
  list.DeleteString(3);
  list.DeleteString(1);
  EXPECT_EQ(Entries(), (Strings{"C"}));
  for (int16_t position : {0, 2}) {
    FakePlatform fresh;
    EXPECT_EQ(fresh.RunToExit([&] { list.DeleteString(position); }), 1);
    EXPECT_EQ(fresh.console.Output, Halt("Tried to delete nonexistant string."));
  }
  EXPECT_EQ(Entries(), (Strings{"C"}));
}

TEST_F(StrListTest, MoveToFrontMovesOnlyTheFirstEqualEntry) {
  Fill({"A", "B", "D", "B"}, 4);
  list.MoveToFront("B");
  EXPECT_EQ(Entries(), (Strings{"B", "A", "D", "B"}));
  list.MoveToFront("b");
  list.MoveToFront("");
  EXPECT_EQ(Entries(), (Strings{"B", "A", "D", "B"}));
  // The list is full: the delete makes room for the insert.
  list.MoveToFront("D");
  EXPECT_EQ(Entries(), (Strings{"D", "B", "A", "B"}));
  list.MoveToFront(list.GetString(1));
  EXPECT_EQ(Entries(), (Strings{"D", "B", "A", "B"}));
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(StrListTest, SearchesAreExactCaseSensitiveAndFindTheFirstHit) {
  Fill({"ABC", "abc", "b", "xabcx"});
  EXPECT_EQ(list.StringPosition("abc"), 2);
  EXPECT_FALSE(list.StringInList("ab"));
  EXPECT_EQ(list.SubstringPosition("b"), 2);
  EXPECT_EQ(list.SubstringPosition("C"), 1);
  EXPECT_EQ(list.SubstringPosition("abcx"), 4);
  EXPECT_TRUE(list.SubstringInList("bc"));
  EXPECT_FALSE(list.SubstringInList("abcd"));
  EXPECT_FALSE(list.SubstringInList(""));
  EXPECT_EQ(list.SubstringPosition(""), 0);
  list.AddString("");
  EXPECT_EQ(list.StringPosition(""), 5);

  StrListObj only_upper;
  only_upper.Init(1, false);
  only_upper.AddString("ABC");
  EXPECT_FALSE(only_upper.StringInList("abc"));
  only_upper.Done();
}

TEST_F(StrListTest, SortOrdersBytesUnsignedWithOrWithoutCase) {
  Fill({"b", "A", "a", "B"});
  list.SortList(false);
  EXPECT_EQ(Entries(), (Strings{"A", "a", "b", "B"}));
  list.SortList(true);
  EXPECT_EQ(Entries(), (Strings{"A", "B", "a", "b"}));
  list.Done();

  Fill({"_x", "abc", "ax", "Ax", "ab", "\xE9", "zz"});
  list.SortList(false);
  EXPECT_EQ(Entries(), (Strings{"ab", "abc", "Ax", "ax", "zz", "_x", "\xE9"}));
  list.SortList(true);
  EXPECT_EQ(Entries(), (Strings{"Ax", "_x", "ab", "abc", "ax", "zz", "\xE9"}));
}

TEST_F(StrListTest, SortWithAGapAboveOneIsNotStable) {
  // Gap 3 first moves the lower-case b behind its upper-case equal.
  Fill({"b", "B", "c", "a", "c"});
  list.SortList(false);
  EXPECT_EQ(Entries(), (Strings{"a", "B", "b", "c", "c"}));
  list.Done();

  Fill({});
  list.SortList(true);
  EXPECT_EQ(list.Count, 0);
  list.AddString("only");
  list.SortList(false);
  EXPECT_EQ(Entries(), (Strings{"only"}));
}

TEST_F(StrListTest, SortKeepsEveryEntryOfALongList) {
  Fill({}, 100);
  for (int i = 0; i < 100; ++i) {
    list.AddString(Str255(std::to_string((i * 37) % 100 + 100)));
  }
  list.SortList(true);
  for (int16_t i = 1; i <= 100; ++i) {
    EXPECT_EQ(list.GetString(i).ToStd(), std::to_string(99 + i));
  }
}

TEST_F(StrListTest, UpCaseChangesOnlyTheLettersAToZ) {
  EXPECT_EQ(UpCaseStr("az{`@[_\xE9\xC9 Zq1"), "AZ{`@[_\xE9\xC9 ZQ1");
  Fill({"mixed Case", "", "\xE0x"});
  list.UpCaseList();
  EXPECT_EQ(Entries(), (Strings{"MIXED CASE", "", "\xE0X"}));
}

TEST_F(StrListTest, MarksCountFindAndTravelWithTheirEntries) {
  Fill({"e", "d", "c", "b", "a", "f"}, 8, true);
  EXPECT_EQ(list.MarkedCount, 0);
  list.SetMark(2, true);
  list.SetMark(5, true);
  EXPECT_EQ(list.MarkedCount, 2);
  EXPECT_EQ(list.GetMarkedString(1), "d");
  EXPECT_EQ(list.GetMarkedString(2), "a");
  EXPECT_EQ(list.GetMarkedString(3), "");
  EXPECT_EQ(list.GetMarkedString(0), "");
  EXPECT_EQ(list.GetMarkedString(-1), "");

  list.SortList(true);
  EXPECT_EQ(Entries(), (Strings{"a", "b", "c", "d", "e", "f"}));
  EXPECT_TRUE(list.GetMark(1));
  EXPECT_TRUE(list.GetMark(4));
  EXPECT_EQ(list.GetMarkedString(1), "a");
  EXPECT_FALSE(list.GetMark(2));
  EXPECT_FALSE(list.GetMark(0));
  EXPECT_FALSE(list.GetMark(7));

  // Out of range changes no mark but still recounts.
  list.Marks[7] = true;  // a stale slot beyond Count is never counted
  list.MarkedCount = 9;
  list.SetMark(7, true);
  EXPECT_EQ(list.MarkedCount, 2);
  list.SetAllMarks(true);
  EXPECT_EQ(list.MarkedCount, 6);
  EXPECT_EQ(list.GetMarkedString(6), "f");
  list.SetAllMarks(false);
  EXPECT_EQ(list.MarkedCount, 0);

  list.NewMark = true;
  list.AddString("g");
  EXPECT_TRUE(list.GetMark(7));
  EXPECT_EQ(list.MarkedCount, 0);  // only CountMarks recomputes it
  list.CountMarks();
  EXPECT_EQ(list.MarkedCount, 1);
}

TEST_F(StrListTest, MarkOperationsAreHarmlessOnAListWithoutMarks) {
  Fill({"a", "b"});
  list.SetMark(1, true);
  list.SetAllMarks(true);
  EXPECT_EQ(list.MarkedCount, 0);
  EXPECT_FALSE(list.GetMark(1));
  EXPECT_EQ(list.GetMarkedString(1), "");
}

TEST_F(StrListTest, WriteListWritesOneCrLfLinePerEntry) {
  fake.files.AddDir("C:\\OUT");
  TextFile file;
  Fill({});
  ASSERT_EQ(file.CreateForWriting("C:\\OUT\\EMPTY.TXT"), 0);
  list.WriteList(file);
  ASSERT_EQ(file.Close(), 0);
  EXPECT_EQ(fake.files.Content("C:\\OUT\\EMPTY.TXT"), "");

  list.AddString("A");
  list.AddString("");
  list.AddString("last one");
  ASSERT_EQ(file.CreateForWriting("C:\\OUT\\LIST.TXT"), 0);
  list.WriteList(file);
  ASSERT_EQ(file.Close(), 0);
  EXPECT_EQ(fake.files.Content("C:\\OUT\\LIST.TXT"), "A\r\n\r\nlast one\r\n");
}

TEST_F(StrListTest, AFailingLineEndsTheProgramWithItsErrorNumber) {
  fake.files.AddDir("C:\\OUT");
  Fill({"first", "second"});
  TextFile file;
  ASSERT_EQ(file.CreateForWriting("C:\\OUT\\LIST.TXT"), 0);
  fake.files.WriteBudget = 9;
  EXPECT_EQ(fake.RunToExit([&] { list.WriteList(file); }), testing::kErrorDiskFull);
  EXPECT_EQ(fake.files.Content("C:\\OUT\\LIST.TXT"), "first\r\nse");
}

}  // namespace
}  // namespace hopdir
