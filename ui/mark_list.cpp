#include "ui/mark_list.h"

#include "platform/platform.h"
#include "ui/menu_base.h"
#include "ui/screen_write.h"
#include "ui/text_fit.h"

namespace hopdir {

void MarkListObj::Init(int16_t x, int16_t y, int16_t x2, int16_t y2) {
  MarkColor = DefaultMarkColor;
  ScrollListObj::Init(x, y, x2, y2);
  Title = Str255();
  Footer = Str255();
}

void MarkListObj::SetMarkColor(uint8_t color) { MarkColor = color; }

void MarkListObj::Draw() {
  ScrollListObj::Draw();
  Console& console = Os().console;
  if (!Title.Empty()) {
    // Never past the corners: a long title (a mount point) is cut instead.
    const Str255 title = FitToCells(Title.View(), X2 - X - 1, CutStyle::kMarkEnd);
    const int col = X + (X2 - X) / 2 - console.TextCells(title.View()) / 2;
    MoveTo(col > X ? col : X + 1, Y);
    PutText(title.View());
  }
  if (!Footer.Empty()) {
    MoveTo(X + 2, Y2);
    PutText(FitToCells(Footer.View(), X2 - X - 3, CutStyle::kKeepEnd).View());
  }
  if (!KeepsMarks()) return;
  console.SetTextColor(MarkColor);
  for (int i = FirstShown; i <= LastShown; ++i) {
    if (!List->GetMark(static_cast<int16_t>(i))) continue;
    MoveTo(X + 1, Y + 1 + (i - FirstShown));
    PutText("*");
  }
}

void MarkListObj::DrawMark(int16_t position) {
  if (!KeepsMarks()) return;
  if (position < FirstShown || position > LastShown) return;
  const char* mark = List->GetMark(position) ? "*" : " ";
  MoveTo(X + 1, Y + (position - FirstShown) + 1);
  Os().console.SetTextColor(MarkColor);
  PutText(mark);
}

int MarkListObj::RowToIndex(int16_t row) const {
  const int index = FirstShown + (row - Y) - 1;
  return index >= FirstShown && index <= LastShown ? index : 0;
}

void MarkListObj::ToggleMark(int16_t position) {
  if (!KeepsMarks()) return;
  List->SetMark(position, !List->GetMark(position));
  DrawMark(position);
}

void MarkListObj::MarkAll(bool mark) {
  if (!KeepsMarks()) return;
  for (int i = 1; i <= List->Count; ++i) {
    auto position = static_cast<int16_t>(i);
    List->SetMark(position, mark);
    DrawMark(position);
  }
}

void MarkListObj::InvertMarks() {
  if (!KeepsMarks()) return;
  for (int i = 1; i <= List->Count; ++i) {
    auto position = static_cast<int16_t>(i);
    List->SetMark(position, !List->GetMark(position));
  }
}

bool MarkListObj::KeepsMarks() const {
  return Names == nullptr && List != nullptr && List->HasMarks;
}

}  // namespace hopdir
