// A framed window onto a list of strings (a bounded string list, or a
// directory's entry list): one page of entries, one per inner row, with
// blocks of arrows near the right edge that owners treat as scroll buttons,
// and, for owners that take keys, one entry highlighted.
#ifndef HOPDIR_UI_SCROLL_LIST_H_
#define HOPDIR_UI_SCROLL_LIST_H_

#include <cstdint>

#include "containers/str_list.h"
#include "core/name_list.h"
#include "platform/short_string.h"
#include "ui/frame_box.h"
#include "ui/hot_zone.h"
#include "ui/text_fit.h"

namespace hopdir {

// Entry i (FirstShown <= i <= LastShown) is shown on row Y + i - FirstShown
// + 1 from column X + 1 + length of LeftPad. The owner binds List (or
// Names, which a directory of any size fits in) and sets FirstShown and
// LastShown after Init; LineCount stays 0.
class ScrollListObj : public FrameBoxObj {
 public:
  // Rows one notch of the mouse wheel scrolls.
  static constexpr int kWheelRows = 3;

  HotZoneObj UpZone;                // the 2 x 2 cells of the scroll-up arrows
  HotZoneObj DownZone;              // the 2 x 2 cells of the scroll-down arrows
  StrListObj* List = nullptr;       // owned by the owner of the list object
  const NameList* Names = nullptr;  // shown instead of List when set
  int16_t UpX = 0;
  int16_t UpY = 0;
  int16_t DownX = 0;
  int16_t DownY = 0;
  int FirstShown = 0;
  int LastShown = 0;
  int PageSize = 0;  // inner rows
  char UpChar = 0;
  char DownChar = 0;
  uint8_t ArrowColor = 0;
  // The entry drawn as a bar in the highlight colours, from the mark column
  // to the arrows; 0 for none. Init sets none.
  int Highlight = 0;
  uint8_t HighlightTextColor = 0;
  uint8_t HighlightBackColor = 0;
  // How an entry too long for its row is cut; Init sets kPlain.
  CutStyle Cut = CutStyle::kPlain;

  // The window with corners (x, y) and (x2, y2); the arrows take the last
  // two inner columns of the first two and the last two inner rows.
  void Init(int16_t x, int16_t y, int16_t x2, int16_t y2);
  void SetArrowColor(uint8_t color);
  // One page towards the start (up) or the end of the list, kept within
  // 1..Count, then redrawn through the virtual Draw.
  void PageScroll(bool up);
  // Pages the list when the press at MouseCol, MouseRow is on one of its
  // arrow blocks (drawn or not); true when it was, so that the owner does
  // not take the press for a choice.
  bool ScrollAtMouse();
  // `rows` rows towards the end of the list (towards its start when
  // negative), as far as there is more to see, then redrawn.
  void ScrollBy(int rows);
  // kWheelRows rows a notch, away from the user towards the start.
  void WheelScroll(int notches);
  // The highlight `delta` entries on, within 1..Count, scrolled into view
  // and redrawn; nothing on an empty list.
  void MoveHighlight(int delta);
  // The highlight on `position` (within 1..Count), scrolled into view;
  // the owner draws.
  void SetHighlight(int position);
  // Frame, the arrows where there is more to see, then the entries of the
  // page cut to the inner width less one; an entry can cover the arrows.
  void Draw() override;

 protected:
  int ListCount() const;
  Str255 Entry(int position) const;  // empty outside the list

 private:
  void ShowPosition(int position);
  void KeepHighlightShown();
  void DrawHighlightBar(int row, const Str255& entry);
  bool ArrowsOnRow(int row) const;
};

}  // namespace hopdir

#endif  // HOPDIR_UI_SCROLL_LIST_H_
