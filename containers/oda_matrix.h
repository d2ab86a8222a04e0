// A matrix of 64-bit floats with rows and columns counted from 1, kept as a
// table of row arrays, which can be read from and written to text files.
#ifndef HOPDIR_CONTAINERS_ODA_MATRIX_H_
#define HOPDIR_CONTAINERS_ODA_MATRIX_H_

#include <cstdint>

#include "platform/short_string.h"
#include "platform/text_file.h"

namespace hopdir {

class ODARealMatrixObj {
 public:
  int16_t Rows = 0;
  int16_t Cols = 0;
  // Entry i (1..Rows) is row i: a double array with elements 1..Cols, so
  // element (i, j) is static_cast<double*>(RowData[i])[j].
  void** RowData = nullptr;

  // Halts with "not enough RAM available." when storage cannot be had.
  void Init(int16_t rows, int16_t cols);
  void Zero();

  // One value per line into column col; the rest of each line is skipped.
  // A column outside 1..Cols takes the lines without storing anything.
  void ReadColumn(TextFile& file, int16_t col);
  // A first line that does not begin with a blank is the header; rows are
  // data lines beginning with a blank, other lines between rows are passed
  // over. Malformed numbers and a file that ends early are I/O failures.
  void ReadMatrix(TextFile& file, Str255& header);
  // The header line only when not empty, then every row.
  void WriteMatrix(TextFile& file, const Str255& header) const;
  // The header line always, then rows firstRow..lastRow (within 1..Rows).
  void WriteRows(TextFile& file, const Str255& header, int16_t firstRow, int16_t lastRow) const;

  void Done();

 private:
  double* Row(int i) const { return static_cast<double*>(RowData[i]); }
  void ReadValue(TextFile& file, double& value);
  void WriteRow(TextFile& file, int i) const;
};

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_ODA_MATRIX_H_
