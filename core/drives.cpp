#include "core/drives.h"

#include "platform/platform.h"

namespace hopdir {
namespace {

bool DriveHasFreeSpace(const DrivePlace& place) { return Os().files.FreeBytes(place.Root) > 0; }

int StepDrive(const std::vector<DrivePlace>& places, int from, int step) {
  const int count = static_cast<int>(places.size());
  int candidate = from >= 0 ? from + step : (step > 0 ? 0 : count - 1);
  for (; candidate >= 0 && candidate < count; candidate += step) {
    if (DriveHasFreeSpace(places[static_cast<size_t>(candidate)])) return candidate;
  }
  return from;
}

}  // namespace

int NextDrive(const std::vector<DrivePlace>& places, int from) {
  return StepDrive(places, from, +1);
}

int PreviousDrive(const std::vector<DrivePlace>& places, int from) {
  return StepDrive(places, from, -1);
}

}  // namespace hopdir
