#include "platform/text_file.h"

#include <string>

#include "platform/platform.h"

namespace hopdir {

TextFile::~TextFile() {
  if (file_) file_->Close();
}

int TextFile::OpenForReading(const Str255& path) {
  start_ = end_ = 0;
  eof_ = false;
  fetched_ = 0;
  cut_short_ = false;
  return Os().files.OpenForReading(path, file_);
}

int TextFile::CreateForWriting(const Str255& path) {
  start_ = end_ = 0;
  eof_ = false;
  return Os().files.CreateForWriting(path, file_);
}

int TextFile::CreateNew(const Str255& path) {
  start_ = end_ = 0;
  eof_ = false;
  return Os().files.CreateNew(path, file_);
}

int TextFile::Fill() {
  if (start_ < end_ || eof_) return 0;
  start_ = end_ = 0;
  int64_t room = static_cast<int64_t>(sizeof buffer_);
  if (limit_ >= 0 && limit_ - fetched_ < room) room = limit_ - fetched_;
  int got = 0;
  if (room == 0) {
    // At the limit: one byte more says whether the file went on.
    eof_ = true;
    int result = file_->Read(buffer_, 1, got);
    cut_short_ = result == 0 && got > 0;
    return result;
  }
  int result = file_->Read(buffer_, static_cast<int>(room), got);
  if (result != 0) return result;
  if (got == 0) eof_ = true;
  end_ = got;
  fetched_ += got;
  return 0;
}

bool TextFile::AtEnd() {
  if (!file_) return true;
  if (Fill() != 0) return true;
  return start_ == end_;
}

int TextFile::PeekChar(char& c, bool& got) {
  got = false;
  if (int result = Fill(); result != 0) return result;
  if (start_ == end_) return 0;
  c = buffer_[start_];
  got = true;
  return 0;
}

int TextFile::ReadChar(char& c, bool& got) {
  int result = PeekChar(c, got);
  if (result == 0 && got) ++start_;
  return result;
}

int TextFile::ReadLine(Str255& line) {
  line = "";
  for (;;) {
    char c = 0;
    bool got = false;
    if (int result = ReadChar(c, got); result != 0) return result;
    if (!got || c == '\n') return 0;
    if (c == '\r') {
      char next = 0;
      bool more = false;
      if (int result = PeekChar(next, more); result != 0) return result;
      if (more && next == '\n') {
        ++start_;
        return 0;
      }
    }
    line.Append(c);  // clips silently past 255
  }
}

int TextFile::SkipLine() {
  Str255 ignored;
  return ReadLine(ignored);
}

int TextFile::Write(std::string_view bytes) { return file_->Write(bytes); }

int TextFile::WriteLine(std::string_view bytes) {
  std::string line(bytes);
  line += Os().paths.LineEnding();
  return file_->Write(line);
}

int TextFile::Close() {
  if (!file_) return 0;
  int result = file_->Close();
  file_.reset();
  return result;
}

}  // namespace hopdir
