// The 80x25 text screen as a value: cells, colours in force, cursor and the print rule.
// No I/O here; front-ends only ever read it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ashwicket {

inline constexpr int kColumns = 80;
inline constexpr int kRows = 25;
inline constexpr int kScrollRows = 24;  // printing scrolls rows 1-24; row 25 never moves

struct Cell {
  std::uint8_t ch = ' ';
  std::uint8_t fg = 7;
  std::uint8_t bg = 0;
  friend bool operator==(const Cell&, const Cell&) = default;
};

using Cells = std::array<Cell, kColumns * kRows>;

struct CursorPosition {
  int row = 1;
  int column = 1;
  friend bool operator==(const CursorPosition&, const CursorPosition&) = default;
};

class ScreenBuffer {
 public:
  void SetColours(int fg, int bg);
  void Clear();
  // Rows 1-25, columns 1-80; anything else throws std::out_of_range naming the bad coordinates.
  void MoveCursor(int row, int column);
  void Print(std::string_view text, bool lineEnd);

  // While the cursor is held after column 80 this reads as column 1 of the next row
  // (row 24 stays 24, since that line end would scroll instead).
  CursorPosition ReadCursor() const;
  bool CursorHeld() const { return held_; }
  int Foreground() const { return fg_; }
  int Background() const { return bg_; }

  const Cell& At(int row, int column) const;
  const Cells& AllCells() const { return cells_; }
  void SetAllCells(const Cells& cells) { cells_ = cells; }
  std::string RowText(int row) const;  // the 80 characters of one row

 private:
  void LineEnd();
  void PutCharacter(char ch);
  Cell& CellAt(int row, int column);

  Cells cells_{};
  int row_ = 1;
  int column_ = 1;
  bool held_ = false;  // a character was just written in column 80
  std::uint8_t fg_ = 7;
  std::uint8_t bg_ = 0;
};

}  // namespace ashwicket
