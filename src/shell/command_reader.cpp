#include "shell/command_reader.h"

#include <cmath>

#include "console/keys.h"
#include "console/number_format.h"
#include "shell/page_waits.h"
#include "shell/story_texts.h"

namespace ashwicket {

namespace {

constexpr int kCountdownRow = 2;
constexpr int kCountdownColumn = 32;

char UpperCase(char ch) {
  return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// Letters and the space are typed as such; so are the full stop and the question mark, which
// the help word "?" and the Greens' names ("MRS. GREEN") need. Everything else is ignored.
bool IsTyped(int code) {
  return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || code == ' ' ||
         code == '.' || code == '?';
}

void EditLine(std::string& line, int code) {
  if (code == kKeyBackspace) {
    if (!line.empty()) line.pop_back();
  } else if (IsTyped(code)) {
    line.push_back(UpperCase(static_cast<char>(code)));
  }
}

// Both queues, until one round finds them empty together.
void EmptyKeyQueues(Console& console) {
  for (;;) {
    const int event = console.PollEvent();
    console.PollCharacter();
    const bool noCharacter = console.PollCharacter().empty();
    if (event == 0 && noCharacter) return;
  }
}

[[noreturn]] void ShowDeathPage(Console& console) {
  console.Clear();
  for (std::string_view line : DeathPage()) console.PrintLine(line);
  console.Present();
  EndGame(console);
}

void DrawCountdown(Console& console, double remaining_s) {
  // Deadline and clock are whole milliseconds, but their difference in floating point can fall
  // a hair short of a whole minute (1739.99999...), which would read 28:60.000. Splitting the
  // whole milliseconds keeps the seconds below 60.
  const double remaining_ms = std::round(remaining_s * 1000.0);
  const double minutes = std::trunc(remaining_ms / 60000.0);
  const float seconds = static_cast<float>((remaining_ms - 60000.0 * minutes) / 1000.0);
  console.MoveCursor(kCountdownRow, kCountdownColumn);
  console.PrintLine(FormatCountdown(minutes, seconds));
}

std::string ReadTimedLine(Game& game) {
  Console& console = game.console;
  const CursorPosition prompt = console.ReadCursor();
  console.SaveScreen();
  EmptyKeyQueues(console);
  std::string line;
  for (;;) {
    console.LimitPassRate();
    console.RestoreScreen();
    console.MoveCursor(prompt.row, prompt.column);
    console.PrintLine(line);
    const int code = console.PollEvent();
    EditLine(line, code);
    const double remaining_s = game.state.deadline - console.ReadClock();
    DrawCountdown(console, remaining_s);
    if (remaining_s <= 0.0) ShowDeathPage(console);
    console.Present();
    if (code == kKeyEnter) break;
  }
  console.ResumeAutoPresent();
  while (!console.PollCharacter().empty()) {
  }
  return line;
}

}  // namespace

std::string NormaliseCommand(std::string_view line) {
  std::string command;
  for (char ch : line) command.push_back(UpperCase(ch));
  const auto last = command.find_last_not_of(' ');
  command.erase(last == std::string::npos ? 0 : last + 1);
  command.erase(0, command.find_first_not_of(' '));
  return command;
}

void ReadCommand(Game& game) {
  game.console.Print("> ");
  game.state.command = NormaliseCommand(ReadTimedLine(game));
}

}  // namespace ashwicket
