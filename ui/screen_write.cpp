#include "ui/screen_write.h"

#include <cstdint>
#include <cstring>

#include "containers/io_check.h"
#include "platform/platform.h"

namespace hopdir {

namespace {

constexpr int kChunk = 64;

// Repeats one byte `count` times, in chunks from a small buffer.
void PutRun(char byte, int count, bool graphic) {
  char run[kChunk];
  std::memset(run, byte, sizeof(run));
  while (count > 0) {
    int part = count < kChunk ? count : kChunk;
    std::string_view chunk(run, static_cast<size_t>(part));
    CheckIo(graphic ? Os().console.WriteGraphic(chunk) : Os().console.WriteText(chunk));
    count -= part;
  }
}

}  // namespace

void MoveTo(int col, int row) {
  Os().console.GotoXY(static_cast<uint8_t>(col), static_cast<uint8_t>(row));
}

void PutText(std::string_view text) { CheckIo(Os().console.WriteText(text)); }

void PutGraphic(std::string_view bytes) { CheckIo(Os().console.WriteGraphic(bytes)); }

void PutGraphic(char byte, int count) { PutRun(byte, count, true); }

void PutSpaces(int count) { PutRun(' ', count, false); }

}  // namespace hopdir
