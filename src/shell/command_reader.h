// The command step: the prompt, the timed reader with its live countdown, and the time limit.
#pragma once

#include <string>
#include <string_view>

#include "shell/game_state.h"

namespace ashwicket {

// Prints the prompt, reads a line and stores it normalised in game.state.command. Does not
// return when the time runs out: the death page ends the game.
void ReadCommand(Game& game);

// Letters to capitals, then the spaces at both ends removed; inner spaces stay as typed.
std::string NormaliseCommand(std::string_view line);

}  // namespace ashwicket
