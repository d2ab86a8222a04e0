// toolkit_probe RESULT: the console toolkit on the real backend. Measures
// the window as the programs do, writes "COLS ROWS" to the file RESULT, then
// draws two framed boxes for the test to read back from the console:
//   - single line at column 100, row 35: " Probe ", frame 14, text 15 on 1
//     (rows 35 to 37, columns 100 to 108; off-screen in an 80 x 25 window)
//   - double line at column 3, row 2: " Twin " and " Lines ", frame 10,
//     text 12 on 4 (rows 2 to 5, columns 3 to 11)
// and ends with exit code 0.
#include <cstdio>

#include "containers/io_check.h"
#include "platform/native_platform.h"
#include "platform/platform.h"
#include "platform/short_string.h"
#include "platform/text_file.h"
#include "ui/frame_box.h"
#include "ui/menu_base.h"
#include "ui/screen_probe.h"

namespace {

void WriteSize(const hopdir::Str255& path) {
  char size[16];
  std::snprintf(size, sizeof size, "%d %d", hopdir::ScreenCols, hopdir::ScreenRows);
  hopdir::TextFile result;
  hopdir::CheckIo(result.CreateForWriting(path));
  hopdir::CheckIo(result.WriteLine(size));
  hopdir::CheckIo(result.Close());
}

void DrawBoxes() {
  hopdir::FrameBoxObj probe;
  probe.Init(100, 35, "Probe");
  probe.SetFrameColor(14);
  probe.SetTextColor(15);
  probe.SetBackColor(1);
  probe.Draw();

  // The style comes before the lines: AddLine lays out the edges with it.
  hopdir::FrameBoxObj twin;
  twin.Init(3, 2, "");
  twin.SetFrameStyle(2);
  twin.AddLine("Twin");
  twin.AddLine("Lines");
  twin.SetFrameColor(10);
  twin.SetTextColor(12);
  twin.SetBackColor(4);
  twin.Draw();
}

}  // namespace

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  hopdir::StartMenuObjects();
  hopdir::StartScreenProbe();
  hopdir::ProbeScreenSize();
  WriteSize(hopdir::Os().process.Arg(1));
  DrawBoxes();
  hopdir::ExitProgram(0);
}
