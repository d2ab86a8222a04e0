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

// The part of `destination` that fits in `room` cells, keeping its end:
// the directory the user is in matters more than the drive it is on. The
// cut never falls inside a character; a wide one that would straddle it
// goes, leaving a cell blank.
Str255 Shortened(const Str255& destination, int room) {
  Console& console = Os().console;
  const int cells = console.TextCells(destination.View());
  if (cells <= room) return destination;
  const int ellipsis = static_cast<int>(kEllipsis.size());
  const int kept = room <= ellipsis ? room : room - ellipsis;
  const int dropped = cells - kept;
  size_t cut = console.FitCells(destination.View(), dropped);
  if (console.TextCells(destination.View().substr(0, cut)) < dropped) {
    cut = console.FitCells(destination.View(), dropped + 1);
  }
  const Str255 tail = destination.Sub(static_cast<int>(cut));
  return room <= ellipsis ? tail : kEllipsis + tail;
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
    PutSpaces(line_length - caption - console.TextCells(shown.View()));
  }
  MoveTo(width - 1, row);
}

}  // namespace hopdir
