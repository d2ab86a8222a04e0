// Short strings: a length byte and up to N single-byte characters, stored
// inline, with no character-set conversion. Every assignment and every
// concatenation clips silently at the capacity, which is what the system's
// fixed slots (80-character list entries, 255-character paths) rely on.
#ifndef HOPDIR_PLATFORM_SHORT_STRING_H_
#define HOPDIR_PLATFORM_SHORT_STRING_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace hopdir {

// The letters a..z as A..Z; every other byte, accented letters included,
// unchanged.
constexpr char UpCaseChar(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

template <int N>
class ShortString {
  static_assert(N >= 1 && N <= 255, "a short string holds at most 255 characters");

 public:
  static constexpr int kCapacity = N;

  constexpr ShortString() = default;
  ShortString(const char* text) { Assign(std::string_view(text)); }  // NOLINT: implicit on purpose
  ShortString(std::string_view text) { Assign(text); }               // NOLINT
  ShortString(const std::string& text) { Assign(text); }             // NOLINT
  ShortString(const char* bytes, int count) { Assign(std::string_view(bytes, Clamp(count))); }
  template <int M>
  ShortString(const ShortString<M>& other) {  // NOLINT: clips like the Pascal-style slots
    Assign(other.View());
  }

  template <int M>
  ShortString& operator=(const ShortString<M>& other) {
    Assign(other.View());
    return *this;
  }
  ShortString& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }
  ShortString& operator=(const std::string& text) {
    Assign(text);
    return *this;
  }
  ShortString& operator=(const char* text) {
    Assign(std::string_view(text));
    return *this;
  }

  // `count` copies of `c`, clipped at the capacity; empty for 0 or less.
  static ShortString Repeated(char c, int count) {
    ShortString text;
    if (count > N) count = N;
    if (count > 0) std::memset(text.bytes_, c, static_cast<size_t>(count));
    text.length_ = static_cast<uint8_t>(count > 0 ? count : 0);
    return text;
  }

  int Length() const { return length_; }
  bool Empty() const { return length_ == 0; }
  const char* Data() const { return bytes_; }
  std::string_view View() const { return std::string_view(bytes_, length_); }
  std::string ToStd() const { return std::string(bytes_, length_); }

  // 0-based byte access; reading past the end yields 0.
  char operator[](int index) const { return index >= 0 && index < length_ ? bytes_[index] : '\0'; }
  char& At(int index) { return bytes_[index]; }
  char Last() const { return length_ > 0 ? bytes_[length_ - 1] : '\0'; }

  void Append(std::string_view text) {
    int room = N - length_;
    int count = static_cast<int>(text.size()) < room ? static_cast<int>(text.size()) : room;
    if (count > 0) std::memcpy(bytes_ + length_, text.data(), static_cast<size_t>(count));
    length_ = static_cast<uint8_t>(length_ + count);
  }
  void Append(char c) { Append(std::string_view(&c, 1)); }
  template <int M>
  void Append(const ShortString<M>& other) {
    Append(other.View());
  }

  // Keeps the first `count` characters (no-op when already shorter).
  void Truncate(int count) {
    if (count < 0) count = 0;
    if (count < length_) length_ = static_cast<uint8_t>(count);
  }
  // The characters from 0-based `start`, at most `count` of them.
  ShortString Sub(int start, int count = N) const {
    if (start < 0) start = 0;
    if (start >= length_ || count <= 0) return ShortString();
    if (count > length_ - start) count = length_ - start;
    return ShortString(bytes_ + start, count);
  }
  // 0-based index of the first occurrence of `needle`, or -1. An empty
  // needle is found nowhere, as the system's substring tests require.
  int Find(std::string_view needle) const {
    if (needle.empty()) return -1;
    size_t at = View().find(needle);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
  }
  int FindLast(char c) const {
    for (int i = length_ - 1; i >= 0; --i) {
      if (bytes_[i] == c) return i;
    }
    return -1;
  }

  template <int M>
  bool operator==(const ShortString<M>& other) const {
    return View() == other.View();
  }
  bool operator==(std::string_view text) const { return View() == text; }
  bool operator==(const char* text) const { return View() == std::string_view(text); }

 private:
  static size_t Clamp(int count) { return count < 0 ? 0 : static_cast<size_t>(count); }
  void Assign(std::string_view text) {
    int count = text.size() < static_cast<size_t>(N) ? static_cast<int>(text.size()) : N;
    if (count > 0) std::memmove(bytes_, text.data(), static_cast<size_t>(count));
    length_ = static_cast<uint8_t>(count);
  }

  uint8_t length_ = 0;
  char bytes_[N] = {};
};

using Str255 = ShortString<255>;
using Str80 = ShortString<80>;
using Str10 = ShortString<10>;

static_assert(sizeof(Str80) == 81, "the bounded arrays count 81 bytes per 80-character slot");
static_assert(sizeof(Str10) == 11);
static_assert(sizeof(Str255) == 256);

// Concatenation always yields a 255-character string, clipped there.
template <int N, int M>
Str255 operator+(const ShortString<N>& left, const ShortString<M>& right) {
  Str255 result(left);
  result.Append(right.View());
  return result;
}
template <int N>
Str255 operator+(const ShortString<N>& left, std::string_view right) {
  Str255 result(left);
  result.Append(right);
  return result;
}
template <int N>
Str255 operator+(const ShortString<N>& left, const char* right) {
  return left + std::string_view(right);
}
template <int N>
Str255 operator+(std::string_view left, const ShortString<N>& right) {
  Str255 result(left);
  result.Append(right.View());
  return result;
}
template <int N>
Str255 operator+(const char* left, const ShortString<N>& right) {
  return std::string_view(left) + right;
}

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_SHORT_STRING_H_
