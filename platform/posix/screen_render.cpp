#include "platform/posix/screen_render.h"

#include <array>
#include <string_view>

namespace hopdir {
namespace {

// DOS colour order to ANSI: blue and red, cyan and brown swap places.
constexpr std::array<int, 8> kAnsiOfDos = {0, 4, 2, 6, 1, 5, 3, 7};

void AppendNumber(std::string& out, int number) { out += std::to_string(number); }

// Erasing fills with the current background: the one most cells have.
uint8_t CommonBackground(const ScreenBuffer& page) {
  std::array<int, 8> counts{};
  for (int row = 0; row < page.Rows(); ++row) {
    for (int col = 0; col < page.Cols(); ++col) ++counts[page.At(col, row).bg & 7];
  }
  uint8_t back = 0;
  for (uint8_t color = 1; color < 8; ++color) {
    if (counts[color] > counts[back]) back = color;
  }
  return back;
}

}  // namespace

int SgrForeground(uint8_t color) {
  color &= 0x0F;
  return (color < 8 ? 30 : 90) + kAnsiOfDos[color & 7];
}

int SgrBackground(uint8_t color) { return 40 + kAnsiOfDos[color & 7]; }

constexpr std::string_view kHideCursor = "\x1b[?25l";
constexpr std::string_view kShowCursor = "\x1b[?25h";

void ScreenRenderer::Invalidate() {
  valid_ = false;
  col_ = row_ = fg_ = bg_ = cursor_shown_ = -1;
}

void ScreenRenderer::Render(const ScreenBuffer& page, bool cursor_visible, std::string& out) {
  const size_t start = out.size();
  const bool full = !valid_ || cols_ != page.Cols() || rows_ != page.Rows() ||
                    (page.Version() != version_ && ErasingIsShorter(page));
  if (full) Erase(page, out);
  if (full || page.Version() != version_) {
    for (int row = 0; row < rows_; ++row) RenderRow(page, row, out);
    version_ = page.Version();
  }
  if (out.size() != start && cursor_shown_ != 0) {
    // Hidden while it jumps about, so the update shows at once.
    out.insert(start, kHideCursor);
    cursor_shown_ = 0;
  }
  MoveCursor(page.CursorCol(), page.CursorRow(), out);
  if (cursor_visible && cursor_shown_ != 1) {
    out += kShowCursor;
    cursor_shown_ = 1;
  } else if (!cursor_visible && cursor_shown_ != 0) {
    out += kHideCursor;
    cursor_shown_ = 0;
  }
}

bool ScreenRenderer::ErasingIsShorter(const ScreenBuffer& page) const {
  // A cleared page (the last one before a program ends, above all) is a few
  // bytes of erase rather than a screenful of blanks.
  const uint8_t back = CommonBackground(page);
  int changed = 0;
  int left_after_erase = 0;
  for (int row = 0; row < rows_; ++row) {
    for (int col = 0; col < cols_; ++col) {
      const ScreenCell& cell = page.At(col, row);
      if (cell.width == ScreenCell::kRightHalf) continue;
      if (NeedsWrite(page, col, row)) ++changed;
      if (!cell.IsBlank() || cell.bg != back) ++left_after_erase;
    }
  }
  return left_after_erase < changed;
}

void ScreenRenderer::Erase(const ScreenBuffer& page, std::string& out) {
  cols_ = page.Cols();
  rows_ = page.Rows();
  const uint8_t back = CommonBackground(page);
  out += "\x1b[0;";
  AppendNumber(out, SgrBackground(back));
  out += "m\x1b[H\x1b[2J";
  fg_ = -1;
  bg_ = SgrBackground(back);
  col_ = row_ = 0;
  ScreenCell blank;
  blank.bg = back;
  shown_.assign(static_cast<size_t>(cols_) * static_cast<size_t>(rows_), blank);
  valid_ = true;
}

bool ScreenRenderer::NeedsWrite(const ScreenBuffer& page, int col, int row) const {
  const ScreenCell& cell = page.At(col, row);
  if (!cell.SameAs(Shown(col, row))) return true;
  return cell.width == ScreenCell::kWide && !page.At(col + 1, row).SameAs(Shown(col + 1, row));
}

void ScreenRenderer::RenderRow(const ScreenBuffer& page, int row, std::string& out) {
  // Both grids pair the halves of wide characters, so where the pairing
  // changed, both cells differ and both are written: a terminal that blanks
  // the other half of a character written over is never left behind.
  for (int col = 0; col < cols_; ++col) {
    const ScreenCell& cell = page.At(col, row);
    if (cell.width == ScreenCell::kRightHalf || !NeedsWrite(page, col, row)) continue;
    MoveCursor(col, row, out);
    SetColors(cell, out);
    out += cell.Text();
    Shown(col, row) = cell;
    int next = col + 1;
    if (cell.width == ScreenCell::kWide) Shown(next++, row) = page.At(col + 1, row);
    // With autowrap off the cursor sticks at the last column.
    col_ = next < cols_ ? next : -1;
  }
}

void ScreenRenderer::MoveCursor(int col, int row, std::string& out) {
  if (col == col_ && row == row_) return;
  out += "\x1b[";
  if (col == 0 && row == 0) {
    out += 'H';
  } else if (row == row_ && col_ >= 0 && col > col_) {
    if (col - col_ > 1) AppendNumber(out, col - col_);
    out += 'C';
  } else {
    AppendNumber(out, row + 1);
    out += ';';
    AppendNumber(out, col + 1);
    out += 'H';
  }
  col_ = col;
  row_ = row;
}

void ScreenRenderer::SetColors(const ScreenCell& cell, std::string& out) {
  const int fg = SgrForeground(cell.fg);
  const int bg = SgrBackground(cell.bg);
  // A blank shows only its background.
  const bool set_fg = fg != fg_ && !cell.IsBlank();
  const bool set_bg = bg != bg_;
  if (!set_fg && !set_bg) return;
  out += "\x1b[";
  if (set_fg) {
    AppendNumber(out, fg);
    fg_ = fg;
  }
  if (set_fg && set_bg) out += ';';
  if (set_bg) {
    AppendNumber(out, bg);
    bg_ = bg;
  }
  out += 'm';
}

}  // namespace hopdir
