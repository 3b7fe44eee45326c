// From what curses reads on a terminal to the keys of a PC keyboard: a character, or character
// 0 and a scan code. Pure and header-only (only curses' KEY_* numbers are used), so the tests
// can check the table without a terminal.
//
// curses names the escape sequences that the terminal's description lists. Anything else
// beginning with Escape reaches us byte by byte; KeyTranslator reads such a sequence whole,
// makes the usual ones into their keys and drops the rest, so that no byte of a sequence is
// ever typed into the game.
#pragma once

#ifndef NCURSES_NOMACROS
#define NCURSES_NOMACROS  // keep curses' pseudo-functions (move, erase, ...) out of C++ code
#endif
#include <curses.h>

#include <cstddef>
#include <cstdint>

#include "console/keys.h"

namespace ashwicket::terminal {

// What one code read from curses means.
struct KeyMeaning {
  enum class Kind { Nothing, Key, Repaint };
  Kind kind = Kind::Nothing;
  KeyPress press{};

  static constexpr KeyMeaning None() { return {}; }
  static constexpr KeyMeaning Of(KeyPress press) { return {Kind::Key, press}; }
  static constexpr KeyMeaning RepaintScreen() { return {Kind::Repaint, {}}; }
  friend constexpr bool operator==(const KeyMeaning& a, const KeyMeaning& b) {
    return a.kind == b.kind && a.press.character == b.press.character &&
           a.press.scanCode == b.press.scanCode && a.press.code == b.press.code;
  }
};

// Ctrl-L: redraw everything, as in most full-screen terminal programs. Not passed to the game.
inline constexpr int kRepaintKey = 12;

struct CursesKeyName {
  int cursesCode;
  SpecialKey key;
};

// Keys without a character. The keypad's corner keys count as their cursor-block twins, and
// some terminals send Find/Select for Home/End.
inline constexpr CursesKeyName kSpecialKeys[] = {
    {KEY_UP, SpecialKey::Up},          {KEY_DOWN, SpecialKey::Down},
    {KEY_LEFT, SpecialKey::Left},      {KEY_RIGHT, SpecialKey::Right},
    {KEY_HOME, SpecialKey::Home},      {KEY_A1, SpecialKey::Home},
    {KEY_FIND, SpecialKey::Home},      {KEY_END, SpecialKey::End},
    {KEY_C1, SpecialKey::End},         {KEY_SELECT, SpecialKey::End},
    {KEY_PPAGE, SpecialKey::PageUp},   {KEY_A3, SpecialKey::PageUp},
    {KEY_NPAGE, SpecialKey::PageDown}, {KEY_C3, SpecialKey::PageDown},
    {KEY_IC, SpecialKey::Insert},      {KEY_DC, SpecialKey::Delete},
    {KEY_F(1), SpecialKey::F1},        {KEY_F(2), SpecialKey::F2},
    {KEY_F(3), SpecialKey::F3},        {KEY_F(4), SpecialKey::F4},
    {KEY_F(5), SpecialKey::F5},        {KEY_F(6), SpecialKey::F6},
    {KEY_F(7), SpecialKey::F7},        {KEY_F(8), SpecialKey::F8},
    {KEY_F(9), SpecialKey::F9},        {KEY_F(10), SpecialKey::F10},
    {KEY_F(11), SpecialKey::F11},      {KEY_F(12), SpecialKey::F12},
};

struct CursesCharacter {
  int cursesCode;
  std::uint8_t character;
};

// Codes that stand for a character other than themselves.
inline constexpr CursesCharacter kCharacterKeys[] = {
    {'\r', kKeyEnter},     {'\n', kKeyEnter},     {KEY_ENTER, kKeyEnter},
    {0x7f, kKeyBackspace}, {'\b', kKeyBackspace}, {KEY_BACKSPACE, kKeyBackspace},
};

// One code from wgetch, taken on its own (Escape is just the Escape key here).
constexpr KeyMeaning TranslateKey(int code) {
  for (const CursesCharacter& entry : kCharacterKeys) {
    if (entry.cursesCode == code) return KeyMeaning::Of(KeyPress::Character(entry.character));
  }
  for (const CursesKeyName& entry : kSpecialKeys) {
    if (entry.cursesCode == code) return KeyMeaning::Of(KeyPress::Special(entry.key));
  }
  if (code == kRepaintKey) return KeyMeaning::RepaintScreen();
  // Character 0 would read as the start of a special key; bytes above 126 are pieces of
  // UTF-8 or meta keys, which the game's character set has no use for.
  if (code >= 1 && code <= 126) {
    return KeyMeaning::Of(KeyPress::Character(static_cast<std::uint8_t>(code)));
  }
  return KeyMeaning::None();  // ERR, unnamed curses keys (shifted arrows, KEY_RESIZE, ...)
}

// Sequences a terminal may send without its description listing them (keypad keys in
// application mode, the cursor block in either cursor mode, vt220 editing and function keys).
// Only the plain keys: a sequence with modifiers is dropped like any unknown one.
inline constexpr CursesCharacter kShiftThreeCharacters[] = {
    {'M', kKeyEnter}, {'j', '*'}, {'k', '+'}, {'l', ','}, {'m', '-'}, {'n', '.'},
    {'o', '/'},       {'p', '0'}, {'q', '1'}, {'r', '2'}, {'s', '3'}, {'t', '4'},
    {'u', '5'},       {'v', '6'}, {'w', '7'}, {'x', '8'}, {'y', '9'}, {'X', '='},
};

struct SequenceKey {
  int final;  // the final byte (of SS3, or of CSI without parameters), or the ~ number
  SpecialKey key;
};

inline constexpr SequenceKey kCursorFinals[] = {
    {'A', SpecialKey::Up},   {'B', SpecialKey::Down}, {'C', SpecialKey::Right},
    {'D', SpecialKey::Left}, {'H', SpecialKey::Home}, {'F', SpecialKey::End},
};

inline constexpr SequenceKey kShiftThreeFunctionFinals[] = {
    {'P', SpecialKey::F1},
    {'Q', SpecialKey::F2},
    {'R', SpecialKey::F3},
    {'S', SpecialKey::F4},
};

inline constexpr SequenceKey kTildeNumbers[] = {
    {1, SpecialKey::Home}, {2, SpecialKey::Insert}, {3, SpecialKey::Delete},
    {4, SpecialKey::End},  {5, SpecialKey::PageUp}, {6, SpecialKey::PageDown},
    {7, SpecialKey::Home}, {8, SpecialKey::End},    {11, SpecialKey::F1},
    {12, SpecialKey::F2},  {13, SpecialKey::F3},    {14, SpecialKey::F4},
    {15, SpecialKey::F5},  {17, SpecialKey::F6},    {18, SpecialKey::F7},
    {19, SpecialKey::F8},  {20, SpecialKey::F9},    {21, SpecialKey::F10},
    {23, SpecialKey::F11}, {24, SpecialKey::F12},
};

// The Linux console's F1-F5: Escape [ [ A to E.
inline constexpr SequenceKey kLinuxFunctionFinals[] = {
    {'A', SpecialKey::F1}, {'B', SpecialKey::F2}, {'C', SpecialKey::F3},
    {'D', SpecialKey::F4}, {'E', SpecialKey::F5},
};

template <std::size_t N>
constexpr KeyMeaning LookUp(const SequenceKey (&table)[N], int final) {
  for (const SequenceKey& entry : table) {
    if (entry.final == final) return KeyMeaning::Of(KeyPress::Special(entry.key));
  }
  return KeyMeaning::None();
}

// Feeds wgetch's codes one by one through the escape-sequence recogniser.
class KeyTranslator {
 public:
  KeyMeaning Feed(int code) {
    switch (state_) {
      case State::Ground:
        if (code == kKeyEscape) {
          state_ = State::Escape;
          meta_ = false;
          return KeyMeaning::None();
        }
        return TranslateKey(code);
      case State::Escape:
        return AfterEscape(code);
      case State::ControlSequence:
        if (code == '[' && length_ == 0) {
          state_ = State::LinuxFunction;
          return KeyMeaning::None();
        }
        if (code >= 0x20 && code <= 0x3f) {  // parameters and intermediates
          if (length_ < sizeof parameters_) parameters_[length_] = static_cast<char>(code);
          ++length_;
          return KeyMeaning::None();
        }
        if (code >= 0x40 && code <= 0x7e) return Finish(ControlSequenceKey(code));
        return Abandon(code);
      case State::ShiftThree:
        if (code >= 0x20 && code <= 0x7e) return Finish(ShiftThreeKey(code));
        return Abandon(code);
      case State::LinuxFunction:
        if (code >= 0x20 && code <= 0x7e) return Finish(LookUp(kLinuxFunctionFinals, code));
        return Abandon(code);
      case State::String:
        if (code == '\a') return Finish(KeyMeaning::None());
        if (code == kKeyEscape) state_ = State::StringEscape;
        return KeyMeaning::None();
      case State::StringEscape:
        if (code == '\\') return Finish(KeyMeaning::None());
        state_ = State::String;
        return KeyMeaning::None();
    }
    return KeyMeaning::None();
  }

  // Nothing more is waiting. An Escape on its own was the Escape key (curses has already
  // waited its escape delay for a follower); a sequence cut short is dropped.
  KeyMeaning EndOfInput() {
    const bool loneEscape = state_ == State::Escape;
    state_ = State::Ground;
    return loneEscape ? KeyMeaning::Of(KeyPress::Character(kKeyEscape)) : KeyMeaning::None();
  }

  // Inside a sequence past its Escape: worth waiting a moment for the rest of it.
  bool MidSequence() const { return state_ != State::Ground && state_ != State::Escape; }

 private:
  enum class State {
    Ground,
    Escape,
    ControlSequence,
    ShiftThree,
    LinuxFunction,
    String,
    StringEscape
  };

  KeyMeaning AfterEscape(int code) {
    length_ = 0;
    switch (code) {
      case '[':
        state_ = State::ControlSequence;
        return KeyMeaning::None();
      case 'O':
        state_ = State::ShiftThree;
        return KeyMeaning::None();
      case ']':
      case 'P':
      case 'X':
      case '^':
      case '_':  // OSC, DCS, SOS, PM, APC
        state_ = State::String;
        return KeyMeaning::None();
      case kKeyEscape:  // Escape Escape ...: Alt with a key that sends a sequence
        meta_ = true;
        return KeyMeaning::None();
      default:
        state_ = State::Ground;
        // Escape before a key curses did name: the key stands. Before a plain byte it was Alt
        // with that key, which the game has no use for.
        if (code >= KEY_MIN && !meta_) return TranslateKey(code);
        return KeyMeaning::None();
    }
  }

  KeyMeaning ControlSequenceKey(int final) const {
    if (length_ == 0) return LookUp(kCursorFinals, final);
    if (final != '~' || length_ > 2) return KeyMeaning::None();
    int number = 0;
    for (std::size_t i = 0; i < length_; ++i) {
      if (parameters_[i] < '0' || parameters_[i] > '9') return KeyMeaning::None();
      number = number * 10 + (parameters_[i] - '0');
    }
    return LookUp(kTildeNumbers, number);
  }

  static KeyMeaning ShiftThreeKey(int final) {
    for (const CursesCharacter& entry : kShiftThreeCharacters) {
      if (entry.cursesCode == final) return KeyMeaning::Of(KeyPress::Character(entry.character));
    }
    const KeyMeaning cursor = LookUp(kCursorFinals, final);
    return cursor.kind != KeyMeaning::Kind::Nothing ? cursor
                                                    : LookUp(kShiftThreeFunctionFinals, final);
  }

  // Alt with any key is no key the game knows.
  KeyMeaning Finish(KeyMeaning meaning) {
    state_ = State::Ground;
    return meta_ ? KeyMeaning::None() : meaning;
  }

  // A byte that cannot be part of the sequence ends it and counts on its own.
  KeyMeaning Abandon(int code) {
    state_ = State::Ground;
    return Feed(code);
  }

  State state_ = State::Ground;
  bool meta_ = false;
  char parameters_[4] = {};
  std::size_t length_ = 0;  // parameter and intermediate bytes seen, kept or not
};

}  // namespace ashwicket::terminal
