// Keys as the console reads them: a plain key is its byte, an extended key
// a 0 followed by its code, the codes being those DOS gave the keys.
#ifndef HOPDIR_UI_KEYBOARD_H_
#define HOPDIR_UI_KEYBOARD_H_

namespace hopdir {

struct KeyStroke {
  bool Extended = false;  // a key without a character: Code is its key code
  char Code = 0;          // the character, or the extended key's code
};

// Plain keys.
inline constexpr char kKeyCtrlD = '\x04';
inline constexpr char kKeyBackspace = '\b';
inline constexpr char kKeyTab = '\t';
inline constexpr char kKeyLineFeed = '\n';  // Ctrl+Enter, Ctrl+J
inline constexpr char kKeyEnter = '\r';
inline constexpr char kKeyCtrlU = '\x15';
inline constexpr char kKeyEsc = '\x1b';

// Extended keys.
inline constexpr char kKeyShiftTab = 15;
inline constexpr char kKeyF1 = 59;
inline constexpr char kKeyF2 = 60;
inline constexpr char kKeyF3 = 61;
inline constexpr char kKeyF4 = 62;
inline constexpr char kKeyF5 = 63;
inline constexpr char kKeyF10 = 68;
inline constexpr char kKeyHome = 71;
inline constexpr char kKeyUp = 72;
inline constexpr char kKeyPageUp = 73;
inline constexpr char kKeyLeft = 75;
inline constexpr char kKeyRight = 77;
inline constexpr char kKeyEnd = 79;
inline constexpr char kKeyDown = 80;
inline constexpr char kKeyPageDown = 81;

// Reads one key, both bytes of an extended one; blocks until one comes.
KeyStroke ReadKeyStroke();

// A character that goes into text the user types: not a control key.
bool IsTypedCharacter(const KeyStroke& key);

}  // namespace hopdir

#endif  // HOPDIR_UI_KEYBOARD_H_
