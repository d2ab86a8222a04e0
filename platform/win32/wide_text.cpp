#include "platform/win32/wide_text.h"

#include "platform/utf16.h"
#include "platform/win32/code_pages.h"
#include "platform/win32/windows_api.h"

namespace hopdir {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows API's characters are UTF-16");

std::wstring WideOf(std::string_view utf8) {
  const std::u16string text = Utf16FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

std::string Utf8Of(std::wstring_view wide) {
  const std::u16string text(wide.begin(), wide.end());
  return Utf8FromUtf16(text);
}

bool ShortStringOf(std::wstring_view wide, Str255& name) {
  const std::string text = Utf8Of(wide);
  if (text.size() > static_cast<size_t>(Str255::kCapacity)) {
    name = Str255();
    return false;
  }
  name = Str255(text);
  return true;
}

bool AnsiCodePage::ToUtf8(std::string_view bytes, std::string& text) const {
  text.clear();
  if (bytes.empty()) return true;
  const int size = static_cast<int>(bytes.size());
  const int count =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (count <= 0) return false;
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), count);
  text = Utf8Of(wide);
  return true;
}

bool AnsiCodePage::FromUtf8(std::string_view text, std::string& bytes) const {
  return ConvertCodePage(text, CP_UTF8, CP_ACP, bytes) == 0;
}

}  // namespace hopdir
