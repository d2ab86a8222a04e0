#include "containers/oda_matrix.h"

#include <algorithm>

#include "containers/bounded_arrays.h"
#include "containers/fatal_halt.h"
#include "containers/io_check.h"
#include "containers/matrix_number.h"

namespace hopdir {
namespace {

// Reads one character; the end of the file where a line was expected is a
// read past the end.
char ReadExpectedChar(TextFile& file) {
  char c = 0;
  bool got = false;
  CheckIo(file.ReadChar(c, got));
  if (!got) {
    CheckIo(kReadPastEnd);
  }
  return c;
}

// The rest of the line that began with `first`; a line feed already ended it.
void SkipLineAfter(TextFile& file, char first) {
  if (first != '\n') {
    CheckIo(file.SkipLine());
  }
}

}  // namespace

void ODARealMatrixObj::Init(int16_t rows, int16_t cols) {
  Rows = rows;
  Cols = cols;
  RowData = nullptr;
  if (!PtrArAlloc(RowData, rows)) {
    FatalHalt("not enough RAM available.");
  }
  for (int i = 1; i <= rows; ++i) {
    double* row = nullptr;
    if (!RealArAlloc(row, cols)) {
      FatalHalt("not enough RAM available.");
    }
    RowData[i] = row;
  }
}

void ODARealMatrixObj::Zero() {
  for (int i = 1; i <= Rows; ++i) {
    std::fill(Row(i) + 1, Row(i) + 1 + std::max<int>(Cols, 0), 0.0);
  }
}

void ODARealMatrixObj::ReadValue(TextFile& file, double& value) {
  CheckIo(ReadMatrixNumber(file, value));
}

void ODARealMatrixObj::ReadColumn(TextFile& file, int16_t col) {
  for (int i = 1; i <= Rows; ++i) {
    double value = 0;
    ReadValue(file, value);
    if (col >= 1 && col <= Cols) {
      Row(i)[col] = value;
    }
    CheckIo(file.SkipLine());
  }
}

void ODARealMatrixObj::ReadMatrix(TextFile& file, Str255& header) {
  header = "";
  char c = 0;
  bool got = false;
  CheckIo(file.ReadChar(c, got));
  if (got && c != ' ') {
    // An empty first line is an empty header line.
    if (c == '\r' || c == '\n') {
      SkipLineAfter(file, c);
    } else {
      Str255 rest;
      CheckIo(file.ReadLine(rest));
      header = Str255(&c, 1) + rest;
    }
  }
  for (int i = 1; i <= Rows; ++i) {
    if (i > 1) {
      for (c = ReadExpectedChar(file); c != ' '; c = ReadExpectedChar(file)) {
        SkipLineAfter(file, c);
      }
    }
    for (int j = 1; j <= Cols; ++j) {
      ReadValue(file, Row(i)[j]);
    }
    CheckIo(file.SkipLine());
  }
}

void ODARealMatrixObj::WriteRow(TextFile& file, int i) const {
  Str255 line;
  for (int j = 1; j <= Cols; ++j) {
    // A row is longer than a short string once it has more than ten values.
    line = " " + FormatMatrixNumber(Row(i)[j]);
    CheckIo(file.Write(line.View()));
  }
  CheckIo(file.WriteLine(""));
}

void ODARealMatrixObj::WriteMatrix(TextFile& file, const Str255& header) const {
  if (!header.Empty()) {
    CheckIo(file.WriteLine(header.View()));
  }
  for (int i = 1; i <= Rows; ++i) {
    WriteRow(file, i);
  }
}

void ODARealMatrixObj::WriteRows(TextFile& file, const Str255& header, int16_t firstRow,
                                 int16_t lastRow) const {
  CheckIo(file.WriteLine(header.View()));
  // Rows outside the matrix do not exist, so they are not written.
  for (int i = std::max<int>(firstRow, 1); i <= std::min(lastRow, Rows); ++i) {
    WriteRow(file, i);
  }
}

void ODARealMatrixObj::Done() {
  for (int i = Rows; i >= 1; --i) {
    double* row = Row(i);
    RealArFree(row, Cols);
  }
  PtrArFree(RowData, Rows);
}

}  // namespace hopdir
