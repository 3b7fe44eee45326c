// Random stretches of keys, seeded: mostly commands of the command table, typed in every way a
// player might, and near misses of them; then noise of every kind: pastes, storms of Enter,
// very long lines, held keys, stray releases, keys without a character, and waits that let
// the thirty minutes run out at the prompt or on a page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "soak/key_script.h"
#include "soak/soak_game.h"

namespace ashwicket::soak {

// splitmix64: small, fast and the same on every compiler and library. A seed plays the same
// games with g++ and clang only while no expression draws twice from it in an unsequenced
// order (two draws as arguments of one call, or on both sides of an operator).
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next();
  // 0 .. n-1; n > 0
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  bool Chance(int perThousand) { return Below(1000) < perThousand; }

 private:
  std::uint64_t state_;
};

// The seed of one game of a soak, so that any game can be played again on its own.
std::uint64_t GameSeed(std::uint64_t soakSeed, std::uint64_t game);

// The local time of day a game starts at: any time, and often shortly before midnight so that
// the game runs across it.
std::int64_t PickStartOfDay_ms(Rng& rng);

class StreamGenerator final : public StretchSource {
 public:
  explicit StreamGenerator(std::uint64_t seed) : rng_(seed) {}
  Rng& Random() { return rng_; }
  std::optional<Stretch> Next(const GameView& view) override;

 private:
  Stretch Opening();
  Stretch Turn(const GameView& view);
  std::string PlannedCommand(const GameState& state);

  Rng rng_;
  int target_ = 0;  // a room the generator is walking to, 0 for none
};

}  // namespace ashwicket::soak
