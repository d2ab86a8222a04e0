#include "hopmenu/status_line.h"

#include <string_view>

#include "platform/platform.h"
#include "ui/screen_probe.h"
#include "ui/screen_write.h"
#include "ui/text_fit.h"

namespace hopdir {
namespace {

constexpr std::string_view kCaption = "Current destination: ";
constexpr uint8_t kCaptionColor = 15;
constexpr uint8_t kDestinationColor = 2;

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
    // The directory the user is in matters more than the drive it is on.
    const Str255 shown =
        FitToCells(destination.View(), line_length - caption - 1, CutStyle::kKeepEnd);
    console.SetTextColor(kDestinationColor);
    PutText(shown.View());
    console.SetTextColor(kCaptionColor);
    PutSpaces(line_length - caption - console.TextCells(shown.View()));
  }
  MoveTo(width - 1, row);
}

}  // namespace hopdir
