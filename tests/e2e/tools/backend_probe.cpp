// backend_probe RESULTS COMMAND...: runs the commands in order against the
// real backend (through Os(), as the programs do) and appends one line per
// answer to the file RESULTS, so end-to-end tests can check what the
// backend did under a real console.
//
// Commands (arguments follow each command as separate words):
//   mouse-on | mouse-off          EnableMouse / DisableMouse
//   mouse N                       take N mouse events: "mouse BUTTONS COL ROW ACTION" each,
//                                 "mouse none" after 5 s without one
//   keys N                        ReadKey N times: "key CODE" (0..255) each
//   pressed                       "pressed 0|1" (KeyPressed)
//   line                          ReadLine: "line TEXT" ("line-error N" on failure)
//   discard                       DiscardKeys
//   wait MS                       WaitForInput(MS): "waited ELAPSED_MS"
//   goto COL ROW | where | size   GotoXY, "where X Y", "size COLS ROWS"
//   color FORE BACK | clear       SetTextColor and SetBackColor, ClearScreen
//   text S | textline S | graphic HEX
//                                 WriteText, WriteLine, WriteGraphic (bytes in hex);
//                                 "write-error N" on failure
//   exe | cwd | drive-cwd N | free N
//                                 "exe PATH", "cwd PATH", "drive-cwd PATH", "free BYTES"
//                                 of drive N (1 = A; others name no drive)
//   list PATTERN                  "entry NAME|SHORT|ATTR(hex)|SIZE|HAS-TIME" for each match
//   shell TEXT                    ToShellCodePage: "shell HEX" or "shell-error N"
//   short PATH                    ShortName: "short NAME" or "short-error N"
//   read PATH                     "read HEX" (whole content) or "read-error N"
//   read-until PATH FILE          read PATH again and again, as read does, until FILE
//                                 exists
//   write PATH TEXT               create, write, close: "wrote" or "write-error N"
//   delete PATH                   "delete N" (the I/O result)
//   replace SOURCE TARGET         "replace N" (the I/O result)
//   lock PATH | unlock            FileSystem::Lock: "lock N"; unlock lets every lock go
//   args                          "args N" and "arg HEX" for each argument; ends the list
//   say TEXT                      "TEXT" (a sign that the commands before it are done)
//   mode                          "mode XXXXXXXX": the console's input mode (hex), as
//                                 console_inject --mode writes it
//   exit N                        ExitProgram(N)
//   io-fail N                     CheckIo(N): the fatal I/O error path
// Arguments are taken in UTF-8 from the wide command line. Every text
// answer is written as the raw bytes the backend returned.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "containers/io_check.h"
#include "platform/native_platform.h"
#include "platform/platform.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace {

std::FILE* results = nullptr;

void Answer(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), results);
  std::fputc('\n', results);
  // The process ends through ExitProcess, which flushes no C streams.
  std::fflush(results);
}

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (char c : bytes) {
    hex += digits[static_cast<unsigned char>(c) >> 4];
    hex += digits[static_cast<unsigned char>(c) & 0x0F];
  }
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

void WriteResult(int result) {
  if (result != 0) Answer("write-error " + std::to_string(result));
}

void TakeMice(int count) {
  hopdir::Console& console = hopdir::Os().console;
  for (int taken = 0; taken < count; ++taken) {
    hopdir::MouseEventRecord event;
    auto start = std::chrono::steady_clock::now();
    while (!console.TakeMouseEvent(event)) {
      if (std::chrono::steady_clock::now() - start > std::chrono::seconds(5)) {
        Answer("mouse none");
        return;
      }
      console.WaitForInput(100);
    }
    Answer("mouse " + std::to_string(event.Buttons) + " " + std::to_string(event.Col) + " " +
           std::to_string(event.Row) + " " + std::to_string(event.Action));
  }
}

// The root of drive number `n` (1 = A .. 26 = Z); empty for any other.
hopdir::Str255 DriveRoot(int n) {
  if (n < 1 || n > 26) return hopdir::Str255();
  const char root[] = {static_cast<char>('A' + n - 1), ':', '\\', '\0'};
  return hopdir::Str255(root);
}

void Read(const hopdir::Str255& path) {
  std::unique_ptr<hopdir::RawFile> file;
  int result = hopdir::Os().files.OpenForReading(path, file);
  std::string content;
  while (result == 0) {
    char buffer[7];  // small, so that several reads make up a file
    int got = 0;
    result = file->Read(buffer, sizeof buffer, got);
    if (result != 0 || got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  if (result == 0) result = file->Close();
  Answer(result == 0 ? "read " + Hex(content) : "read-error " + std::to_string(result));
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string InputMode() {
  HANDLE input =
      CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD mode = 0;
  GetConsoleMode(input, &mode);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  char text[9];
  std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(mode));
  return text;
}

void Write(const hopdir::Str255& path, const std::string& text) {
  std::unique_ptr<hopdir::RawFile> file;
  int result = hopdir::Os().files.CreateForWriting(path, file);
  if (result == 0) result = file->Write(text);
  if (result == 0) result = file->Close();
  Answer(result == 0 ? "wrote" : "write-error " + std::to_string(result));
}

void List(const hopdir::Str255& pattern) {
  auto search = hopdir::Os().files.Search(pattern, 0xFFFF);
  hopdir::FindRecord record;
  while (search->Next(record)) {
    Answer("entry " + record.Name.ToStd() + "|" + record.ShortName.ToStd() + "|" +
           Hex(std::string{static_cast<char>(record.Attributes & 0xFF)}) + "|" +
           std::to_string(record.Size) + "|" +
           (record.WriteTime != 0 && record.CreationTime != 0 ? "1" : "0"));
  }
}

// The program's own command line, split by the standard rules, in UTF-8.
std::vector<std::string> WideArguments() {
  std::vector<std::string> words;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int n = 0; n < count; ++n) words.push_back(hopdir::Utf8Of(wide[n]));
  LocalFree(static_cast<HLOCAL>(wide));
  return words;
}

}  // namespace

int main(int argc, char** argv) {
  hopdir::InstallNativePlatform(argc, argv);
  // The commands in UTF-8, as the programs take their arguments, and whole:
  // a text argument may be longer than a short string.
  const std::vector<std::string> words = WideArguments();
  argc = static_cast<int>(words.size());
  if (argc < 2) hopdir::ExitProgram(2);
  results = _wfopen(hopdir::WideOf(words[1]).c_str(), L"ab");
  if (results == nullptr) hopdir::ExitProgram(3);
  hopdir::Console& console = hopdir::Os().console;
  hopdir::FileSystem& files = hopdir::Os().files;
  int i = 2;
  auto next = [&]() -> std::string { return i < argc ? words[static_cast<size_t>(i++)] : ""; };
  auto number = [&]() { return std::atoi(next().c_str()); };
  std::vector<std::unique_ptr<hopdir::FileLock>> locks;
  while (i < argc) {
    std::string command = next();
    if (command == "mouse-on") {
      console.EnableMouse();
    } else if (command == "mouse-off") {
      console.DisableMouse();
    } else if (command == "mouse") {
      TakeMice(number());
    } else if (command == "keys") {
      for (int n = number(); n > 0; --n) {
        Answer("key " + std::to_string(static_cast<unsigned char>(console.ReadKey())));
      }
    } else if (command == "pressed") {
      Answer(std::string("pressed ") + (console.KeyPressed() ? "1" : "0"));
    } else if (command == "line") {
      hopdir::Str255 line;
      int result = console.ReadLine(line);
      Answer(result == 0 ? "line " + line.ToStd() : "line-error " + std::to_string(result));
    } else if (command == "discard") {
      console.DiscardKeys();
    } else if (command == "wait") {
      int milliseconds = number();
      auto start = std::chrono::steady_clock::now();
      console.WaitForInput(milliseconds);
      auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now() - start);
      Answer("waited " + std::to_string(elapsed.count()));
    } else if (command == "goto") {
      int col = number();
      int row = number();
      console.GotoXY(static_cast<uint8_t>(col), static_cast<uint8_t>(row));
    } else if (command == "where") {
      Answer("where " + std::to_string(console.WhereX()) + " " + std::to_string(console.WhereY()));
    } else if (command == "size") {
      Answer("size " + std::to_string(console.WindowCols()) + " " +
             std::to_string(console.WindowRows()));
    } else if (command == "color") {
      int fore = number();
      int back = number();
      console.SetTextColor(static_cast<uint8_t>(fore));
      console.SetBackColor(static_cast<uint8_t>(back));
    } else if (command == "clear") {
      console.ClearScreen();
    } else if (command == "text") {
      WriteResult(console.WriteText(next()));
    } else if (command == "textline") {
      WriteResult(console.WriteLine(next()));
    } else if (command == "graphic") {
      WriteResult(console.WriteGraphic(FromHex(next())));
    } else if (command == "exe") {
      Answer("exe " + files.ExecutablePath().ToStd());
    } else if (command == "cwd") {
      Answer("cwd " + files.CurrentDirectory().ToStd());
    } else if (command == "drive-cwd") {
      Answer("drive-cwd " + files.CurrentDirectoryOn(DriveRoot(number())).ToStd());
    } else if (command == "free") {
      Answer("free " + std::to_string(files.FreeBytes(DriveRoot(number()))));
    } else if (command == "list") {
      List(hopdir::Str255(next()));
    } else if (command == "shell") {
      std::string converted;
      int result = files.ToShellCodePage(next(), converted);
      Answer(result == 0 ? "shell " + Hex(converted) : "shell-error " + std::to_string(result));
    } else if (command == "short") {
      hopdir::Str255 short_name;
      int result = files.ShortName(hopdir::Str255(next()), short_name);
      Answer(result == 0 ? "short " + short_name.ToStd() : "short-error " + std::to_string(result));
    } else if (command == "read") {
      Read(hopdir::Str255(next()));
    } else if (command == "read-until") {
      hopdir::Str255 path(next());
      std::string until = next();
      while (!Exists(until)) Read(path);
    } else if (command == "write") {
      std::string path = next();
      Write(hopdir::Str255(path), next());
    } else if (command == "delete") {
      Answer("delete " + std::to_string(files.DeleteFile(hopdir::Str255(next()))));
    } else if (command == "replace") {
      std::string source = next();
      Answer("replace " +
             std::to_string(files.ReplaceFile(hopdir::Str255(source), hopdir::Str255(next()))));
    } else if (command == "lock") {
      locks.emplace_back();
      Answer("lock " + std::to_string(files.Lock(hopdir::Str255(next()), locks.back())));
    } else if (command == "unlock") {
      locks.clear();
    } else if (command == "args") {
      hopdir::Process& process = hopdir::Os().process;
      Answer("args " + std::to_string(process.ArgCount()));
      for (int n = 1; n <= process.ArgCount(); ++n) Answer("arg " + Hex(process.Arg(n).View()));
      break;
    } else if (command == "say") {
      Answer(next());
    } else if (command == "mode") {
      Answer("mode " + InputMode());
    } else if (command == "exit") {
      hopdir::ExitProgram(number());
    } else if (command == "io-fail") {
      hopdir::CheckIo(number());
    } else {
      Answer("unknown " + command);
      hopdir::ExitProgram(2);
    }
  }
  hopdir::ExitProgram(0);
}
