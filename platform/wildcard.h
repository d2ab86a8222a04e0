// Wildcard patterns as the programs use them: '*' any run of characters,
// '?' any one, and, as on Windows, "*.*" and a trailing ".*" also match
// names without a dot, so that "*.*" lists every name.
#ifndef HOPDIR_PLATFORM_WILDCARD_H_
#define HOPDIR_PLATFORM_WILDCARD_H_

#include <string_view>

namespace hopdir {

// Whether `name` matches `pattern`; `ignore_case` compares a..z as A..Z.
bool WildcardMatch(std::string_view pattern, std::string_view name, bool ignore_case);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_WILDCARD_H_
