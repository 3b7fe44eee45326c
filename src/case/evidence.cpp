#include "case/evidence.h"

#include "shell/page_waits.h"

namespace ashwicket {

namespace {

constexpr std::array<std::string_view, 2> kDrawingDescription = {
    "It's a drawing of a woman, sketched in pencil by a hand",
    "of real talent. She looks a lot like the victim.",
};
constexpr std::array<std::string_view, 2> kPistolDescription = {
    "A pearl handled six shooter, it's empty, and the odor",
    "of gunpowder says it was fired not long ago.",
};
constexpr std::array<std::string_view, 2> kDollDescription = {
    "An old rag doll.",
    "Strange thing to find here, since there are no children around.",
};
constexpr std::array<std::string_view, 1> kTicketDescription = {"A one way ticket from Boston."};
constexpr std::array<std::string_view, 1> kRingDescription = {"An uncleaned gold wedding ring."};

// clang-format off
constexpr std::array<EvidenceItem, 5> kEvidence = {{
    {"Drawing", 11, &GameState::hasDrawing, {"TAKE DRAWING"}, "EXAMINE DRAWING",
     "You have taken the Drawing.", false, kDrawingDescription},
    {"Empty Pistol", 11, &GameState::hasPistol, {"TAKE EMPTY PISTOL", "TAKE PISTOL"},
     "EXAMINE EMPTY PISTOL", "You take the spent pistol.", false, kPistolDescription},
    {"Child's Doll", 5, &GameState::hasDoll, {"TAKE CHILDS DOLL"}, "EXAMINE CHILDS DOLL",
     "You have taken the Child's Doll.", true, kDollDescription},
    {"Train Ticket", 3, &GameState::hasTicket, {"TAKE TRAIN TICKET"}, "EXAMINE TRAIN TICKET",
     "You have taken the Train Ticket.", false, kTicketDescription},
    {"Wedding Ring", 10, &GameState::hasRing, {"TAKE WEDDING RING", "TAKE RING"},
     "EXAMINE WEDDING RING", "You take the Wedding Ring.", false, kRingDescription},
}};
// clang-format on

}  // namespace

std::span<const EvidenceItem> EvidenceTable() {
  return kEvidence;
}

void ShowInventory(Game& game) {
  Console& console = game.console;
  console.Clear();
  console.PrintLine("INVENTORY...");
  console.PrintLine();
  for (const EvidenceItem& item : kEvidence) {
    if (game.state.*item.carried == 1) console.PrintLine(item.listName);
  }
  console.PrintLine();
  console.PrintLine("PRESS ANY KEY...");
  WaitForNextKey(console);
}

void ExamineEvidence(Game& game, const EvidenceItem& item) {
  game.console.Clear();
  for (std::string_view line : item.description) game.console.PrintLine(line);
  WaitForNextKey(game.console);
}

void TakeEvidence(Game& game, const EvidenceItem& item) {
  if (item.takeClearsScreen) game.console.Clear();
  game.state.*item.carried = 1;
  game.console.PrintLine(item.confirmation);
}

}  // namespace ashwicket
