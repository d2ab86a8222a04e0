#include "platform/posix_handoff.h"

#include <cerrno>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace hopdir {
namespace {

// POSIX single quotes keep every byte literally, newlines included; only a
// quote itself has to leave the quotes: ' becomes '\''.
void AppendSingleQuoted(std::string& text, std::string_view name) {
  text += '\'';
  for (char c : name) {
    if (c == '\'') {
      text += "'\\''";
    } else {
      text += c;
    }
  }
  text += '\'';
}

// fish gives \ and ' a meaning even inside single quotes and decodes the
// script as text, so anything but plain printable ASCII goes as a \XHH byte
// escape outside the quotes, which fish passes on as that very byte.
void AppendFishQuoted(std::string& text, std::string_view name) {
  constexpr char kHex[] = "0123456789ABCDEF";
  bool quoted = false;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = byte >= 0x20 && byte < 0x7F && c != '\'' && c != '\\';
    if (plain != quoted) {
      text += '\'';
      quoted = plain;
    }
    if (plain) {
      text += c;
    } else {
      text += "\\X";
      text += kHex[byte >> 4];
      text += kHex[byte & 0x0F];
    }
  }
  if (quoted) text += '\'';
}

}  // namespace

ShellDialect DialectNamed(std::string_view name) {
  if (name == "sh") return ShellDialect::kPosix;
  if (name == "fish") return ShellDialect::kFish;
  return ShellDialect::kBashOrZsh;
}

std::string HandedOnForm(std::string_view destination) {
  if (destination.empty() || destination[0] == '/') return std::string(destination);
  return "./" + std::string(destination);
}

std::string PosixScriptText(std::string_view destination, ShellDialect dialect) {
  // No destination (-A or -P before the history holds one): the shell stays
  // where it is, as bash and zsh do with cd '', where fish reports an error.
  if (destination.empty()) return "\n";
  const std::string handed_on = HandedOnForm(destination);
  std::string text;
  text.reserve(handed_on.size() * 2 + 24);
  switch (dialect) {
    case ShellDialect::kPosix:
      text += "cd -- ";
      AppendSingleQuoted(text, handed_on);
      break;
    case ShellDialect::kBashOrZsh:
      text += "builtin cd -- ";
      AppendSingleQuoted(text, handed_on);
      break;
    case ShellDialect::kFish:
      // fish's own cd function keeps the directory history (cd -, prevd).
      text += "cd ";
      AppendFishQuoted(text, handed_on);
      break;
  }
  text += '\n';
  return text;
}

Str255 PosixHandoff::Location() {
  std::string location;
  // A name too long for the file operations is no handoff file of this run's:
  // clipped, it would name another file.
  if (!Os().process.Environment("HOPDIR_HANDOFF", location) ||
      location.size() > static_cast<size_t>(Str255::kCapacity)) {
    return Str255();
  }
  return Str255(location);
}

int PosixHandoff::Write(const Str255& destination) {
  std::string named;
  if (!Os().process.Environment("HOPDIR_HANDOFF", named) || named.empty()) {
    return Os().console.WriteOutputLine(HandedOnForm(destination.View()));
  }
  const Str255 location = Location();
  if (location.Empty()) return ENAMETOOLONG;
  std::string shell;
  Os().process.Environment("HOPDIR_SHELL", shell);
  std::unique_ptr<RawFile> script;
  // The file is the shell function's, made before the program started. Once
  // it is gone the function has moved on without this run (it returns when
  // Ctrl+Z stops the program): a new file would be read by nobody and left
  // behind, so the write fails instead.
  if (int result = Os().files.OpenForWriting(location, script); result != 0) return result;
  if (int result = script->Write(PosixScriptText(destination.View(), DialectNamed(shell)));
      result != 0) {
    script->Close();
    return result;
  }
  return script->Close();
}

}  // namespace hopdir
