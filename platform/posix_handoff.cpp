#include "platform/posix_handoff.h"

#include <memory>

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

std::string PosixScriptText(std::string_view destination, ShellDialect dialect) {
  // No destination (-A or -P before the history holds one): the shell stays
  // where it is, as bash and zsh do with cd '', where fish reports an error.
  if (destination.empty()) return "\n";
  std::string text;
  text.reserve(destination.size() * 2 + 24);
  switch (dialect) {
    case ShellDialect::kPosix:
      text += "cd -- ";
      AppendSingleQuoted(text, destination);
      break;
    case ShellDialect::kBashOrZsh:
      text += "builtin cd -- ";
      AppendSingleQuoted(text, destination);
      break;
    case ShellDialect::kFish:
      // fish's own cd function keeps the directory history (cd -, prevd).
      text += "cd ";
      AppendFishQuoted(text, destination);
      break;
  }
  text += '\n';
  return text;
}

Str255 PosixHandoff::Location() {
  Str255 location;
  if (!Os().process.Environment("HOPDIR_HANDOFF", location)) return Str255();
  return location;
}

int PosixHandoff::Refusal(const Str255& /*destination*/, std::string& message) {
  message.clear();
  return 0;
}

int PosixHandoff::Write(const Str255& destination) {
  const Str255 location = Location();
  if (location.Empty()) return Os().console.WriteLine(destination.View());
  Str255 shell;
  Os().process.Environment("HOPDIR_SHELL", shell);
  std::unique_ptr<RawFile> script;
  // The file is the shell function's, made before the program started. Once
  // it is gone the function has moved on without this run (it returns when
  // Ctrl+Z stops the program): a new file would be read by nobody and left
  // behind, so the write fails instead.
  if (int result = Os().files.OpenForWriting(location, script); result != 0) return result;
  if (int result = script->Write(PosixScriptText(destination.View(), DialectNamed(shell.View())));
      result != 0) {
    script->Close();
    return result;
  }
  return script->Close();
}

}  // namespace hopdir
