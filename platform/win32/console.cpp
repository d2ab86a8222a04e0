#include "platform/win32/console.h"

#include "platform/win32/code_pages.h"

namespace hopdir {
namespace {

Win32Console* control_console = nullptr;

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI OnControlEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      if (control_console != nullptr) control_console->RestoreModesFromControlEvent();
      ExitProcess(STATUS_CONTROL_C_EXIT);
    default:
      return FALSE;
  }
}

}  // namespace

Win32Console::Win32Console()
    : out_(GetStdHandle(STD_OUTPUT_HANDLE)),
      in_(GetStdHandle(STD_INPUT_HANDLE)),
      screen_(INVALID_HANDLE_VALUE),
      text_code_page_(FileApiCodePage()),
      text_single_byte_(IsSingleByteCodePage(text_code_page_)) {
  DWORD mode = 0;
  out_console_ = out_ != nullptr && out_ != INVALID_HANDLE_VALUE && GetConsoleMode(out_, &mode);
  if (out_console_) {
    wrap_at_eol_ = (mode & ENABLE_WRAP_AT_EOL_OUTPUT) != 0;
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(out_, &info)) original_attribute_ = info.wAttributes & 0xFF;
    screen_ = out_;
  } else {
    // Output is redirected; mouse positions are still cells of the console's window.
    screen_ = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  }
  attribute_ = console_attribute_ = original_attribute_;
  in_console_ = in_ != nullptr && in_ != INVALID_HANDLE_VALUE && GetConsoleMode(in_, &mode);
  if (in_console_) original_input_mode_ = mode;
}

bool Win32Console::OpenScreen() { return out_console_; }

void Win32Console::EndOnControlEvents() {
  control_console = this;
  SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

void Win32Console::Shutdown() {
  Flush();
  RestoreModes();
}

void Win32Console::RestoreModes() {
  if (mouse_mode_active_.exchange(false)) SetConsoleMode(in_, mouse_saved_mode_.load());
  if (out_console_ && console_attribute_ != original_attribute_) {
    SetConsoleTextAttribute(out_, original_attribute_);
    console_attribute_ = original_attribute_;
  }
}

void Win32Console::RestoreModesFromControlEvent() {
  // The main thread may be half-way through a write: touch only the modes.
  if (mouse_mode_active_.exchange(false)) SetConsoleMode(in_, mouse_saved_mode_.load());
  if (out_console_) SetConsoleTextAttribute(out_, original_attribute_);
}

void Win32Console::EnableMouse() {
  if (!in_console_) return;
  if (!mouse_mode_saved_) {
    DWORD mode = 0;
    if (!GetConsoleMode(in_, &mode)) return;
    mouse_saved_mode_ = mode;
    mouse_mode_saved_ = true;
  }
  // Quick-edit would turn clicks into text selection in the classic console.
  DWORD wanted = (mouse_saved_mode_.load() | ENABLE_MOUSE_INPUT | ENABLE_EXTENDED_FLAGS) &
                 ~static_cast<DWORD>(ENABLE_QUICK_EDIT_MODE);
  mouse_mode_active_ = true;
  SetConsoleMode(in_, wanted);
}

void Win32Console::DisableMouse() {
  if (!mouse_mode_saved_) return;
  mouse_mode_active_ = false;
  SetConsoleMode(in_, mouse_saved_mode_.load());
}

}  // namespace hopdir
