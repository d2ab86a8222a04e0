// Cursor moves and checked console writes shared by the menu objects. Every
// write is checked: a console that fails ends the program as an I/O error.
#ifndef HOPDIR_UI_SCREEN_WRITE_H_
#define HOPDIR_UI_SCREEN_WRITE_H_

#include <string_view>

namespace hopdir {

// Positions are passed to the console as 8-bit values (taken modulo 256).
void MoveTo(int col, int row);
// Names and captions, in the code page of the file APIs.
void PutText(std::string_view text);
// Code page 437 frame, block and arrow characters.
void PutGraphic(std::string_view bytes);
void PutGraphic(char byte, int count = 1);
// `count` blanks; nothing when count is 0 or less.
void PutSpaces(int count);

}  // namespace hopdir

#endif  // HOPDIR_UI_SCREEN_WRITE_H_
