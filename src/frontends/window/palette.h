// The sixteen colours of the standard PC text palette, as the screen shows them.
#pragma once

#include <array>
#include <cstdint>

namespace ashwicket::window {

struct Rgb {
  std::uint8_t r, g, b;
};

// Low-intensity colours use 170 (two thirds), dark grey and the bright colours add 85 (one third).
// Brown is the one exception to the pattern: dark yellow with its green halved.
inline constexpr std::array<Rgb, 16> kPalette = {{
    {0, 0, 0},        // 0 black
    {0, 0, 170},      // 1 blue
    {0, 170, 0},      // 2 green
    {0, 170, 170},    // 3 cyan
    {170, 0, 0},      // 4 red
    {170, 0, 170},    // 5 magenta
    {170, 85, 0},     // 6 brown
    {170, 170, 170},  // 7 light grey
    {85, 85, 85},     // 8 dark grey
    {85, 85, 255},    // 9 light blue
    {85, 255, 85},    // 10 light green
    {85, 255, 255},   // 11 light cyan
    {255, 85, 85},    // 12 light red
    {255, 85, 255},   // 13 light magenta
    {255, 255, 85},   // 14 yellow
    {255, 255, 255},  // 15 white
}};

}  // namespace ashwicket::window
