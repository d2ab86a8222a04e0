#include "platform/win32/code_pages.h"

#include "platform/code_page_437.h"

namespace hopdir {
namespace {

UINT Resolved(UINT code_page) {
  if (code_page == CP_ACP) return GetACP();
  if (code_page == CP_OEMCP) return GetOEMCP();
  return code_page;
}

// Code pages for which WideCharToMultiByte refuses the best-fit flag and
// the default-character report; a round trip tells instead.
bool RefusesDefaultCharReport(UINT code_page) {
  code_page = Resolved(code_page);
  return code_page == CP_UTF7 || code_page == CP_UTF8 || code_page == 42 || code_page == 54936 ||
         (code_page >= 50220 && code_page <= 50229) || (code_page >= 57002 && code_page <= 57011);
}

}  // namespace

UINT ShellCodePage() {
  UINT code_page = GetConsoleOutputCP();
  return code_page != 0 ? code_page : GetOEMCP();
}

std::wstring ToUtf16(UINT code_page, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  int size = static_cast<int>(bytes.size());
  int count = MultiByteToWideChar(code_page, 0, bytes.data(), size, nullptr, 0);
  if (count <= 0) {
    // An undecodable byte still takes its cell; show it as code page 437 would.
    return GlyphsOf437(bytes);
  }
  std::wstring wide(static_cast<size_t>(count), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), size, wide.data(), count);
  return wide;
}

std::string FromUtf16(UINT code_page, std::wstring_view text) {
  if (text.empty()) return std::string();
  int size = static_cast<int>(text.size());
  DWORD flags = RefusesDefaultCharReport(code_page) ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = RefusesDefaultCharReport(code_page) ? nullptr : "?";
  int count =
      WideCharToMultiByte(code_page, flags, text.data(), size, nullptr, 0, fallback, nullptr);
  if (count <= 0) return std::string(text.size(), '?');
  std::string bytes(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(code_page, flags, text.data(), size, bytes.data(), count, fallback, nullptr);
  return bytes;
}

std::wstring GlyphsOf437(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  for (char c : bytes) wide += static_cast<wchar_t>(GlyphOf437(static_cast<unsigned char>(c)));
  return wide;
}

int ConvertCodePage(std::string_view text, UINT from, UINT to, std::string& converted) {
  converted.clear();
  if (Resolved(from) == Resolved(to)) {
    converted.assign(text);
    return 0;
  }
  if (text.empty()) return 0;
  int size = static_cast<int>(text.size());
  int wide_count = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide_count <= 0) return ERROR_NO_UNICODE_TRANSLATION;
  std::wstring wide(static_cast<size_t>(wide_count), L'\0');
  MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), wide_count);

  bool checked_by_flag = !RefusesDefaultCharReport(to);
  DWORD flags = checked_by_flag ? WC_NO_BEST_FIT_CHARS : 0;
  BOOL used_default = FALSE;
  BOOL* used_default_out = checked_by_flag ? &used_default : nullptr;
  int count = WideCharToMultiByte(to, flags, wide.data(), wide_count, nullptr, 0, nullptr,
                                  used_default_out);
  if (count <= 0 || used_default) return ERROR_NO_UNICODE_TRANSLATION;
  converted.assign(static_cast<size_t>(count), '\0');
  WideCharToMultiByte(to, flags, wide.data(), wide_count, converted.data(), count, nullptr,
                      used_default_out);
  if (used_default) return ERROR_NO_UNICODE_TRANSLATION;
  if (!checked_by_flag && ToUtf16(to, converted) != wide) return ERROR_NO_UNICODE_TRANSLATION;
  return 0;
}

}  // namespace hopdir
