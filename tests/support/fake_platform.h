// The fake backend as one object: construct it in a test and the library
// talks to it until the next one is constructed.
#ifndef HOPDIR_TESTS_SUPPORT_FAKE_PLATFORM_H_
#define HOPDIR_TESTS_SUPPORT_FAKE_PLATFORM_H_

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/fake_console.h"
#include "tests/support/fake_file_system.h"

namespace hopdir::testing {

// What the fake Exit throws, so that a halt can be asserted without ending
// the test runner. Library code never catches it.
struct ProcessExit {
  int Code;
};

class FakeProcess : public Process {
 public:
  std::vector<std::string> Args;
  int ExitCalls = 0;
  int LastExitCode = -1;

  int ArgCount() override { return static_cast<int>(Args.size()); }
  Str255 Arg(int index) override {
    if (index < 1 || index > ArgCount()) return Str255();
    return Str255(Args[static_cast<size_t>(index - 1)]);
  }
  [[noreturn]] void Exit(int code) override {
    ++ExitCalls;
    LastExitCode = code;
    throw ProcessExit{code};
  }
};

class FakePlatform {
 public:
  FakePlatform() : platform_{console, files, process} { InstallPlatform(&platform_); }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  FakeConsole console;
  FakeFileSystem files;
  FakeProcess process;

  // Runs `body` and returns the exit code it ended with; -1 when it
  // returned without calling Exit.
  int RunToExit(const std::function<void()>& body) {
    try {
      body();
    } catch (const ProcessExit& exit) {
      return exit.Code;
    }
    return -1;
  }

 private:
  Platform platform_;
};

}  // namespace hopdir::testing

#endif  // HOPDIR_TESTS_SUPPORT_FAKE_PLATFORM_H_
