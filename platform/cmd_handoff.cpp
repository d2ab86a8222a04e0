#include "platform/cmd_handoff.h"

#include <memory>

#include "platform/platform.h"

namespace hopdir {
namespace {

// The drive part is what stands before the path that cd changes into: a
// letter and a colon, or the two backslashes of a network path.
constexpr size_t kDrivePartLength = 2;

void AppendEscaped(std::string& text, std::string_view part) {
  for (char c : part) {
    text += c;
    if (c == '%') text += '%';
  }
}

}  // namespace

std::string_view DrivePart(std::string_view destination) {
  return destination.substr(0, kDrivePartLength);
}

std::string_view PathPart(std::string_view destination) {
  return destination.size() > kDrivePartLength ? destination.substr(kDrivePartLength) : "";
}

std::string CmdBatchText(std::string_view drive_part, std::string_view path_part) {
  std::string text;
  text.reserve(drive_part.size() + path_part.size() + 16);
  AppendEscaped(text, drive_part);
  text += "\r\ncd \"";
  AppendEscaped(text, path_part);
  text += "\"\r\n";
  return text;
}

Str255 CmdHandoff::Location() {
  return Os().paths.DirectoryPart(Os().files.ExecutablePath()) + BatchFileName;
}

int CmdHandoff::Write(const Str255& destination) {
  FileSystem& files = Os().files;
  // A name the shell's code page cannot hold is a failure before the file
  // is touched, never a silent wrong directory. The converted text may be
  // longer than the name (UTF-8), and is written whole.
  // Each part is converted on its own, so that the split falls after the
  // second character whatever bytes the code page gives it.
  std::string drive;
  std::string path;
  if (int result = files.ToShellCodePage(DrivePart(destination.View()), drive); result != 0) {
    return result;
  }
  if (int result = files.ToShellCodePage(PathPart(destination.View()), path); result != 0) {
    return result;
  }
  std::unique_ptr<RawFile> batch;
  if (int result = files.CreateForWriting(Location(), batch); result != 0) return result;
  if (int result = batch->Write(CmdBatchText(drive, path)); result != 0) {
    batch->Close();
    return result;
  }
  return batch->Close();
}

}  // namespace hopdir
