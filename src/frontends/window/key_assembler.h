// Pairs SDL's separate events for one key (key down, then the text it typed, then key up) into
// the game's presses and releases. The character comes from the text event, so layouts, Shift,
// Caps Lock, AltGr and dead keys all type what the system says they type.
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

#include "console/key_queues.h"

namespace ashwicket::window {

class KeyAssembler {
 public:
  // What the window has to do about a key beyond filling the queues.
  enum class Command { kNone, kToggleFullscreen, kCloseWindow };

  // `repeat` marks the system's auto-repeat of a held key, which repeats its press.
  Command KeyDown(SDL_Keycode key, SDL_Scancode scancode, Uint16 modifiers, bool repeat,
                  KeyQueues& queues);
  void Text(std::string_view utf8, KeyQueues& queues);
  void KeyUp(SDL_Scancode scancode, KeyQueues& queues);

  // Presses and releases put into the queues so far.
  std::uint64_t KeysDelivered() const { return delivered_; }

 private:
  // The character key that went down last and whose text has not come yet. A key whose text
  // never comes (a dead key, Ctrl with a digit) types nothing.
  std::optional<SDL_Scancode> awaitingText_;
  // Keys down now, with the code their release will carry.
  std::map<SDL_Scancode, int> held_;
  std::uint64_t delivered_ = 0;
};

}  // namespace ashwicket::window
