#include "platform/cmd_handoff.h"

#include <memory>

#include "platform/platform.h"

namespace hopdir {
namespace {

// The batch file the wrapper named for this run; false when there is none,
// or its name is too long to be named whole.
bool NamedByWrapper(Str255& named) {
  std::string value;
  if (!Os().process.Environment(HandoffVariable, value) || value.empty() ||
      value.size() > static_cast<size_t>(Str255::kCapacity)) {
    return false;
  }
  named = Str255(value);
  return true;
}

// The drive part is what stands before the path that cd changes into: a
// letter and a colon, or the two backslashes of a network path.
constexpr size_t kDrivePartLength = 2;

constexpr std::string_view kCharactersNoPathHolds = "\"<>|*?";

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// `text` as a message may show it: a control character would act on the
// console, and shows as '?'.
std::string Shown(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    if (IsControl(c)) c = '?';
  }
  return shown;
}

void AppendEscaped(std::string& text, std::string_view part) {
  for (char c : part) {
    text += c;
    if (c == '%') text += '%';
  }
}

// As AppendEscaped, for a command that delayed expansion reads after the
// percent signs are gone: there ^ escapes the next character.
void AppendEscapedForDelayedExpansion(std::string& text, std::string_view part) {
  for (char c : part) {
    if (c == '^' || c == '!') text += '^';
    text += c;
    if (c == '%') text += '%';
  }
}

// `destination` in the code page cmd.exe reads batch files in, split into
// its drive part and path part. Each directory name that the code page
// cannot say is replaced by the short name the volume keeps for it.
int InShellCodePage(std::string_view destination, std::string& drive, std::string& path) {
  FileSystem& files = Os().files;
  if (int result = files.ToShellCodePage(DrivePart(destination), drive); result != 0) {
    return result;
  }
  const std::string_view rest = PathPart(destination);
  path.clear();
  std::string said;
  for (size_t start = 0; start <= rest.size();) {
    size_t end = rest.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = rest.size();
    const std::string_view name = rest.substr(start, end - start);
    if (!name.empty()) {
      if (int result = files.ToShellCodePage(name, said); result != 0) {
        Str255 short_name;
        const Str255 directory(destination.substr(0, kDrivePartLength + end));
        if (files.ShortName(directory, short_name) != 0 || short_name.Empty() ||
            files.ToShellCodePage(short_name.View(), said) != 0) {
          return result;
        }
      }
      path += said;
    }
    if (end < rest.size()) path += rest[end];
    start = end + 1;
  }
  return 0;
}

}  // namespace

std::string_view DrivePart(std::string_view destination) {
  return destination.substr(0, kDrivePartLength);
}

std::string_view PathPart(std::string_view destination) {
  return destination.size() > kDrivePartLength ? destination.substr(kDrivePartLength) : "";
}

std::string CmdRefusal(std::string_view destination) {
  if (destination.empty()) return std::string();
  const char* reason = nullptr;
  for (char c : destination) {
    if (IsControl(c) || kCharactersNoPathHolds.find(c) != std::string_view::npos) {
      reason = "a Windows path holds no \" < > | * ? and no control character";
      break;
    }
  }
  const std::string_view drive = DrivePart(destination);
  const bool drive_letter = drive.size() == 2 && IsDriveLetter(drive[0]) && drive[1] == ':';
  if (reason == nullptr && !drive_letter && drive != "\\\\") {
    reason = "a Windows path starts with a drive letter and a colon, or with \\\\";
  }
  if (reason == nullptr) return std::string();
  return "Cannot go to " + Shown(destination) + ": " + reason + ".";
}

std::string CmdBatchText(std::string_view drive_part, std::string_view path_part) {
  std::string text;
  text.reserve(drive_part.size() + 3 * path_part.size() + 48);
  AppendEscaped(text, drive_part);
  if (path_part.find('!') == std::string_view::npos) {
    text += "\r\ncd \"";
  } else {
    text += "\r\nif \"!!\"==\"\" (cd \"";
    AppendEscapedForDelayedExpansion(text, path_part);
    text += "\") else cd \"";
  }
  AppendEscaped(text, path_part);
  text += "\"\r\n";
  return text;
}

Str255 CmdHandoff::Location() {
  Str255 named;
  if (NamedByWrapper(named)) return named;
  const PathRules& rules = Os().paths;
  return Str255(rules.DataDirectory(rules.DirectoryPart(Os().files.ExecutablePath())).Directory) +
         BatchFileName;
}

int CmdHandoff::Refusal(const Str255& destination, std::string& message) {
  message = CmdRefusal(destination.View());
  return message.empty() ? 0 : kErrorInvalidName;
}

int CmdHandoff::Write(const Str255& destination) {
  std::string refusal;
  if (int refused = Refusal(destination, refusal); refused != 0) return refused;
  // A name the shell's code page cannot say and that has no short name is
  // a failure before the file is touched, never a silent wrong directory.
  // The converted text may be longer than the name (UTF-8), and is
  // written whole.
  std::string drive;
  std::string path;
  if (int result = InShellCodePage(destination.View(), drive, path); result != 0) return result;
  FileSystem& files = Os().files;
  std::unique_ptr<RawFile> batch;
  Str255 named;
  if (NamedByWrapper(named)) {
    // The wrapper names a file in a folder it made for this run: a file
    // that is there already is someone else's, and is left alone.
    if (int result = files.CreateNew(named, batch); result != 0) return result;
  } else {
    const PathRules& rules = Os().paths;
    const Str255 program_dir = rules.DirectoryPart(files.ExecutablePath());
    const Str255 data_dir(rules.DataDirectory(program_dir).Directory);
    // The user's own data directory is made on first use; the programs'
    // own is there or the write fails.
    if (!(data_dir == program_dir)) files.EnsureDirectory(data_dir);
    if (int result = files.CreateForWriting(data_dir + BatchFileName, batch); result != 0) {
      return result;
    }
  }
  if (int result = batch->Write(CmdBatchText(drive, path)); result != 0) {
    batch->Close();
    return result;
  }
  return batch->Close();
}

}  // namespace hopdir
