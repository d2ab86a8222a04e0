#include "platform/platform.h"

#include <cstdlib>

namespace hopdir {
namespace {
Platform* installed = nullptr;
}  // namespace

void InstallPlatform(Platform* platform) { installed = platform; }

Platform& Os() {
  if (installed == nullptr) std::abort();
  return *installed;
}

void ExitProgram(int code) {
  Os().process.Exit(code);
  std::abort();  // Exit never returns; this keeps the promise visible to the compiler
}

}  // namespace hopdir
