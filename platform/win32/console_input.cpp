// Console input of Win32Console. Keys and mouse events share the console's
// one input queue; every record read goes into one queue of keys and mouse
// events in their order, from which polling the mouse takes mouse events
// without losing a key. Typed text is read as UTF-16 and handed on in
// UTF-8, the form names are written and compared in. Waits are on the input
// handle, without a timeout unless the caller gives one.
#include <algorithm>
#include <vector>

#include "platform/win32/code_pages.h"
#include "platform/win32/console.h"
#include "platform/win32/file_system.h"

namespace hopdir {
namespace {

// Input beyond this, unread, is dropped as it comes.
constexpr size_t kInputQueueLimit = 4096 + 256;
constexpr WORD kRepeatLimit = 64;
// The wheel's delta for one notch.
constexpr int kWheelDelta = 120;
// DOS's code for Shift+Tab, which the console reports as a Tab with Shift.
constexpr int kShiftTabCode = 15;

// Keys that only modify others produce key events of their own, but no key.
bool IsModifierKey(WORD key) {
  switch (key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool Win32Console::ScreenWindow(SMALL_RECT& window) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (out_ == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(out_, &info)) return false;
  window = info.srWindow;
  return true;
}

void Win32Console::Take(const INPUT_RECORD& record, const SMALL_RECT& window) {
  if (input_.size() >= kInputQueueLimit) return;
  if (record.EventType == KEY_EVENT) {
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown) return;
    if (key.uChar.UnicodeChar == 0 && IsModifierKey(key.wVirtualKeyCode)) return;
    QueuedInput one;
    one.Key = record;
    one.Key.Event.KeyEvent.wRepeatCount = 1;
    WORD repeat = std::min<WORD>(std::max<WORD>(key.wRepeatCount, 1), kRepeatLimit);
    for (WORD i = 0; i < repeat; ++i) input_.push_back(one);
    return;
  }
  if (record.EventType != MOUSE_EVENT) return;
  const MOUSE_EVENT_RECORD& mouse = record.Event.MouseEvent;
  const DWORD buttons = mouse.dwButtonState & 0xFFFF;
  const bool click = mouse.dwEventFlags == 0 || (mouse.dwEventFlags & DOUBLE_CLICK) != 0;
  QueuedInput queued;
  queued.Mouse = true;
  MouseEventRecord& event = queued.Event;
  event.Buttons = static_cast<uint16_t>(buttons);
  event.Col = static_cast<uint16_t>(std::max(0, mouse.dwMousePosition.X - window.Left));
  event.Row = static_cast<uint16_t>(std::max(0, mouse.dwMousePosition.Y - window.Top));
  event.Time = static_cast<uint32_t>(GetTickCount());
  if ((mouse.dwEventFlags & MOUSE_WHEELED) != 0) {
    // The high word is the signed delta, positive away from the user; a
    // fine-grained wheel's part of a notch still counts as one.
    const int delta = static_cast<SHORT>(HIWORD(mouse.dwButtonState));
    const int notches = delta / kWheelDelta;
    event.Action = kMouseWheeled;
    event.Wheel = static_cast<int16_t>(notches != 0 ? notches : (delta > 0 ? 1 : -1));
    input_.push_back(queued);
    return;
  }
  if (click && (buttons & ~previous_buttons_) != 0) {
    event.Action = kMousePressed;
  } else if ((previous_buttons_ & ~buttons) != 0) {
    event.Action = kMouseReleased;
  } else {
    event.Action = kMouseMoved;
  }
  previous_buttons_ = buttons;
  input_.push_back(queued);
}

void Win32Console::Pump() {
  if (!in_console_) return;
  INPUT_RECORD records[64];
  for (;;) {
    DWORD waiting = 0;
    if (!GetNumberOfConsoleInputEvents(in_, &waiting) || waiting == 0) return;
    DWORD read = 0;
    if (!ReadConsoleInputW(in_, records, std::min<DWORD>(waiting, 64), &read) || read == 0) {
      return;
    }
    SMALL_RECT window = {};
    bool has_mouse = std::any_of(records, records + read, [](const INPUT_RECORD& record) {
      return record.EventType == MOUSE_EVENT;
    });
    if (has_mouse) ScreenWindow(window);
    for (DWORD i = 0; i < read; ++i) Take(records[i], window);
  }
}

bool Win32Console::TakeMouseEvent(MouseEventRecord& event) {
  Pump();
  const auto mouse = std::find_if(input_.begin(), input_.end(),
                                  [](const QueuedInput& input) { return input.Mouse; });
  if (mouse == input_.end()) {
    Flush();
    return false;
  }
  event = mouse->Event;
  input_.erase(mouse);
  return true;
}

InputKind Win32Console::NextInput() {
  if (!pending_.empty()) return InputKind::kKey;
  // What the input acts on is on the screen before it is taken.
  Flush();
  Pump();
  if (input_.empty()) return InputKind::kNone;
  return input_.front().Mouse ? InputKind::kMouse : InputKind::kKey;
}

void Win32Console::WaitForInput(int milliseconds) {
  Flush();
  Pump();
  if (!input_.empty() || !pending_.empty()) return;
  const DWORD timeout = milliseconds < 0 ? INFINITE : static_cast<DWORD>(milliseconds);
  if (in_console_) {
    // Signalled by any record, those that Pump drops as well (key releases,
    // focus changes): one more turn of the caller's loop.
    WaitForSingleObject(in_, timeout);
  } else if (timeout != INFINITE) {
    Sleep(timeout);
  }
}

int Win32Console::DoubleClickMilliseconds() { return static_cast<int>(GetDoubleClickTime()); }

bool Win32Console::WindowResized() {
  Pump();
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!out_console_ || !GetConsoleScreenBufferInfo(out_, &info)) return false;
  const int cols = info.srWindow.Right - info.srWindow.Left + 1;
  const int rows = info.srWindow.Bottom - info.srWindow.Top + 1;
  const bool changed = known_cols_ != 0 && (cols != known_cols_ || rows != known_rows_);
  known_cols_ = cols;
  known_rows_ = rows;
  if (changed) geometry_valid_ = cells_valid_ = false;
  return changed;
}

bool Win32Console::KeyPressed() {
  Flush();
  if (!pending_.empty()) return true;
  if (!in_console_) return RawKeyWaiting();
  Pump();
  return std::any_of(input_.begin(), input_.end(),
                     [](const QueuedInput& input) { return !input.Mouse; });
}

char Win32Console::ReadKey() {
  Flush();
  if (!pending_.empty()) {
    const char code = pending_.front();
    pending_.erase(0, 1);
    return code;
  }
  if (!in_console_) return ReadRawKey();
  const auto is_key = [](const QueuedInput& input) { return !input.Mouse; };
  for (;;) {
    Pump();
    if (std::any_of(input_.begin(), input_.end(), is_key)) break;
    WaitForSingleObject(in_, INFINITE);
  }
  const auto first = std::find_if(input_.begin(), input_.end(), is_key);
  KEY_EVENT_RECORD key = first->Key.Event.KeyEvent;
  input_.erase(first);
  if (key.wVirtualKeyCode == VK_TAB && (key.dwControlKeyState & SHIFT_PRESSED) != 0) {
    pending_.assign(1, static_cast<char>(kShiftTabCode));
    return '\0';
  }
  if (key.uChar.UnicodeChar == 0) {
    pending_.assign(1, static_cast<char>(key.wVirtualScanCode));
    return '\0';
  }
  std::string bytes = FromUtf16(text_code_page_, std::wstring(1, key.uChar.UnicodeChar));
  // A character of two or three bytes in UTF-8 (Japanese) is handed out a
  // byte a call.
  if (bytes.size() > 1) pending_ = bytes.substr(1);
  return bytes.empty() ? '?' : bytes[0];
}

void Win32Console::DiscardKeys() {
  pending_.clear();
  if (!in_console_) return;
  Pump();
  input_.erase(std::remove_if(input_.begin(), input_.end(),
                              [](const QueuedInput& input) { return !input.Mouse; }),
               input_.end());
  FlushConsoleInputBuffer(in_);
}

int Win32Console::ReadLine(Str255& line) {
  Flush();
  line = Str255();
  pending_.clear();
  if (!in_console_) return ReadRawLine(line);
  // Keys typed ahead belong to the line: hand them back to the console.
  Pump();
  std::vector<INPUT_RECORD> ahead;
  for (const QueuedInput& input : input_) {
    if (!input.Mouse) ahead.push_back(input.Key);
  }
  if (!ahead.empty()) {
    DWORD written = 0;
    WriteConsoleInputW(in_, ahead.data(), static_cast<DWORD>(ahead.size()), &written);
    input_.erase(std::remove_if(input_.begin(), input_.end(),
                                [](const QueuedInput& input) { return !input.Mouse; }),
                 input_.end());
  }
  DWORD mode_in_effect = 0;
  bool have_mode = GetConsoleMode(in_, &mode_in_effect) != 0;
  SetConsoleMode(
      in_, original_input_mode_ | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
  std::wstring typed;
  int result = 0;
  for (bool ended = false; !ended;) {
    wchar_t buffer[512];
    DWORD got = 0;
    if (!ReadConsoleW(in_, buffer, 512, &got, nullptr)) {
      result = LastIoError();
      break;
    }
    if (got == 0) break;
    for (DWORD i = 0; i < got && !ended; ++i) {
      if (buffer[i] == L'\n') {
        ended = true;
      } else if (typed.size() <= 256) {
        typed += buffer[i];
      }
    }
  }
  if (have_mode) SetConsoleMode(in_, mode_in_effect);
  while (!typed.empty() && typed.back() == L'\r') typed.pop_back();
  line = FromUtf16(text_code_page_, typed);
  return result;
}

bool Win32Console::RawKeyWaiting() {
  if (raw_input_ended_) return false;
  switch (GetFileType(in_)) {
    case FILE_TYPE_DISK:
      return true;
    case FILE_TYPE_PIPE: {
      DWORD available = 0;
      return PeekNamedPipe(in_, nullptr, 0, nullptr, &available, nullptr) && available > 0;
    }
    default:
      return false;
  }
}

char Win32Console::ReadRawKey() {
  char c = 0;
  DWORD got = 0;
  if (raw_input_ended_ || !ReadFile(in_, &c, 1, &got, nullptr) || got == 0) {
    // Ctrl+Z, as the console reports the end of its input.
    raw_input_ended_ = true;
    return '\x1A';
  }
  return c;
}

int Win32Console::ReadRawLine(Str255& line) {
  std::string text;
  for (;;) {
    char c = 0;
    DWORD got = 0;
    if (!ReadFile(in_, &c, 1, &got, nullptr)) {
      DWORD error = GetLastError();
      if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) break;
      return LastIoError();
    }
    if (got == 0 || c == '\n') break;
    if (text.size() <= 256) text += c;
  }
  while (!text.empty() && text.back() == '\r') text.pop_back();
  line = text;
  return 0;
}

}  // namespace hopdir
