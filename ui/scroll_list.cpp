#include "ui/scroll_list.h"

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
  Draw();
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
    MoveTo(X + 1 + LeftPad.Length(), Y + (i - FirstShown) + 1);
    Str255 entry = Entry(i);
    // Clipped at a character boundary, to the cells the row has.
    entry.Truncate(static_cast<int>(console.FitCells(entry.View(), width)));
    PutText(entry.View());
  }
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
