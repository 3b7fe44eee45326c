// Evidence, inventory, the witness pages and the ending, as the player meets them.
#include <gtest/gtest.h>

#include "case/conversation_view.h"
#include "case/conversations.h"
#include "case/ending_texts.h"
#include "case/evidence.h"
#include "shell/dispatch.h"
#include "support/game_runner.h"
#include "world/movement.h"

namespace ashwicket {
namespace {

using testing::GameHarness;

// Runs one command in a room, with these items already carried.
void RunCommand(GameHarness& h, int room, const char* command,
                std::vector<CarriedFlag> carried = {}) {
  h.StartPlaying(room);
  for (CarriedFlag flag : carried) h.game.state.*flag = 1;
  h.game.state.command = command;
  h.RunPiece(DispatchCommand);
}

TEST(Inventory, ListsCarriedItemsInTableOrder) {
  const std::vector<CarriedFlag> all = {&GameState::hasRing, &GameState::hasDoll,
                                        &GameState::hasDrawing, &GameState::hasTicket,
                                        &GameState::hasPistol};
  struct Case {
    std::vector<CarriedFlag> carried;
    const char* page;
  } cases[] = {
      {{}, "INVENTORY...\n\n\nPRESS ANY KEY..."},
      {all,
       "INVENTORY...\n\nDrawing\nEmpty Pistol\nChild's Doll\nTrain Ticket\nWedding Ring\n\nPRESS "
       "ANY KEY..."},
      {{&GameState::hasRing, &GameState::hasDoll},
       "INVENTORY...\n\nChild's Doll\nWedding Ring\n\nPRESS ANY KEY..."},
  };
  for (const Case& c : cases) {
    for (const char* command : {"INVENTORY", "INV", "ITEMS", "I"}) {
      GameHarness h;
      RunCommand(h, 15, command, c.carried);
      EXPECT_EQ(h.Rows(1, 10).substr(0, std::string(c.page).size()), c.page) << command;
      EXPECT_EQ(h.Rows(1, 25).find("PRESS ANY KEY...\n\n"), h.Rows(1, 25).find("PRESS ANY KEY..."));
    }
  }
}

TEST(Evidence, ExamineShowsTheDescriptionOnlyInItsRoomWhileItLies) {
  for (const EvidenceItem& item : EvidenceTable()) {
    const std::string command(item.examineCommand);
    GameHarness inRoom;
    RunCommand(inRoom, item.room, command.c_str());
    for (std::size_t i = 0; i < item.description.size(); ++i) {
      EXPECT_EQ(inRoom.Row(static_cast<int>(i) + 1), item.description[i]) << command;
    }
    EXPECT_EQ(inRoom.Row(static_cast<int>(item.description.size()) + 1), "") << command;

    GameHarness elsewhere;
    RunCommand(elsewhere, item.room == 3 ? 4 : 3, command.c_str());
    EXPECT_EQ(elsewhere.Rows(1, 25), std::string(24, '\n')) << command;

    GameHarness taken;
    RunCommand(taken, item.room, command.c_str(), {item.carried});
    EXPECT_EQ(taken.Rows(1, 25), std::string(24, '\n')) << command;
  }
}

TEST(Evidence, TakeMarksCarriedOnceAndConfirms) {
  for (const EvidenceItem& item : EvidenceTable()) {
    for (std::string_view take : item.takeCommands) {
      if (take.empty()) continue;
      const std::string command(take);
      GameHarness h;
      h.StartPlaying(item.room);
      h.console.PrintLine("turn screen");
      h.game.state.command = command;
      const auto outcome = h.RunPiece(DispatchCommand);
      EXPECT_FALSE(outcome.ended);
      EXPECT_EQ(outcome.at_s, 0.0) << "no page wait after a take: " << command;
      EXPECT_EQ(h.game.state.*item.carried, 1) << command;
      const int confirmationRow = item.takeClearsScreen ? 1 : 2;
      EXPECT_EQ(h.Row(confirmationRow), item.confirmation) << command;
      EXPECT_EQ(h.Row(1) == "turn screen", !item.takeClearsScreen) << command;

      h.console.Clear();  // a second take does nothing
      h.RunPiece(DispatchCommand);
      EXPECT_EQ(h.Rows(1, 25), std::string(24, '\n')) << command;
      EXPECT_EQ(h.game.state.*item.carried, 1);
    }
    GameHarness elsewhere;
    RunCommand(elsewhere, item.room == 10 ? 11 : 10, std::string(item.takeCommands[0]).c_str());
    EXPECT_EQ(elsewhere.game.state.*item.carried, 0) << item.listName;
  }
}

TEST(Evidence, TakingOneItemOfRoomElevenLeavesTheOther) {
  GameHarness h;
  RunCommand(h, 11, "TAKE PISTOL");
  EXPECT_EQ(h.game.state.hasPistol, 1);
  EXPECT_EQ(h.game.state.hasDrawing, 0);
  h.game.state.command = "EXAMINE DRAWING";
  h.RunPiece(DispatchCommand);
  EXPECT_EQ(h.Row(1), EvidenceTable()[0].description[0]);
}

TEST(Conversations, EachPageShowsPassageThenOneEmptyLineAndItsHints) {
  for (const ConversationPage& page : ConversationPages()) {
    GameHarness h;
    RunCommand(h, page.witness->room, std::string(page.command).c_str());
    std::string expected;
    for (std::string_view line : page.passage) expected += std::string(line) + "\n";
    if (!page.hints.empty()) expected += "\n";
    for (std::string_view hint : page.hints) expected += std::string(hint) + "\n";
    const int rows =
        static_cast<int>(page.passage.size() + (page.hints.empty() ? 0 : 1 + page.hints.size()));
    EXPECT_EQ(h.Rows(1, rows + 1), expected) << page.command;
  }
}

TEST(Conversations, TheRoomDecidesWhoAnswers) {
  const auto pages = ConversationPages();
  struct Case {
    int room;
    const char* command;
    int page;  // index into the pages, -1 for none
  } cases[] = {
      {1, "ASK ABOUT VICTIM", 2},        {3, "ASK ABOUT VICTIM", 5},
      {2, "ASK ABOUT VICTIM", -1},       {1, "TALK TO OFFICER GRANT", 1},
      {2, "TALK TO OFFICER GRANT", -1},  {5, "WHAT TIME DID YOU HEAR THE GUNSHOTS", 8},
      {18, "TALK TO WILSON", -1},        {18, "TALK TO PHIL", 19},
      {18, "DID YOU HEAR ANYTHING", 20}, {14, "WHERE DID YOU SEE HIM GO", 17},
      {12, "TALK TO PHIL", -1},          {12, "TALK TO WILSON", 12},
  };
  for (const Case& c : cases) {
    GameHarness h;
    RunCommand(h, c.room, c.command);
    const std::string expected =
        c.page < 0 ? "" : std::string(pages[static_cast<std::size_t>(c.page)].passage[0]);
    EXPECT_EQ(h.Row(1), expected) << c.room << " " << c.command;
  }
  GameHarness margo;
  RunCommand(margo, 14, "WHERE DID YOU SEE HIM GO");
  EXPECT_EQ(margo.Rows(1, 2), "Out the front.\n");
}

// Keys still waiting when a conversation page starts are thrown away; the look page, which
// waits with WaitForNextKey, takes such a key at once.
TEST(Conversations, KeysTypedAheadDoNotDismissThePage) {
  const ConversationPage& page = ConversationPages()[3];
  GameHarness h;
  h.StartPlaying(3);
  h.backend.TypeAt(0.0, "abc");
  const auto outcome = h.RunPiece([&](Game& g) { ShowConversationPage(g, page); });
  EXPECT_FALSE(outcome.ended);
  EXPECT_EQ(h.Row(1), page.passage[0]);
  EXPECT_EQ(h.console.PollCharacter(), "") << "all three were thrown away";

  GameHarness look;
  look.StartPlaying(3);
  look.backend.TypeAt(0.0, "abc");
  look.RunPiece(ShowExits);
  EXPECT_EQ(look.console.PollCharacter(), "b") << "the look page took the first key";
}

std::string PageRows(const std::span<const std::string_view> page) {
  std::string text;
  for (std::string_view line : page) text += std::string(line) + "\n";
  return text;
}

// From a new game: S, E, PRESENT EVIDENCE plays the whole ending with nothing carried.
TEST(Ending, PresentEvidenceAtTheDeskPlaysBothPagesInYellowOnBlue) {
  struct Case {
    double endingKey_s;  // the key that leaves the first page
    double presentAt_s;  // when the accusation is typed
  } cases[] = {{30.0, 4.0}, {1800.0 + 1.0 + 120.0, 1800.0 + 1.0 - 3.0}};  // the second: 3 s left
  for (const Case& c : cases) {
    GameHarness h;
    h.backend.TypeAt(1.0, "x");
    h.backend.TypeAt(2.0, "s\n");
    h.backend.TypeAt(3.0, "e\n");
    h.backend.TypeAt(c.presentAt_s, "  present evidence \n");
    h.backend.StopAt(c.endingKey_s - 1.0);
    EXPECT_FALSE(h.Run().ended);
    EXPECT_EQ(h.Rows(1, 17), PageRows(FirstEndingPage()));
    for (int row = 1; row <= 25; ++row) {
      EXPECT_EQ(h.Screen().At(row, 80).bg, 1);
      EXPECT_EQ(h.Screen().At(row, 1).fg, 14);
    }

    GameHarness whole;
    whole.backend.TypeAt(1.0, "x");
    whole.backend.TypeAt(2.0, "s\n");
    whole.backend.TypeAt(3.0, "e\n");
    whole.backend.TypeAt(c.presentAt_s, "present evidence\n");
    whole.backend.TypeAt(c.endingKey_s, "a");
    whole.backend.TypeAt(c.endingKey_s + 5.0, "b");
    whole.backend.TypeAt(c.endingKey_s + 10.0, "c");
    const auto outcome = whole.Run();
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(outcome.status, 0);
    EXPECT_GE(outcome.at_s, c.endingKey_s + 10.0);
    EXPECT_EQ(whole.Rows(1, 9), PageRows(SecondEndingPage()));
    EXPECT_EQ(whole.Row(25), "Press any key to continue");
    EXPECT_EQ(whole.Screen().At(25, 1), (Cell{'P', 14, 1}));
    EXPECT_EQ(whole.Screen().At(25, 80), (Cell{' ', 14, 1}));
  }
}

TEST(Ending, PresentEvidenceElsewhereDoesNothing) {
  for (int room : {2, 4}) {
    GameHarness h;
    RunCommand(h, room, "PRESENT EVIDENCE");
    EXPECT_EQ(h.game.state.currentRoom, room);
    EXPECT_EQ(h.Rows(1, 25), std::string(24, '\n'));
    EXPECT_EQ(h.Screen().Foreground(), 8);
  }
}

}  // namespace
}  // namespace ashwicket
