// A game on the headless console, for tests: run it whole, or set up a state and call a piece.
#pragma once

#include <string>

#include "console/console.h"
#include "shell/game_state.h"
#include "shell/startup.h"
#include "support/headless_backend.h"

namespace ashwicket::testing {

struct RunOutcome {
  bool ended = false;  // through the game's own end, not because the script ran out
  int status = -1;
  double at_s = 0.0;
};

class GameHarness {
 public:
  explicit GameHarness(double startOfDay_s = 12 * 3600.0);

  // The whole program from the opening page, until it ends or the script is played out.
  RunOutcome Run();
  // Runs one piece of the game (a handler, a page, a turn) the same way.
  template <typename Piece>
  RunOutcome RunPiece(Piece&& piece);

  // The state as start-up leaves it, with the thirty minutes starting now.
  void StartPlaying(int room = 1);

  // Row text with trailing blanks removed; Screen() for cells and colours.
  std::string Row(int row) const;
  // Rows first..last, trimmed, joined with '\n'.
  std::string Rows(int first, int last) const;
  const ScreenBuffer& Screen() const { return console.Screen(); }

  HeadlessBackend backend;
  Console console;
  Game game;
};

template <typename Piece>
RunOutcome GameHarness::RunPiece(Piece&& piece) {
  try {
    piece(game);
  } catch (const ScriptFinished& finished) {
    return {false, -1, finished.at_s};
  } catch (const GameEnded& end) {
    return {true, end.status, backend.Now()};
  }
  return {false, -1, backend.Now()};
}

}  // namespace ashwicket::testing
