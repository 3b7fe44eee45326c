// The seven witnesses and their twenty-one pages, in the order the dispatch tests them.
#pragma once

#include <span>
#include <string_view>

namespace ashwicket {

struct Witness {
  std::string_view name;  // as the commands spell it
  int room = 0;           // where all of the witness's commands work
};

struct ConversationPage {
  std::string_view command;
  const Witness* witness = nullptr;
  std::span<const std::string_view> passage;
  std::span<const std::string_view> hints;  // commands the player may try next, 0-2
};

std::span<const Witness> Witnesses();
std::span<const ConversationPage> ConversationPages();

}  // namespace ashwicket
