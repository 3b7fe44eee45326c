// The command table's rows and order, the matching rule, the quit words and the help page.
#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include "shell/general_commands.h"
#include "shell/startup.h"
#include "support/game_runner.h"

namespace ashwicket {
namespace {

using testing::GameHarness;

struct Row {
  std::vector<std::string_view> words;
  int room;
  CarriedFlag uncarried;
};

// The table as the game must walk it, in order.
const std::vector<Row> kExpectedTable = {
    {{"END", "QUIT", "EXIT", "Q"}, kAnyRoom, nullptr},
    {{"HELP", "H", "?"}, kAnyRoom, nullptr},
    {{"LOOK AROUND", "LOOK", "L"}, kAnyRoom, nullptr},
    {{"INVENTORY", "INV", "ITEMS", "I"}, kAnyRoom, nullptr},
    {{"GO NORTH", "NORTH", "N"}, kAnyRoom, nullptr},
    {{"GO EAST", "EAST", "E"}, kAnyRoom, nullptr},
    {{"GO SOUTH", "SOUTH", "S"}, kAnyRoom, nullptr},
    {{"GO WEST", "WEST", "W"}, kAnyRoom, nullptr},
    {{"EXAMINE DRAWING"}, 11, &GameState::hasDrawing},
    {{"EXAMINE EMPTY PISTOL"}, 11, &GameState::hasPistol},
    {{"EXAMINE CHILDS DOLL"}, 5, &GameState::hasDoll},
    {{"EXAMINE TRAIN TICKET"}, 3, &GameState::hasTicket},
    {{"EXAMINE WEDDING RING"}, 10, &GameState::hasRing},
    {{"EXAMINE OFFICER GRANT"}, 1, nullptr},
    {{"TALK TO OFFICER GRANT"}, 1, nullptr},
    {{"ASK ABOUT VICTIM"}, 1, nullptr},
    {{"EXAMINE INN KEEPER"}, 3, nullptr},
    {{"TALK TO INN KEEPER"}, 3, nullptr},
    {{"ASK ABOUT VICTIM"}, 3, nullptr},
    {{"EXAMINE MRS. GREEN"}, 5, nullptr},
    {{"TALK TO MRS. GREEN"}, 5, nullptr},
    {{"WHAT TIME DID YOU HEAR THE GUNSHOTS"}, 5, nullptr},
    {{"EXAMINE MR. GREEN"}, 5, nullptr},
    {{"TALK TO MR. GREEN"}, 5, nullptr},
    {{"EXAMINE WILSON"}, 12, nullptr},
    {{"TALK TO WILSON"}, 12, nullptr},
    {{"IN A TRANCE"}, 12, nullptr},
    {{"EXAMINE MARGO"}, 14, nullptr},
    {{"TALK TO MARGO"}, 14, nullptr},
    {{"WHAT DID YOU SEE"}, 14, nullptr},
    {{"WHERE DID YOU SEE HIM GO"}, 14, nullptr},
    {{"EXAMINE PHIL"}, 18, nullptr},
    {{"TALK TO PHIL"}, 18, nullptr},
    {{"DID YOU HEAR ANYTHING"}, 18, nullptr},
    {{"TAKE DRAWING"}, 11, &GameState::hasDrawing},
    {{"TAKE EMPTY PISTOL", "TAKE PISTOL"}, 11, &GameState::hasPistol},
    {{"TAKE CHILDS DOLL"}, 5, &GameState::hasDoll},
    {{"TAKE TRAIN TICKET"}, 3, &GameState::hasTicket},
    {{"TAKE WEDDING RING", "TAKE RING"}, 10, &GameState::hasRing},
    {{"PRESENT EVIDENCE"}, 3, nullptr},
};

TEST(DispatchTable, HoldsTheFortyTestsInOrder) {
  const auto table = DispatchTable();
  ASSERT_EQ(table.size(), kExpectedTable.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    std::vector<std::string_view> words;
    for (std::string_view w : table[i].words) {
      if (!w.empty()) words.push_back(w);
    }
    EXPECT_EQ(words, kExpectedTable[i].words) << "row " << i + 1;
    EXPECT_EQ(table[i].room, kExpectedTable[i].room) << "row " << i + 1;
    EXPECT_TRUE(table[i].uncarried == kExpectedTable[i].uncarried) << "row " << i + 1;
  }
}

// Commands that match nothing leave the state alone and print nothing.
TEST(DispatchCommand, UnmatchedInputChangesNothing) {
  for (const char* command : {"", "TALK", "USE DRAWING", "READ TICKET", "GO  NORTH", "NORTHWARD",
                              "GO N", "TAKE THE RING", "QUITE", "STOP", "BYE", "TALK TO PHIL",
                              "PRESENT EVIDENCE", "EXAMINE PISTOL", "EXAMINE RING", "LOOK."}) {
    GameHarness h;
    h.StartPlaying(12);
    h.game.state.command = command;
    const auto outcome = h.RunPiece(DispatchCommand);
    EXPECT_FALSE(outcome.ended) << command;
    EXPECT_EQ(h.game.state.currentRoom, 12) << command;
    EXPECT_EQ(h.Rows(1, 25), std::string(24, '\n')) << command;
  }
}

TEST(DispatchCommand, QuitWordsEndAtOnceOverTheKeptTurnScreen) {
  for (const char* typed : {"END", "quit", "  QUIT  ", "exit", "q"}) {
    GameHarness h;
    h.backend.TypeAt(1.0, "x");
    h.backend.TypeAt(2.0, std::string(typed) + "\n");
    h.backend.TypeAt(10.0, "k");
    const auto outcome = h.Run();
    EXPECT_TRUE(outcome.ended) << typed;
    EXPECT_EQ(outcome.status, 0) << typed;
    EXPECT_NEAR(outcome.at_s, 10.05, 0.051) << "ends on the key after the message: " << typed;
    EXPECT_EQ(h.Row(10), "                               Ashwicket") << typed;
    EXPECT_EQ(h.Row(25), "Press any key to continue") << typed;
    EXPECT_EQ(h.Screen().At(25, 1).fg, 8);
  }
  for (const char* typed : {"QUITE", "BYE", "Q Q"}) {
    GameHarness h;
    h.backend.TypeAt(1.0, "x");
    h.backend.TypeAt(2.0, std::string(typed) + "\n");
    h.backend.StopAt(8.0);
    EXPECT_FALSE(h.Run().ended) << typed;
    EXPECT_EQ(h.Row(25), "") << typed;
  }
}

TEST(HelpPage, ShowsTheCommandsAndWaitsForAFreshKey) {
  for (const char* typed : {"help", "H", "?"}) {
    GameHarness h;
    h.backend.TypeAt(1.0, "x");
    h.backend.TypeAt(2.0, std::string(typed) + "\n");  // no further key: the page must stay
    h.Run();
    EXPECT_EQ(h.Row(1), "HERE ARE SOME BASIC COMMANDS THAT CAN BE USED IN THE GAME...") << typed;
    EXPECT_EQ(h.Row(4), "NORTH, EAST ,SOUTH, AND WEST - MOVE TO AN AVAILABLE LOCATION");
    EXPECT_EQ(h.Row(15), "PRESS ANY KEY...");
    EXPECT_EQ(h.Row(16), "");
    for (int row = 3; row <= 13; ++row) EXPECT_EQ(h.Screen().RowText(row).substr(29, 2), "- ");
  }
  GameHarness h;  // a key brings back the same turn screen
  h.backend.TypeAt(1.0, "x");
  h.backend.TypeAt(2.0, "s\n");
  h.backend.TypeAt(4.0, "help\n");
  h.backend.TypeAt(8.0, "z");
  h.backend.StopAt(9.0);
  h.Run();
  EXPECT_EQ(h.Row(15), "If you are stuck just type HELP.");
  EXPECT_EQ(h.Row(11), "                                      N");  // room 2
  EXPECT_EQ(h.Row(13), "");
}

}  // namespace
}  // namespace ashwicket
