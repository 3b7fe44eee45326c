#include "console/screen_buffer.h"

#include <stdexcept>

namespace ashwicket {

namespace {

void CheckPosition(int row, int column) {
  if (row < 1 || row > kRows || column < 1 || column > kColumns) {
    throw std::out_of_range("screen position row " + std::to_string(row) + ", column " +
                            std::to_string(column) + " is outside 1-25 x 1-80");
  }
}

}  // namespace

void ScreenBuffer::SetColours(int fg, int bg) {
  fg_ = static_cast<std::uint8_t>(fg & 15);
  bg_ = static_cast<std::uint8_t>(bg & 7);
}

void ScreenBuffer::Clear() {
  cells_.fill(Cell{' ', fg_, bg_});
  row_ = 1;
  column_ = 1;
  held_ = false;
}

void ScreenBuffer::MoveCursor(int row, int column) {
  CheckPosition(row, column);
  row_ = row;
  column_ = column;
  held_ = false;
}

void ScreenBuffer::Print(std::string_view text, bool lineEnd) {
  if (!text.empty()) {
    if (held_) {
      LineEnd();
    } else if (column_ != 1 && column_ - 1 + static_cast<int>(text.size()) > kColumns) {
      LineEnd();  // the text does not fit the rest of the row: start it on the next
    }
    for (char ch : text) PutCharacter(ch);
  }
  if (lineEnd) LineEnd();
}

void ScreenBuffer::PutCharacter(char ch) {
  if (held_) LineEnd();
  CellAt(row_, column_) = Cell{static_cast<std::uint8_t>(ch), fg_, bg_};
  if (column_ == kColumns) {
    held_ = true;
  } else {
    ++column_;
  }
}

void ScreenBuffer::LineEnd() {
  held_ = false;
  column_ = 1;
  if (row_ < kScrollRows) {
    ++row_;
    return;
  }
  if (row_ > kScrollRows) return;  // printing never reaches past row 25, nor scrolls it
  for (int row = 1; row < kScrollRows; ++row) {
    for (int column = 1; column <= kColumns; ++column) {
      CellAt(row, column) = CellAt(row + 1, column);
    }
  }
  for (int column = 1; column <= kColumns; ++column)
    CellAt(kScrollRows, column) = Cell{' ', fg_, bg_};
}

CursorPosition ScreenBuffer::ReadCursor() const {
  if (!held_) return {row_, column_};
  return {row_ < kScrollRows ? row_ + 1 : row_, 1};
}

const Cell& ScreenBuffer::At(int row, int column) const {
  CheckPosition(row, column);
  return cells_[static_cast<std::size_t>((row - 1) * kColumns + (column - 1))];
}

Cell& ScreenBuffer::CellAt(int row, int column) {
  return const_cast<Cell&>(static_cast<const ScreenBuffer&>(*this).At(row, column));
}

std::string ScreenBuffer::RowText(int row) const {
  std::string text;
  text.reserve(kColumns);
  for (int column = 1; column <= kColumns; ++column)
    text.push_back(static_cast<char>(At(row, column).ch));
  return text;
}

}  // namespace ashwicket
