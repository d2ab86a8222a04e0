// console_inject: scripts console input for a program and starts it in the
// same console, so that end-to-end tests can drive the menu's mouse page.
//
//   console_inject.exe [OPTION...] -- PROGRAM [ARGUMENT...]
//
// Input options, written in the order given into the console input queue
// (with WriteConsoleInputW) before PROGRAM starts:
//   --press C,R      left button down, then up, at 1-based column C, row R of the
//                    visible window
//   --right C,R      the same with the right button
//   --down C,R       left button down only      --up C,R    all buttons up
//   --move C,R       the mouse moved, no button held
//   --keys TEXT      one key press (down and up) per character of TEXT
//   --enter          the Enter key (character 13)
//   --vk CODE        a key without a character (virtual-key CODE, decimal or 0x..,
//                    e.g. 0x26 up, 0x70 F1); programs read it as 0 and its scan code
//   --char CODE      the key of the character CODE (decimal or 0x..: 8 Backspace,
//                    9 Tab, 0x1b Esc, 4 Ctrl+D)
//   --wheel C,R,N    the wheel turned N notches (away from the user when positive)
//                    with the mouse at C,R
//   --wait-screen TEXT  the input after this option is written only once the
//                    window shows TEXT (within 30 s; else exit code 122), while
//                    PROGRAM runs; the cursor is sampled then (see --cursor)
// Other options:
//   --mode FILE      write the console input mode before PROGRAM starts and after it
//                    ended to FILE: "before XXXXXXXX" and "after XXXXXXXX" (hex)
//   --mode-at MS     also write "during XXXXXXXX" MS milliseconds after PROGRAM
//                    started, if it still runs then (needs --mode)
//   --screen FILE    after PROGRAM ended, write the visible window to FILE: one line
//                    per row, UTF-8, trailing blanks removed, LF line ends
//   --colors FILE    after PROGRAM ended, write the window's colours to FILE: one line
//                    per row, one hex digit pair (background, foreground) per cell
//   --status FILE    write PROGRAM's whole exit code to FILE in decimal (Wine passes
//                    only its low byte on to Linux)
//   --cursor FILE    write whether the cursor shows to FILE: "before 1", "during 0"
//                    (at the first --wait-screen), "after 1"
// Without a console (output redirected, no terminal) only --status may be given;
// PROGRAM then runs without a console too, with this process's standard handles.
// Exit code: PROGRAM's exit code; 120 for a bad command line, 121 when PROGRAM
// cannot be started. (Ctrl+C is typed into the terminal instead: Wine does not
// deliver GenerateConsoleCtrlEvent.)
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

HANDLE input = INVALID_HANDLE_VALUE;
HANDLE screen = INVALID_HANDLE_VALUE;
SMALL_RECT window = {0, 0, 79, 24};
// The input written before PROGRAM starts, then one stage per --wait-screen.
struct Stage {
  std::string wait_for;
  std::vector<INPUT_RECORD> records;
};
std::vector<Stage> stages(1);
std::vector<INPUT_RECORD>* records = &stages[0].records;

[[noreturn]] void Usage(const std::string& why) {
  std::fprintf(stderr, "console_inject: %s\n", why.c_str());
  std::fflush(stderr);
  ExitProcess(120);
}

bool ParseCell(const std::string& text, int& col, int& row) {
  return std::sscanf(text.c_str(), "%d,%d", &col, &row) == 2 && col >= 1 && row >= 1;
}

void AddMouse(const std::string& cell, DWORD buttons, DWORD flags) {
  int col = 0;
  int row = 0;
  if (!ParseCell(cell, col, row)) Usage("bad cell '" + cell + "' (want COL,ROW)");
  INPUT_RECORD record = {};
  record.EventType = MOUSE_EVENT;
  record.Event.MouseEvent.dwMousePosition.X = static_cast<SHORT>(window.Left + col - 1);
  record.Event.MouseEvent.dwMousePosition.Y = static_cast<SHORT>(window.Top + row - 1);
  record.Event.MouseEvent.dwButtonState = buttons;
  record.Event.MouseEvent.dwEventFlags = flags;
  records->push_back(record);
}

void AddWheel(const std::string& wheel) {
  int col = 0;
  int row = 0;
  int notches = 0;
  if (std::sscanf(wheel.c_str(), "%d,%d,%d", &col, &row, &notches) != 3 || col < 1 || row < 1) {
    Usage("bad wheel '" + wheel + "' (want COL,ROW,NOTCHES)");
  }
  INPUT_RECORD record = {};
  record.EventType = MOUSE_EVENT;
  record.Event.MouseEvent.dwMousePosition.X = static_cast<SHORT>(window.Left + col - 1);
  record.Event.MouseEvent.dwMousePosition.Y = static_cast<SHORT>(window.Top + row - 1);
  // The delta in the high word, 120 a notch.
  record.Event.MouseEvent.dwButtonState = static_cast<DWORD>(static_cast<WORD>(notches * 120))
                                          << 16;
  record.Event.MouseEvent.dwEventFlags = MOUSE_WHEELED;
  records->push_back(record);
}

void AddKey(wchar_t character, WORD virtual_key) {
  INPUT_RECORD record = {};
  record.EventType = KEY_EVENT;
  KEY_EVENT_RECORD& key = record.Event.KeyEvent;
  key.wRepeatCount = 1;
  key.uChar.UnicodeChar = character;
  if (virtual_key == 0) {
    SHORT scan = VkKeyScanW(character);
    virtual_key = scan == -1 ? 0 : static_cast<WORD>(scan & 0xFF);
  }
  key.wVirtualKeyCode = virtual_key;
  key.wVirtualScanCode = static_cast<WORD>(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  key.bKeyDown = TRUE;
  records->push_back(record);
  key.bKeyDown = FALSE;
  records->push_back(record);
}

// Keys carry UTF-16 characters, as the wide command line does.
void AddText(const std::wstring& text) {
  for (wchar_t c : text) AddKey(c, 0);
}

std::wstring Quote(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, L'\\');
  return quoted + L"\"";
}

// The arguments as the wide command line holds them: names and keys
// outside the ANSI code page (Japanese) reach the program whole.
std::vector<std::wstring> WideArguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  for (int k = 0; words != nullptr && k < count; ++k) arguments.emplace_back(words[k]);
  if (words != nullptr) LocalFree(words);
  return arguments;
}

void WriteCursor(std::FILE* file, const char* label) {
  CONSOLE_CURSOR_INFO info = {};
  GetConsoleCursorInfo(screen, &info);
  std::fprintf(file, "%s %d\n", label, info.bVisible ? 1 : 0);
  std::fflush(file);
}

void WriteMode(std::FILE* file, const char* label) {
  DWORD mode = 0;
  GetConsoleMode(input, &mode);
  std::fprintf(file, "%s %08lx\n", label, static_cast<unsigned long>(mode));
  std::fflush(file);
}

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                      nullptr, nullptr);
  return text;
}

// The visible window as UTF-8 text, one line a row.
std::string WindowText() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(screen, &info)) return std::string();
  const SMALL_RECT& now = info.srWindow;
  const int width = now.Right - now.Left + 1;
  std::vector<CHAR_INFO> row(static_cast<size_t>(width));
  std::wstring text;
  for (SHORT y = now.Top; y <= now.Bottom; ++y) {
    SMALL_RECT region = {now.Left, y, now.Right, y};
    if (!ReadConsoleOutputW(screen, row.data(), COORD{static_cast<SHORT>(width), 1}, COORD{0, 0},
                            &region)) {
      break;
    }
    for (const CHAR_INFO& cell : row)
      text += cell.Char.UnicodeChar == 0 ? L' ' : cell.Char.UnicodeChar;
    text += L'\n';
  }
  return Utf8(text);
}

// Waits, polling, until the window shows `text` or `process` ends.
bool WaitForScreen(const std::string& text, HANDLE process) {
  for (int tries = 0; tries < 600; ++tries) {
    if (WindowText().find(text) != std::string::npos) return true;
    if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return false;
  }
  return false;
}

void DumpWindow(const std::string& text_path, const std::string& colors_path) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(screen, &info)) return;
  const SMALL_RECT& now = info.srWindow;
  const int width = now.Right - now.Left + 1;
  std::FILE* text = text_path.empty() ? nullptr : std::fopen(text_path.c_str(), "wb");
  std::FILE* colors = colors_path.empty() ? nullptr : std::fopen(colors_path.c_str(), "wb");
  std::vector<CHAR_INFO> row(static_cast<size_t>(width));
  for (SHORT y = now.Top; y <= now.Bottom; ++y) {
    SMALL_RECT region = {now.Left, y, now.Right, y};
    if (!ReadConsoleOutputW(screen, row.data(), COORD{static_cast<SHORT>(width), 1}, COORD{0, 0},
                            &region)) {
      break;
    }
    std::wstring chars;
    std::string attributes;
    for (const CHAR_INFO& cell : row) {
      chars += cell.Char.UnicodeChar == 0 ? L' ' : cell.Char.UnicodeChar;
      char pair[3];
      std::snprintf(pair, sizeof pair, "%02x", cell.Attributes & 0xFF);
      attributes += pair;
    }
    chars.erase(chars.find_last_not_of(L' ') + 1);
    if (text != nullptr) std::fprintf(text, "%s\n", Utf8(chars).c_str());
    if (colors != nullptr) std::fprintf(colors, "%s\n", attributes.c_str());
  }
  if (text != nullptr) std::fclose(text);
  if (colors != nullptr) std::fclose(colors);
}

BOOL WINAPI KeepRunning(DWORD /*event*/) { return TRUE; }

// An inheritable copy of a standard handle, for the program's start-up data.
HANDLE Inheritable(DWORD which) {
  HANDLE original = GetStdHandle(which);
  HANDLE copy = nullptr;
  if (original == nullptr || original == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), original, GetCurrentProcess(), &copy, 0, TRUE,
                       DUPLICATE_SAME_ACCESS)) {
    return original;
  }
  return copy;
}

}  // namespace

int main(int argc, char** argv) {
  input = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
  screen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
  const bool has_console = input != INVALID_HANDLE_VALUE && screen != INVALID_HANDLE_VALUE;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (has_console && GetConsoleScreenBufferInfo(screen, &info)) window = info.srWindow;

  const std::vector<std::wstring> wide_argv = WideArguments();
  if (wide_argv.size() != static_cast<size_t>(argc))
    Usage("the wide command line splits otherwise");
  std::string mode_path;
  std::string screen_path;
  std::string colors_path;
  std::string status_path;
  std::string cursor_path;
  DWORD sample_delay = INFINITE;
  int i = 1;
  for (; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--") {
      ++i;
      break;
    }
    if (i + 1 >= argc && option != "--enter") Usage("option " + option + " needs a value");
    if (option == "--press" || option == "--right") {
      DWORD button = option == "--press" ? FROM_LEFT_1ST_BUTTON_PRESSED : RIGHTMOST_BUTTON_PRESSED;
      AddMouse(argv[i + 1], button, 0);
      AddMouse(argv[++i], 0, 0);
    } else if (option == "--down") {
      AddMouse(argv[++i], FROM_LEFT_1ST_BUTTON_PRESSED, 0);
    } else if (option == "--up") {
      AddMouse(argv[++i], 0, 0);
    } else if (option == "--move") {
      AddMouse(argv[++i], 0, MOUSE_MOVED);
    } else if (option == "--keys") {
      AddText(wide_argv[static_cast<size_t>(++i)]);
    } else if (option == "--enter") {
      AddKey(L'\r', VK_RETURN);
    } else if (option == "--vk") {
      AddKey(L'\0', static_cast<WORD>(std::strtoul(argv[++i], nullptr, 0)));
    } else if (option == "--char") {
      AddKey(static_cast<wchar_t>(std::strtoul(argv[++i], nullptr, 0)), 0);
    } else if (option == "--wheel") {
      AddWheel(argv[++i]);
    } else if (option == "--wait-screen") {
      stages.push_back(Stage{argv[++i], {}});
      records = &stages.back().records;
    } else if (option == "--cursor") {
      cursor_path = argv[++i];
    } else if (option == "--mode-at") {
      sample_delay = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 0));
    } else if (option == "--mode") {
      mode_path = argv[++i];
    } else if (option == "--screen") {
      screen_path = argv[++i];
    } else if (option == "--colors") {
      colors_path = argv[++i];
    } else if (option == "--status") {
      status_path = argv[++i];
    } else {
      Usage("unknown option " + option);
    }
  }
  if (i >= argc) Usage("no program given after --");
  if (!has_console && (!stages[0].records.empty() || stages.size() > 1 || !mode_path.empty() ||
                       !screen_path.empty() || !colors_path.empty() || !cursor_path.empty())) {
    Usage("input, --mode, --screen, --colors and --cursor need a console");
  }

  std::wstring command_line;
  for (int j = i; j < argc; ++j) {
    if (j > i) command_line += L' ';
    command_line += Quote(wide_argv[static_cast<size_t>(j)]);
  }

  std::FILE* mode_file = nullptr;
  if (!mode_path.empty()) {
    mode_file = std::fopen(mode_path.c_str(), "wb");
    if (mode_file == nullptr) Usage("cannot write " + mode_path);
    WriteMode(mode_file, "before");
  }
  std::FILE* cursor_file = nullptr;
  if (!cursor_path.empty()) {
    cursor_file = std::fopen(cursor_path.c_str(), "wb");
    if (cursor_file == nullptr) Usage("cannot write " + cursor_path);
    WriteCursor(cursor_file, "before");
  }
  // WriteConsoleInputW and the console's cursor speak of handles
  // console_inject opened; the stages are written from here on.
  auto write_stage = [](const Stage& stage) {
    if (stage.records.empty()) return;
    DWORD written = 0;
    WriteConsoleInputW(input, stage.records.data(), static_cast<DWORD>(stage.records.size()),
                       &written);
  };
  write_stage(stages[0]);
  // Ctrl+C typed for the program must not end this process first. A handler
  // of our own, unlike the ignore flag, is not inherited by the program.
  SetConsoleCtrlHandler(KeepRunning, TRUE);

  // The program gets this process's standard handles and console; without
  // a console it must not be given a new one.
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = Inheritable(STD_INPUT_HANDLE);
  startup.hStdOutput = Inheritable(STD_OUTPUT_HANDLE);
  startup.hStdError = Inheritable(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE,
                      has_console ? 0 : DETACHED_PROCESS, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "console_inject: cannot start %ls (error %lu)\n", command_line.c_str(),
                 static_cast<unsigned long>(GetLastError()));
    return 121;
  }
  if (sample_delay != INFINITE && mode_file != nullptr &&
      WaitForSingleObject(process.hProcess, sample_delay) == WAIT_TIMEOUT) {
    WriteMode(mode_file, "during");
  }
  bool screen_missed = false;
  for (size_t stage = 1; stage < stages.size() && !screen_missed; ++stage) {
    if (!WaitForScreen(stages[stage].wait_for, process.hProcess)) {
      std::fprintf(stderr, "console_inject: the window never showed '%s'\n",
                   stages[stage].wait_for.c_str());
      screen_missed = true;
      TerminateProcess(process.hProcess, 122);
      break;
    }
    if (stage == 1 && cursor_file != nullptr) WriteCursor(cursor_file, "during");
    write_stage(stages[stage]);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  if (mode_file != nullptr) {
    WriteMode(mode_file, "after");
    std::fclose(mode_file);
  }
  if (cursor_file != nullptr) {
    WriteCursor(cursor_file, "after");
    std::fclose(cursor_file);
  }
  if (has_console) DumpWindow(screen_path, colors_path);
  if (!status_path.empty()) {
    // The whole code: Wine hands only its low byte on to Linux.
    std::FILE* status = std::fopen(status_path.c_str(), "wb");
    if (status != nullptr) {
      std::fprintf(status, "%lu\n", static_cast<unsigned long>(code));
      std::fclose(status);
    }
  }
  return screen_missed ? 122 : static_cast<int>(code);
}
