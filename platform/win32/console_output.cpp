// Console output of Win32Console. Writes land in a shadow of the visible
// window (read once, then written back in one call when the program waits
// for input), so a page costs a handful of console calls. Whatever the
// shadow cannot model exactly (scrolling, control characters other than CR
// and LF, text outside the window, characters that take two cells or two
// UTF-16 units) goes through the console itself, with WriteConsoleW, after
// the shadow has been written back.
#include <algorithm>

#include "platform/utf8.h"
#include "platform/win32/code_pages.h"
#include "platform/win32/console.h"
#include "platform/win32/file_system.h"
#include "platform/win32/wide_text.h"

namespace hopdir {
namespace {

// Older consoles refuse a single transfer much above 64 KB.
constexpr int kMaxTransferBytes = 60000;

int RowsPerTransfer(int width) {
  return std::max(1, kMaxTransferBytes / (width * static_cast<int>(sizeof(CHAR_INFO))));
}

bool SameCell(COORD a, COORD b) { return a.X == b.X && a.Y == b.Y; }

// Whether the console lays `text` out itself: a wide character takes two
// cells, and a character beyond U+FFFF two UTF-16 units, where a cell of
// the shadow holds one unit.
bool NeedsConsoleLayout(std::wstring_view text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t c) {
    return (c >= 0xD800 && c <= 0xDFFF) || IsEastAsianWide(static_cast<char32_t>(c));
  });
}

// Output that goes to a file or pipe: each line in the ANSI code page when
// that says every character of it, as the programs always wrote it; UTF-8
// otherwise.
std::string Redirected(std::string_view bytes) { return LineOfText(bytes, AnsiCodePage()); }

}  // namespace

bool Win32Console::LoadGeometry() {
  if (geometry_valid_) return true;
  if (!out_console_) return false;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(out_, &info)) return false;
  window_ = info.srWindow;
  buffer_size_ = info.dwSize;
  cursor_ = console_cursor_ = info.dwCursorPosition;
  console_attribute_ = info.wAttributes & 0xFF;
  geometry_valid_ = true;
  cells_valid_ = false;
  dirty_ = false;
  return true;
}

bool Win32Console::LoadCells() {
  if (cells_valid_) return true;
  if (!LoadGeometry()) return false;
  const int width = Width();
  const int height = Height();
  cells_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), CHAR_INFO{});
  const int band = RowsPerTransfer(width);
  for (int top = 0; top < height; top += band) {
    int rows = std::min(band, height - top);
    SMALL_RECT region = {window_.Left, static_cast<SHORT>(window_.Top + top), window_.Right,
                         static_cast<SHORT>(window_.Top + top + rows - 1)};
    if (!ReadConsoleOutputW(
            out_, cells_.data() + static_cast<size_t>(top) * static_cast<size_t>(width),
            COORD{static_cast<SHORT>(width), static_cast<SHORT>(rows)}, COORD{0, 0}, &region)) {
      return false;
    }
  }
  cells_valid_ = true;
  return true;
}

int Win32Console::Commit() {
  int result = 0;
  if (geometry_valid_ && dirty_ && cells_valid_) {
    const int width = Width();
    const int band = RowsPerTransfer(dirty_right_ - dirty_left_ + 1);
    for (int top = dirty_top_; top <= dirty_bottom_; top += band) {
      int bottom = std::min(dirty_bottom_, top + band - 1);
      SMALL_RECT region = {static_cast<SHORT>(window_.Left + dirty_left_),
                           static_cast<SHORT>(window_.Top + top),
                           static_cast<SHORT>(window_.Left + dirty_right_),
                           static_cast<SHORT>(window_.Top + bottom)};
      if (!WriteConsoleOutputW(
              out_, cells_.data(), COORD{static_cast<SHORT>(width), static_cast<SHORT>(Height())},
              COORD{static_cast<SHORT>(dirty_left_), static_cast<SHORT>(top)}, &region) &&
          result == 0) {
        result = LastIoError();
      }
    }
    dirty_ = false;
  }
  if (geometry_valid_ && !SameCell(cursor_, console_cursor_)) {
    if (!SetConsoleCursorPosition(out_, cursor_) && result == 0) result = LastIoError();
    console_cursor_ = cursor_;
  }
  if (attribute_ != console_attribute_) {
    // The console's own echo (line input) and scrolling use these colours.
    if (!SetConsoleTextAttribute(out_, attribute_) && result == 0) result = LastIoError();
    console_attribute_ = attribute_;
  }
  return result;
}

void Win32Console::Flush() {
  int result = Commit();
  if (result != 0 && sticky_error_ == 0) sticky_error_ = result;
  // While the program waits, the window may be scrolled or resized.
  geometry_valid_ = false;
  cells_valid_ = false;
}

void Win32Console::GotoXY(uint8_t col, uint8_t row) {
  if (!LoadGeometry()) return;
  if (col == 0 || col > Width() || row == 0 || row > Height()) return;
  cursor_ =
      COORD{static_cast<SHORT>(window_.Left + col - 1), static_cast<SHORT>(window_.Top + row - 1)};
}

int Win32Console::WhereX() { return LoadGeometry() ? cursor_.X - window_.Left + 1 : 1; }

int Win32Console::WhereY() { return LoadGeometry() ? cursor_.Y - window_.Top + 1 : 1; }

int Win32Console::WindowCols() { return LoadGeometry() ? Width() : 80; }

int Win32Console::WindowRows() { return LoadGeometry() ? Height() : 25; }

void Win32Console::SetTextColor(uint8_t color) {
  attribute_ = static_cast<WORD>((attribute_ & 0xF0) | (color & 0x0F));
}

void Win32Console::SetBackColor(uint8_t color) {
  attribute_ = static_cast<WORD>((attribute_ & 0x0F) | ((color & 0x07) << 4));
}

void Win32Console::ClearScreen() {
  if (!LoadGeometry()) return;
  cells_.assign(static_cast<size_t>(Width()) * static_cast<size_t>(Height()), CHAR_INFO{});
  for (CHAR_INFO& cell : cells_) {
    cell.Char.UnicodeChar = L' ';
    cell.Attributes = attribute_;
  }
  cells_valid_ = true;
  dirty_ = true;
  dirty_left_ = dirty_top_ = 0;
  dirty_right_ = Width() - 1;
  dirty_bottom_ = Height() - 1;
  cursor_ = COORD{window_.Left, window_.Top};
}

int Win32Console::WriteText(std::string_view bytes) {
  if (!out_console_) return WriteAll(std_out_, Redirected(bytes));
  const std::wstring text = WideOf(bytes);
  return Put(text, true, NeedsConsoleLayout(text));
}

int Win32Console::WriteGraphic(std::string_view bytes) {
  if (!out_console_) return WriteAll(std_out_, bytes);
  return Put(GlyphsOf437(bytes), false, false);
}

int Win32Console::WriteLine(std::string_view bytes) {
  std::string line(bytes);
  line += "\r\n";
  // Messages stay with a redirected standard output, also while a page is
  // open on the console.
  if (!std_out_console_) return WriteAll(std_out_, Redirected(line));
  return WriteText(line);
}

int Win32Console::WriteErrorLine(std::string_view bytes) {
  std::string line(bytes);
  line += "\r\n";
  return WriteAll(GetStdHandle(STD_ERROR_HANDLE), Redirected(line));
}

int Win32Console::TextCells(std::string_view text) { return EastAsianTextCells(text); }

size_t Win32Console::FitCells(std::string_view text, int cells) {
  return cells <= 0 ? 0 : EastAsianFitCells(text, cells);
}

int Win32Console::Put(const std::wstring& text, bool controls, bool direct) {
  if (sticky_error_ != 0) {
    int error = sticky_error_;
    sticky_error_ = 0;
    return error;
  }
  size_t done = 0;
  if (!direct && LoadCells()) {
    const int width = Width();
    for (; done < text.size(); ++done) {
      wchar_t c = text[done];
      if (controls && c == L'\r') {
        cursor_.X = 0;
        continue;
      }
      if (controls && c == L'\n') {
        if (cursor_.Y >= window_.Bottom) break;  // the console scrolls
        cursor_.X = 0;
        ++cursor_.Y;
        continue;
      }
      if (controls && c < L' ') break;  // backspace, tab, bell: the console's own rules
      if (cursor_.X < window_.Left || cursor_.X > window_.Right || cursor_.Y < window_.Top ||
          cursor_.Y > window_.Bottom) {
        break;
      }
      const bool last_column = cursor_.X == buffer_size_.X - 1;
      if (last_column && (!wrap_at_eol_ || cursor_.Y >= window_.Bottom)) break;
      const int col = cursor_.X - window_.Left;
      const int row = cursor_.Y - window_.Top;
      CHAR_INFO& cell =
          cells_[static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(col)];
      cell.Char.UnicodeChar = c;
      cell.Attributes = attribute_;
      if (!dirty_) {
        dirty_ = true;
        dirty_left_ = dirty_right_ = col;
        dirty_top_ = dirty_bottom_ = row;
      } else {
        dirty_left_ = std::min(dirty_left_, col);
        dirty_right_ = std::max(dirty_right_, col);
        dirty_top_ = std::min(dirty_top_, row);
        dirty_bottom_ = std::max(dirty_bottom_, row);
      }
      if (last_column) {
        cursor_.X = 0;
        ++cursor_.Y;
      } else {
        ++cursor_.X;
      }
    }
  }
  if (done == text.size()) return 0;
  if (int result = Commit(); result != 0) return result;
  return PutDirect(std::wstring_view(text).substr(done));
}

int Win32Console::PutDirect(std::wstring_view text) {
  int result = 0;
  while (!text.empty()) {
    DWORD chunk = text.size() > 8192 ? 8192 : static_cast<DWORD>(text.size());
    DWORD written = 0;
    if (!WriteConsoleW(out_, text.data(), chunk, &written, nullptr)) {
      result = LastIoError();
      break;
    }
    if (written == 0) {
      result = ERROR_WRITE_FAULT;
      break;
    }
    text.remove_prefix(written);
  }
  // The console moved the cursor and perhaps the window.
  geometry_valid_ = false;
  cells_valid_ = false;
  return result;
}

}  // namespace hopdir
