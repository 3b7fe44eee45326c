#include "shell/startup.h"

#include "shell/command_reader.h"
#include "shell/dispatch.h"
#include "shell/game_state.h"
#include "shell/page_waits.h"
#include "shell/story_texts.h"
#include "shell/turn_screen.h"
#include "world/movement.h"
#include "world/room_view.h"

namespace ashwicket {

namespace {

constexpr int kDarkGrey = 8;
constexpr int kBlack = 0;

}  // namespace

void StartUp(Game& game) {
  GameState& state = game.state;
  Console& console = game.console;
  state.currentRoom = 1;
  console.SetColours(kDarkGrey, kBlack);
  console.Clear();
  state.limitMinutes = 30.0f;
  state.limitSeconds = 0.0f;
  state.limitTotalSeconds = 60.0f * state.limitMinutes + state.limitSeconds;
  for (int room = 1; room <= kRoomCount; ++room) {
    state.exitsText[static_cast<std::size_t>(room)] = ExitText(room);
  }

  console.PrintLine();
  console.PrintLine();
  for (std::string_view line : OpeningStory()) console.PrintLine(line);
  console.PrintLine();
  console.PrintLine("Press any key to Continue...");
  console.PrintLine();
  console.PrintLine();
  WaitForNextKey(console);
  state.deadline = console.ReadClock() + state.limitTotalSeconds;
}

void PlayTurn(Game& game) {
  DrawTurnScreen(game);
  PrintRoomText(game);
  ReadCommand(game);
  DispatchCommand(game);
}

void RunGame(Console& console) {
  Game game{GameState{}, console};
  StartUp(game);
  for (;;) PlayTurn(game);
}

}  // namespace ashwicket
