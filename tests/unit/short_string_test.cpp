#include "platform/short_string.h"

#include <gtest/gtest.h>

#include <string>

namespace hopdir {
namespace {

TEST(ShortString, AssignmentAndConcatenationClipAtCapacityAndCompareExactly) {
  Str80 slot = std::string(100, 'x');
  EXPECT_EQ(slot.Length(), 80);
  Str10 small = Str255("0123456789ABC");
  EXPECT_EQ(small, "0123456789");
  Str255 joined = Str255(std::string(200, 'a')) + std::string(100, 'b');
  EXPECT_EQ(joined.Length(), 255);
  EXPECT_EQ(joined[254], 'b');
  EXPECT_EQ(joined[199], 'a');

  EXPECT_EQ(Str80("ABC"), Str255("ABC"));
  EXPECT_FALSE(Str80("abc") == Str255("ABC"));
  EXPECT_FALSE(Str80("AB") == Str255("ABC"));

  EXPECT_EQ(Str10::Repeated('*', 3), "***");
  EXPECT_EQ(Str10::Repeated('*', 12), "**********");
  EXPECT_TRUE(Str10::Repeated('*', 0).Empty());
  EXPECT_TRUE(Str10::Repeated('*', -4).Empty());
}

}  // namespace
}  // namespace hopdir
