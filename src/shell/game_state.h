// The one record of the game, and the context every handler works on.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "console/console.h"

namespace ashwicket {

inline constexpr int kRoomCount = 18;

struct GameState {
  int currentRoom = 1;
  // Carried flags: 0 while the item lies in its room, 1 once taken; never back to 0.
  int hasDrawing = 0;
  int hasPistol = 0;
  int hasDoll = 0;
  int hasTicket = 0;
  int hasRing = 0;
  std::array<std::string_view, kRoomCount + 1> exitsText{};  // indexed by room, 1-18
  float limitMinutes = 0.0f;
  float limitSeconds = 0.0f;
  float limitTotalSeconds = 0.0f;
  double deadline = 0.0;  // clock reading at which the time runs out
  std::string command;
};

// Names one of the carried flags, so tables can say which item a line or a command is about.
using CarriedFlag = int GameState::*;

struct Game {
  GameState state;
  Console& console;
};

}  // namespace ashwicket
