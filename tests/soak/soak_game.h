// One game on the headless console, played stretch by stretch, with the game's rules checked
// after every command and on every frame.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "shell/game_state.h"
#include "soak/checking_backend.h"
#include "soak/key_script.h"

namespace ashwicket::soak {

// What a source of keys may look at before it gives the next stretch.
struct GameView {
  const GameState& state;
  bool opening = false;  // the opening page is up; the thirty minutes have not started
  double left_s = 0.0;   // time left before the deadline (after the opening page)
};

class StretchSource {
 public:
  virtual ~StretchSource() = default;
  // The next stretch to play, or nothing when the source is spent.
  virtual std::optional<Stretch> Next(const GameView& view) = 0;
};

// Plays the stretches of a recorded game in order.
class ReplaySource final : public StretchSource {
 public:
  explicit ReplaySource(const GameScript& script) : script_(script) {}
  std::optional<Stretch> Next(const GameView&) override {
    if (next_ >= script_.stretches.size()) return std::nullopt;
    return script_.stretches[next_++];
  }

 private:
  const GameScript& script_;
  std::size_t next_ = 0;
};

enum class Ending { Won, Quit, TimedOut, RanDry, Unfinished, Failed };

const char* EndingName(Ending ending);

struct GameOutcome {
  Ending ending = Ending::Unfinished;
  SoakFailure failure;  // when Failed
  int turns = 0;
  double virtual_s = 0.0;
  std::int64_t presses = 0;
};

// The game as played so far, kept up to date stretch by stretch so that it can be printed even
// when a sanitizer stops the process in the middle of a turn.
struct GameRecord {
  GameScript script;
  std::string text;  // FormatScript(script)
};

// Stops asking for stretches once this many presses have been played; < 0: no limit.
struct PlayLimits {
  std::int64_t maxPresses = -1;
};

GameOutcome PlayGame(std::int64_t startOfDay_ms, StretchSource& source, GameRecord& record,
                     const PlayLimits& limits = {});

}  // namespace ashwicket::soak
