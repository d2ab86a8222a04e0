#include "platform/win32/process.h"

#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace hopdir {

Win32Process::Win32Process(Win32Console& console, int /*argc*/, char** /*argv*/)
    : console_(console) {
  // The wide command line, split by the standard rules (an empty quoted
  // argument stays an argument): the C runtime's argv holds the ANSI code
  // page, in which a name outside it has no form.
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return;
  for (int i = 1; i < count; ++i) args_.push_back(Utf8Of(words[i]));
  LocalFree(static_cast<HLOCAL>(words));
}

int Win32Process::ArgCount() { return static_cast<int>(args_.size()); }

Str255 Win32Process::Arg(int index) {
  if (index < 1 || index > ArgCount()) return Str255();
  return Str255(args_[static_cast<size_t>(index - 1)]);
}

bool Win32Process::Environment(const char* name, Str255& value) {
  const std::wstring wide_name = WideOf(name);
  std::vector<wchar_t> buffer(Str255::kCapacity + 1);
  DWORD length =
      GetEnvironmentVariableW(wide_name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  // 0: not set; above the buffer: the size it would need, which is too long.
  if (length == 0 || length >= buffer.size()) return false;
  return ShortStringOf(std::wstring_view(buffer.data(), length), value);
}

void Win32Process::Exit(int code) {
  console_.Shutdown();
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace hopdir
