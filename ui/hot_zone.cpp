#include "ui/hot_zone.h"

namespace hopdir {

int16_t MouseCol = 0;
int16_t MouseRow = 0;

void HotZoneObj::Init(int16_t left, int16_t right, int16_t top, int16_t bottom) {
  Assign(left, right, top, bottom);
}

void HotZoneObj::Assign(int16_t left, int16_t right, int16_t top, int16_t bottom) {
  X1 = left;
  X2 = right;
  Y1 = top;
  Y2 = bottom;
}

bool HotZoneObj::Contains() {
  if (MouseCol < X1 || MouseCol > X2 || MouseRow < Y1 || MouseRow > Y2) return false;
  HitX = static_cast<int16_t>(MouseCol - X1 + 1);
  HitY = static_cast<int16_t>(MouseRow - Y1 + 1);
  return true;
}

}  // namespace hopdir
