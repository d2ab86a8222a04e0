#include "platform/posix/process.h"

#include <unistd.h>

#include <cstdlib>

namespace hopdir {

PosixProcess::PosixProcess(PosixConsole& console, int argc, char** argv) : console_(console) {
  for (int i = 1; i < argc; ++i) args_.emplace_back(argv[i] != nullptr ? argv[i] : "");
}

int PosixProcess::ArgCount() { return static_cast<int>(args_.size()); }

Str255 PosixProcess::Arg(int index) {
  if (index < 1 || index > ArgCount()) return Str255();
  return Str255(args_[static_cast<size_t>(index - 1)]);
}

bool PosixProcess::Environment(const char* name, std::string& value) {
  const char* text = std::getenv(name);
  if (text == nullptr) return false;
  value = text;
  return true;
}

void PosixProcess::Exit(int code) {
  console_.Shutdown();
  // Every byte went out through write(2) already; nothing is left in a
  // stdio buffer, and no destructor has anything to add.
  _exit(code);
}

}  // namespace hopdir
