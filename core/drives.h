// Drive stepping for the menu's drive buttons. A drive counts as present
// when the free-space query of its root succeeds with more than 0 bytes, so
// full drives and drives without a medium are skipped.
#ifndef HOPDIR_CORE_DRIVES_H_
#define HOPDIR_CORE_DRIVES_H_

#include "platform/short_string.h"

namespace hopdir {

// Drive number 1 (A) .. 26 (Z).
bool DriveHasFreeSpace(int drive);
// The next present drive after `letter` (no wrap-around), or `letter`
// itself, unchanged, when there is none.
char NextDrive(char letter);
// The mirror image of NextDrive.
char PreviousDrive(char letter);
// The letters of the present drives, ascending.
Str255 AvailableDrives();

}  // namespace hopdir

#endif  // HOPDIR_CORE_DRIVES_H_
