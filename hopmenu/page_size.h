// The smallest window hopmenu's page fits in, and the line it shows in a
// smaller one.
#ifndef HOPDIR_HOPMENU_PAGE_SIZE_H_
#define HOPDIR_HOPMENU_PAGE_SIZE_H_

namespace hopdir {

// The narrowest window whose left third holds the three buttons at the
// top, and whose other two thirds hold DONE, ABORT and the legend: 75
// columns with the captions of either platform.
int PageMinimumCols();
// Six rows of frames, buttons and status line, and four entry rows a list,
// so that its two blocks of arrows take rows of their own.
int PageMinimumRows();
// Whether the measured window (ScreenCols x ScreenRows) holds the page.
bool PageFits();

// Clears the screen and centres one line on it: the window is too small,
// and the size it needs.
void WriteTooSmall();

}  // namespace hopdir

#endif  // HOPDIR_HOPMENU_PAGE_SIZE_H_
