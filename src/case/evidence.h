// The five pieces of evidence: where each lies, how it is examined and taken, the inventory.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "shell/game_state.h"

namespace ashwicket {

struct EvidenceItem {
  std::string_view listName;  // as the inventory lists it
  int room = 0;
  CarriedFlag carried = nullptr;
  std::array<std::string_view, 2> takeCommands{};  // an unused slot is empty
  std::string_view examineCommand;
  std::string_view confirmation;
  bool takeClearsScreen = false;
  std::span<const std::string_view> description;
};

// In inventory order, which is also the order of the examine and take commands.
std::span<const EvidenceItem> EvidenceTable();

void ShowInventory(Game& game);
void ExamineEvidence(Game& game, const EvidenceItem& item);
// Marks the item carried and confirms it; the next turn screen follows without a wait.
void TakeEvidence(Game& game, const EvidenceItem& item);

}  // namespace ashwicket
