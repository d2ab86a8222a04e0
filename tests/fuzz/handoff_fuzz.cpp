// Any name as a destination: each handoff writer's text, read back by the
// rules of its shell, gives exactly that name again, on one command line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/cmd_handoff.h"
#include "platform/posix_handoff.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

// The word after `prefix` in POSIX sh syntax: single-quoted runs and
// backslash-escaped characters, up to the final line feed.
std::string ReadShWord(std::string_view text, std::string_view prefix) {
  Check(text.substr(0, prefix.size()) == prefix && !text.empty() && text.back() == '\n');
  text = text.substr(prefix.size(), text.size() - prefix.size() - 1);
  std::string word;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\'') {
      size_t end = text.find('\'', i + 1);
      Check(end != std::string_view::npos);
      word.append(text.substr(i + 1, end - i - 1));
      i = end;
    } else {
      Check(text[i] == '\\' && i + 1 < text.size());
      word += text[++i];
    }
  }
  return word;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  Check(c >= 'A' && c <= 'F');
  return c - 'A' + 10;
}

// The word after "cd " in fish syntax as the writer uses it: single-quoted
// runs of printable ASCII without quotes or backslashes, and \XHH bytes.
std::string ReadFishWord(std::string_view text) {
  Check(text.substr(0, 3) == "cd " && !text.empty() && text.back() == '\n');
  text = text.substr(3, text.size() - 4);
  Check(text.find('\n') == std::string_view::npos);
  std::string word;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\'') {
      size_t end = text.find('\'', i + 1);
      Check(end != std::string_view::npos);
      std::string_view run = text.substr(i + 1, end - i - 1);
      Check(run.find('\\') == std::string_view::npos);
      word.append(run);
      i = end;
    } else {
      Check(text.substr(i, 2) == "\\X" && i + 3 < text.size());
      word += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
      i += 3;
    }
  }
  return word;
}

// Line 2 of the batch file with every %% back to one %.
std::string ReadBatchPath(std::string_view text, std::string_view drive) {
  std::string doubled_drive;
  for (char c : drive) doubled_drive += c == '%' ? std::string("%%") : std::string(1, c);
  Check(text.substr(0, doubled_drive.size()) == doubled_drive);
  text.remove_prefix(doubled_drive.size());
  Check(text.substr(0, 6) == "\r\ncd \"" && text.size() >= 9 &&
        text.substr(text.size() - 3) == "\"\r\n");
  text = text.substr(6, text.size() - 9);
  std::string path;
  for (size_t i = 0; i < text.size(); ++i) {
    path += text[i];
    if (text[i] == '%') {
      Check(i + 1 < text.size() && text[i + 1] == '%');
      ++i;
    }
  }
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A file system name holds any byte but NUL; a short string at most 255.
  std::string name(reinterpret_cast<const char*>(data), size < 255 ? size : 255);
  if (name.find('\0') != std::string::npos) return 0;
  using hopdir::ShellDialect;
  if (name.empty()) {
    // No destination: an empty line, which leaves every shell where it is.
    for (ShellDialect dialect :
         {ShellDialect::kPosix, ShellDialect::kBashOrZsh, ShellDialect::kFish}) {
      Check(hopdir::PosixScriptText(name, dialect) == "\n");
    }
  } else {
    // A relative name comes back behind ./, and only then.
    const std::string handed_on = name[0] == '/' ? name : "./" + name;
    Check(ReadShWord(hopdir::PosixScriptText(name, ShellDialect::kPosix), "cd -- ") == handed_on);
    Check(ReadShWord(hopdir::PosixScriptText(name, ShellDialect::kBashOrZsh), "builtin cd -- ") ==
          handed_on);
    Check(ReadFishWord(hopdir::PosixScriptText(name, ShellDialect::kFish)) == handed_on);
  }
  const std::string drive = name.substr(0, 2);
  const std::string path = name.size() > 2 ? name.substr(2) : std::string();
  Check(ReadBatchPath(hopdir::CmdBatchText(drive, path), drive) == path);
  return 0;
}
