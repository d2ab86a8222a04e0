// The fake backend as one object: construct it in a test and the library
// talks to it until the next one is constructed.
#ifndef HOPDIR_TESTS_SUPPORT_FAKE_PLATFORM_H_
#define HOPDIR_TESTS_SUPPORT_FAKE_PLATFORM_H_

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/cmd_handoff.h"
#include "platform/path_rules.h"
#include "platform/platform.h"
#include "platform/posix_handoff.h"
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
  std::map<std::string, std::string> Env;
  int ExitCalls = 0;
  int LastExitCode = -1;

  int ArgCount() override { return static_cast<int>(Args.size()); }
  Str255 Arg(int index) override {
    if (index < 1 || index > ArgCount()) return Str255();
    return Str255(Args[static_cast<size_t>(index - 1)]);
  }
  bool Environment(const char* name, std::string& value) override {
    auto it = Env.find(name);
    if (it == Env.end()) return false;
    value = it->second;
    return true;
  }
  [[noreturn]] void Exit(int code) override {
    ++ExitCalls;
    LastExitCode = code;
    throw ProcessExit{code};
  }
};

// The path conventions a fake platform follows.
enum class Convention { kWindows, kPosix };

class FakePlatform {
 public:
  explicit FakePlatform(Convention convention = Convention::kWindows)
      : files(convention == Convention::kPosix),
        platform_{console, files, process, PathsFor(convention), HandoffFor(convention)} {
    if (convention == Convention::kPosix) {
      console.LineEnding = "\n";
      console.MessagesToErrorOutput = true;
    }
    InstallPlatform(&platform_);
  }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  FakeConsole console;
  FakeFileSystem files;
  FakeProcess process;

  // The conventions in force, for a test that installs a console of its own.
  const PathRules& Paths() const { return platform_.paths; }
  ShellHandoff& Handoff() { return platform_.handoff; }

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
  static const PathRules& PathsFor(Convention convention) {
    static const WindowsPathRules windows;
    static const PosixPathRules posix;
    if (convention == Convention::kPosix) return posix;
    return windows;
  }
  ShellHandoff& HandoffFor(Convention convention) {
    if (convention == Convention::kPosix) return posix_handoff_;
    return cmd_handoff_;
  }

  CmdHandoff cmd_handoff_;
  PosixHandoff posix_handoff_;
  Platform platform_;
};

}  // namespace hopdir::testing

#endif  // HOPDIR_TESTS_SUPPORT_FAKE_PLATFORM_H_
