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

// Reads one key, an extended key as its second code with the high bit set,
// and tells whether it ends the dialog: anything below 33 after translation.
bool KeyEndsDialog() {
  Console& console = Os().console;
  auto key = static_cast<unsigned char>(console.ReadKey());
  if (key == 0) key = static_cast<unsigned char>(console.ReadKey()) | 0x80;
  auto translated = static_cast<unsigned char>(TranslateKey(static_cast<char>(key)));
  return translated < 33;
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
