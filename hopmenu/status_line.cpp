#include "hopmenu/status_line.h"

#include <string_view>

#include "platform/platform.h"
#include "ui/screen_probe.h"
#include "ui/screen_write.h"

namespace hopdir {
namespace {

constexpr std::string_view kCaption = "Current destination: ";
constexpr std::string_view kEllipsis = "...";
constexpr uint8_t kCaptionColor = 15;
constexpr uint8_t kDestinationColor = 2;

// The part of `destination` that fits in `room` columns, keeping its end:
// the directory the user is in matters more than the drive it is on.
Str255 Shortened(const Str255& destination, int room) {
  if (destination.Length() <= room) return destination;
  if (room <= static_cast<int>(kEllipsis.size())) {
    return destination.Sub(destination.Length() - room);
  }
  int tail = room - static_cast<int>(kEllipsis.size());
  return kEllipsis + destination.Sub(destination.Length() - tail);
}

}  // namespace

void WriteStatusLine(const Str255& destination) {
  const int width = ScreenCols;
  const int row = ScreenRows;
  // The row holds width - 1 characters, so the last column, whose writing
  // would wrap and scroll the page, is never touched.
  const int line_length = width - 1;
  const int caption = static_cast<int>(kCaption.size());
  Console& console = Os().console;
  MoveTo(1, row);
  console.SetTextColor(kCaptionColor);
  if (line_length <= caption) {
    PutText(kCaption.substr(0, line_length < 0 ? 0 : static_cast<size_t>(line_length)));
  } else {
    PutText(kCaption);
    Str255 shown = Shortened(destination, line_length - caption - 1);
    console.SetTextColor(kDestinationColor);
    PutText(shown.View());
    console.SetTextColor(kCaptionColor);
    PutSpaces(line_length - caption - shown.Length());
  }
  MoveTo(width - 1, row);
}

}  // namespace hopdir
