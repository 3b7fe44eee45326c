// What each room shows under the turn screen: a block of lines per room.
#pragma once

#include <span>
#include <string_view>

#include "shell/game_state.h"

namespace ashwicket {

// A text line, an empty line (empty text), or an evidence line that shows only while its
// item is not carried.
struct RoomLine {
  std::string_view text;
  CarriedFlag shownWhileUncarried = nullptr;
};

// The block of a room 1-18; an empty block for any other number.
std::span<const RoomLine> RoomBlock(int room);

}  // namespace ashwicket
