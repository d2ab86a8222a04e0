#include <gtest/gtest.h>

#include <functional>
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
  // The exit code and what was printed on the way out.
  std::string Ended(const std::function<void()>& body) {
    fake.console.Output.clear();
    return std::to_string(fake.RunToExit(body)) + ":" + fake.console.Output;
  }
  static std::string Halt(const std::string& message) {
    return "1:Halting with error-code 1, because:\r\n" + message + "\r\n";
  }
  std::string Written() {
    TextFile file;
    EXPECT_EQ(file.CreateForWriting("C:\\LIST.TXT"), 0);
    list.WriteList(file);
    EXPECT_EQ(file.Close(), 0);
    return fake.files.Content("C:\\LIST.TXT").value_or("<none>");
  }

  FakePlatform fake;
  StrListObj list;
};

using Strings = std::vector<std::string>;

TEST_F(StrListTest, EntriesKeepEightyCharactersAndPositionsOutsideTheListReadEmpty) {
  const std::string clipped = std::string(79, 'a') + 'b';
  const std::string long_entry = clipped + std::string(20, 'c');
  Fill({"A"});
  list.AddString(Str255(long_entry));
  list.InsertInList(1, Str255(long_entry));
  EXPECT_EQ(Entries(), (Strings{clipped, "A", clipped}));
  EXPECT_FALSE(list.StringInList(Str255(long_entry)));
  EXPECT_EQ(list.StringPosition(Str255(clipped)), 1);
  EXPECT_EQ(list.StringPosition(Str255(std::string(79, 'a'))), 0);
  for (int16_t position : {0, -1, 4, 10, -32768}) {
    EXPECT_EQ(list.GetString(position), "") << position;
  }
  list.DeleteString(3);
  EXPECT_EQ(list.GetString(3), "");  // the vacated slot is never shown
}

TEST(StrListUtf8, WhereNamesAreUtf8ASlotIsCutBetweenCharacters) {
  FakePlatform fake(testing::Convention::kPosix);
  StrListObj names;
  names.Init(4, false);
  const std::string e_acute = "\xC3\xA9";
  const std::string han = "\xE4\xB8\xAD";
  names.AddString(Str255(std::string(78, 'a') + e_acute + "z"));  // ends at 80
  names.AddString(Str255(std::string(79, 'a') + e_acute));        // one past
  names.AddString(Str255(std::string(78, 'a') + han));            // 81: two bytes in
  names.AddString(Str255(std::string(79, 'a') + "\xA9\xA9"));     // no UTF-8: bytes
  EXPECT_EQ(names.GetString(1), std::string(78, 'a') + e_acute);
  EXPECT_EQ(names.GetString(2), std::string(79, 'a'));
  EXPECT_EQ(names.GetString(3), std::string(78, 'a'));
  EXPECT_EQ(names.GetString(4), std::string(79, 'a') + "\xA9");
  names.Done();
}

TEST_F(StrListTest, TheHaltsPrintTheirMessageAndLeaveTheListAsItWas) {
  EXPECT_EQ(Ended([&] { list.Init(-1, false); }), Halt("not enough RAM available."));
  Fill({"A", "B"}, 2);
  EXPECT_EQ(Ended([&] { list.AddString("x"); }),
            Halt("AddString tried to store too many strings in list."));
  EXPECT_EQ(Ended([&] { list.InsertInList(1, "M"); }),
            Halt("InsertInList tried to store too many strings in list."));
  for (int16_t position : {0, 3}) {
    EXPECT_EQ(Ended([&] { list.DeleteString(position); }),
              Halt("Tried to delete nonexistant string."));
  }
  EXPECT_EQ(Entries(), (Strings{"A", "B"}));
}

TEST_F(StrListTest, InsertLandsAtTheNearestEndDeleteShiftsAndMoveToFrontTakesTheFirstEqual) {
  Fill({"A", "B"}, 7);
  list.InsertInList(1, "N");
  list.InsertInList(4, "C");
  list.InsertInList(9, "D");
  list.InsertInList(0, "Z");
  list.InsertInList(-4, "Y");
  EXPECT_EQ(Entries(), (Strings{"Y", "Z", "N", "A", "B", "C", "D"}));
  list.DeleteString(3);
  list.DeleteString(1);
  list.DeleteString(5);
  EXPECT_EQ(Entries(), (Strings{"Z", "A", "B", "C"}));

  list.Done();
  Fill({"A", "B", "D", "B"}, 4);
  list.MoveToFront("B");
  list.MoveToFront("b");
  list.MoveToFront("");
  EXPECT_EQ(Entries(), (Strings{"B", "A", "D", "B"}));
  list.MoveToFront("D");  // the list is full: the delete makes room for the insert
  list.MoveToFront(list.GetString(1));
  EXPECT_EQ(Entries(), (Strings{"D", "B", "A", "B"}));
  EXPECT_EQ(fake.console.Output, "");
}

TEST_F(StrListTest, SearchesAreExactCaseSensitiveAndUpCaseFoldsOnlyAToZ) {
  Fill({"ABC", "abc", "b", "xabcx"});
  EXPECT_EQ(list.StringPosition("abc"), 2);
  EXPECT_FALSE(list.StringInList("ab"));
  EXPECT_EQ(list.SubstringPosition("b"), 2);
  EXPECT_EQ(list.SubstringPosition("C"), 1);
  EXPECT_EQ(list.SubstringPosition("abcx"), 4);
  EXPECT_TRUE(list.SubstringInList("bc"));
  EXPECT_FALSE(list.SubstringInList("abcd"));
  EXPECT_FALSE(list.SubstringInList(""));
  list.AddString("");
  EXPECT_EQ(list.StringPosition(""), 5);

  EXPECT_EQ(UpCaseStr("az{`@[_\xE9\xC9 Zq1"), "AZ{`@[_\xE9\xC9 ZQ1");
  list.UpCaseList();
  EXPECT_EQ(Entries(), (Strings{"ABC", "ABC", "B", "XABCX", ""}));
}

TEST_F(StrListTest, SortOrdersBytesUnsignedWithOrWithoutCaseAndIsNotStable) {
  Fill({"_x", "abc", "ax", "Ax", "ab", "\xE9", "zz"});
  list.SortList(false);
  EXPECT_EQ(Entries(), (Strings{"ab", "abc", "Ax", "ax", "zz", "_x", "\xE9"}));
  list.SortList(true);
  EXPECT_EQ(Entries(), (Strings{"Ax", "_x", "ab", "abc", "ax", "zz", "\xE9"}));
  list.Done();

  // Gap 3 first moves the lower-case b behind its upper-case equal.
  Fill({"b", "B", "c", "a", "c"});
  list.SortList(false);
  EXPECT_EQ(Entries(), (Strings{"a", "B", "b", "c", "c"}));
  list.Done();

  Fill({}, 100);
  list.SortList(true);
  for (int i = 0; i < 100; ++i) {
    list.AddString(Str255(std::to_string((i * 37) % 100 + 100)));
  }
  list.SortList(true);
  for (int16_t i = 1; i <= 100; ++i) {
    EXPECT_EQ(list.GetString(i).ToStd(), std::to_string(99 + i));
  }
}

TEST_F(StrListTest, MarksCountFindAndTravelWithTheirEntries) {
  Fill({"e", "d", "c", "b", "a", "f"}, 8, true);
  list.SetMark(2, true);
  list.SetMark(5, true);
  EXPECT_EQ(list.MarkedCount, 2);
  EXPECT_EQ(list.GetMarkedString(1), "d");
  EXPECT_EQ(list.GetMarkedString(2), "a");
  for (int16_t n : {3, 0, -1}) EXPECT_EQ(list.GetMarkedString(n), "") << n;

  list.SortList(true);
  EXPECT_EQ(Entries(), (Strings{"a", "b", "c", "d", "e", "f"}));
  EXPECT_TRUE(list.GetMark(1));
  EXPECT_TRUE(list.GetMark(4));
  EXPECT_EQ(list.GetMarkedString(1), "a");
  for (int16_t position : {2, 0, 7}) EXPECT_FALSE(list.GetMark(position)) << position;

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

  StrListObj plain;
  plain.Init(2, false);
  plain.AddString("a");
  plain.SetMark(1, true);
  plain.SetAllMarks(true);
  EXPECT_EQ(plain.MarkedCount, 0);
  EXPECT_FALSE(plain.GetMark(1));
  EXPECT_EQ(plain.GetMarkedString(1), "");
  plain.Done();
}

TEST_F(StrListTest, WriteListWritesOneCrLfLinePerEntryAndAFailingLineEndsTheProgram) {
  Fill({});
  EXPECT_EQ(Written(), "");
  for (const char* entry : {"A", "", "last one"}) list.AddString(entry);
  EXPECT_EQ(Written(), "A\r\n\r\nlast one\r\n");
  fake.files.WriteBudget = 6;
  EXPECT_EQ(Ended([&] { Written(); }), "112:Runtime error 112: I/O failure.\r\n");
  EXPECT_EQ(fake.files.Content("C:\\LIST.TXT"), "A\r\n\r\nl");
}

}  // namespace
}  // namespace hopdir
