#include "support/game_runner.h"

#include "world/movement.h"

namespace ashwicket::testing {

GameHarness::GameHarness(double startOfDay_s)
    : backend(startOfDay_s), console(backend), game{GameState{}, console} {}

RunOutcome GameHarness::Run() {
  return RunPiece([](Game& g) { RunGame(g.console); });
}

void GameHarness::StartPlaying(int room) {
  GameState& state = game.state;
  state = GameState{};
  state.currentRoom = room;
  state.limitMinutes = 30.0f;
  state.limitTotalSeconds = 1800.0f;
  for (int r = 1; r <= kRoomCount; ++r) state.exitsText[static_cast<std::size_t>(r)] = ExitText(r);
  console.SetColours(8, 0);
  console.Clear();
  state.deadline = console.ReadClock() + state.limitTotalSeconds;
}

std::string GameHarness::Row(int row) const {
  std::string text = console.Screen().RowText(row);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string GameHarness::Rows(int first, int last) const {
  std::string text;
  for (int row = first; row <= last; ++row) {
    if (row > first) text += '\n';
    text += Row(row);
  }
  return text;
}

}  // namespace ashwicket::testing
