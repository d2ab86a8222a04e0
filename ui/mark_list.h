// A scrolling list with a title set into its top edge, a line of its
// owner's set into its bottom edge, and a mark column (the first inner
// column) that shows an asterisk beside marked entries.
#ifndef HOPDIR_UI_MARK_LIST_H_
#define HOPDIR_UI_MARK_LIST_H_

#include <cstdint>

#include "platform/short_string.h"
#include "ui/scroll_list.h"

namespace hopdir {

// The marks live in List, so they survive paging and redrawing. On a list
// that keeps no marks the mark operations do nothing.
class MarkListObj : public ScrollListObj {
 public:
  Str255 Title;   // centred in the top edge, cut to fit it; empty for none
  Str255 Footer;  // in the bottom edge from its second column, its end kept; empty for none
  uint8_t MarkColor = 0;

  void Init(int16_t x, int16_t y, int16_t x2, int16_t y2);
  void SetMarkColor(uint8_t color);
  // The list's Draw, then the title, the footer and the marks of the page.
  void Draw() override;
  // Repaints one entry's mark cell ("*" or a space) when it is on the page.
  void DrawMark(int16_t position);
  // The position shown on a screen row, or 0 for a frame row or a row
  // below the page. When LastShown lies beyond Count, so may the result.
  int RowToIndex(int16_t row) const;
  void ToggleMark(int16_t position);
  // Sets or clears every mark and repaints the cells on the page.
  void MarkAll(bool mark);
  // Flips every mark and repaints nothing; the owner redraws.
  void InvertMarks();

 private:
  bool KeepsMarks() const;
};

}  // namespace hopdir

#endif  // HOPDIR_UI_MARK_LIST_H_
