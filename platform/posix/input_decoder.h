// Terminal input bytes to keys and mouse events, as xterm and the terminals
// that follow it send them: SGR (1006) and X10 mouse reports, CSI and SS3
// cursor and function keys, plain bytes. No I/O: the console feeds it what
// it reads. Any byte sequence is accepted, and what is held between calls
// is a fixed handful of numbers, never the bytes themselves.
#ifndef HOPDIR_PLATFORM_POSIX_INPUT_DECODER_H_
#define HOPDIR_PLATFORM_POSIX_INPUT_DECODER_H_

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/console.h"

namespace hopdir {

struct TerminalInput {
  enum Kind : uint8_t { kKey, kExtendedKey, kMouse };
  Kind kind = kKey;
  // kKey: the byte as the program reads it (Enter is '\r', Backspace 8);
  // kExtendedKey: the key's code, read after a 0 (Up 72, F1 59, ...; the
  // NUL byte of Ctrl+Space is Ctrl+@, 3, as DOS read it).
  char key = 0;
  MouseEventRecord mouse;
};

class InputDecoder {
 public:
  // Appends the events that `bytes` complete; the start of a sequence at
  // the end is held until the next call.
  void Feed(std::string_view bytes, std::vector<TerminalInput>& events);
  // Part of a sequence is held.
  bool Holding() const { return state_ != State::kGround; }
  // No further bytes came in time: a lone Esc is the Esc key, any other
  // unfinished sequence is dropped.
  void Expire(std::vector<TerminalInput>& events);

 private:
  enum class State : uint8_t { kGround, kEscape, kCsi, kSs3, kLinuxFunction, kX10Mouse, kSkip };
  static constexpr int kMaxParams = 4;
  static constexpr int kMaxSequence = 32;

  void Take(unsigned char byte, std::vector<TerminalInput>& events);
  void TakeCsi(unsigned char byte, std::vector<TerminalInput>& events);
  void StartSequence(State state);
  void EndCsi(unsigned char final_byte, std::vector<TerminalInput>& events);
  void Mouse(int code, int x, int y, bool released, std::vector<TerminalInput>& events);

  State state_ = State::kGround;
  int length_ = 0;   // bytes of the sequence so far
  char prefix_ = 0;  // '<', '=', '>' or '?' right after CSI
  bool malformed_ = false;
  int param_count_ = 0;
  std::array<int, kMaxParams> params_{};
  std::array<unsigned char, 3> x10_{};
  uint16_t buttons_ = 0;  // held, as the reports so far tell
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_INPUT_DECODER_H_
