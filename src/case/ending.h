// The accusation at the desk: the two closing pages, then the end of the game.
#pragma once

#include "shell/game_state.h"

namespace ashwicket {

[[noreturn]] void PresentEvidence(Game& game);

}  // namespace ashwicket
