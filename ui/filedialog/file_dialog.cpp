#include "ui/filedialog/file_dialog.h"

#include <cstdint>

#include "platform/platform.h"
#include "ui/filedialog/dialog_clicks.h"
#include "ui/filedialog/dialog_screen.h"
#include "ui/mouse.h"
#include "ui/screen_write.h"

namespace hopdir {

namespace {

// How long an idle loop sleeps before it polls again.
constexpr int kIdleWaitMs = 50;

// Reads one key (an extended key as both its codes). The dialog gives keys
// no meaning of their own, so every key ends it as OK does.
bool KeyEndsDialog() {
  Console& console = Os().console;
  if (console.ReadKey() == '\0') console.ReadKey();
  return true;
}

}  // namespace

void FileSelectDialog(DirListObj& list, const Str255& mask, const Str255& title, bool MultiSelect) {
  StartMouse();
  FileDialogScreen screen;
  SetUpDialogScreen(screen, list, mask, title, MultiSelect);

  Console& console = Os().console;
  bool done = false;
  while (!done) {
    bool busy = false;
    if (console.KeyPressed()) {
      busy = true;
      if (KeyEndsDialog()) done = true;
    }
    PollMouse();
    if (MouseClicked) {
      busy = true;
      HandleDialogClick(screen, done);
    }
    MoveTo(80, 25);
    if (!busy) console.WaitForInput(kIdleWaitMs);
  }

  console.SetTextColor(15);
  console.SetBackColor(0);
  console.ClearScreen();
  list.CountMarks();
}

}  // namespace hopdir
