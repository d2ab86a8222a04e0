#include "ui/screen_probe.h"

#include "platform/platform.h"

namespace hopdir {

int16_t ScreenCols = 80;
int16_t ScreenRows = 25;

namespace {

// Shared between the two routines below: ProbeExtent reads both and leaves
// ProbePos at the first position that failed.
int16_t ProbePos = 0;
int16_t ProbeStep = 0;

// Positions go to the cursor move as 8-bit values, so past 255 the try wraps
// to a small position that never equals ProbePos and the walk ends at 255.
int16_t ProbeExtent(bool horizontal) {
  Console& console = Os().console;
  for (;;) {
    auto pos = static_cast<uint8_t>(ProbePos);
    int reached;
    if (horizontal) {
      console.GotoXY(pos, 1);
      reached = console.WhereX();
    } else {
      console.GotoXY(1, pos);
      reached = console.WhereY();
    }
    if (reached != ProbePos) return static_cast<int16_t>(ProbePos - ProbeStep);
    ProbePos = static_cast<int16_t>(ProbePos + ProbeStep);
  }
}

// One axis, coarse then fine. A window smaller than 10 cells on this axis
// lets the coarse phase reach nothing; the fine phase then walks from 1, so
// a 7-column window measures 7 rather than -1.
int16_t MeasureAxis(bool horizontal) {
  ProbePos = 10;
  ProbeStep = 10;
  ProbePos = ProbeExtent(horizontal);
  if (ProbePos < 1) ProbePos = 1;
  ProbeStep = 1;
  int16_t extent = ProbeExtent(horizontal);
  // A console that refuses even the first cell still has one to draw in.
  return extent < 1 ? int16_t{1} : extent;
}

}  // namespace

void StartScreenProbe() {
  ScreenCols = 80;
  ScreenRows = 25;
}

void ProbeScreenSize() {
  ScreenCols = MeasureAxis(true);
  ScreenRows = MeasureAxis(false);
}

}  // namespace hopdir
