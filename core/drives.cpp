#include "core/drives.h"

#include <cstdint>

#include "platform/platform.h"

namespace hopdir {
namespace {

// Present for a letter A..Z only; any other character has no drive.
bool LetterHasFreeSpace(char letter) {
  return letter >= 'A' && letter <= 'Z' && DriveHasFreeSpace(letter - 'A' + 1);
}

// Steps from `letter` towards `last` (one letter at a time, by `step`) until
// a present drive or `last` is reached. A character outside A..Z is first
// clamped into the range, so the search always ends.
char StepDrive(char letter, char last, int step) {
  char candidate = UpCaseChar(letter);
  if (candidate < 'A') candidate = step > 0 ? static_cast<char>('A' - 1) : 'A';
  if (candidate > 'Z') candidate = step < 0 ? static_cast<char>('Z' + 1) : 'Z';
  bool present = false;
  do {
    if (candidate != last) candidate = static_cast<char>(candidate + step);
    present = LetterHasFreeSpace(candidate);
  } while (!present && candidate != last);
  return present ? candidate : letter;
}

}  // namespace

bool DriveHasFreeSpace(int drive) {
  int64_t free_bytes = Os().files.DriveFreeBytes(drive);
  return free_bytes > 0;
}

char NextDrive(char letter) { return StepDrive(letter, 'Z', +1); }

char PreviousDrive(char letter) { return StepDrive(letter, 'A', -1); }

Str255 AvailableDrives() {
  Str255 letters;
  for (int drive = 1; drive <= 26; ++drive) {
    if (DriveHasFreeSpace(drive)) letters.Append(static_cast<char>('A' + drive - 1));
  }
  return letters;
}

}  // namespace hopdir
