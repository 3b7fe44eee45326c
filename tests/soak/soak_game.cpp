#include "soak/soak_game.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <vector>

#include "case/evidence.h"
#include "console/console.h"
#include "shell/dispatch.h"
#include "shell/startup.h"
#include "support/headless_backend.h"
#include "world/movement.h"

namespace ashwicket::soak {

namespace {

// How long past a stretch's last key the game may go on before the run counts as dry: long
// enough for a burst of typed-ahead keys to be worked off at 15 a second.
constexpr double kDryMargin_s = 2.0;
constexpr int kDarkGrey = 8;
constexpr int kBlack = 0;
constexpr int kYellow = 14;
constexpr int kBlue = 1;

[[noreturn]] void Fail(std::string kind, std::string detail) {
  throw SoakFailure{std::move(kind), std::move(detail)};
}

constexpr std::array<CarriedFlag, 5> kFlags = {&GameState::hasDrawing, &GameState::hasPistol,
                                               &GameState::hasDoll, &GameState::hasTicket,
                                               &GameState::hasRing};
constexpr std::array<const char*, 5> kFlagNames = {"hasDrawing", "hasPistol", "hasDoll",
                                                   "hasTicket", "hasRing"};

struct Snapshot {
  int room = 0;
  std::array<int, 5> flags{};
};

Snapshot Take(const GameState& state) {
  Snapshot s{state.currentRoom, {}};
  for (std::size_t i = 0; i < kFlags.size(); ++i) s.flags[i] = state.*kFlags[i];
  return s;
}

// What a row of the command table does, told from its words so that the soak follows the table.
enum class RowKind { Quit, Present, Move, Take, Page };

struct RowInfo {
  const CommandTest* test;
  RowKind kind;
  Direction direction = Direction::North;
  std::size_t flag = 0;  // Take: which carried flag
};

bool HasWord(const CommandTest& test, std::string_view word) {
  return std::find(test.words.begin(), test.words.end(), word) != test.words.end();
}

const std::vector<RowInfo>& Rows() {
  static const std::vector<RowInfo> rows = [] {
    std::vector<RowInfo> out;
    for (const CommandTest& test : DispatchTable()) {
      RowInfo info{&test, RowKind::Page};
      if (HasWord(test, "QUIT")) {
        info.kind = RowKind::Quit;
      } else if (HasWord(test, "PRESENT EVIDENCE")) {
        info.kind = RowKind::Present;
      } else if (HasWord(test, "NORTH") || HasWord(test, "EAST") || HasWord(test, "SOUTH") ||
                 HasWord(test, "WEST")) {
        info.kind = RowKind::Move;
        info.direction = HasWord(test, "NORTH")  ? Direction::North
                         : HasWord(test, "EAST") ? Direction::East
                         : HasWord(test, "SOUTH") ? Direction::South
                                                  : Direction::West;
      } else if (test.uncarried != nullptr && test.words[0].starts_with("TAKE ")) {
        info.kind = RowKind::Take;
        info.flag = static_cast<std::size_t>(
            std::find(kFlags.begin(), kFlags.end(), test.uncarried) - kFlags.begin());
      }
      out.push_back(info);
    }
    return out;
  }();
  return rows;
}

// The rows whose test holds for this command in the state before it ran.
std::vector<const RowInfo*> MatchingRows(const Snapshot& before, const std::string& command) {
  std::vector<const RowInfo*> matched;
  for (const RowInfo& row : Rows()) {
    const CommandTest& test = *row.test;
    const bool word = std::any_of(test.words.begin(), test.words.end(), [&](std::string_view w) {
      return !w.empty() && w == command;
    });
    if (!word) continue;
    if (test.room != kAnyRoom && test.room != before.room) continue;
    if (test.uncarried != nullptr) {
      const auto flag = static_cast<std::size_t>(
          std::find(kFlags.begin(), kFlags.end(), test.uncarried) - kFlags.begin());
      if (flag < kFlags.size() && before.flags[flag] != 0) continue;
    }
    matched.push_back(&row);
  }
  return matched;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string StateText(const Snapshot& s) {
  std::string text = "room " + std::to_string(s.room) + ", carried";
  for (int flag : s.flags) text += " " + std::to_string(flag);
  return text;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The line the reader echoed in the frame that took Enter: everything after the prompt.
void CheckEcho(const ScreenBuffer& frame, const std::string& command) {
  // A line too long for the rows below the prompt scrolls part of itself out of sight.
  if (command.size() > 1000) return;
  int promptRow = 0;
  for (int row = kScrollRows; row >= 1 && promptRow == 0; --row) {
    if (frame.RowText(row).starts_with("> ")) promptRow = row;
  }
  if (promptRow == 0) Fail("echo", "no prompt in the frame that took Enter for " + Quoted(command));
  std::string echo = frame.RowText(promptRow).substr(2);
  for (int row = promptRow + 1; row <= kScrollRows; ++row) echo += frame.RowText(row);
  if (Trim(echo) != command) {
    Fail("echo", "the reader echoed " + Quoted(Trim(echo)) + " but returned " + Quoted(command));
  }
}

void CheckCommandText(const std::string& command) {
  for (char ch : command) {
    const bool typed = (ch >= 'A' && ch <= 'Z') || ch == ' ' || ch == '.' || ch == '?';
    if (!typed) Fail("command", "command " + Quoted(command) + " holds a character never typed");
  }
  if (!command.empty() && (command.front() == ' ' || command.back() == ' ')) {
    Fail("command", "command " + Quoted(command) + " is not trimmed");
  }
}

struct Fixed {
  double deadline = 0.0;
  std::array<std::string_view, kRoomCount + 1> exitsText{};
};

void CheckStateAfterTurn(const Snapshot& before, const Game& game, const CheckingBackend& checking,
                         const Fixed& fixed) {
  const GameState& state = game.state;
  const Snapshot after = Take(state);
  const std::string& command = state.command;
  const std::string context = " (command " + Quoted(command) + " in " + StateText(before) + ")";

  if (after.room < 1 || after.room > kRoomCount) {
    Fail("room", "currentRoom is " + std::to_string(after.room) + context);
  }
  for (std::size_t i = 0; i < kFlags.size(); ++i) {
    if (after.flags[i] != 0 && after.flags[i] != 1) {
      Fail("flags", std::string(kFlagNames[i]) + " is " + std::to_string(after.flags[i]) + context);
    }
    if (before.flags[i] == 1 && after.flags[i] == 0) {
      Fail("flags", std::string(kFlagNames[i]) + " went back from 1 to 0" + context);
    }
  }
  if (after.room != before.room) {
    bool alongMap = false;
    for (Direction d : {Direction::North, Direction::East, Direction::South, Direction::West}) {
      alongMap = alongMap || Destination(before.room, d) == after.room;
    }
    if (!alongMap) {
      Fail("room", "moved from room " + std::to_string(before.room) + " to room " +
                       std::to_string(after.room) + ", which no exit joins" + context);
    }
  }

  CheckCommandText(command);
  if (checking.ReaderFramesThisTurn() == 0) Fail("reader", "the reader presented no frame" + context);
  CheckEcho(checking.LastReaderFrame(), command);

  // What the table says this command does.
  Snapshot expected = before;
  bool page = false;
  bool moved = false;
  for (const RowInfo* row : MatchingRows(before, command)) {
    switch (row->kind) {
      case RowKind::Quit:
      case RowKind::Present:
        Fail("no-end", "the game went on after a command that ends it" + context);
      case RowKind::Move: {
        const int to = Destination(before.room, row->direction);
        if (to != kNoExit && !moved) {
          expected.room = to;
          moved = true;
        }
        break;
      }
      case RowKind::Take: expected.flags[row->flag] = 1; break;
      case RowKind::Page: page = true; break;
    }
  }
  if (after.room != expected.room || after.flags != expected.flags) {
    Fail("state", "the command left " + StateText(after) + ", expected " + StateText(expected) +
                      context);
  }
  if (page && checking.FramesAfterReader() == 0) {
    Fail("page", "no page was shown for a command that shows one" + context);
  }
  if (!page && checking.FramesAfterReader() != 0) {
    Fail("page", std::to_string(checking.FramesAfterReader()) +
                     " frame(s) shown after a command that shows no page" + context);
  }

  if (state.deadline != fixed.deadline) Fail("deadline", "the deadline changed" + context);
  if (state.exitsText != fixed.exitsText) Fail("exits", "an exit text changed" + context);
  const Console& console = game.console;
  if (console.Screen().Foreground() != kDarkGrey || console.Screen().Background() != kBlack) {
    Fail("colours", "colours in force are " + std::to_string(console.Screen().Foreground()) +
                        " on " + std::to_string(console.Screen().Background()) + context);
  }
  const CursorPosition cursor = console.ReadCursor();
  if (cursor.row < 1 || cursor.row > kScrollRows || cursor.column < 1 || cursor.column > kColumns) {
    Fail("cursor", "cursor at row " + std::to_string(cursor.row) + ", column " +
                       std::to_string(cursor.column) + " after the turn" + context);
  }
}

// The game threw GameEnded: it must be a quit word, the accusation at the desk, or the time.
Ending CheckEnding(const GameEnded& end, const Snapshot& before, const GameState& state,
                   const CheckingBackend& checking) {
  const std::string context = " (command " + Quoted(state.command) + " in " + StateText(before) + ")";
  if (end.status != 0) Fail("status", "the game ended with status " + std::to_string(end.status));
  if (!checking.EndMessageShown()) {
    Fail("end-message", "the game ended without showing \"Press any key to continue\"" + context);
  }
  Ending ending = Ending::Failed;
  int fg = kDarkGrey;
  int bg = kBlack;
  if (checking.DeathPageShown()) {
    ending = Ending::TimedOut;
  } else {
    for (const RowInfo* row : MatchingRows(before, state.command)) {
      if (row->kind == RowKind::Quit) ending = Ending::Quit;
      if (row->kind == RowKind::Present) {
        ending = Ending::Won;
        fg = kYellow;
        bg = kBlue;
      }
    }
    if (ending == Ending::Failed) Fail("unexpected-end", "the game ended" + context);
    // Quitting writes the message under the turn screen as it stands; winning shows two pages.
    const int pages = checking.FramesAfterReader() - 1;
    if (ending == Ending::Quit && pages != 0) {
      Fail("quit", std::to_string(pages) + " frame(s) shown between the quit word and its message");
    }
    if (ending == Ending::Won && pages < 2) {
      Fail("won", "only " + std::to_string(pages) + " closing page(s) shown");
    }
  }
  if (checking.EndMessageForeground() != fg || checking.EndMessageBackground() != bg) {
    Fail("end-colours", "the closing message is in " + std::to_string(checking.EndMessageForeground()) +
                            " on " + std::to_string(checking.EndMessageBackground()) + ", expected " +
                            std::to_string(fg) + " on " + std::to_string(bg) + context);
  }
  return ending;
}

}  // namespace

const char* EndingName(Ending ending) {
  switch (ending) {
    case Ending::Won: return "won";
    case Ending::Quit: return "quit";
    case Ending::TimedOut: return "timed out";
    case Ending::RanDry: return "ran dry";
    case Ending::Unfinished: return "unfinished";
    case Ending::Failed: return "failed";
  }
  return "?";
}

GameOutcome PlayGame(std::int64_t startOfDay_ms, StretchSource& source, GameRecord& record,
                     const PlayLimits& limits) {
  testing::HeadlessBackend headless(static_cast<double>(startOfDay_ms) / 1000.0);
  CheckingBackend checking(headless);
  Console console(checking);
  Game game{GameState{}, console};
  checking.Attach(console, game.state);

  record.script = GameScript{startOfDay_ms, {}};
  record.text = FormatHeader(startOfDay_ms);

  GameOutcome outcome;
  double horizon_s = 0.0;
  double pendingEnter_s = -1.0;  // the last Enter on the script
  bool opening = true;
  Fixed fixed;
  Snapshot before = Take(game.state);

  // Schedules the next stretch from now on; false when there is none (or the budget is spent).
  const auto scheduleNext = [&]() -> bool {
    if (limits.maxPresses >= 0 && outcome.presses >= limits.maxPresses) return false;
    const double left_s = opening ? 0.0 : game.state.deadline - console.ReadClock();
    std::optional<Stretch> stretch = source.Next(GameView{game.state, opening, left_s});
    if (!stretch) return false;
    if (!record.script.stretches.empty()) record.text.push_back('|');
    record.text += FormatStretch(*stretch);
    record.script.stretches.push_back(*stretch);
    outcome.presses += CountPresses(*stretch);
    const Scheduled scheduled = ScheduleStretch(headless, headless.Now(), *stretch);
    horizon_s = std::max(horizon_s, scheduled.last_s + kDryMargin_s);
    pendingEnter_s = std::max(pendingEnter_s, scheduled.lastEnter_s);
    headless.StopAt(horizon_s);
    return true;
  };
  const auto finish = [&](Ending ending) {
    outcome.ending = ending;
    outcome.virtual_s = headless.Now();
    return outcome;
  };
  const auto failed = [&](SoakFailure failure) {
    outcome.failure = std::move(failure);
    outcome.failure.detail += "\n  after " + std::to_string(outcome.turns) + " turn(s), at " +
                              std::to_string(headless.Now()) + " s of virtual time";
    return finish(Ending::Failed);
  };

  try {
    try {
      if (!scheduleNext()) return finish(Ending::Unfinished);
      StartUp(game);
      opening = false;
      fixed.deadline = game.state.deadline;
      fixed.exitsText = game.state.exitsText;
      before = Take(game.state);
      const double started_s = console.ReadClock();
      if (before.room != 1 || before.flags != std::array<int, 5>{}) {
        Fail("start", "start-up left " + StateText(before));
      }
      if (std::abs(game.state.deadline - (started_s + 1800.0)) > 1e-6) {
        Fail("start", "the deadline is " + std::to_string(game.state.deadline - started_s) +
                          " s after the opening page was left, not 1800 s");
      }
      for (;;) {
        // A new stretch as the turn begins, unless an Enter already on the script is still to
        // come: that one ends this turn's line (after a paste or a storm of Enter, say).
        if (headless.Now() >= pendingEnter_s && !scheduleNext()) return finish(Ending::Unfinished);
        before = Take(game.state);
        checking.BeginTurn();
        PlayTurn(game);
        CheckStateAfterTurn(before, game, checking, fixed);
        ++outcome.turns;
      }
    } catch (const GameEnded& end) {
      if (opening) Fail("start", "the game ended on the opening page");
      return finish(CheckEnding(end, before, game.state, checking));
    } catch (const testing::ScriptFinished&) {
      return finish(Ending::RanDry);
    }
  } catch (const SoakFailure& failure) {
    return failed(failure);
  } catch (const std::exception& error) {
    return failed({"exception", std::string("the game threw: ") + error.what()});
  } catch (...) {
    return failed({"exception", "the game threw something that is no std::exception"});
  }
}

}  // namespace ashwicket::soak
