// Mouse polling for the menu owners: one console mouse event at a time,
// whether it was a button press, and its 1-based cell. The owner copies that
// cell into MouseCol and MouseRow and hit-tests its own objects.
#ifndef HOPDIR_UI_MOUSE_H_
#define HOPDIR_UI_MOUSE_H_

#include <cstdint>

#include "platform/console.h"

namespace hopdir {

// The last event PollMouse took (buttons, 0-based column and row, action).
extern MouseEventRecord MouseEvent;
// The last PollMouse took an event in which a button went down.
extern bool MouseClicked;
// ... and that press was the second of a double click: the same button on
// the same cell as the press before it, within the console's double-click
// time.
extern bool MouseDoubleClicked;

// Mouse input on; the console keeps the mode it found at start, so a second
// call changes nothing.
void StartMouse();
// Back to the console mode found at start; safe when StartMouse never ran.
void StopMouse();

// Takes at most one waiting mouse event, never waits. Without an event,
// MouseClicked becomes false and MouseEvent keeps the last one. Keys stay
// in the input.
void PollMouse();

// The cell of MouseEvent, 1-based.
int16_t MouseEventCol();
int16_t MouseEventRow();
// The notches of the wheel turn MouseEvent was, positive away from the
// user; 0 when it was no wheel turn.
int MouseWheelTurn();

}  // namespace hopdir

#endif  // HOPDIR_UI_MOUSE_H_
