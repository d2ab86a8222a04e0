#include "hopmenu/page_size.h"

#include <string>

#include "hopmenu/main_menu_page.h"
#include "platform/platform.h"
#include "ui/screen_probe.h"
#include "ui/screen_write.h"
#include "ui/text_fit.h"

namespace hopdir {
namespace {

// A one-line framed box: four columns wider than its caption.
int ButtonCols(std::string_view caption) { return Os().console.TextCells(caption) + 4; }

constexpr int kListEntryRows = 4;
constexpr int kRowsBesideEntries = 6;

}  // namespace

int PageMinimumCols() {
  const PathRules& rules = Os().paths;
  const int top = ButtonCols(rules.PreviousDriveCaption()) + ButtonCols(rules.NextDriveCaption()) +
                  ButtonCols(rules.RootCaption());
  const int bottom = ButtonCols("DONE") + ButtonCols("ABORT") + ButtonCols(ViewLegend(kHotView));
  int cols = 1;
  while (cols / 3 < top || cols - cols / 3 < bottom) ++cols;
  return cols;
}

int PageMinimumRows() { return kRowsBesideEntries + kListEntryRows; }

bool PageFits() { return ScreenCols >= PageMinimumCols() && ScreenRows >= PageMinimumRows(); }

void WriteTooSmall() {
  Console& console = Os().console;
  console.ClearScreen();
  const std::string line = "Too small: needs " + std::to_string(PageMinimumCols()) + " x " +
                           std::to_string(PageMinimumRows());
  // The last column stays clear: writing there could scroll the window.
  const Str255 shown = FitToCells(line, ScreenCols - 1, CutStyle::kMarkEnd);
  const int col = (ScreenCols - console.TextCells(shown.View())) / 2 + 1;
  MoveTo(col, (ScreenRows + 1) / 2);
  PutText(shown.View());
}

}  // namespace hopdir
