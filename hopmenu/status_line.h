// The bottom row of hopmenu's page: the destination the user would be
// taken to now.
#ifndef HOPDIR_HOPMENU_STATUS_LINE_H_
#define HOPDIR_HOPMENU_STATUS_LINE_H_

#include "platform/short_string.h"

namespace hopdir {

// Writes "Current destination: " in white, `destination` in green and
// blanks in white on row ScreenRows, W - 1 characters in all, then parks the
// cursor at column W - 1 of that row. A destination too long for the row
// shows the ellipsis mark and its end, so the row never reaches the last
// column and the page never scrolls.
void WriteStatusLine(const Str255& destination);

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_STATUS_LINE_H_
