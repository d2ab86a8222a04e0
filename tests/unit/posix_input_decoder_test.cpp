#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/posix/input_decoder.h"

namespace hopdir {
namespace {

// Keys as the program reads them ("x" for a key, "0:72" for an extended
// one) and mouse events as "press 1 4,2".
std::string Describe(const std::vector<TerminalInput>& events) {
  std::string text;
  for (const TerminalInput& input : events) {
    if (!text.empty()) text += ' ';
    switch (input.kind) {
      case TerminalInput::kKey:
        text += std::to_string(static_cast<unsigned char>(input.key));
        break;
      case TerminalInput::kExtendedKey:
        text += "0:" + std::to_string(static_cast<unsigned char>(input.key));
        break;
      case TerminalInput::kMouse: {
        const MouseEventRecord& m = input.mouse;
        const char* action = m.Action == kMousePressed    ? "press"
                             : m.Action == kMouseReleased ? "release"
                                                          : "move";
        text += std::string(action) + " " + std::to_string(m.Buttons) + " " +
                std::to_string(m.Col) + "," + std::to_string(m.Row);
        break;
      }
    }
  }
  return text;
}

std::string Decode(const std::string& bytes) {
  InputDecoder decoder;
  std::vector<TerminalInput> events;
  decoder.Feed(bytes, events);
  decoder.Expire(events);
  return Describe(events);
}

TEST(InputDecoderTest, KeysAndTheSequencesOfCursorAndFunctionKeys) {
  const struct {
    std::string bytes;
    const char* keys;
  } cases[] = {
      {"a\r\x7f\x08", "97 13 8 8"},
      {"\xC3\xA9", "195 169"},  // UTF-8 passes through as bytes
      {"\x1b[A\x1b[B\x1b[C\x1b[D\x1b[H\x1b[F", "0:72 0:80 0:77 0:75 0:71 0:79"},
      {"\x1b[1;5A\x1bOB\x1bOH", "0:72 0:80 0:71"},  // modifiers ignored; SS3 too
      {"\x1b[1~\x1b[2~\x1b[3~\x1b[4~\x1b[5~\x1b[6~", "0:71 0:82 0:83 0:79 0:73 0:81"},
      {"\x1bOP\x1bOS\x1b[15~\x1b[17~\x1b[21~\x1b[24~", "0:59 0:62 0:63 0:64 0:68 0:134"},
      {"\x1b[[A\x1b[[E", "0:59 0:63"},          // the Linux console's F1 and F5
      {"\x1b[?25h\x1b[99~\x1b[2$~\x1bOz", ""},  // unknown sequences go whole
      {"\x1bx\x1b\x1b[A", "27 120 27 0:72"},    // Alt+x, Esc before a key
      {"\x1b[1\x03", "3"},                      // a control cancels the sequence
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.bytes), c.keys) << c.bytes;
}

TEST(InputDecoderTest, MouseReportsInSgrAndX10Form) {
  const struct {
    std::string bytes;
    const char* events;
  } cases[] = {
      {"\x1b[<0;5;3M\x1b[<0;5;3m", "press 1 4,2 release 0 4,2"},
      {"\x1b[<2;1;1M\x1b[<1;1;1M\x1b[<2;1;1m", "press 2 0,0 press 6 0,0 release 4 0,0"},
      {"\x1b[<32;7;7M\x1b[<64;7;7M\x1b[<3;7;7M", "move 0 6,6 move 0 6,6 move 0 6,6"},
      {"\x1b[<0;65535;0M\x1b[<0;65536;1m", "press 1 65534,0 release 0 65534,0"},
      {"\x1b[<0;5M\x1b[<0;1;2;3M\x1b[0;5;3M", ""},  // two or four numbers, no '<'
      {"\x1b[M !!\x1b[M#!!", "press 1 0,0 release 0 0,0"},
      {"\x1b[M\"\xff\x80", "press 2 222,95"},
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.bytes), c.events) << c.bytes;
}

TEST(InputDecoderTest, SplitSequencesAreHeldAndAnUnfinishedOneExpires) {
  const std::string report = "\x1b[<0;12;4M\x1bOA";
  InputDecoder decoder;
  std::vector<TerminalInput> events;
  for (char byte : report) decoder.Feed(std::string(1, byte), events);
  EXPECT_EQ(Describe(events), "press 1 11,3 0:72");
  EXPECT_FALSE(decoder.Holding());

  events.clear();
  decoder.Feed("\x1b", events);
  EXPECT_TRUE(decoder.Holding());
  decoder.Expire(events);
  decoder.Feed("\x1b[<0;1", events);
  decoder.Expire(events);
  decoder.Feed(";1M", events);
  EXPECT_EQ(Describe(events), "27 59 49 77");
}

TEST(InputDecoderTest, ASequenceLongerThanThirtyTwoBytesIsDroppedWhole) {
  const std::string digits(31, '0');
  EXPECT_EQ(Decode("\x1b[" + digits + "1A"), "0:72");
  EXPECT_EQ(Decode("\x1b[" + digits + "01Az"), "122");
}

TEST(InputDecoderTest, AnyBytesDecodeToNoMoreEventsThanBytes) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string noise;
  for (int i = 0; i < 200000; ++i) {
    // Escape and sequence bytes often, so that sequences start and break.
    const int pick = byte(random);
    noise += static_cast<char>(pick < 40 ? 0x1B : pick < 80 ? "[<;0123M~m"[pick % 10] : pick);
  }
  InputDecoder decoder;
  std::vector<TerminalInput> events;
  decoder.Feed(noise, events);
  decoder.Expire(events);
  EXPECT_LE(events.size(), noise.size());
  EXPECT_FALSE(decoder.Holding());
}

}  // namespace
}  // namespace hopdir
