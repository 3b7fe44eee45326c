// What SDL's key and text events mean to the game, as pure functions: no SDL state is touched,
// so the whole keyboard mapping can be checked without a display.
#pragma once

#include <SDL_keycode.h>

#include <string>
#include <string_view>

#include "console/keys.h"

namespace ashwicket::window {

struct KeyDownMeaning {
  enum class Kind {
    kIgnore,            // modifiers and lock keys alone, keys the game has no code for
    kPress,             // a complete press, given in `press`
    kAwaitText,         // a character key: its character arrives in the text event that follows
    kToggleFullscreen,  // Alt+Enter, which the game never sees
    kCloseWindow,       // Alt+F4, for when no window manager takes it first
  };
  Kind kind = Kind::kIgnore;
  KeyPress press{};
};

// One key going down. `modifiers` is SDL's KMOD_* state at that moment.
KeyDownMeaning TranslateKeyDown(SDL_Keycode key, Uint16 modifiers);

// Typed UTF-8 text as code page 437 characters; characters the code page lacks are dropped, and
// so are control characters and broken UTF-8.
std::string TextToCp437(std::string_view utf8);

}  // namespace ashwicket::window
