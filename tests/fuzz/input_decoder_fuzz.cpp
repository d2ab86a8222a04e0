// Any bytes from a terminal, split at any points, with the wait expiring
// between some reads: the decoder never crashes, holds no more than a
// sequence's worth, gives no more events than the bytes it was fed, and
// still reads a press that follows three CANs as the press it is.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/posix/input_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  hopdir::InputDecoder decoder;
  std::vector<hopdir::TerminalInput> events;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  size_t fed = 0;
  // The first byte of each chunk says how long the chunk is and whether the
  // wait for more input runs out after it.
  while (!bytes.empty()) {
    const auto control = static_cast<unsigned char>(bytes[0]);
    bytes.remove_prefix(1);
    const size_t length = std::min<size_t>(control & 0x3F, bytes.size());
    decoder.Feed(bytes.substr(0, length), events);
    fed += length;
    bytes.remove_prefix(length);
    if ((control & 0x40) != 0) decoder.Expire(events);
    // A key is one byte or two (an extended key); a mouse report at least
    // four bytes: never more events than bytes.
    if (events.size() > fed) std::abort();
    for (const hopdir::TerminalInput& event : events) {
      if (event.kind != hopdir::TerminalInput::kMouse) continue;
      const uint16_t action = event.mouse.Action;
      if (action != hopdir::kMousePressed && action != hopdir::kMouseReleased &&
          action != hopdir::kMouseMoved && action != hopdir::kMouseWheeled) {
        std::abort();
      }
      // A wheel turn is one notch either way; nothing else turns it.
      const int wheel = event.mouse.Wheel;
      if ((action == hopdir::kMouseWheeled) != (wheel == 1 || wheel == -1)) std::abort();
    }
  }
  // Whatever came before, three CANs (Ctrl+X) end any sequence in flight,
  // an X10 report's three bytes included, without waiting for the time out.
  hopdir::InputDecoder resync = decoder;
  events.clear();
  resync.Feed("\x18\x18\x18\x1b[<0;7;3M", events);
  if (events.empty() || events.back().kind != hopdir::TerminalInput::kMouse) std::abort();
  const hopdir::MouseEventRecord& press = events.back().mouse;
  if (press.Action != hopdir::kMousePressed || (press.Buttons & 1) == 0 || press.Col != 6 ||
      press.Row != 2 || resync.Holding()) {
    std::abort();
  }
  decoder.Expire(events);
  if (decoder.Holding()) std::abort();
  return 0;
}
