// hopmenu's interactive page: the user walks from StartDirectory to a
// destination with the mouse alone; the menu reads no keys.
#ifndef HOPDIR_HOPMENU_MAIN_MENU_H_
#define HOPDIR_HOPMENU_MAIN_MENU_H_

namespace hopdir {

// Measures the screen, starts the mouse and runs the page until DONE, ABORT
// or a press on a recent directory in the hot view. Sets Destination (its
// trailing backslash removed except at a drive root) and UserAborted, and
// leaves the screen cleared in white on black.
void RunMainMenu();

// Destination one level up: D:\WORK\SUB\ becomes D:\WORK, D:\WORK\ becomes
// D: (the caller adds the backslash back).
void GoToParent();

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_MAIN_MENU_H_
