// The command table: forty tests walked in order, each running its handler on a match.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "shell/game_state.h"

namespace ashwicket {

inline constexpr int kAnyRoom = 0;

// What a handler tells the walk: go on with the next test, or stop (a move was made).
enum class WalkOn { Next, Stop };

struct CommandTest {
  std::array<std::string_view, 4> words{};  // unused slots are empty and never match
  int room = kAnyRoom;
  CarriedFlag uncarried = nullptr;  // this item must not be carried yet
  WalkOn (*handler)(Game&) = nullptr;
};

std::span<const CommandTest> DispatchTable();

// Runs the handler of every test that matches game.state.command.
void DispatchCommand(Game& game);

}  // namespace ashwicket
