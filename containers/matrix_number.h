// Numbers as the matrix text files hold them: written in a fixed
// 23-character scientific form, read back as the text-number reader of the
// Pascal-style run time takes them.
#ifndef HOPDIR_CONTAINERS_MATRIX_NUMBER_H_
#define HOPDIR_CONTAINERS_MATRIX_NUMBER_H_

#include "platform/short_string.h"
#include "platform/text_file.h"

namespace hopdir {

// The run time's I/O error numbers for text-number input.
inline constexpr int kReadPastEnd = 100;
inline constexpr int kInvalidNumericFormat = 106;

// A blank or "-", one digit, a point, 15 digits, "E", the exponent's sign
// and at least three exponent digits: 2.5 gives " 2.500000000000000E+000".
// Infinities and NaNs are "Inf", "-Inf" and "NaN", right-aligned in 23.
Str255 FormatMatrixNumber(double value);

// Skips blanks, tabs and line ends, then reads one number ([sign] digits
// [. digits] [E [sign] digits]) up to the next blank, tab or line end, which
// stays unread. Returns 0, the platform's read error, kReadPastEnd when the
// file ends before a number, or kInvalidNumericFormat.
int ReadMatrixNumber(TextFile& file, double& value);

}  // namespace hopdir

#endif  // HOPDIR_CONTAINERS_MATRIX_NUMBER_H_
