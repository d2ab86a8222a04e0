// Drive stepping for the menu's drive buttons, through the places the
// platform lists (drives on Windows, mount points elsewhere). A place
// counts as present when the free-space query of its root succeeds with
// more than 0 bytes, so full drives and drives without a medium are
// skipped.
#ifndef HOPDIR_CORE_DRIVES_H_
#define HOPDIR_CORE_DRIVES_H_

#include <vector>

#include "platform/file_system.h"

namespace hopdir {

// The position in `places` of the next present place after `from` (no
// wrap-around), or `from` itself when there is none. From -1, a path on no
// place, the search starts at the first place.
int NextDrive(const std::vector<DrivePlace>& places, int from);
// The mirror image of NextDrive; from -1 the search starts at the last place.
int PreviousDrive(const std::vector<DrivePlace>& places, int from);

}  // namespace hopdir

#endif  // HOPDIR_CORE_DRIVES_H_
