// The map of the inn: where each exit leads, the exit texts, moving and the look page.
#pragma once

#include <string_view>

#include "shell/game_state.h"

namespace ashwicket {

enum class Direction { North, East, South, West };

inline constexpr int kNoExit = 0;

// The room the exit leads to, or kNoExit; kNoExit too for a number that is no room.
int Destination(int room, Direction direction);
// The directions out of a room, in capitals, as the look page shows them.
std::string_view ExitText(int room);

// Takes the exit if there is one and reports whether the player moved. Prints nothing.
bool MovePlayer(Game& game, Direction direction);
// The look page: the current room's exit text and a key to go back.
void ShowExits(Game& game);

}  // namespace ashwicket
