// The console's usable size, measured by placing the cursor: a move outside
// the window is ignored, so the last position really reached is the extent.
#ifndef HOPDIR_UI_SCREEN_PROBE_H_
#define HOPDIR_UI_SCREEN_PROBE_H_

#include <cstdint>

namespace hopdir {

// Usable width and height; 80 x 25 until ProbeScreenSize has run.
extern int16_t ScreenCols;
extern int16_t ScreenRows;

// Sets the start-up values 80 and 25.
void StartScreenProbe();

// Measures the width, then the height, each coarse (steps of 10 from 10)
// then fine (steps of 1). Leaves the cursor in column 1 of row ScreenRows.
void ProbeScreenSize();

}  // namespace hopdir

#endif  // HOPDIR_UI_SCREEN_PROBE_H_
