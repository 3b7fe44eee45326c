// The commands that belong to no room: the help page (quitting is EndGame itself).
#pragma once

#include "shell/game_state.h"

namespace ashwicket {

void ShowHelp(Game& game);

}  // namespace ashwicket
