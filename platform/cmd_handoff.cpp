#include "platform/cmd_handoff.h"

#include <memory>

#include "platform/platform.h"

namespace hopdir {
namespace {

void AppendEscaped(std::string& text, std::string_view part) {
  for (char c : part) {
    text += c;
    if (c == '%') text += '%';
  }
}

}  // namespace

std::string CmdBatchText(std::string_view drive_part, std::string_view path_part) {
  std::string text;
  text.reserve(drive_part.size() + path_part.size() + 16);
  AppendEscaped(text, drive_part);
  text += "\r\ncd \"";
  AppendEscaped(text, path_part);
  text += "\"\r\n";
  return text;
}

int CmdHandoff::Write(const Str255& location, const Str255& drive_part, const Str255& path_part) {
  FileSystem& files = Os().files;
  // A name the shell's code page cannot hold is a failure before the file
  // is touched, never a silent wrong directory. The converted text may be
  // longer than the name (UTF-8), and is written whole.
  std::string drive;
  std::string path;
  if (int result = files.ToShellCodePage(drive_part.View(), drive); result != 0) return result;
  if (int result = files.ToShellCodePage(path_part.View(), path); result != 0) return result;
  std::unique_ptr<RawFile> batch;
  if (int result = files.CreateForWriting(location, batch); result != 0) return result;
  if (int result = batch->Write(CmdBatchText(drive, path)); result != 0) {
    batch->Close();
    return result;
  }
  return batch->Close();
}

}  // namespace hopdir
