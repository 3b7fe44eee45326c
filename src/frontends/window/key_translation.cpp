#include "frontends/window/key_translation.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>

#include "frontends/window/cp437.h"

namespace ashwicket::window {

namespace {

using Kind = KeyDownMeaning::Kind;

KeyDownMeaning Press(KeyPress press) {
  return {Kind::kPress, press};
}
KeyDownMeaning Character(std::uint8_t ch) {
  return Press(KeyPress::Character(ch));
}
KeyDownMeaning Special(SpecialKey key) {
  return Press(KeyPress::Special(key));
}

struct KeyName {
  SDL_Keycode key;
  SpecialKey special;
};

// Keys that type no character, wherever they sit on the keyboard.
constexpr KeyName kSpecialKeys[] = {
    {SDLK_F1, SpecialKey::F1},         {SDLK_F2, SpecialKey::F2},
    {SDLK_F3, SpecialKey::F3},         {SDLK_F4, SpecialKey::F4},
    {SDLK_F5, SpecialKey::F5},         {SDLK_F6, SpecialKey::F6},
    {SDLK_F7, SpecialKey::F7},         {SDLK_F8, SpecialKey::F8},
    {SDLK_F9, SpecialKey::F9},         {SDLK_F10, SpecialKey::F10},
    {SDLK_F11, SpecialKey::F11},       {SDLK_F12, SpecialKey::F12},
    {SDLK_HOME, SpecialKey::Home},     {SDLK_END, SpecialKey::End},
    {SDLK_PAGEUP, SpecialKey::PageUp}, {SDLK_PAGEDOWN, SpecialKey::PageDown},
    {SDLK_UP, SpecialKey::Up},         {SDLK_DOWN, SpecialKey::Down},
    {SDLK_LEFT, SpecialKey::Left},     {SDLK_RIGHT, SpecialKey::Right},
    {SDLK_INSERT, SpecialKey::Insert}, {SDLK_DELETE, SpecialKey::Delete},
};

// The keypad's second layer, used while Num Lock is off. Keypad 5 has nothing there.
constexpr KeyName kKeypadMovement[] = {
    {SDLK_KP_7, SpecialKey::Home},   {SDLK_KP_8, SpecialKey::Up},
    {SDLK_KP_9, SpecialKey::PageUp}, {SDLK_KP_4, SpecialKey::Left},
    {SDLK_KP_6, SpecialKey::Right},  {SDLK_KP_1, SpecialKey::End},
    {SDLK_KP_2, SpecialKey::Down},   {SDLK_KP_3, SpecialKey::PageDown},
    {SDLK_KP_0, SpecialKey::Insert}, {SDLK_KP_PERIOD, SpecialKey::Delete},
};

// Keypad keys that type a character while Num Lock is on, or always.
constexpr SDL_Keycode kKeypadCharacterKeys[] = {
    SDLK_KP_0,        SDLK_KP_1,     SDLK_KP_2,    SDLK_KP_3,      SDLK_KP_4,      SDLK_KP_5,
    SDLK_KP_6,        SDLK_KP_7,     SDLK_KP_8,    SDLK_KP_9,      SDLK_KP_PERIOD, SDLK_KP_DIVIDE,
    SDLK_KP_MULTIPLY, SDLK_KP_MINUS, SDLK_KP_PLUS, SDLK_KP_EQUALS, SDLK_KP_COMMA,
};

std::optional<SpecialKey> Find(std::span<const KeyName> table, SDL_Keycode key) {
  for (const KeyName& name : table) {
    if (name.key == key) return name.special;
  }
  return std::nullopt;
}

bool IsKeypadCharacterKey(SDL_Keycode key) {
  return std::ranges::find(kKeypadCharacterKeys, key) != std::end(kKeypadCharacterKeys);
}

// Keys whose keycode is the character of the layout: SDL sends their text separately.
bool IsCharacterKey(SDL_Keycode key) {
  if (key >= 0x20 && key < 0x7F) return true;
  return key >= 0x80 && (key & SDLK_SCANCODE_MASK) == 0;
}

}  // namespace

KeyDownMeaning TranslateKeyDown(SDL_Keycode key, Uint16 modifiers) {
  const bool alt = (modifiers & KMOD_ALT) != 0;
  const bool ctrl = (modifiers & KMOD_CTRL) != 0;
  const bool numLock = (modifiers & KMOD_NUM) != 0;

  if (alt && !ctrl && (key == SDLK_RETURN || key == SDLK_KP_ENTER)) {
    return {Kind::kToggleFullscreen, {}};
  }
  if (alt && !ctrl && key == SDLK_F4) return {Kind::kCloseWindow, {}};

  // Keys with a character of their own for which SDL sends no text.
  switch (key) {
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
      return Character(kKeyEnter);
    case SDLK_BACKSPACE:
      return Character(kKeyBackspace);
    case SDLK_ESCAPE:
      return Character(kKeyEscape);
    case SDLK_TAB:
      return Character('\t');
    default:
      break;
  }

  if (const auto special = Find(kSpecialKeys, key)) return Special(*special);
  if (IsKeypadCharacterKey(key)) {
    if (numLock) return {Kind::kAwaitText, {}};
    if (const auto special = Find(kKeypadMovement, key)) return Special(*special);
    return {Kind::kAwaitText, {}};  // operators, whatever Num Lock says; keypad 5 gets no text
  }
  // Ctrl with a letter types the control character, as on a PC console (SDL has no text for
  // it). Ctrl with Alt is how some systems report AltGr, which types ordinary text.
  if (ctrl && !alt && key >= SDLK_a && key <= SDLK_z) {
    return Character(static_cast<std::uint8_t>(key - SDLK_a + 1));
  }
  if (IsCharacterKey(key)) return {Kind::kAwaitText, {}};
  return {Kind::kIgnore, {}};
}

std::string TextToCp437(std::string_view utf8) {
  std::string out;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const auto lead = static_cast<std::uint8_t>(utf8[at++]);
    int more = 0;
    char32_t cp = lead;
    if (lead >= 0xF8) {
      continue;  // no such lead byte
    } else if (lead >= 0xF0) {
      more = 3, cp = lead & 0x07;
    } else if (lead >= 0xE0) {
      more = 2, cp = lead & 0x0F;
    } else if (lead >= 0xC0) {
      more = 1, cp = lead & 0x1F;
    } else if (lead >= 0x80) {
      continue;  // a stray continuation byte
    }
    bool broken = false;
    for (; more > 0; --more) {
      if (at >= utf8.size() || (static_cast<std::uint8_t>(utf8[at]) & 0xC0) != 0x80) {
        broken = true;
        break;
      }
      cp = cp << 6 | (static_cast<std::uint8_t>(utf8[at++]) & 0x3F);
    }
    if (broken) continue;
    if (const auto ch = Cp437FromUnicode(cp)) out.push_back(static_cast<char>(*ch));
  }
  return out;
}

}  // namespace ashwicket::window
