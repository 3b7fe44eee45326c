#include "frontends/window/key_assembler.h"

#include <cstdint>

#include "frontends/window/key_translation.h"

namespace ashwicket::window {

KeyAssembler::Command KeyAssembler::KeyDown(SDL_Keycode key, SDL_Scancode scancode,
                                            Uint16 modifiers, bool repeat, KeyQueues& queues) {
  awaitingText_.reset();
  const KeyDownMeaning meaning = TranslateKeyDown(key, modifiers);
  switch (meaning.kind) {
    case KeyDownMeaning::Kind::kIgnore:
      return Command::kNone;
    case KeyDownMeaning::Kind::kPress:
      queues.Press(meaning.press);
      ++delivered_;
      held_[scancode] = meaning.press.code;
      return Command::kNone;
    case KeyDownMeaning::Kind::kAwaitText:
      awaitingText_ = scancode;
      return Command::kNone;
    case KeyDownMeaning::Kind::kToggleFullscreen:
      return repeat ? Command::kNone : Command::kToggleFullscreen;
    case KeyDownMeaning::Kind::kCloseWindow:
      return repeat ? Command::kNone : Command::kCloseWindow;
  }
  return Command::kNone;
}

void KeyAssembler::Text(std::string_view utf8, KeyQueues& queues) {
  for (const char ch : TextToCp437(utf8)) {
    const auto press = KeyPress::Character(static_cast<std::uint8_t>(ch));
    queues.Press(press);
    ++delivered_;
    if (awaitingText_) {
      held_[*awaitingText_] = press.code;
      awaitingText_.reset();
    } else {
      // Text with no key of its own (an input method, the rest of a composed sequence): a
      // press and its release at once.
      queues.Release(press.code);
      ++delivered_;
    }
  }
  // Text the screen cannot show still uses up the key that typed it.
  awaitingText_.reset();
}

void KeyAssembler::KeyUp(SDL_Scancode scancode, KeyQueues& queues) {
  if (awaitingText_ == scancode) awaitingText_.reset();
  const auto it = held_.find(scancode);
  if (it == held_.end()) return;
  queues.Release(it->second);
  ++delivered_;
  held_.erase(it);
}

}  // namespace ashwicket::window
