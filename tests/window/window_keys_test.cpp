// The window's keyboard: SDL's key-down, text and key-up events turned into the game's
// character queue and event queue.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/key_queues.h"
#include "frontends/window/key_assembler.h"
#include "frontends/window/key_translation.h"

namespace ashwicket::window {
namespace {

using Command = KeyAssembler::Command;

struct Taken {
  std::vector<std::string> characters;
  std::vector<int> events;
};

Taken TakeAll(KeyQueues& queues) {
  Taken taken;
  for (std::string key; !(key = queues.PollCharacter()).empty();) taken.characters.push_back(key);
  for (int code; (code = queues.PollEvent()) != 0;) taken.events.push_back(code);
  return taken;
}

std::string Special(SpecialKey key) {
  return std::string({'\0', static_cast<char>(key)});
}

// One key pressed and released, with the text SDL sends for it on a US layout (null: none).
TEST(WindowKeys, OneKeyTable) {
  struct Case {
    const char* what;
    SDL_Keycode key;
    Uint16 modifiers;
    const char* text;
    std::string character;  // empty: the key reaches neither queue
    int code;
    Command command = Command::kNone;
  } cases[] = {
      {"letter", SDLK_a, KMOD_NONE, "a", "a", 'a'},
      {"letter with Shift", SDLK_a, KMOD_LSHIFT, "A", "A", 'A'},
      {"letter with Caps Lock", SDLK_a, KMOD_CAPS, "A", "A", 'A'},
      {"space", SDLK_SPACE, KMOD_NONE, " ", " ", ' '},
      {"full stop", SDLK_PERIOD, KMOD_NONE, ".", ".", '.'},
      {"question mark", SDLK_SLASH, KMOD_RSHIFT, "?", "?", '?'},
      {"digit", SDLK_7, KMOD_NONE, "7", "7", '7'},
      {"apostrophe", SDLK_QUOTE, KMOD_NONE, "'", "'", '\''},
      {"Enter", SDLK_RETURN, KMOD_NONE, nullptr, "\r", 13},
      {"keypad Enter", SDLK_KP_ENTER, KMOD_NUM, nullptr, "\r", 13},
      {"Shift+Enter", SDLK_RETURN, KMOD_LSHIFT, nullptr, "\r", 13},
      {"Backspace", SDLK_BACKSPACE, KMOD_NONE, nullptr, "\b", 8},
      {"Escape", SDLK_ESCAPE, KMOD_NONE, nullptr, "\x1b", 27},
      {"Tab", SDLK_TAB, KMOD_NONE, nullptr, "\t", 9},
      {"Ctrl+C", SDLK_c, KMOD_LCTRL, nullptr, "\x03", 3},
      {"Up", SDLK_UP, KMOD_NONE, nullptr, Special(SpecialKey::Up), 72 * 256},
      {"Left", SDLK_LEFT, KMOD_NONE, nullptr, Special(SpecialKey::Left), 75 * 256},
      {"F1", SDLK_F1, KMOD_NONE, nullptr, Special(SpecialKey::F1), 59 * 256},
      {"F12", SDLK_F12, KMOD_NONE, nullptr, Special(SpecialKey::F12), 134 * 256},
      {"Delete", SDLK_DELETE, KMOD_NONE, nullptr, Special(SpecialKey::Delete), 83 * 256},
      {"keypad 8, Num Lock off", SDLK_KP_8, KMOD_NONE, nullptr, Special(SpecialKey::Up), 72 * 256},
      {"keypad 8, Num Lock on", SDLK_KP_8, KMOD_NUM, "8", "8", '8'},
      {"keypad point, Num Lock off", SDLK_KP_PERIOD, KMOD_NONE, nullptr,
       Special(SpecialKey::Delete), 83 * 256},
      {"keypad 5, Num Lock off", SDLK_KP_5, KMOD_NONE, nullptr, "", 0},
      {"accented letter", 0xE9, KMOD_NONE, "\xC3\xA9", "\x82", 0x82},
      {"AltGr reported as Ctrl+Alt", SDLK_q, KMOD_RALT | KMOD_LCTRL, "@", "@", '@'},
      {"character outside code page 437", 0x20AC, KMOD_NONE, "\xE2\x82\xAC", "", 0},
      {"Shift alone", SDLK_LSHIFT, KMOD_LSHIFT, nullptr, "", 0},
      {"Caps Lock alone", SDLK_CAPSLOCK, KMOD_NONE, nullptr, "", 0},
      {"Ctrl+digit, which types no text", SDLK_2, KMOD_LCTRL, nullptr, "", 0},
      {"Alt+Enter", SDLK_RETURN, KMOD_LALT, nullptr, "", 0, Command::kToggleFullscreen},
      {"Alt+keypad Enter", SDLK_KP_ENTER, KMOD_RALT, nullptr, "", 0, Command::kToggleFullscreen},
      {"Alt+F4", SDLK_F4, KMOD_LALT, nullptr, "", 0, Command::kCloseWindow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    KeyAssembler keys;
    KeyQueues queues;
    const auto scancode = SDL_SCANCODE_G;  // the physical key does not matter to the mapping
    EXPECT_EQ(keys.KeyDown(c.key, scancode, c.modifiers, false, queues), c.command);
    if (c.text) keys.Text(c.text, queues);
    keys.KeyUp(scancode, queues);
    const Taken taken = TakeAll(queues);
    if (c.character.empty()) {
      EXPECT_TRUE(taken.characters.empty());
      EXPECT_TRUE(taken.events.empty());
      EXPECT_EQ(keys.KeysDelivered(), 0u);
    } else {
      EXPECT_EQ(taken.characters, std::vector<std::string>{c.character});
      EXPECT_EQ(taken.events, (std::vector<int>{c.code, -c.code}));
      EXPECT_EQ(keys.KeysDelivered(), 2u);
    }
  }
}

TEST(WindowKeys, HeldKeyRepeatsItsPressAndReleasesOnce) {
  KeyAssembler keys;
  KeyQueues queues;
  keys.KeyDown(SDLK_a, SDL_SCANCODE_A, KMOD_NONE, false, queues);
  keys.Text("a", queues);
  keys.KeyDown(SDLK_a, SDL_SCANCODE_A, KMOD_NONE, true, queues);
  keys.Text("a", queues);
  keys.KeyDown(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, false, queues);
  keys.KeyDown(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, true, queues);
  keys.KeyUp(SDL_SCANCODE_BACKSPACE, queues);
  keys.KeyUp(SDL_SCANCODE_A, queues);
  const Taken taken = TakeAll(queues);
  EXPECT_EQ(taken.characters, (std::vector<std::string>{"a", "a", "\b", "\b"}));
  EXPECT_EQ(taken.events, (std::vector<int>{'a', 'a', 8, 8, -8, -'a'}));
}

TEST(WindowKeys, ReleaseCarriesTheCodeOfItsOwnPress) {
  KeyAssembler keys;
  KeyQueues queues;
  // Shift+S, Shift let go first, then a second key overlapping the first.
  keys.KeyDown(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_LSHIFT, false, queues);
  keys.KeyDown(SDLK_s, SDL_SCANCODE_S, KMOD_LSHIFT, false, queues);
  keys.Text("S", queues);
  keys.KeyUp(SDL_SCANCODE_LSHIFT, queues);
  keys.KeyDown(SDLK_e, SDL_SCANCODE_E, KMOD_NONE, false, queues);
  keys.Text("e", queues);
  keys.KeyUp(SDL_SCANCODE_S, queues);
  keys.KeyUp(SDL_SCANCODE_E, queues);
  const Taken taken = TakeAll(queues);
  EXPECT_EQ(taken.characters, (std::vector<std::string>{"S", "e"}));
  EXPECT_EQ(taken.events, (std::vector<int>{'S', 'e', -'S', -'e'}));
}

TEST(WindowKeys, TextWithoutItsOwnKeyIsPressedAndReleasedAtOnce) {
  KeyAssembler keys;
  KeyQueues queues;
  // A dead key types nothing; the letter after it carries the composed character.
  keys.KeyDown(SDLK_CARET, SDL_SCANCODE_LEFTBRACKET, KMOD_NONE, false, queues);
  keys.KeyUp(SDL_SCANCODE_LEFTBRACKET, queues);
  keys.KeyDown(SDLK_e, SDL_SCANCODE_E, KMOD_NONE, false, queues);
  keys.Text("\xC3\xAA", queues);  // e with circumflex, 0x88 in code page 437
  // An input method hands over two characters at once, while E is still down.
  keys.Text("ok", queues);
  keys.KeyUp(SDL_SCANCODE_E, queues);
  const Taken taken = TakeAll(queues);
  EXPECT_EQ(taken.characters, (std::vector<std::string>{"\x88", "o", "k"}));
  EXPECT_EQ(taken.events, (std::vector<int>{0x88, 'o', -'o', 'k', -'k', -0x88}));
}

TEST(WindowKeys, AltEnterTogglesOnceAndNeverReachesTheGame) {
  KeyAssembler keys;
  KeyQueues queues;
  keys.KeyDown(SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT, false, queues);
  EXPECT_EQ(keys.KeyDown(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, false, queues),
            Command::kToggleFullscreen);
  EXPECT_EQ(keys.KeyDown(SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, true, queues),
            Command::kNone);  // held: no flicker between modes
  keys.KeyUp(SDL_SCANCODE_RETURN, queues);
  keys.KeyUp(SDL_SCANCODE_LALT, queues);
  const Taken taken = TakeAll(queues);
  EXPECT_TRUE(taken.characters.empty());
  EXPECT_TRUE(taken.events.empty());
}

TEST(WindowKeys, TextToCodePage437Table) {
  struct Case {
    const char* utf8;
    std::string cp437;
  } cases[] = {
      {"Ashwicket", "Ashwicket"},
      {"\xC3\xA9\xC3\xBF\xC2\xA3\xC2\xBD", "\x82\x98\x9C\xAB"},  // e-acute, y-umlaut, pound, half
      {"\xE2\x96\x91\xCE\xB1\xE2\x96\xBA", "\xB0\xE0\x10"},      // light shade, alpha, pointer
      {"\xE2\x82\xAC", ""},                                      // euro sign: not in the code page
      {"\xF0\x9F\x94\x8E", ""},                                  // four-byte character
      {"\t\x7F", ""},                                            // control characters
      {"a\x80"
       "b\xC3",
       "ab"},              // stray continuation byte, cut-off sequence
      {"\xE9t\xE9", "t"},  // Latin-1 bytes are not UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(TextToCp437(c.utf8), c.cp437) << c.utf8;
}

}  // namespace
}  // namespace ashwicket::window
