#include "ui/scroll_list.h"

#include <algorithm>

#include "platform/platform.h"
#include "ui/menu_base.h"
#include "ui/screen_write.h"

namespace hopdir {

void ScrollListObj::Init(int16_t x, int16_t y, int16_t x2, int16_t y2) {
  UpChar = '\x18';
  DownChar = '\x19';
  FrameBoxObj::Init(x, y, Str255());
  ArrowColor = DefaultArrowColor;
  X2 = x2;
  Y2 = y2;
  PageSize = Y2 - Y - 1;
  Layout();
  UpX = static_cast<int16_t>(X2 - 2);
  DownX = UpX;
  UpY = static_cast<int16_t>(Y + 1);
  DownY = static_cast<int16_t>(Y2 - 2);
  UpZone.Init(UpX, static_cast<int16_t>(UpX + 1), UpY, static_cast<int16_t>(UpY + 1));
  DownZone.Init(DownX, static_cast<int16_t>(DownX + 1), DownY, static_cast<int16_t>(DownY + 1));
  Highlight = 0;
  // Dark on light: the bar stands out from any entry colour on black.
  HighlightTextColor = 0;
  HighlightBackColor = 7;
  Cut = CutStyle::kPlain;
}

void ScrollListObj::SetArrowColor(uint8_t color) { ArrowColor = color; }

void ScrollListObj::PageScroll(bool up) {
  const int count = ListCount();
  if (up) {
    FirstShown -= PageSize;
    if (FirstShown < 1) FirstShown = 1;
    LastShown = FirstShown + PageSize - 1;
  } else {
    LastShown += PageSize;
    if (LastShown > count) LastShown = count;
    FirstShown = LastShown - PageSize + 1;
  }
  if (FirstShown < 1) FirstShown = 1;
  if (LastShown > count) LastShown = count;
  KeepHighlightShown();
  Draw();
}

void ScrollListObj::ScrollBy(int rows) {
  const int count = ListCount();
  const int last_first = std::max(1, count - PageSize + 1);
  FirstShown = std::clamp(FirstShown + rows, 1, last_first);
  LastShown = std::min(FirstShown + PageSize - 1, count);
  KeepHighlightShown();
  Draw();
}

void ScrollListObj::WheelScroll(int notches) { ScrollBy(-notches * kWheelRows); }

void ScrollListObj::MoveHighlight(int delta) {
  if (ListCount() == 0) return;
  SetHighlight(Highlight + delta);
  Draw();
}

void ScrollListObj::SetHighlight(int position) {
  const int count = ListCount();
  if (count == 0) {
    Highlight = 0;
    return;
  }
  Highlight = std::clamp(position, 1, count);
  ShowPosition(Highlight);
}

void ScrollListObj::ShowPosition(int position) {
  if (position < FirstShown) {
    FirstShown = position;
  } else if (position > LastShown) {
    FirstShown = position - PageSize + 1;
  }
  FirstShown = std::max(FirstShown, 1);
  LastShown = std::min(FirstShown + PageSize - 1, ListCount());
}

// Scrolling by page or wheel moves the view, and the highlight with it as
// far as it must: what Enter acts on is always on screen.
void ScrollListObj::KeepHighlightShown() {
  if (Highlight == 0 || LastShown < FirstShown) return;
  Highlight = std::clamp(Highlight, FirstShown, LastShown);
}

bool ScrollListObj::ScrollAtMouse() {
  if (UpZone.Contains()) {
    PageScroll(true);
    return true;
  }
  if (DownZone.Contains()) {
    PageScroll(false);
    return true;
  }
  return false;
}

void ScrollListObj::Draw() {
  int width = X2 - X - 2;
  FrameBoxObj::Draw();
  Console& console = Os().console;
  console.SetTextColor(ArrowColor);
  if (FirstShown > 1) {
    MoveTo(UpX, UpY);
    PutGraphic(UpChar, 2);
    MoveTo(UpX, UpY + 1);
    PutGraphic(UpChar, 2);
  }
  if (LastShown < ListCount()) {
    MoveTo(DownX, DownY);
    PutGraphic(DownChar, 2);
    MoveTo(DownX, DownY + 1);
    PutGraphic(DownChar, 2);
  }
  console.SetTextColor(TextColor);
  for (int i = FirstShown; i <= LastShown; ++i) {
    const int row = Y + (i - FirstShown) + 1;
    // Cut at a character boundary, to the cells the row has.
    const Str255 entry = FitToCells(Entry(i).View(), width, Cut);
    if (i == Highlight) {
      DrawHighlightBar(row, entry);
      continue;
    }
    MoveTo(X + 1 + LeftPad.Length(), row);
    PutText(entry.View());
  }
}

bool ScrollListObj::ArrowsOnRow(int row) const {
  const bool up = FirstShown > 1 && (row == UpY || row == UpY + 1);
  const bool down = LastShown < ListCount() && (row == DownY || row == DownY + 1);
  return up || down;
}

// The bar's blanks stop short of arrows on its row; its text covers them
// as any entry's does.
void ScrollListObj::DrawHighlightBar(int row, const Str255& entry) {
  Console& console = Os().console;
  const int bar_end = ArrowsOnRow(row) ? UpX - 1 : X2 - 1;
  console.SetTextColor(HighlightTextColor);
  console.SetBackColor(HighlightBackColor);
  MoveTo(X + 1, row);
  PutText(LeftPad.View());
  PutText(entry.View());
  const int written = LeftPad.Length() + console.TextCells(entry.View());
  PutSpaces(bar_end - X - written);
  console.SetTextColor(TextColor);
  console.SetBackColor(BackColor);
}

int ScrollListObj::ListCount() const {
  if (Names != nullptr) return Names->Count();
  return List == nullptr ? 0 : List->Count;
}

Str255 ScrollListObj::Entry(int position) const {
  if (Names != nullptr) return Str255(Names->Name(position));
  if (List == nullptr || position > List->Count) return Str255();
  return List->GetString(static_cast<int16_t>(position));
}

}  // namespace hopdir
