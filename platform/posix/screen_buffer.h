// The page as the program drew it: a grid of cells of the window's size
// with a cursor and the current colours, kept as the Windows console keeps
// its window (writing at the end of a row wraps, past the last row scrolls).
#ifndef HOPDIR_PLATFORM_POSIX_SCREEN_BUFFER_H_
#define HOPDIR_PLATFORM_POSIX_SCREEN_BUFFER_H_

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace hopdir {

// One cell: the UTF-8 bytes of its character and of the marks that join it.
struct ScreenCell {
  static constexpr size_t kMaxBytes = 16;
  // The right half of a wide character has no bytes of its own.
  static constexpr uint8_t kRightHalf = 0;
  static constexpr uint8_t kNarrow = 1;
  static constexpr uint8_t kWide = 2;  // the left half, which holds the bytes

  std::array<char, kMaxBytes> bytes{' '};
  uint8_t size = 1;
  uint8_t width = kNarrow;
  uint8_t fg = 7;
  uint8_t bg = 0;

  std::string_view Text() const { return std::string_view(bytes.data(), size); }
  bool IsBlank() const { return size == 1 && bytes[0] == ' '; }
  // Looks the same on screen: a blank shows no foreground colour.
  bool SameAs(const ScreenCell& other) const {
    return width == other.width && Text() == other.Text() && bg == other.bg &&
           (fg == other.fg || IsBlank());
  }
};

class ScreenBuffer {
 public:
  ScreenBuffer();

  // New window size; the part of the page that still fits is kept.
  void Resize(int cols, int rows);
  int Cols() const { return cols_; }
  int Rows() const { return rows_; }

  // 0-based, inside the window (the console checks the 1-based position).
  void MoveTo(int col, int row);
  int CursorCol() const { return col_; }
  int CursorRow() const { return row_; }

  void SetColors(uint8_t fg, uint8_t bg);
  uint8_t Fg() const { return fg_; }
  uint8_t Bg() const { return bg_; }

  // Blanks in the current colours everywhere; cursor to the top left.
  void Clear();
  // UTF-8 text, in one row after another. Controls show as '?', CR and LF
  // too: a name that holds them must not move what the page draws after it
  // away from the zones its presses are taken in.
  void PutText(std::string_view utf8);
  // The cursor to the start of the next row, scrolling past the last one.
  void NewLine();
  // Code page 437 bytes, one cell each.
  void PutGraphic(std::string_view bytes);

  const ScreenCell& At(int col, int row) const {
    return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
  }
  // Changes with every change of a cell (not of the cursor), so an
  // unchanged page costs no comparison.
  uint64_t Version() const { return version_; }

 private:
  ScreenCell& CellAt(int col, int row) {
    return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
  }
  ScreenCell Blank() const;
  void Put(std::string_view bytes, int width);
  void Join(std::string_view bytes);
  void SplitWideAt(int col);

  int cols_ = 80;
  int rows_ = 25;
  int col_ = 0;
  int row_ = 0;
  uint8_t fg_ = 7;
  uint8_t bg_ = 0;
  std::vector<ScreenCell> cells_;
  uint64_t version_ = 0;
};

}  // namespace hopdir

#endif  // HOPDIR_PLATFORM_POSIX_SCREEN_BUFFER_H_
