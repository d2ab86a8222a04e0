#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "containers/matrix_number.h"
#include "containers/oda_arrays.h"
#include "containers/oda_matrix.h"
#include "platform/text_file.h"
#include "tests/support/fake_platform.h"

namespace hopdir {
namespace {

using testing::FakePlatform;

std::string Halt(const std::string& message) {
  return "Halting with error-code 1, because:\r\n" + message + "\r\n";
}

// The exit code and what was printed on the way out.
std::string Ended(FakePlatform& fake, const std::function<void()>& body) {
  fake.console.Output.clear();
  return std::to_string(fake.RunToExit(body)) + ":" + fake.console.Output;
}

double& At(ODARealMatrixObj& m, int i, int j) { return static_cast<double*>(m.RowData[i])[j]; }

TEST(ContainersOda, ArraysFindTheirMaxAndHaltWhenEmptyOrNegative) {
  FakePlatform fake;
  const std::string no_int_max = "1:" + Halt("Sought max of 0-length ODAIntObj.");
  ODAIntObj a;
  a.Init(4);
  a.Elements[1] = 32767;
  a.Elements[2] = -7;
  a.Elements[3] = 9;
  a.Elements[4] = -32768;
  EXPECT_EQ(a.Max(), 32767);
  a.Elements[1] = -5;
  EXPECT_EQ(a.Max(), 9);
  a.Zero();
  EXPECT_EQ(a.Max(), 0);
  a.Done();
  EXPECT_EQ(Ended(fake, [&] { a.Max(); }), no_int_max);
  a.Init(0);
  EXPECT_EQ(Ended(fake, [&] { a.Max(); }), no_int_max);
  a.Done();
  EXPECT_EQ(Ended(fake, [&] { a.Init(-1); }),
            "1:" + Halt("Sought to create ODAIntObj with fewer than zero elements."));

  ODARealObj r;
  r.Init(2);
  r.Elements[1] = -1.5;
  r.Elements[2] = -0.5;
  EXPECT_EQ(r.Max(), -0.5);
  r.Zero();
  EXPECT_EQ(r.Elements[1] + r.Elements[2], 0.0);
  r.Done();
  EXPECT_EQ(Ended(fake, [&] { r.Max(); }), "1:" + Halt("Sought max of 0-length ODARealObj."));
  EXPECT_EQ(Ended(fake, [&] { r.Init(-32768); }),
            "1:" + Halt("Sought to create ODARealObj with fewer than zero elements."));
  ODARealMatrixObj m;
  EXPECT_EQ(Ended(fake, [&] { m.Init(-1, 2); }), "1:" + Halt("not enough RAM available."));
}

TEST(ContainersOda, NumbersTakeTheTwentyThreeCharacterForm) {
  auto formatted = [](double value) { return FormatMatrixNumber(value).ToStd(); };
  EXPECT_EQ(formatted(2.5), " 2.500000000000000E+000");
  EXPECT_EQ(formatted(-2.5), "-2.500000000000000E+000");
  EXPECT_EQ(formatted(-0.0), " 0.000000000000000E+000");
  EXPECT_EQ(formatted(1e-5), " 1.000000000000000E-005");
  EXPECT_EQ(formatted(-123456.789), "-1.234567890000000E+005");
  EXPECT_EQ(formatted(2.0 / 3.0), " 6.666666666666666E-001");
  EXPECT_EQ(formatted(9.9999999999999995), " 1.000000000000000E+001");
  EXPECT_EQ(formatted(std::numeric_limits<double>::max()), " 1.797693134862316E+308");
  EXPECT_EQ(formatted(-5e-324), "-4.940656458412465E-324");
  EXPECT_EQ(formatted(std::numeric_limits<double>::infinity()), "                    Inf");
  EXPECT_EQ(formatted(-std::numeric_limits<double>::infinity()).size(), 23u);
  EXPECT_EQ(formatted(std::nan("")).size(), 23u);
}

class MatrixTest : public ::testing::Test {
 protected:
  void SetUp() override { fake.files.AddDir("C:\\DATA"); }
  void TearDown() override {
    if (m.RowData != nullptr) {
      m.Done();
    }
  }
  std::string Written(const std::function<void(TextFile&)>& write) {
    TextFile file;
    EXPECT_EQ(file.CreateForWriting("C:\\DATA\\OUT.TXT"), 0);
    write(file);
    EXPECT_EQ(file.Close(), 0);
    return fake.files.Content("C:\\DATA\\OUT.TXT").value_or("<none>");
  }
  // Reads `content` into m; returns the exit code, -1 when reading ended.
  int Read(const std::string& content, Str255& header) {
    fake.files.AddFile("C:\\DATA\\IN.TXT", content);
    TextFile file;
    EXPECT_EQ(file.OpenForReading("C:\\DATA\\IN.TXT"), 0);
    return fake.RunToExit([&] { m.ReadMatrix(file, header); });
  }
  std::vector<double> Values() {
    std::vector<double> values;
    for (int i = 1; i <= m.Rows; ++i) {
      for (int j = 1; j <= m.Cols; ++j) {
        values.push_back(At(m, i, j));
      }
    }
    return values;
  }

  FakePlatform fake;
  ODARealMatrixObj m;
};

TEST_F(MatrixTest, AZeroedMatrixWritesRowsOfTwentyFourCharactersAValue) {
  m.Init(2, 2);
  m.Zero();
  std::string row = "  0.000000000000000E+000  0.000000000000000E+000";
  ASSERT_EQ(row.size(), 48u);
  EXPECT_EQ(Written([&](TextFile& f) { m.WriteMatrix(f, ""); }), row + "\r\n" + row + "\r\n");
  EXPECT_EQ(Written([&](TextFile& f) { m.WriteMatrix(f, "Title"); }),
            "Title\r\n" + row + "\r\n" + row + "\r\n");
  EXPECT_EQ(Written([&](TextFile& f) { m.WriteRows(f, "", 1, 1); }), "\r\n" + row + "\r\n");
  EXPECT_EQ(Written([&](TextFile& f) { m.WriteRows(f, "H", 2, 1); }), "H\r\n");
  EXPECT_EQ(Written([&](TextFile& f) { m.WriteRows(f, "H", -3, 9); }),
            "H\r\n" + row + "\r\n" + row + "\r\n");
}

TEST_F(MatrixTest, WrittenMatricesReadBackExactlyWithOrWithoutAHeader) {
  const std::vector<double> values = {-1.25, 0.0,       6.02214076e23, -9.109e-31, 1e308, -1e-308,
                                      12.5,  2.0 / 3.0, -5e-324,       1e100,      7.0,   -0.001};
  m.Init(4, 3);
  for (int i = 1; i <= 4; ++i) {
    for (int j = 1; j <= 3; ++j) {
      At(m, i, j) = values[static_cast<size_t>((i - 1) * 3 + j - 1)];
    }
  }
  const std::function<void(TextFile&)> writers[] = {
      [&](TextFile& f) { m.WriteMatrix(f, "Measured values"); },
      [&](TextFile& f) { m.WriteMatrix(f, ""); },
      [&](TextFile& f) { m.WriteRows(f, "", 1, 4); }};  // an empty header line
  for (int w = 0; w < 3; ++w) {
    std::string text = Written(writers[w]);
    m.Zero();
    Str255 header = "stale";
    EXPECT_EQ(Read(text, header), -1) << w;
    EXPECT_EQ(header, w == 0 ? "Measured values" : "") << w;
    EXPECT_EQ(Values(), values) << w;
  }
}

TEST_F(MatrixTest, OtherLinesArePassedOverBetweenRowsOnly) {
  m.Init(3, 2);
  Str255 header;
  EXPECT_EQ(
      Read("Title\r\n 1 2\r\n# comment\r\n\r\n\n 3\t+4.5e1 trailing words\n\n 5 -6\n", header), -1);
  EXPECT_EQ(header, "Title");
  EXPECT_EQ(Values(), (std::vector<double>{1, 2, 3, 45, 5, -6}));

  EXPECT_EQ(Read(" 7 8\r\nx\r\n .5 5.\r\n 1E2 -2e-1", header), -1);
  EXPECT_EQ(header, "");
  EXPECT_EQ(Values(), (std::vector<double>{7, 8, 0.5, 5, 100, -0.2}));

  EXPECT_EQ(Read("Title\r\n# comment\r\n 1 2\r\n 3 4\r\n 5 6\r\n", header), 106);
  EXPECT_EQ(fake.console.Output, "Runtime error 106: I/O failure.\r\n");
}

TEST_F(MatrixTest, MalformedNumbersAndShortFilesAreIoFailures) {
  m.Init(2, 2);
  Str255 header;
  for (const char* bad : {" 1.2.3 4\n 5 6\n", " 1 2x\n 5 6\n", " 1 e5\n 5 6\n", " 1 2\n -\n",
                          " 1 2E\n 5 6\n", " 1 2\n 3 .\n"}) {
    EXPECT_EQ(Read(bad, header), kInvalidNumericFormat) << bad;
  }
  for (const char* short_file : {" 1 2\n", " 1 2\n# only a comment\n", " 1 2\n 3", ""}) {
    EXPECT_EQ(Read(short_file, header), kReadPastEnd) << short_file;
  }
}

TEST_F(MatrixTest, ReadColumnTakesOneValueALine) {
  m.Init(3, 2);
  m.Zero();
  fake.files.AddFile("C:\\DATA\\COL.TXT", "1.5 ignored\r\n  -2\r\n\t3e3 and more\r\n 99\r\n");
  TextFile file;
  ASSERT_EQ(file.OpenForReading("C:\\DATA\\COL.TXT"), 0);
  m.ReadColumn(file, 2);
  EXPECT_EQ(Values(), (std::vector<double>{0, 1.5, 0, -2, 0, 3000}));
  Str255 rest;
  ASSERT_EQ(file.ReadLine(rest), 0);
  EXPECT_EQ(rest, " 99");
}

TEST_F(MatrixTest, AFailingWriteEndsTheProgramWithItsErrorNumber) {
  m.Init(1, 3);
  m.Zero();
  TextFile file;
  ASSERT_EQ(file.CreateForWriting("C:\\DATA\\OUT.TXT"), 0);
  fake.files.WriteBudget = 30;
  EXPECT_EQ(fake.RunToExit([&] { m.WriteMatrix(file, ""); }), testing::kErrorDiskFull);
  EXPECT_EQ(fake.files.Content("C:\\DATA\\OUT.TXT")->size(), 30u);
}

}  // namespace
}  // namespace hopdir
