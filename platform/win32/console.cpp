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

HANDLE OpenConsoleDevice(const wchar_t* name) {
  return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, 0, nullptr);
}

bool IsConsole(HANDLE handle, DWORD& mode) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

}  // namespace

Win32Console::Win32Console()
    : std_out_(GetStdHandle(STD_OUTPUT_HANDLE)),
      out_(INVALID_HANDLE_VALUE),
      in_(GetStdHandle(STD_INPUT_HANDLE)),
      text_code_page_(CP_UTF8) {
  DWORD mode = 0;
  std_out_console_ = IsConsole(std_out_, mode);
  if (std_out_console_) {
    out_ = std_out_;
    TakeScreen(mode);
  } else {
    // Output is redirected; mouse positions are still cells of the console's
    // window, and a page may yet be opened on it.
    out_ = OpenConsoleDevice(L"CONOUT$");
  }
  in_console_ = IsConsole(in_, mode);
  if (in_console_) original_input_mode_ = mode;
}

void Win32Console::TakeScreen(DWORD mode) {
  out_console_ = true;
  wrap_at_eol_ = (mode & ENABLE_WRAP_AT_EOL_OUTPUT) != 0;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(out_, &info)) original_attribute_ = info.wAttributes & 0xFF;
  attribute_ = console_attribute_ = original_attribute_;
}

bool Win32Console::OpenScreen() {
  DWORD out_mode = 0;
  if (!out_console_ && !IsConsole(out_, out_mode)) return false;
  DWORD in_mode = 0;
  HANDLE input = INVALID_HANDLE_VALUE;
  if (!in_console_) {
    input = OpenConsoleDevice(L"CONIN$");
    if (!IsConsole(input, in_mode)) {
      if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
      return false;
    }
  }
  if (!out_console_) TakeScreen(out_mode);
  if (!in_console_) {
    // Before the mouse is turned on, so that the control handler restores
    // the mode of this handle.
    in_ = input;
    original_input_mode_ = in_mode;
    in_console_ = true;
  }
  return true;
}

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
  if (cursor_hidden_.exchange(false)) SetConsoleCursorInfo(out_, &saved_cursor_);
  if (out_console_ && console_attribute_ != original_attribute_) {
    SetConsoleTextAttribute(out_, original_attribute_);
    console_attribute_ = original_attribute_;
  }
}

void Win32Console::RestoreModesFromControlEvent() {
  // The main thread may be half-way through a write: touch only the modes.
  if (mouse_mode_active_.exchange(false)) SetConsoleMode(in_, mouse_saved_mode_.load());
  if (cursor_hidden_.exchange(false)) SetConsoleCursorInfo(out_, &saved_cursor_);
  if (out_console_) SetConsoleTextAttribute(out_, original_attribute_);
}

void Win32Console::ShowCursor(bool shown) {
  if (!out_console_) return;
  if (shown) {
    if (cursor_hidden_.exchange(false)) SetConsoleCursorInfo(out_, &saved_cursor_);
    return;
  }
  if (cursor_hidden_ || !GetConsoleCursorInfo(out_, &saved_cursor_)) return;
  CONSOLE_CURSOR_INFO hidden = saved_cursor_;
  hidden.bVisible = FALSE;
  // Saved before the handler can see it hidden.
  cursor_hidden_ = true;
  SetConsoleCursorInfo(out_, &hidden);
}

void Win32Console::EnableMouse() {
  if (!in_console_) return;
  if (!mouse_mode_saved_) {
    DWORD mode = 0;
    if (!GetConsoleMode(in_, &mode)) return;
    mouse_saved_mode_ = mode;
    mouse_mode_saved_ = true;
  }
  // Quick-edit would turn clicks into text selection in the classic console;
  // window input wakes a waiting page when the window changes its size.
  DWORD wanted = (mouse_saved_mode_.load() | ENABLE_MOUSE_INPUT | ENABLE_EXTENDED_FLAGS |
                  ENABLE_WINDOW_INPUT) &
                 ~static_cast<DWORD>(ENABLE_QUICK_EDIT_MODE);
  mouse_mode_active_ = true;
  SetConsoleMode(in_, wanted);
  WindowResized();  // the size a later change is measured against
}

void Win32Console::DisableMouse() {
  if (!mouse_mode_saved_) return;
  mouse_mode_active_ = false;
  SetConsoleMode(in_, mouse_saved_mode_.load());
}

}  // namespace hopdir
