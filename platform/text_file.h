// Text files on top of the platform's raw files: lines end as the platform
// writes them (CR LF on Windows, LF elsewhere); on reading, CR LF and a bare
// LF both end a line and the last line may lack an ending. Every step
// returns the platform's I/O error number.
#ifndef HOPDIR_PLATFORM_TEXT_FILE_H_
#define HOPDIR_PLATFORM_TEXT_FILE_H_

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/file_system.h"
#include "platform/short_string.h"

namespace hopdir {

class TextFile {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile();  // closes a file still open, ignoring the result

  int OpenForReading(const Str255& path);
  int CreateForWriting(const Str255& path);
  // Creates a file that must not exist yet (FileSystem::CreateNew).
  int CreateNew(const Str255& path);
  bool IsOpen() const { return file_ != nullptr; }

  // Reading stops after `bytes` bytes of the file, as if it ended there, so
  // that a file of any size costs no more than that; ReadingCutShort tells
  // whether there was more (the line read last may then be cut too).
  void LimitReading(int64_t bytes) { limit_ = bytes; }
  bool ReadingCutShort() const { return cut_short_; }

  // Reading. AtEnd is true once no byte is left.
  bool AtEnd();
  // The rest of the current line without its ending; the first 255
  // characters are kept, the rest of a longer line is skipped.
  int ReadLine(Str255& line);
  // One byte; `got` false at the end of the file.
  int ReadChar(char& c, bool& got);
  // The next byte without taking it; `got` false at the end of the file.
  int PeekChar(char& c, bool& got);
  // Skips the rest of the current line, its ending included.
  int SkipLine();

  // Writing.
  int Write(std::string_view bytes);
  int WriteLine(std::string_view bytes);

  int Close();

 private:
  int Fill();

  std::unique_ptr<RawFile> file_;
  // Room for a whole history of 100 full lines, which is then one read.
  char buffer_[32768] = {};
  int start_ = 0;
  int end_ = 0;
  bool eof_ = false;
  int64_t limit_ = -1;  // none
  int64_t fetched_ = 0;
  bool cut_short_ = false;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_TEXT_FILE_H_
