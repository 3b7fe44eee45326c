// The game's entry point for every front-end.
#pragma once

#include "console/console.h"
#include "shell/game_state.h"

namespace ashwicket {

// Leaves the game by unwinding to main, which lets the front-end clean up in its destructor
// before the process ends with this status.
struct GameEnded {
  int status = 0;
};

// Start-up: the opening story page, a key, and the thirty minutes start.
void StartUp(Game& game);
// One turn: the turn screen, the room text, a command read and run.
void PlayTurn(Game& game);

// Start-up, then the turn loop. Never returns: the game ends by throwing GameEnded.
[[noreturn]] void RunGame(Console& console);

}  // namespace ashwicket
