// What the soak types into one game, in a compact text form that can be pasted back on the
// command line to replay it.
//
// A game is the local time of day it starts at and a list of stretches. The first stretch is
// played while the opening page is up; each later one is scheduled as a turn begins, from the
// virtual moment the turn starts. Within a stretch a running offset in milliseconds places
// the keys:
//
//   ~t<ms>;       (game header) local time of day at start, in milliseconds
//   |             next stretch
//   A-Z a-z 0-9 and printable punctuation other than ~ | _ '
//                 that key, pressed and released at the offset; the offset then grows by
//                 the spacing
//   _             the space bar
//   ~E ~B ~X ~T   Enter, Backspace, Escape, Tab
//   ~q ~u ~p ~~   apostrophe, underscore, vertical bar, tilde
//   ~h<2 hex>     any other character code (control characters, 8-bit characters)
//   ~k<2 hex>     a key without a character, by scan code (arrows, function keys...)
//   ~+<key>       press only (a held key)
//   ~-<key>       release only (with no press: a stray release)
//   ~w<ms>;       wait: the offset grows by ms
//   ~s<ms>;       spacing from here on (each stretch starts at kDefaultSpacing_ms)
//
// Only the apostrophe would upset a single-quoted shell word, and it is escaped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/keys.h"
#include "support/headless_backend.h"

namespace ashwicket::soak {

inline constexpr int kDefaultSpacing_ms = 100;

struct KeyOp {
  enum class Kind : std::uint8_t { Type, Press, Release, Wait, Spacing };
  Kind kind = Kind::Type;
  KeyPress key{};  // Type, Press, Release
  std::int64_t ms = 0;  // Wait, Spacing

  friend bool operator==(const KeyOp& a, const KeyOp& b) {
    return a.kind == b.kind && a.ms == b.ms && a.key.character == b.key.character &&
           a.key.scanCode == b.key.scanCode && a.key.code == b.key.code;
  }
};

using Stretch = std::vector<KeyOp>;

struct GameScript {
  std::int64_t startOfDay_ms = 12 * 3600 * 1000;
  std::vector<Stretch> stretches;
  friend bool operator==(const GameScript&, const GameScript&) = default;
};

// A key from its character code (1-255) or its scan code.
KeyPress CharacterKey(int code);
KeyPress ScanKey(int scanCode);

std::string FormatStretch(const Stretch& stretch);
std::string FormatHeader(std::int64_t startOfDay_ms);
std::string FormatScript(const GameScript& script);

// Parses a whole game; nullopt (and a reason) on anything malformed.
std::optional<GameScript> ParseScript(std::string_view text, std::string* error = nullptr);

// How many key presses a stretch makes (the figure the soak counts).
std::int64_t CountPresses(const Stretch& stretch);

// When the command reader, which takes one event (a press or a release) a pass, 30 passes a
// second, will have caught up with a burst of keys.
class ReaderBacklog {
 public:
  void Event(double at_ms) { done_ms_ = (at_ms > done_ms_ ? at_ms : done_ms_) + 1000.0 / 30.0; }
  double Done_ms() const { return done_ms_; }

 private:
  double done_ms_ = 0.0;
};

struct Scheduled {
  double last_s = 0.0;        // the stretch's last key or wait, or when the reader has caught up
  double lastEnter_s = -1.0;  // its last press of Enter; -1 for none
};

// Puts the stretch's keys on the backend's script from anchor_s on.
Scheduled ScheduleStretch(testing::HeadlessBackend& backend, double anchor_s, const Stretch& stretch);

}  // namespace ashwicket::soak
