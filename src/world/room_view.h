// Prints the current room's block under the turn screen.
#pragma once

#include "shell/game_state.h"

namespace ashwicket {

// Every line with a line end; evidence lines only while their item lies in the room.
void PrintRoomText(Game& game);

}  // namespace ashwicket
