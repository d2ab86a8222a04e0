// Text for a terminal that cannot be made to act by the bytes of a name: a
// directory may be named with ESC and the rest of a sequence that sets the
// terminal's title, clears it or writes the clipboard.
#ifndef HOPDIR_PLATFORM_POSIX_CONTROL_ESCAPES_H_
#define HOPDIR_PLATFORM_POSIX_CONTROL_ESCAPES_H_

#include <string>
#include <string_view>

namespace hopdir {

// `text` with every control character written out: C0 controls and DEL as
// \xHH, C1 controls (U+0080..U+009F) as \u00HH, a byte that is no UTF-8 as
// \xHH, and the backslash itself as \\, so that what is shown names the
// bytes unambiguously. Everything else passes unchanged.
std::string EscapedControls(std::string_view text);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_CONTROL_ESCAPES_H_
