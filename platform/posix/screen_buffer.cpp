#include "platform/posix/screen_buffer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/code_page_437.h"
#include "platform/posix/text_width.h"

namespace hopdir {

ScreenBuffer::ScreenBuffer() : cells_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_)) {}

ScreenCell ScreenBuffer::Blank() const {
  ScreenCell blank;
  blank.fg = fg_;
  blank.bg = bg_;
  return blank;
}

void ScreenBuffer::Resize(int cols, int rows) {
  cols = std::max(cols, 1);
  rows = std::max(rows, 1);
  std::vector<ScreenCell> cells(static_cast<size_t>(cols) * static_cast<size_t>(rows), Blank());
  for (int row = 0; row < std::min(rows, rows_); ++row) {
    for (int col = 0; col < std::min(cols, cols_); ++col) {
      cells[static_cast<size_t>(row) * static_cast<size_t>(cols) + static_cast<size_t>(col)] =
          At(col, row);
    }
    // A wide character cut in half by the new right edge goes.
    ScreenCell& last =
        cells[static_cast<size_t>(row) * static_cast<size_t>(cols) + static_cast<size_t>(cols - 1)];
    if (last.width == ScreenCell::kWide) last = Blank();
  }
  cells_ = std::move(cells);
  cols_ = cols;
  rows_ = rows;
  col_ = std::min(col_, cols_ - 1);
  row_ = std::min(row_, rows_ - 1);
  ++version_;
}

void ScreenBuffer::MoveTo(int col, int row) {
  col_ = std::clamp(col, 0, cols_ - 1);
  row_ = std::clamp(row, 0, rows_ - 1);
}

void ScreenBuffer::SetColors(uint8_t fg, uint8_t bg) {
  fg_ = fg;
  bg_ = bg;
}

void ScreenBuffer::Clear() {
  std::fill(cells_.begin(), cells_.end(), Blank());
  col_ = row_ = 0;
  ++version_;
}

void ScreenBuffer::PutText(std::string_view utf8) {
  std::string bytes;
  while (!utf8.empty()) {
    const Utf8Char c = DecodeUtf8(utf8);
    utf8.remove_prefix(c.size);
    const TextGlyph glyph = GlyphOf(c);
    bytes.clear();
    AppendUtf8(bytes, glyph.shown);
    if (glyph.cells == 0) {
      Join(bytes);
    } else {
      Put(bytes, glyph.cells);
    }
  }
}

void ScreenBuffer::PutGraphic(std::string_view cp437) {
  std::string bytes;
  for (char byte : cp437) {
    bytes.clear();
    AppendUtf8(bytes, GlyphOf437(static_cast<unsigned char>(byte)));
    Put(bytes, 1);
  }
}

void ScreenBuffer::SplitWideAt(int col) {
  ScreenCell& cell = CellAt(col, row_);
  if (cell.width == ScreenCell::kWide && col + 1 < cols_) {
    CellAt(col + 1, row_) = Blank();
  } else if (cell.width == ScreenCell::kRightHalf && col > 0) {
    CellAt(col - 1, row_) = Blank();
  }
}

void ScreenBuffer::Put(std::string_view bytes, int width) {
  if (width == 2 && cols_ < 2) {
    // A window one column wide shows no wide character at all.
    Put("\xEF\xBF\xBD", 1);
    return;
  }
  if (width == 2 && col_ == cols_ - 1) {
    // As terminals do: the wide character goes to the next row whole.
    Put(" ", 1);
  }
  for (int i = 0; i < width; ++i) SplitWideAt(col_ + i);
  ScreenCell cell = Blank();
  std::memcpy(cell.bytes.data(), bytes.data(), bytes.size());
  cell.size = static_cast<uint8_t>(bytes.size());
  cell.width = width == 2 ? ScreenCell::kWide : ScreenCell::kNarrow;
  CellAt(col_, row_) = cell;
  if (width == 2) {
    ScreenCell right = Blank();
    right.size = 0;
    right.width = ScreenCell::kRightHalf;
    CellAt(col_ + 1, row_) = right;
  }
  ++version_;
  col_ += width;
  if (col_ >= cols_) NewLine();
}

void ScreenBuffer::Join(std::string_view bytes) {
  int col = col_ - 1;
  int row = row_;
  if (col < 0) {
    if (row == 0) return;
    col = cols_ - 1;
    --row;
  }
  ScreenCell* cell = &CellAt(col, row);
  if (cell->width == ScreenCell::kRightHalf && col > 0) cell = &CellAt(col - 1, row);
  // A cell keeps as many marks as it has room for; more show nothing new.
  if (cell->size + bytes.size() > ScreenCell::kMaxBytes) return;
  std::memcpy(cell->bytes.data() + cell->size, bytes.data(), bytes.size());
  cell->size = static_cast<uint8_t>(cell->size + bytes.size());
  ++version_;
}

void ScreenBuffer::NewLine() {
  col_ = 0;
  if (row_ < rows_ - 1) {
    ++row_;
    return;
  }
  ++version_;
  std::move(cells_.begin() + cols_, cells_.end(), cells_.begin());
  std::fill(cells_.end() - cols_, cells_.end(), Blank());
}

}  // namespace hopdir
