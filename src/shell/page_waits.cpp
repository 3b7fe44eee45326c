#include "shell/page_waits.h"

#include "console/screen_buffer.h"
#include "shell/startup.h"

namespace ashwicket {

namespace {
constexpr double kEndGamePoll_s = 0.1;

void DiscardWaitingCharacters(Console& console) {
  while (!console.PollCharacter().empty()) {
  }
}
}  // namespace

void WaitForNextKey(Console& console) {
  while (console.PollCharacter().empty()) console.AwaitInput();
}

void WaitForKey(Console& console) {
  DiscardWaitingCharacters(console);
  WaitForNextKey(console);
}

void EndGame(Console& console) {
  console.MoveCursor(kRows, 1);
  console.Print(std::string(kColumns, ' '));
  console.MoveCursor(kRows, 1);
  console.Print("Press any key to continue");
  console.ResumeAutoPresent();
  DiscardWaitingCharacters(console);
  while (console.PollCharacter().empty()) console.Sleep(kEndGamePoll_s);
  throw GameEnded{0};
}

}  // namespace ashwicket
