// The cmd.exe handoff: the two-line batch file "HopdirTemp.Bat" beside the
// programs, which hm.cmd and hf.cmd run in the calling shell.
#ifndef HOPDIR_PLATFORM_CMD_HANDOFF_H_
#define HOPDIR_PLATFORM_CMD_HANDOFF_H_

#include <string>
#include <string_view>

#include "platform/shell_handoff.h"

namespace hopdir {

inline constexpr const char* BatchFileName = "HopdirTemp.Bat";

// A destination's drive part, its first two characters (a letter and a
// colon, or the two backslashes of a network path), and the rest, which
// cd changes into.
std::string_view DrivePart(std::string_view destination);
std::string_view PathPart(std::string_view destination);

// The batch file's bytes: the drive part on line 1, cd "path part" on line
// 2, each ended by CR LF. cmd.exe expands every % in a batch file, so each
// one is written doubled; every other byte passes through unchanged.
std::string CmdBatchText(std::string_view drive_part, std::string_view path_part);

class CmdHandoff : public ShellHandoff {
 public:
  // BatchFileName in the directory of the running program, clipped at 255
  // characters.
  Str255 Location() override;
  // Converts the destination to the code page cmd.exe reads batch files in
  // before the file is touched, then creates or truncates it.
  int Write(const Str255& destination) override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_CMD_HANDOFF_H_
