// What a terminal too small for the game shows instead of it, fitted to that terminal.
// Pure and header-only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/screen_buffer.h"

namespace ashwicket::terminal {

constexpr bool FitsGame(int rows, int columns) {
  return rows >= kRows && columns >= kColumns;
}

// The words of the paragraphs wrapped to `columns`, at most `rows` lines; a word longer than
// a line is cut.
inline std::vector<std::string> WrapParagraphs(const std::vector<std::string>& paragraphs, int rows,
                                               int columns) {
  std::vector<std::string> lines;
  if (rows <= 0 || columns <= 0) return lines;
  const auto width = static_cast<std::size_t>(columns);
  for (const std::string& paragraph : paragraphs) {
    std::string line;
    std::string_view rest = paragraph;
    while (!rest.empty()) {
      const std::size_t space = rest.find(' ');
      std::string_view word = rest.substr(0, space);
      rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
      if (word.empty()) continue;
      while (!word.empty()) {
        const std::size_t needed = line.empty() ? word.size() : line.size() + 1 + word.size();
        if (needed <= width) {
          if (!line.empty()) line += ' ';
          line += word;
          word = {};
        } else if (line.empty()) {
          line = word.substr(0, width);
          word.remove_prefix(width);
          lines.push_back(std::move(line));
          line.clear();
        } else {
          lines.push_back(std::move(line));
          line.clear();
        }
      }
    }
    lines.push_back(std::move(line));
  }
  if (lines.size() > static_cast<std::size_t>(rows)) lines.resize(static_cast<std::size_t>(rows));
  return lines;
}

inline std::vector<std::string> SizeNoticeLines(int rows, int columns) {
  const std::string needed =
      std::to_string(kColumns) + " columns by " + std::to_string(kRows) + " rows";
  const std::string has = std::to_string(columns) + " columns by " + std::to_string(rows) + " rows";
  return WrapParagraphs(
      {"Ashwicket needs a terminal of at least " + needed + ".", "This one has " + has + ".", "",
       "Please make the window larger: the game goes on as soon as it fits."},
      rows, columns);
}

}  // namespace ashwicket::terminal
