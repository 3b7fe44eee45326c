#include "world/room_view.h"

#include "world/room_texts.h"

namespace ashwicket {

void PrintRoomText(Game& game) {
  for (const RoomLine& line : RoomBlock(game.state.currentRoom)) {
    if (line.shownWhileUncarried != nullptr && game.state.*line.shownWhileUncarried != 0) continue;
    game.console.PrintLine(line.text);
  }
}

}  // namespace ashwicket
