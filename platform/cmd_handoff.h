// The cmd.exe handoff: the two-line batch file "HopdirTemp.Bat" beside the
// programs, which hm.cmd and hf.cmd run in the calling shell.
#ifndef HOPDIR_PLATFORM_CMD_HANDOFF_H_
#define HOPDIR_PLATFORM_CMD_HANDOFF_H_

#include <string>
#include <string_view>

#include "platform/shell_handoff.h"

namespace hopdir {

// The batch file's bytes: the drive part on line 1, cd "path part" on line
// 2, each ended by CR LF. cmd.exe expands every % in a batch file, so each
// one is written doubled; every other byte passes through unchanged.
std::string CmdBatchText(std::string_view drive_part, std::string_view path_part);

class CmdHandoff : public ShellHandoff {
 public:
  Str255 Location(const Str255& beside_programs) override { return beside_programs; }
  // Converts both parts to the code page cmd.exe reads batch files in
  // before the file is touched, then creates or truncates it.
  int Write(const Str255& location, const Str255& drive_part, const Str255& path_part) override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_CMD_HANDOFF_H_
