// The screen every turn starts from: banner, compass of the current room's exits, hint.
#pragma once

#include "shell/game_state.h"

namespace ashwicket {

// Clears the screen and draws rows 1-16, leaving the cursor at the start of row 17.
void DrawTurnScreen(Game& game);

}  // namespace ashwicket
