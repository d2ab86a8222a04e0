// Any bytes as HOPMENU.DAT: the history either loads (at most 100 entries,
// none empty, none longer than 255 characters) or halts on its 101st line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/program_dir.h"
#include "hopmenu/history.h"
#include "tests/support/fake_platform.h"

using hopdir::testing::FakePlatform;
using hopdir::testing::ProcessExit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FakePlatform fake;
  fake.files.SetExecutablePath("C:\\HOPDIR\\hopmenu.exe");
  fake.files.AddFile("C:\\HOPDIR\\HOPMENU.DAT",
                     std::string(reinterpret_cast<const char*>(data), size));
  hopdir::StartCore();
  hopdir::StartHistory();
  try {
    hopdir::LoadHistory();
  } catch (const ProcessExit& exit) {
    if (exit.Code != 1 || hopdir::HistoryList->Count != 100) std::abort();
    hopdir::StartHistory();
    return 0;
  }
  const hopdir::StrListObj& list = *hopdir::HistoryList;
  if (list.Count < 0 || list.Count > 100) std::abort();
  for (int16_t i = 1; i <= list.Count; ++i) {
    if (list.GetString(i).Empty()) std::abort();
  }
  hopdir::StartHistory();
  return 0;
}
