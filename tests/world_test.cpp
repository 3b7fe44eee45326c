// The map, movement, the look page and the room texts as the turn screen prints them.
#include <gtest/gtest.h>

#include "shell/dispatch.h"
#include "shell/turn_screen.h"
#include "support/game_runner.h"
#include "world/movement.h"
#include "world/room_texts.h"
#include "world/room_view.h"

namespace ashwicket {
namespace {

using testing::GameHarness;

constexpr Direction kDirections[] = {Direction::North, Direction::East, Direction::South,
                                     Direction::West};

Direction Opposite(Direction d) {
  switch (d) {
    case Direction::North:
      return Direction::South;
    case Direction::South:
      return Direction::North;
    case Direction::East:
      return Direction::West;
    case Direction::West:
      return Direction::East;
  }
  return d;
}

const char* Word(Direction d) {
  switch (d) {
    case Direction::North:
      return "NORTH";
    case Direction::East:
      return "EAST";
    case Direction::South:
      return "SOUTH";
    case Direction::West:
      return "WEST";
  }
  return "";
}

TEST(Map, EveryExitLeadsBackAndIsNamedByItsExitText) {
  int exits = 0;
  for (int room = 1; room <= kRoomCount; ++room) {
    for (Direction d : kDirections) {
      const int to = Destination(room, d);
      const bool named = ExitText(room).find(Word(d)) != std::string_view::npos;
      EXPECT_EQ(to != kNoExit, named) << "room " << room << " " << Word(d);
      if (to == kNoExit) continue;
      ++exits;
      EXPECT_EQ(Destination(to, Opposite(d)), room) << room << " " << Word(d) << " -> " << to;
    }
  }
  EXPECT_EQ(exits, 34);
  EXPECT_EQ(Destination(0, Direction::North), kNoExit);
  EXPECT_EQ(Destination(19, Direction::South), kNoExit);
}

TEST(Movement, CommandsMoveOneRoomAtMost) {
  struct Case {
    int from;
    const char* command;
    int to;
  } cases[] = {
      {1, "NORTH", 1},     {1, "N", 1},        {1, "GO EAST", 1},   {1, "WEST", 1},
      {16, "EAST", 16},    {6, "NORTH", 4},    {5, "SOUTH", 4},     {2, "EAST", 3},
      {16, "WEST", 13},    {2, "GO NORTH", 1}, {2, "N", 1},         {2, "GO  NORTH", 2},
      {2, "NORTHWARD", 2}, {4, "S", 6},        {13, "GO WEST", 10},
  };
  for (const Case& c : cases) {
    GameHarness h;
    h.StartPlaying(c.from);
    h.game.state.command = c.command;
    h.RunPiece(DispatchCommand);
    EXPECT_EQ(h.game.state.currentRoom, c.to) << c.from << " " << c.command;
  }
}

TEST(Movement, WalkFromTheParkingLotToHallsEnd) {
  GameHarness h;
  h.StartPlaying(1);
  std::vector<int> visited;
  for (const char* command : {"SOUTH", "EAST", "EAST", "EAST", "EAST", "EAST", "EAST", "EAST"}) {
    h.game.state.command = command;
    h.RunPiece(DispatchCommand);
    visited.push_back(h.game.state.currentRoom);
  }
  EXPECT_EQ(visited, (std::vector<int>{2, 3, 4, 7, 10, 13, 16, 16}));
}

TEST(LookPage, ShowsTheExitTextAloneAndWaits) {
  struct Case {
    int room;
    const char* exits;
  } cases[] = {{1, "SOUTH"}, {4, "NORTH, SOUTH, EAST, OR WEST"}, {16, "NORTH, SOUTH, OR WEST"}};
  for (const Case& c : cases) {
    for (const char* command : {"LOOK", "L", "LOOK AROUND"}) {
      GameHarness h;
      h.StartPlaying(c.room);
      h.game.state.command = command;
      h.RunPiece(DispatchCommand);  // no key comes: the page stays
      EXPECT_EQ(h.Rows(1, 4), std::string(c.exits) + "\n\nPRESS ANY KEY...\n") << command;
      EXPECT_EQ(h.game.state.currentRoom, c.room);
    }
  }
}

// What PrintRoomText leaves below the turn screen, as trimmed rows from row 17.
std::vector<std::string> PrintedBlock(GameHarness& h) {
  DrawTurnScreen(h.game);
  PrintRoomText(h.game);
  std::vector<std::string> rows;
  for (int row = 17; row < h.console.ReadCursor().row; ++row) rows.push_back(h.Row(row));
  return rows;
}

TEST(RoomText, EvidenceLinesShowOnlyWhileTheItemLies) {
  struct Case {
    int room;
    std::vector<CarriedFlag> carried;
    std::vector<bool> evidenceShown;  // evidence lines in block order
    std::size_t rows;
  } cases[] = {
      {3, {}, {true}, 5},
      {3, {&GameState::hasTicket}, {false}, 4},
      {3, {&GameState::hasRing}, {true}, 5},  // another item's flag changes nothing here
      {11, {}, {true, true}, 5},
      {11, {&GameState::hasDrawing}, {true, false}, 4},
      {11, {&GameState::hasPistol}, {false, true}, 4},
      {11, {&GameState::hasPistol, &GameState::hasDrawing}, {false, false}, 3},
      {5, {&GameState::hasDoll}, {false}, 4},
      {10, {}, {true}, 3},
  };
  for (const Case& c : cases) {
    GameHarness h;
    h.StartPlaying(c.room);
    for (CarriedFlag flag : c.carried) h.game.state.*flag = 1;
    const auto rows = PrintedBlock(h);
    EXPECT_EQ(rows.size(), c.rows) << "room " << c.room;
    std::vector<std::string> expected;
    std::size_t evidence = 0;
    for (const RoomLine& line : RoomBlock(c.room)) {
      if (line.shownWhileUncarried == nullptr) {
        expected.emplace_back(line.text);
      } else if (c.evidenceShown[evidence++]) {
        expected.emplace_back(line.text);
      }
    }
    EXPECT_EQ(rows, expected) << "room " << c.room;
  }
}

TEST(RoomText, EveryRoomStartsOnRow17AndThePromptFollowsDirectly) {
  for (int room = 1; room <= kRoomCount; ++room) {
    GameHarness h;
    h.StartPlaying(room);
    const auto rows = PrintedBlock(h);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front(), RoomBlock(room).front().text) << room;
    EXPECT_EQ(rows.size(), RoomBlock(room).size()) << room;
    EXPECT_LE(h.console.ReadCursor().row, 22) << room;
    EXPECT_EQ(h.console.ReadCursor().column, 1);
    EXPECT_EQ(rows.back().empty(), room == 18) << "only room 18 ends in an empty line: " << room;
  }
}

}  // namespace
}  // namespace ashwicket
