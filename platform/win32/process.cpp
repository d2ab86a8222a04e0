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

bool Win32Process::Environment(const char* name, std::string& value) {
  const std::wstring wide_name = WideOf(name);
  // 0: not set (or empty); else the size it needs, its terminator counted.
  const DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  if (size == 0) return false;
  std::vector<wchar_t> buffer(size);
  const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), buffer.data(), size);
  if (length == 0 || length >= size) return false;
  value = Utf8Of(std::wstring_view(buffer.data(), length));
  return true;
}

void Win32Process::Exit(int code) {
  console_.Shutdown();
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace hopdir
