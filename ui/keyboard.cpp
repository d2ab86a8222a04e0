#include "ui/keyboard.h"

#include "platform/platform.h"

namespace hopdir {

KeyStroke ReadKeyStroke() {
  Console& console = Os().console;
  KeyStroke key;
  key.Code = console.ReadKey();
  if (key.Code == '\0') {
    key.Extended = true;
    key.Code = console.ReadKey();
  }
  return key;
}

bool IsTypedCharacter(const KeyStroke& key) {
  const auto byte = static_cast<unsigned char>(key.Code);
  return !key.Extended && byte >= 0x20 && byte != 0x7F;
}

}  // namespace hopdir
