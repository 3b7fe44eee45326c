#include "world/movement.h"

#include <array>

#include "shell/page_waits.h"

namespace ashwicket {

namespace {

struct RoomExits {
  int north = kNoExit;
  int east = kNoExit;
  int south = kNoExit;
  int west = kNoExit;
  std::string_view text;
};

// Indexed by room number; entry 0 stands for no room. The hallway runs west to east through
// rooms 4, 7, 10, 13 and 16, each section with one room to its north and one to its south.
// clang-format off
constexpr std::array<RoomExits, kRoomCount + 1> kMap = {{
    {},
    {kNoExit, kNoExit, 2, kNoExit, "SOUTH"},                    // 1 Parking Lot
    {1, 3, kNoExit, kNoExit, "NORTH OR EAST"},                  // 2 Inn Entrance
    {kNoExit, 4, kNoExit, 2, "EAST OR WEST"},                   // 3 Check-in Desk
    {5, 7, 6, 3, "NORTH, SOUTH, EAST, OR WEST"},                // 4 West Hallway
    {kNoExit, kNoExit, 4, kNoExit, "SOUTH"},                    // 5 Greens' Room
    {4, kNoExit, kNoExit, kNoExit, "NORTH"},                    // 6 Vacant Room
    {8, 10, 9, 4, "NORTH, SOUTH, EAST, OR WEST"},               // 7 Aged Hallway
    {kNoExit, kNoExit, 7, kNoExit, "SOUTH"},                    // 8 Eerie Room
    {7, kNoExit, kNoExit, kNoExit, "NORTH"},                    // 9 Listening Room
    {11, 13, 12, 7, "NORTH, SOUTH, EAST, OR WEST"},             // 10 Middle Hallway
    {kNoExit, kNoExit, 10, kNoExit, "SOUTH"},                   // 11 Pistol Room
    {10, kNoExit, kNoExit, kNoExit, "NORTH"},                   // 12 Wilson's Room
    {14, 16, 15, 10, "NORTH, SOUTH, EAST, OR WEST"},            // 13 Uneasy Hallway
    {kNoExit, kNoExit, 13, kNoExit, "SOUTH"},                   // 14 Margo's Room
    {13, kNoExit, kNoExit, kNoExit, "NORTH"},                   // 15 Bare Room
    {17, kNoExit, 18, 13, "NORTH, SOUTH, OR WEST"},             // 16 Hall's End
    {kNoExit, kNoExit, 16, kNoExit, "SOUTH"},                   // 17 Spare Room
    {16, kNoExit, kNoExit, kNoExit, "NORTH"},                   // 18 Phil's Room
}};
// clang-format on

const RoomExits& ExitsOf(int room) {
  return kMap[room >= 1 && room <= kRoomCount ? static_cast<std::size_t>(room) : 0];
}

}  // namespace

int Destination(int room, Direction direction) {
  const RoomExits& exits = ExitsOf(room);
  switch (direction) {
    case Direction::North:
      return exits.north;
    case Direction::East:
      return exits.east;
    case Direction::South:
      return exits.south;
    case Direction::West:
      return exits.west;
  }
  return kNoExit;
}

std::string_view ExitText(int room) {
  return ExitsOf(room).text;
}

bool MovePlayer(Game& game, Direction direction) {
  const int destination = Destination(game.state.currentRoom, direction);
  if (destination == kNoExit) return false;
  game.state.currentRoom = destination;
  return true;
}

void ShowExits(Game& game) {
  Console& console = game.console;
  console.Clear();
  console.PrintLine(game.state.exitsText[static_cast<std::size_t>(game.state.currentRoom)]);
  console.PrintLine();
  console.PrintLine("PRESS ANY KEY...");
  WaitForNextKey(console);
}

}  // namespace ashwicket
