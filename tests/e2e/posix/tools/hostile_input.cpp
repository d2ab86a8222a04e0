// hostile_input SEED SIZE COLS ROWS: writes SIZE bytes of hostile terminal
// input to standard output: random bytes with NULs and control characters,
// escape sequences cut short or with huge parameters, SGR and X10 mouse
// reports with absurd coordinates, long sequences, broken UTF-8. Three
// kinds of bytes never occur: the ones the terminal turns into signals in
// the page's raw mode (Ctrl+C, Ctrl+Z, Ctrl+\), any mouse report of a
// press on the COLS x ROWS page, and any key that moves or ends the page
// (Enter, Backspace, Esc, Ctrl+D, the arrows to the sides, the function
// keys), however the waits for the rest of a sequence expire. Reports of
// motion, wheel turns and releases on the page do occur, and so do keys
// that type into the page's filter or move its highlight. The page must
// come through all of it where it was.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kEsc = '\x1b';

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::string Take(size_t size) {
    std::string bytes;
    while (bytes.size() < size) bytes += Piece();
    bytes.resize(size);
    return bytes;
  }

 private:
  int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }
  bool OneIn(int n) { return Below(n) == 0; }

  char AnyByte() { return static_cast<char>(Below(256)); }

  // A number as a terminal might send it, or far larger.
  std::string Number() {
    switch (Below(4)) {
      case 0:
        return std::to_string(Below(100));
      case 1:
        return std::to_string(Below(100000));
      case 2:
        return std::string(1 + static_cast<size_t>(Below(40)), static_cast<char>('0' + Below(10)));
      default:
        return "";
    }
  }

  // A coordinate beyond the page.
  std::string Far() {
    switch (Below(3)) {
      case 0:
        return std::to_string(200 + Below(65536));
      case 1:
        return "99999999999999999999";
      default:
        return std::to_string(65535 + Below(1000));
    }
  }

  std::string Piece() {
    std::string piece;
    switch (Below(13)) {
      case 0:  // random bytes
        for (int i = Below(16); i >= 0; --i) piece += AnyByte();
        return piece;
      case 1:  // NULs and other control characters
        for (int i = Below(8); i >= 0; --i) piece += OneIn(3) ? '\0' : static_cast<char>(Below(32));
        return piece;
      case 2:  // a CSI sequence with any parameters and final byte
        piece = std::string("\x1b[") + (OneIn(3) ? "?" : "") + Number();
        for (int i = Below(6); i > 0; --i) {
          piece += OneIn(4) ? ':' : ';';
          piece += Number();
        }
        piece += static_cast<char>(0x40 + Below(0x3F));
        return piece;
      case 3:  // an SGR mouse report beyond the page, or cut short
        piece = "\x1b[<" + Number() + ";" + Far() + ";" + Number();
        if (OneIn(2)) piece = "\x1b[<" + Number() + ";" + Number() + ";" + Far();
        if (!OneIn(3)) piece += OneIn(2) ? "M" : "m";
        return piece;
      case 4:  // an X10 mouse report beyond the page, or cut short
        piece = "\x1b[M";
        piece += AnyByte();
        piece += static_cast<char>(0x20 + 81 + Below(0x100 - 0x20 - 81));
        piece += AnyByte();
        if (OneIn(2)) std::swap(piece[4], piece[5]);
        if (OneIn(3)) piece.resize(3 + static_cast<size_t>(Below(3)));
        return piece;
      case 12:  // motion, a wheel turn or a release on the page, SGR or X10
        if (OneIn(2)) {
          return "\x1b[<" + std::to_string(32 + 64 * Below(2) + Below(4)) + ";" +
                 std::to_string(Below(81)) + ";" + std::to_string(Below(26)) +
                 (OneIn(2) ? "M" : "m");
        }
        piece = "\x1b[M";
        piece += static_cast<char>(32 + (OneIn(2) ? 3 : 32 + Below(4)));
        piece += static_cast<char>(33 + Below(80));
        piece += static_cast<char>(33 + Below(25));
        return piece;
      case 5:  // a sequence cut short anywhere
        piece = "\x1b[<" + Number() + ";" + Number() + ";" + Number() + "M";
        piece.resize(1 + static_cast<size_t>(Below(static_cast<int>(piece.size()) - 1)));
        return piece;
      case 6:  // longer than any sequence
        piece = "\x1b[";
        for (int i = 40 + Below(200); i > 0; --i) piece += static_cast<char>('0' + Below(10));
        return piece + (OneIn(2) ? "~" : "");
      case 7:  // SS3, the Linux console's function keys, Esc before anything
        piece = std::string("\x1b") + (OneIn(2) ? "O" : OneIn(2) ? "[[" : "");
        piece += AnyByte();
        return piece;
      case 8:  // strings some terminals send: title reports, pastes
        if (OneIn(2)) return "\x1b]0;title\a\x1bP1$r0m\x1b\\";
        piece = "\x1b[200~pasted ";
        piece += AnyByte();
        return piece + "\x1b[201~";
      case 9:  // UTF-8, whole and broken
        return OneIn(2) ? "\xc3\xa9\xe6\x97\xa5\xf0\x9f\x98\x80" : "\xc3\xe6\x97\x80\xbf\xff\xfe";
      case 10:  // lone and repeated Esc
        return std::string(1 + static_cast<size_t>(Below(3)), kEsc);
      default:  // printable text
        for (int i = Below(20); i >= 0; --i) piece += static_cast<char>(0x20 + Below(0x5F));
        return piece;
    }
  }

  std::mt19937 random_;
};

// A mouse report's button code says a button went down: no motion (32),
// wheel (64) or extra button (128) bit, and not the X10 release (3).
bool IsPressCode(long code) { return (code & (32 | 64 | 128)) == 0 && (code & 3) != 3; }

// Whether the bytes from `start` (an Esc) are, by xterm's mouse protocol, a
// press on the COLS x ROWS page: SGR "Esc [ < code ; col ; row M", or X10
// "Esc [ M" and three bytes of 32 plus code, column and row. This is
// decided from the protocol, not by the decoder under test, and leans to
// yes: a column or row below 1 counts as on the page, a code byte below 32
// as a press, and any count of fields from three on as a report. A press can begin only at an Esc,
// and a wait that expires only drops what was held, so checking every Esc covers every way the
// bytes may arrive.
bool PressesThePage(std::string_view bytes, size_t start, long cols, long rows) {
  const std::string_view rest = bytes.substr(start);
  if (rest.substr(0, 3) == "\x1b[M") {
    if (rest.size() < 6) return false;
    const auto field = [&](size_t i) {
      return static_cast<long>(static_cast<unsigned char>(rest[i])) - 32;
    };
    return (field(3) < 0 || IsPressCode(field(3))) && field(4) <= cols && field(5) <= rows;
  }
  if (rest.substr(0, 3) != "\x1b[<") return false;
  std::vector<long> fields(1, 0);
  for (size_t i = 3; i < rest.size(); ++i) {
    const char byte = rest[i];
    if (byte >= '0' && byte <= '9') {
      fields.back() = std::min(fields.back() * 10 + (byte - '0'), 65535L);
    } else if (byte == ';' || byte == ':') {
      fields.push_back(0);
    } else {
      return byte == 'M' && fields.size() >= 3 && IsPressCode(fields[0]) && fields[1] <= cols &&
             fields[2] <= rows;
    }
  }
  return false;
}

// The test pastes the bytes in pieces of this size, with pauses between
// them in which the wait for the rest of a sequence may expire.
constexpr size_t kPasteSize = 4096;

// Keys of the page that change the page, rather than its filter or
// highlight: decided from the protocol and leaning to yes, as for presses.
bool MovesThePage(char byte) {
  switch (byte) {
    case '\r':
    case '\n':
    case '\b':
    case '\x7f':
    case '\x04':  // Ctrl+D
      return true;
    default:
      return false;
  }
}

// Whether the Esc at `start` reads as a key that moves or ends the page:
// the Esc key itself (anything but '[' or 'O' after it, or a pause), the
// keys to the sides and the function keys.
bool EscMovesThePage(std::string_view bytes, size_t start) {
  if (start + 1 >= bytes.size() || (start + 1) % kPasteSize == 0) return true;
  const char kind = bytes[start + 1];
  if (kind == 'O') {
    return start + 2 < bytes.size() &&
           std::string_view("CDPQRS").find(bytes[start + 2]) != std::string_view::npos;
  }
  if (kind != '[') return true;
  // The Linux console's function keys, Esc [ [ letter.
  if (start + 2 < bytes.size() && bytes[start + 2] == '[') return true;
  for (size_t i = start + 2; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x40 && byte <= 0x7E)
      return std::string_view("CDPQRS~").find(bytes[i]) != std::string_view::npos;
    if (byte < 0x20 || byte > 0x3F) return false;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: hostile_input SEED SIZE COLS ROWS\n");
    return 2;
  }
  const auto seed = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
  const auto size = static_cast<size_t>(std::strtoul(argv[2], nullptr, 10));
  const long cols = std::atol(argv[3]);
  const long rows = std::atol(argv[4]);
  std::string bytes = Generator(seed).Take(size);
  // The bytes that raise signals in raw mode (Ctrl+C, Ctrl+Z, Ctrl+\),
  // and the keys that move the page, become NULs (Ctrl+@, which does
  // nothing).
  for (char& byte : bytes) {
    if (byte == '\x03' || byte == '\x1a' || byte == '\x1c' || MovesThePage(byte)) byte = '\0';
  }
  // An Esc that starts a press on the page, or a key that moves it,
  // becomes a plain x, until none is left.
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == kEsc && (PressesThePage(bytes, i, cols, rows) || EscMovesThePage(bytes, i))) {
        bytes[i] = 'x';
        changed = true;
      }
    }
  }
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return 0;
}
