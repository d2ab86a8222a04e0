// UTF-16, the form of names in the Windows API, and UTF-8, their form
// inside the programs. Windows lets a name hold a surrogate without its
// partner; such a one becomes the three bytes UTF-8 would give it and comes
// back as it was, so that every name Windows can hold survives the round
// trip.
#ifndef HOPDIR_PLATFORM_UTF16_H_
#define HOPDIR_PLATFORM_UTF16_H_

#include <string>
#include <string_view>

namespace hopdir {

std::string Utf8FromUtf16(std::u16string_view text);
// A byte that is no UTF-8 becomes U+FFFD, one for each such byte.
std::u16string Utf16FromUtf8(std::string_view text);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_UTF16_H_
