// What a front-end hands the console for one key: a press with its character (or none and a
// scan code), or a release. The codes are the ones the event queue reports.
#pragma once

#include <cstdint>

namespace ashwicket {

// Keys that type no character: PC scan codes, as the character queue reports them after a 0.
// clang-format off
enum class SpecialKey : std::uint8_t {
  F1 = 59, F2 = 60, F3 = 61, F4 = 62, F5 = 63, F6 = 64, F7 = 65, F8 = 66, F9 = 67, F10 = 68,
  Home = 71, Up = 72, PageUp = 73, Left = 75, Right = 77, End = 79, Down = 80, PageDown = 81,
  Insert = 82, Delete = 83, F11 = 133, F12 = 134,
};
// clang-format on

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEscape = 27;

// Event code of a key without a character: 256 or more, never a character code.
constexpr int SpecialKeyCode(SpecialKey key) {
  return static_cast<int>(key) * 256;
}

struct KeyPress {
  std::uint8_t character = 0;  // 0: a key without a character, see scanCode
  std::uint8_t scanCode = 0;
  int code = 0;  // event-queue code of the press; its release is -code

  static constexpr KeyPress Character(std::uint8_t ch) { return {ch, 0, ch}; }
  static constexpr KeyPress Special(SpecialKey key) {
    return {0, static_cast<std::uint8_t>(key), SpecialKeyCode(key)};
  }
};

}  // namespace ashwicket
