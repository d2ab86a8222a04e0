#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

TEST(TextFile, ReadsCrLfBareLfAnUnendedLastLineAndClipsLongLinesAt255) {
  FakePlatform fake;
  fake.files.AddFile("C:\\T.TXT", "one\r\ntwo\n" + std::string(300, 'x') + "\r\nthree");
  TextFile file;
  ASSERT_EQ(file.OpenForReading("C:\\T.TXT"), 0);
  Str255 line;
  std::string lines;
  while (!file.AtEnd()) {
    ASSERT_EQ(file.ReadLine(line), 0);
    lines += line.ToStd() + "|";
  }
  EXPECT_EQ(lines, "one|two|" + std::string(255, 'x') + "|three|");
}

}  // namespace
}  // namespace hopdir
