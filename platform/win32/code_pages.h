// Character-set conversions of the win32 backend: the code page the command
// shell reads batch files in, and the fixed code page 437 glyphs of frames,
// blocks and arrows.
#ifndef HOPDIR_PLATFORM_WIN32_CODE_PAGES_H_
#define HOPDIR_PLATFORM_WIN32_CODE_PAGES_H_

#include <string>
#include <string_view>

#include "platform/win32/windows_api.h"

namespace hopdir {

// The console's output code page, which cmd.exe reads batch files in; the
// OEM code page when there is no console.
UINT ShellCodePage();

// Bytes in `code_page` to UTF-16; each byte of a single-byte code page
// gives exactly one character.
std::wstring ToUtf16(UINT code_page, std::string_view bytes);
// UTF-16 to bytes in `code_page`; a character it cannot hold becomes '?'.
std::string FromUtf16(UINT code_page, std::wstring_view text);
// Code page 437 bytes to the characters they show on a DOS screen, control
// bytes included (0x18 is an up arrow, not a control).
std::wstring GlyphsOf437(std::string_view bytes);

// Converts `text` from one code page to another; returns 0, or
// ERROR_NO_UNICODE_TRANSLATION when a character has no equivalent in the
// target (no best-fit substitutes).
int ConvertCodePage(std::string_view text, UINT from, UINT to, std::string& converted);

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_WIN32_CODE_PAGES_H_
