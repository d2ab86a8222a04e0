#include "platform/posix/input_decoder.h"

namespace hopdir {
namespace {

constexpr unsigned char kEsc = 0x1B;
constexpr int kMaxParamValue = 0xFFFF;

// DOS codes of the extended keys.
constexpr char kUp = 72, kDown = 80, kLeft = 75, kRight = 77, kHome = 71, kEnd = 79;
constexpr char kPageUp = 73, kPageDown = 81, kInsert = 82, kDelete = 83;
constexpr char kF1 = 59, kF6 = 64, kF11 = static_cast<char>(133), kF12 = static_cast<char>(134);
constexpr char kShiftTab = 15;
// Ctrl+@ (Ctrl+Space), the NUL byte, which would otherwise read as the
// first half of an extended key.
constexpr char kCtrlAt = 3;

bool IsFinal(unsigned char byte) { return byte >= 0x40 && byte <= 0x7E; }

void PushKey(std::vector<TerminalInput>& events, char key) {
  TerminalInput input;
  input.key = key;
  events.push_back(input);
}

void PushExtended(std::vector<TerminalInput>& events, char code) {
  TerminalInput input;
  input.kind = TerminalInput::kExtendedKey;
  input.key = code;
  events.push_back(input);
}

// The key a final byte names, after CSI or SS3 alike; 0 for none.
char CursorKey(unsigned char final_byte) {
  switch (final_byte) {
    case 'A':
      return kUp;
    case 'B':
      return kDown;
    case 'C':
      return kRight;
    case 'D':
      return kLeft;
    case 'H':
      return kHome;
    case 'F':
      return kEnd;
    case 'P':
    case 'Q':
    case 'R':
    case 'S':
      return static_cast<char>(kF1 + (final_byte - 'P'));
    default:
      return 0;
  }
}

// CSI n ~, as xterm, rxvt and the Linux console number them; 0 for none.
char TildeKey(int number) {
  switch (number) {
    case 1:
    case 7:
      return kHome;
    case 2:
      return kInsert;
    case 3:
      return kDelete;
    case 4:
    case 8:
      return kEnd;
    case 5:
      return kPageUp;
    case 6:
      return kPageDown;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
      return static_cast<char>(kF1 + (number - 11));
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
      return static_cast<char>(kF6 + (number - 17));
    case 23:
      return kF11;
    case 24:
      return kF12;
    default:
      return 0;
  }
}

uint16_t ButtonBit(int button) {
  switch (button) {
    case 0:
      return 1;  // left
    case 1:
      return 4;  // middle
    case 2:
      return 2;  // right
    default:
      return 0;
  }
}

uint16_t Cell(int one_based) {
  return static_cast<uint16_t>(
      one_based > 1 ? (one_based > kMaxParamValue ? kMaxParamValue : one_based) - 1 : 0);
}

}  // namespace

void InputDecoder::Feed(std::string_view bytes, std::vector<TerminalInput>& events) {
  for (char byte : bytes) Take(static_cast<unsigned char>(byte), events);
}

void InputDecoder::Expire(std::vector<TerminalInput>& events) {
  if (state_ == State::kEscape) PushKey(events, static_cast<char>(kEsc));
  state_ = State::kGround;
}

void InputDecoder::StartSequence(State state) {
  state_ = state;
  length_ = 0;
  prefix_ = 0;
  malformed_ = false;
  param_count_ = 0;
  params_.fill(0);
}

void InputDecoder::Take(unsigned char byte, std::vector<TerminalInput>& events) {
  switch (state_) {
    case State::kGround:
      if (byte == kEsc) {
        StartSequence(State::kEscape);
      } else if (byte == 0x7F) {
        PushKey(events, '\b');
      } else if (byte == 0) {
        PushExtended(events, kCtrlAt);
      } else {
        PushKey(events, static_cast<char>(byte));
      }
      return;
    case State::kEscape:
      if (byte == '[') {
        StartSequence(State::kCsi);
      } else if (byte == 'O') {
        StartSequence(State::kSs3);
      } else {
        // Esc, then a key typed with Alt or another Esc.
        PushKey(events, static_cast<char>(kEsc));
        state_ = State::kGround;
        Take(byte, events);
      }
      return;
    case State::kSs3:
      state_ = State::kGround;
      if (IsFinal(byte)) {
        if (char key = CursorKey(byte); key != 0) PushExtended(events, key);
      } else {
        Take(byte, events);
      }
      return;
    case State::kLinuxFunction:
      state_ = State::kGround;
      if (byte >= 'A' && byte <= 'E') {
        PushExtended(events, static_cast<char>(kF1 + (byte - 'A')));
      } else if (!IsFinal(byte)) {
        Take(byte, events);
      }
      return;
    case State::kX10Mouse:
      x10_[static_cast<size_t>(length_++)] = byte;
      if (length_ == 3) {
        state_ = State::kGround;
        const int code = (x10_[0] - 32) & 0xFF;
        Mouse(code, x10_[1] - 32, x10_[2] - 32, (code & 3) == 3, events);
      }
      return;
    case State::kCsi:
    case State::kSkip:
      TakeCsi(byte, events);
      return;
  }
}

void InputDecoder::TakeCsi(unsigned char byte, std::vector<TerminalInput>& events) {
  if (byte == kEsc) {
    StartSequence(State::kEscape);
    return;
  }
  if (byte < 0x20 || byte > 0x7E) {
    // Not part of any sequence: what was held goes, the byte counts alone.
    state_ = State::kGround;
    Take(byte, events);
    return;
  }
  const bool first = length_ == 0;
  ++length_;
  if (IsFinal(byte)) {
    if (state_ == State::kSkip) {
      state_ = State::kGround;
    } else if (first && byte == 'M') {
      StartSequence(State::kX10Mouse);
    } else if (first && byte == '[') {
      state_ = State::kLinuxFunction;
    } else {
      state_ = State::kGround;
      EndCsi(byte, events);
    }
    return;
  }
  if (state_ == State::kSkip) return;
  if (length_ > kMaxSequence) {
    state_ = State::kSkip;
    return;
  }
  if (byte >= '0' && byte <= '9') {
    if (param_count_ == 0) param_count_ = 1;
    if (param_count_ <= kMaxParams) {
      int& value = params_[static_cast<size_t>(param_count_ - 1)];
      value = value * 10 + (byte - '0');
      if (value > kMaxParamValue) value = kMaxParamValue;
    }
  } else if (byte == ';' || byte == ':') {
    if (param_count_ == 0) param_count_ = 1;
    if (param_count_ <= kMaxParams) ++param_count_;
  } else if (first && (byte == '<' || byte == '=' || byte == '>' || byte == '?')) {
    prefix_ = static_cast<char>(byte);
  } else {
    // Intermediate bytes, or a prefix out of place: no key of ours.
    malformed_ = true;
  }
}

void InputDecoder::EndCsi(unsigned char final_byte, std::vector<TerminalInput>& events) {
  if (malformed_ || param_count_ > kMaxParams) return;
  if (prefix_ == '<') {
    if ((final_byte == 'M' || final_byte == 'm') && param_count_ == 3) {
      Mouse(params_[0], params_[1], params_[2], final_byte == 'm', events);
    }
    return;
  }
  if (prefix_ != 0) return;
  if (final_byte == '~') {
    if (char key = TildeKey(params_[0]); key != 0) PushExtended(events, key);
  } else if (final_byte == 'Z') {
    PushExtended(events, kShiftTab);
  } else if (char key = CursorKey(final_byte); key != 0) {
    PushExtended(events, key);
  }
}

void InputDecoder::Mouse(int code, int x, int y, bool released,
                         std::vector<TerminalInput>& events) {
  TerminalInput input;
  input.kind = TerminalInput::kMouse;
  input.mouse.Col = Cell(x);
  input.mouse.Row = Cell(y);
  const int button = code & 3;
  // The wheel (64) turned up (button 0) or down (1); sideways, the extra
  // buttons (128), motion (32) and a press of no button only move it.
  if ((code & (32 | 64 | 128)) == 64 && button < 2 && !released) {
    input.mouse.Action = kMouseWheeled;
    input.mouse.Wheel = static_cast<int16_t>(button == 0 ? 1 : -1);
  } else if ((code & (32 | 64 | 128)) != 0 || (!released && button == 3)) {
    input.mouse.Action = kMouseMoved;
  } else if (released) {
    // X10 reports tell a release by button 3, not which button it was.
    buttons_ = button == 3 ? 0 : static_cast<uint16_t>(buttons_ & ~ButtonBit(button));
    input.mouse.Action = kMouseReleased;
  } else {
    buttons_ = static_cast<uint16_t>(buttons_ | ButtonBit(button));
    input.mouse.Action = kMousePressed;
  }
  input.mouse.Buttons = buttons_;
  events.push_back(input);
}

}  // namespace hopdir
