#include "shell/dispatch.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "case/conversation_view.h"
#include "case/conversations.h"
#include "case/ending.h"
#include "case/evidence.h"
#include "shell/general_commands.h"
#include "shell/page_waits.h"
#include "world/movement.h"

namespace ashwicket {

namespace {

inline constexpr std::size_t kEvidenceCount = 5;
inline constexpr std::size_t kPageCount = 21;

// Handlers as the table calls them. The rows for items and pages take their words, rooms and
// guards from the evidence and conversation tables, so each text is written down once.
WalkOn Quit(Game& game) {
  EndGame(game.console);
}
WalkOn Help(Game& game) {
  ShowHelp(game);
  return WalkOn::Next;
}
WalkOn Look(Game& game) {
  ShowExits(game);
  return WalkOn::Next;
}
WalkOn Inventory(Game& game) {
  ShowInventory(game);
  return WalkOn::Next;
}
WalkOn Present(Game& game) {
  PresentEvidence(game);
}

template <Direction D>
WalkOn Move(Game& game) {
  return MovePlayer(game, D) ? WalkOn::Stop : WalkOn::Next;
}
template <std::size_t I>
WalkOn Examine(Game& game) {
  ExamineEvidence(game, EvidenceTable()[I]);
  return WalkOn::Next;
}
template <std::size_t I>
WalkOn Take(Game& game) {
  TakeEvidence(game, EvidenceTable()[I]);
  return WalkOn::Next;
}
template <std::size_t I>
WalkOn Converse(Game& game) {
  ShowConversationPage(game, ConversationPages()[I]);
  return WalkOn::Next;
}

template <std::size_t... I>
void AddExamineTests(std::vector<CommandTest>& table, std::index_sequence<I...>) {
  const auto items = EvidenceTable();
  (table.push_back({{items[I].examineCommand}, items[I].room, items[I].carried, &Examine<I>}), ...);
}
template <std::size_t... I>
void AddConversationTests(std::vector<CommandTest>& table, std::index_sequence<I...>) {
  const auto pages = ConversationPages();
  (table.push_back({{pages[I].command}, pages[I].witness->room, nullptr, &Converse<I>}), ...);
}
template <std::size_t... I>
void AddTakeTests(std::vector<CommandTest>& table, std::index_sequence<I...>) {
  const auto items = EvidenceTable();
  (table.push_back({{items[I].takeCommands[0], items[I].takeCommands[1]},
                    items[I].room,
                    items[I].carried,
                    &Take<I>}),
   ...);
}

std::vector<CommandTest> BuildTable() {
  std::vector<CommandTest> table = {
      {{"END", "QUIT", "EXIT", "Q"}, kAnyRoom, nullptr, &Quit},
      {{"HELP", "H", "?"}, kAnyRoom, nullptr, &Help},
      {{"LOOK AROUND", "LOOK", "L"}, kAnyRoom, nullptr, &Look},
      {{"INVENTORY", "INV", "ITEMS", "I"}, kAnyRoom, nullptr, &Inventory},
      {{"GO NORTH", "NORTH", "N"}, kAnyRoom, nullptr, &Move<Direction::North>},
      {{"GO EAST", "EAST", "E"}, kAnyRoom, nullptr, &Move<Direction::East>},
      {{"GO SOUTH", "SOUTH", "S"}, kAnyRoom, nullptr, &Move<Direction::South>},
      {{"GO WEST", "WEST", "W"}, kAnyRoom, nullptr, &Move<Direction::West>},
  };
  AddExamineTests(table, std::make_index_sequence<kEvidenceCount>{});
  AddConversationTests(table, std::make_index_sequence<kPageCount>{});
  AddTakeTests(table, std::make_index_sequence<kEvidenceCount>{});
  table.push_back({{"PRESENT EVIDENCE"}, 3, nullptr, &Present});
  return table;
}

bool Matches(const CommandTest& test, const GameState& state) {
  const bool wordMatches =
      std::any_of(test.words.begin(), test.words.end(),
                  [&](std::string_view w) { return !w.empty() && w == state.command; });
  return wordMatches && (test.room == kAnyRoom || test.room == state.currentRoom) &&
         (test.uncarried == nullptr || state.*test.uncarried == 0);
}

}  // namespace

std::span<const CommandTest> DispatchTable() {
  static const std::vector<CommandTest> table = [] {
    if (EvidenceTable().size() != kEvidenceCount || ConversationPages().size() != kPageCount) {
      throw std::logic_error("the command table is out of step with the evidence or the pages");
    }
    return BuildTable();
  }();
  return table;
}

void DispatchCommand(Game& game) {
  for (const CommandTest& test : DispatchTable()) {
    if (Matches(test, game.state) && test.handler(game) == WalkOn::Stop) return;
  }
}

}  // namespace ashwicket
