#include "containers/matrix_number.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace hopdir {
namespace {

constexpr int kWidth = 23;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

Str255 RightAligned(const char* text) {
  Str255 field;
  int pad = kWidth - static_cast<int>(std::char_traits<char>::length(text));
  for (int i = 0; i < pad; ++i) {
    field.Append(' ');
  }
  field.Append(text);
  return field;
}

// Whether `token` is a whole number in the reader's syntax.
bool WellFormed(const Str255& token) {
  int i = 0;
  if (token[i] == '+' || token[i] == '-') {
    ++i;
  }
  int digits = 0;
  for (; IsDigit(token[i]); ++i) {
    ++digits;
  }
  if (token[i] == '.') {
    for (++i; IsDigit(token[i]); ++i) {
      ++digits;
    }
  }
  if (digits == 0) {
    return false;
  }
  if (token[i] == 'E' || token[i] == 'e') {
    ++i;
    if (token[i] == '+' || token[i] == '-') {
      ++i;
    }
    if (!IsDigit(token[i])) {
      return false;
    }
    while (IsDigit(token[i])) {
      ++i;
    }
  }
  return i == token.Length();
}

}  // namespace

Str255 FormatMatrixNumber(double value) {
  if (std::isnan(value)) {
    return RightAligned("NaN");
  }
  if (std::isinf(value)) {
    return RightAligned(value < 0 ? "-Inf" : "Inf");
  }

  // to_chars gives the exactly rounded digits whatever the locale, as
  // "d.ddddddddddddddde+XX" with at least two exponent digits.
  char digits[Str255::kCapacity] = {};
  double magnitude = std::fabs(value);
  char* end =
      std::to_chars(digits, digits + sizeof digits, magnitude, std::chars_format::scientific, 15)
          .ptr;
  Str255 text(digits, static_cast<int>(end - digits));
  int e = text.Find("e");

  Str255 field(value < 0 ? "-" : " ");  // negative zero is written as zero
  field.Append(text.Sub(0, e));
  field.Append('E');
  field.Append(text[e + 1]);
  Str255 exponent = text.Sub(e + 2);
  for (int i = exponent.Length(); i < 3; ++i) {
    field.Append('0');
  }
  field.Append(exponent);
  return field;
}

int ReadMatrixNumber(TextFile& file, double& value) {
  char c = 0;
  bool got = false;
  for (;;) {
    if (int result = file.PeekChar(c, got); result != 0) {
      return result;
    }
    if (!got) {
      return kReadPastEnd;
    }
    if (!IsSpace(c)) {
      break;
    }
    file.ReadChar(c, got);
  }

  // A token longer than any short string cannot be a number the files hold.
  Str255 token;
  bool overlong = false;
  while (got && !IsSpace(c)) {
    if (token.Length() == Str255::kCapacity) {
      overlong = true;
    }
    token.Append(c);
    file.ReadChar(c, got);
    if (int result = file.PeekChar(c, got); result != 0) {
      return result;
    }
  }
  if (overlong || !WellFormed(token)) {
    return kInvalidNumericFormat;
  }

  // from_chars takes no leading plus sign.
  int start = token[0] == '+' ? 1 : 0;
  double parsed = 0;
  auto [ptr, error] = std::from_chars(token.Data() + start, token.Data() + token.Length(), parsed);
  if (error != std::errc() || ptr != token.Data() + token.Length()) {
    return kInvalidNumericFormat;
  }
  value = parsed;
  return 0;
}

}  // namespace hopdir
