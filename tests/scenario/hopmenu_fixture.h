// A hopmenu run on the fake backend: the program in C:\HOPDIR, started in
// D:\WORK (subdirectories alpha, Beta and SUB, one file), drives C, D and F
// with free space and E full, and an 80 x 25 console.
#ifndef HOPDIR_TESTS_SCENARIO_HOPMENU_FIXTURE_H_
#define HOPDIR_TESTS_SCENARIO_HOPMENU_FIXTURE_H_

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/dir_list.h"
#include "core/program_dir.h"
#include "hopmenu/hopmenu.h"
#include "tests/scenario/cp437.h"
#include "tests/support/fake_platform.h"
#include "ui/menu_base.h"
#include "ui/screen_probe.h"

namespace hopdir {

// Cells (1-based) of the page's buttons on an 80 x 25 console.
struct Cell80x25 {
  int Col;
  int Row;
};
inline constexpr Cell80x25 kPrevDrive{5, 2};
inline constexpr Cell80x25 kNextDrive{15, 2};
inline constexpr Cell80x25 kRoot{23, 2};
inline constexpr Cell80x25 kDone{30, 23};
inline constexpr Cell80x25 kAbort{39, 23};
inline constexpr Cell80x25 kLegend{50, 23};
// Entry k of the paths list is on row 4 + k, of the right list on row 1 + k.
inline constexpr int kPathsCol = 5;
inline constexpr int kRightCol = 30;

class HopmenuTest : public ::testing::Test {
 protected:
  static constexpr const char* kBatchFile = "C:\\HOPDIR\\HopdirTemp.Bat";
  static constexpr const char* kHistoryFile = "C:\\HOPDIR\\HOPMENU.DAT";

  void SetUp() override {
    fake.files.SetExecutablePath("C:\\HOPDIR\\hopmenu.exe");
    fake.files.SetDriveDirectory(3, "C:\\HOPDIR");
    fake.files.AddDir("D:\\WORK\\alpha");
    fake.files.AddDir("D:\\WORK\\SUB");
    fake.files.AddDir("D:\\WORK\\Beta");
    fake.files.AddFile("D:\\WORK\\notes.txt", "n");
    fake.files.AddDir("D:\\TOOLS");
    fake.files.SetDriveDirectory(5, "E:\\FULL");
    fake.files.SetDriveDirectory(6, "F:\\PROJ");
    fake.files.SetFreeBytes(4, 1 << 20);
    fake.files.SetFreeBytes(5, 0);
    fake.files.SetFreeBytes(6, 1 << 20);
    fake.files.SetCurrentDirectory("D:\\WORK");
    StartMenuObjects();
    StartDirListing();
    StartCore();
    StartScreenProbe();
  }
  // Starts afresh for another run within one test.
  void Restart() { StartScreenProbe(); }

  void SetHistory(const std::string& content) { fake.files.AddFile(kHistoryFile, content); }
  std::optional<std::string> History() const { return fake.files.Content(kHistoryFile); }
  std::optional<std::string> Batch() const { return fake.files.Content(kBatchFile); }

  void Press(Cell80x25 cell) { Press(cell.Col, cell.Row); }
  // A press as the console reports it: the button goes down, then up.
  void Press(int col, int row) {
    fake.console.PushPress(col, row);
    fake.console.PushRelease(col, row);
  }
  void PressPath(int k) { Press(kPathsCol, 4 + k); }
  void PressRecent(int k) { Press(kRightCol, 1 + k); }

  int Run() { return fake.RunToExit(RunHopmenu); }
  // Runs until the scripted presses are used up and the menu waits for the
  // next one, leaving the page on the fake screen.
  void RunUntilWaiting() { EXPECT_THROW(fake.RunToExit(RunHopmenu), testing::InputExhausted); }

  static std::string BatchFor(const std::string& drive, const std::string& path) {
    return drive + "\r\ncd \"" + path + "\"\r\n";
  }

  testing::FakePlatform fake;
};

}  // namespace hopdir

#endif  // HOPDIR_TESTS_SCENARIO_HOPMENU_FIXTURE_H_
