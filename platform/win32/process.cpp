#include "platform/win32/process.h"

#include "platform/win32/windows_api.h"

namespace hopdir {

Win32Process::Win32Process(Win32Console& console, int argc, char** argv) : console_(console) {
  // The C runtime has split GetCommandLineA by the standard rules; an empty
  // quoted argument stays an argument.
  for (int i = 1; i < argc; ++i) args_.emplace_back(argv[i] != nullptr ? argv[i] : "");
}

int Win32Process::ArgCount() { return static_cast<int>(args_.size()); }

Str255 Win32Process::Arg(int index) {
  if (index < 1 || index > ArgCount()) return Str255();
  return Str255(args_[static_cast<size_t>(index - 1)]);
}

bool Win32Process::Environment(const char* name, std::string& value) {
  // 0: not set (or empty); else the size it needs, its terminator counted.
  const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return false;
  std::string buffer(size, '\0');
  const DWORD length = GetEnvironmentVariableA(name, buffer.data(), size);
  if (length == 0 || length >= size) return false;
  buffer.resize(length);
  value = buffer;
  return true;
}

void Win32Process::Exit(int code) {
  console_.Shutdown();
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace hopdir
