// The game's sixteen text colours on a terminal. Pure and header-only.
//
// With 256 colours each colour is the nearest fixed entry of the xterm 6x6x6 cube or grey ramp
// (every channel within 10/255), and the background is always an explicit colour, never the
// terminal's default: some themes make ANSI colour 8 the same as their background, which
// would hide the game's dark grey text. The terminal's own palette is never redefined.
// Elsewhere the colours fall back to the ANSI ones, bright shades as 8-15 where the terminal
// has 16 colours and as bold where it has 8.
#pragma once

#include <array>
#include <cstdint>

namespace ashwicket::terminal {

inline constexpr std::array<short, 16> kNearest256 = {
    16,   // black
    19,   // blue
    34,   // green
    37,   // cyan
    124,  // red
    127,  // magenta
    130,  // brown
    248,  // light grey
    240,  // dark grey
    63,   // light blue
    83,   // light green
    87,   // light cyan
    203,  // light red
    207,  // light magenta
    227,  // yellow
    231,  // white
};

// The game numbers its base colours blue first, curses (like ANSI) red first.
inline constexpr std::array<short, 8> kAnsiOf = {
    0,  // black   -> COLOR_BLACK
    4,  // blue    -> COLOR_BLUE
    2,  // green   -> COLOR_GREEN
    6,  // cyan    -> COLOR_CYAN
    1,  // red     -> COLOR_RED
    5,  // magenta -> COLOR_MAGENTA
    3,  // brown   -> COLOR_YELLOW
    7,  // light grey -> COLOR_WHITE
};

enum class ColourDepth { Monochrome, Ansi8, Ansi16, Indexed256 };

constexpr ColourDepth DepthFor(bool hasColours, int colours) {
  if (!hasColours || colours < 8) return ColourDepth::Monochrome;
  if (colours >= 256) return ColourDepth::Indexed256;
  if (colours >= 16) return ColourDepth::Ansi16;
  return ColourDepth::Ansi8;
}

// How one foreground/background pair of the game is drawn: a curses colour pair made of
// these two colour numbers, plus bold or reverse video where colours fall short.
struct CellStyle {
  short foreground = 7;
  short background = 0;
  bool bold = false;
  bool reverse = false;
  friend constexpr bool operator==(const CellStyle&, const CellStyle&) = default;
};

// fg 0-15, bg 0-7.
constexpr CellStyle StyleFor(int fg, int bg, ColourDepth depth) {
  const bool bright = fg >= 8;
  switch (depth) {
    case ColourDepth::Indexed256:
      return {kNearest256[fg], kNearest256[bg], false, false};
    case ColourDepth::Ansi16:
      return {static_cast<short>(kAnsiOf[fg % 8] + (bright ? 8 : 0)), kAnsiOf[bg], false, false};
    case ColourDepth::Ansi8:
      return {kAnsiOf[fg % 8], kAnsiOf[bg], bright, false};
    case ColourDepth::Monochrome:
      return {7, 0, bright, bg != 0};
  }
  return {};
}

}  // namespace ashwicket::terminal
