#include "platform/wildcard.h"

#include "platform/short_string.h"

namespace hopdir {
namespace {

bool SameChar(char a, char b, bool ignore_case) {
  return ignore_case ? UpCaseChar(a) == UpCaseChar(b) : a == b;
}

// Greedy matching with one backtrack point: linear in practice, and never
// worse than the product of the two lengths.
bool Matches(std::string_view pattern, std::string_view text, bool ignore_case) {
  size_t pi = 0;
  size_t ti = 0;
  size_t star = std::string_view::npos;
  size_t mark = 0;
  while (ti < text.size()) {
    if (pi < pattern.size() &&
        (pattern[pi] == '?' ||
         (pattern[pi] != '*' && SameChar(pattern[pi], text[ti], ignore_case)))) {
      ++pi;
      ++ti;
    } else if (pi < pattern.size() && pattern[pi] == '*') {
      star = pi++;
      mark = ti;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      ti = ++mark;
    } else {
      return false;
    }
  }
  while (pi < pattern.size() && pattern[pi] == '*') ++pi;
  return pi == pattern.size();
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name, bool ignore_case) {
  if (Matches(pattern, name, ignore_case)) return true;
  constexpr std::string_view kAnyExtension = ".*";
  if (pattern.size() >= kAnyExtension.size() &&
      pattern.substr(pattern.size() - kAnyExtension.size()) == kAnyExtension &&
      name.find('.') == std::string_view::npos) {
    return Matches(pattern.substr(0, pattern.size() - kAnyExtension.size()), name, ignore_case);
  }
  return false;
}

}  // namespace hopdir
