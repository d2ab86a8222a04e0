// Hit testing: the mouse position the owner copied from its last event, and
// rectangles of screen cells tested against it.
#ifndef HOPDIR_UI_HOT_ZONE_H_
#define HOPDIR_UI_HOT_ZONE_H_

#include <cstdint>

namespace hopdir {

// 1-based cell of the press being tested; set by the owner, never by the
// toolkit.
extern int16_t MouseCol;
extern int16_t MouseRow;

// A rectangle of cells, inclusive on all four sides.
class HotZoneObj {
 public:
  int16_t X1 = 0;    // left column
  int16_t Y1 = 0;    // top row
  int16_t X2 = 0;    // right column
  int16_t Y2 = 0;    // bottom row
  int16_t HitX = 0;  // column of the last hit, 1 at X1
  int16_t HitY = 0;  // row of the last hit, 1 at Y1

  // Arguments are left, right, top, bottom; HitX and HitY are kept.
  void Init(int16_t left, int16_t right, int16_t top, int16_t bottom);
  void Assign(int16_t left, int16_t right, int16_t top, int16_t bottom);
  // True when (MouseCol, MouseRow) lies in the zone; then also records the
  // hit relative to the zone. A miss leaves HitX and HitY alone.
  bool Contains();
};

}  // namespace hopdir

#endif  // HOPDIR_UI_HOT_ZONE_H_
