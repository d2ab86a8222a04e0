// Console input of Win32Console. Keys and mouse events share the console's
// one input queue; every record read is sorted into the key queue or the
// mouse queue, so that polling the mouse never loses a key. Typed text is
// read as UTF-16 and handed on in UTF-8, the form names are written and
// compared in.
#include <algorithm>
#include <vector>

#include "platform/win32/code_pages.h"
#include "platform/win32/console.h"
#include "platform/win32/file_system.h"

namespace hopdir {
namespace {

constexpr size_t kMouseQueueLimit = 256;
constexpr WORD kRepeatLimit = 64;

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
  if (record.EventType == KEY_EVENT) {
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (!key.bKeyDown) return;
    if (key.uChar.UnicodeChar == 0 && IsModifierKey(key.wVirtualKeyCode)) return;
    INPUT_RECORD one = record;
    one.Event.KeyEvent.wRepeatCount = 1;
    WORD repeat = std::min<WORD>(std::max<WORD>(key.wRepeatCount, 1), kRepeatLimit);
    for (WORD i = 0; i < repeat; ++i) keys_.push_back(one);
    return;
  }
  if (record.EventType != MOUSE_EVENT) return;
  const MOUSE_EVENT_RECORD& mouse = record.Event.MouseEvent;
  const DWORD buttons = mouse.dwButtonState & 0xFFFF;
  const bool click = mouse.dwEventFlags == 0 || (mouse.dwEventFlags & DOUBLE_CLICK) != 0;
  MouseEventRecord event;
  event.Buttons = static_cast<uint16_t>(buttons);
  event.Col = static_cast<uint16_t>(std::max(0, mouse.dwMousePosition.X - window.Left));
  event.Row = static_cast<uint16_t>(std::max(0, mouse.dwMousePosition.Y - window.Top));
  if (click && (buttons & ~previous_buttons_) != 0) {
    event.Action = kMousePressed;
  } else if ((previous_buttons_ & ~buttons) != 0) {
    event.Action = kMouseReleased;
  } else {
    event.Action = kMouseMoved;
  }
  previous_buttons_ = buttons;
  if (mice_.size() >= kMouseQueueLimit) mice_.pop_front();
  mice_.push_back(event);
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
  if (mice_.empty()) {
    Flush();
    return false;
  }
  event = mice_.front();
  mice_.pop_front();
  return true;
}

void Win32Console::WaitForInput(int milliseconds) {
  Flush();
  Pump();
  // Waiting mouse events end the wait at once. Waiting keys do not: the menu
  // leaves typed keys alone until it ends, and must not spin meanwhile.
  if (!mice_.empty()) return;
  DWORD timeout = static_cast<DWORD>(std::max(0, milliseconds));
  if (in_console_) {
    WaitForSingleObject(in_, timeout);
  } else {
    Sleep(timeout);
  }
}

bool Win32Console::KeyPressed() {
  Flush();
  if (pending_code_ >= 0) return true;
  if (!in_console_) return RawKeyWaiting();
  Pump();
  return !keys_.empty();
}

char Win32Console::ReadKey() {
  Flush();
  if (pending_code_ >= 0) {
    char code = static_cast<char>(pending_code_);
    pending_code_ = -1;
    return code;
  }
  if (!in_console_) return ReadRawKey();
  for (;;) {
    Pump();
    if (!keys_.empty()) break;
    WaitForSingleObject(in_, INFINITE);
  }
  KEY_EVENT_RECORD key = keys_.front().Event.KeyEvent;
  keys_.pop_front();
  if (key.uChar.UnicodeChar == 0) {
    pending_code_ = static_cast<unsigned char>(key.wVirtualScanCode);
    return '\0';
  }
  std::string bytes = FromUtf16(text_code_page_, std::wstring(1, key.uChar.UnicodeChar));
  if (bytes.size() > 1) pending_code_ = static_cast<unsigned char>(bytes[1]);
  return bytes.empty() ? '?' : bytes[0];
}

void Win32Console::DiscardKeys() {
  pending_code_ = -1;
  if (!in_console_) return;
  Pump();
  keys_.clear();
  FlushConsoleInputBuffer(in_);
}

int Win32Console::ReadLine(Str255& line) {
  Flush();
  line = Str255();
  pending_code_ = -1;
  if (!in_console_) return ReadRawLine(line);
  // Keys typed ahead belong to the line: hand them back to the console.
  Pump();
  if (!keys_.empty()) {
    std::vector<INPUT_RECORD> typed(keys_.begin(), keys_.end());
    DWORD written = 0;
    WriteConsoleInputW(in_, typed.data(), static_cast<DWORD>(typed.size()), &written);
    keys_.clear();
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
