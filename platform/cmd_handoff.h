// The cmd.exe handoff: a batch file of two lines that hm.cmd and hf.cmd run
// in the calling shell. Each run of a wrapper names a fresh file of its own
// in HOPDIR_HANDOFF; a program started without a wrapper writes
// "HopdirTemp.Bat" in the programs' data directory, as scripts of their own
// may expect.
#ifndef HOPDIR_PLATFORM_CMD_HANDOFF_H_
#define HOPDIR_PLATFORM_CMD_HANDOFF_H_

#include <string>
#include <string_view>

#include "platform/shell_handoff.h"

namespace hopdir {

inline constexpr const char* BatchFileName = "HopdirTemp.Bat";
// The environment variable in which a wrapper names this run's batch file.
inline constexpr const char* HandoffVariable = "HOPDIR_HANDOFF";
// What a refused destination ends the program with: Windows' "the file
// name, directory name or volume label syntax is incorrect".
inline constexpr int kErrorInvalidName = 123;

// A destination's drive part, its first two characters (a letter and a
// colon, or the two backslashes of a network path), and the rest, which
// cd changes into.
std::string_view DrivePart(std::string_view destination);
std::string_view PathPart(std::string_view destination);

// Why cmd.exe must not be handed `destination`, in one line; empty when it
// may. A character that no Windows path holds (" < > | * ? or a control
// character) or a drive part that is neither a letter and a colon nor the
// two backslashes of a network path would make the batch file run
// commands. The empty destination (-A before the first jump) leaves the
// shell where it is.
std::string CmdRefusal(std::string_view destination);

// The batch file's bytes: the drive part on line 1, cd "path part" on line
// 2, each ended by CR LF. cmd.exe expands every % in a batch file, so each
// one is written doubled. A path part with ! gets a line 2 that reaches
// cd with every ! whether or not delayed expansion is on:
//   if "!!"=="" (cd "...^!...") else cd "...!..."
// "!!" is empty only while delayed expansion is on, and then ^ escapes !
// (and itself, so a ^ of the name is written twice in that branch).
std::string CmdBatchText(std::string_view drive_part, std::string_view path_part);

class CmdHandoff : public ShellHandoff {
 public:
  // HOPDIR_HANDOFF; without it BatchFileName in the programs' data
  // directory, clipped at 255 characters.
  Str255 Location() override;
  // kErrorInvalidName with CmdRefusal's message for a refused destination.
  int Refusal(const Str255& destination, std::string& message) override;
  // Writes nothing for a refused destination. Converts the destination to
  // the code page cmd.exe reads batch files in before the file is touched;
  // a directory name that the code page cannot say goes as its 8.3 short
  // name. The wrapper's file is created new (it names a file no one has
  // made yet); HopdirTemp.Bat is created or truncated.
  int Write(const Str255& destination) override;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_CMD_HANDOFF_H_
