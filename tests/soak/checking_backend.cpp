#include "soak/checking_backend.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "shell/story_texts.h"

namespace ashwicket::soak {

namespace {

constexpr std::string_view kEndMessage = "Press any key to continue";
constexpr int kCountdownRow = 2;
constexpr int kCountdownColumn = 32;
constexpr int kCountdownWidth = 11;
// No loop of the game polls this often at one virtual moment; emptying a full event queue
// takes some 25,000 polls.
constexpr std::int64_t kMaxPollsWithoutTime = 10'000'000;

[[noreturn]] void Fail(std::string kind, std::string detail) {
  throw SoakFailure{std::move(kind), std::move(detail)};
}

std::string Trimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

bool SameRows(const ScreenBuffer& a, const ScreenBuffer& b, int first, int last) {
  for (int row = first; row <= last; ++row) {
    for (int column = 1; column <= kColumns; ++column) {
      if (!(a.At(row, column) == b.At(row, column))) return false;
    }
  }
  return true;
}

std::uint64_t TurnScreenHash(const ScreenBuffer& screen) {
  std::uint64_t hash = 1469598103934665603ull;
  const auto mix = [&](std::uint8_t byte) {
    hash ^= byte;
    hash *= 1099511628211ull;
  };
  for (int row = 1; row <= kRows; ++row) {
    for (int column = 1; column <= kColumns; ++column) {
      if (row == kCountdownRow && column >= kCountdownColumn &&
          column < kCountdownColumn + kCountdownWidth) {
        continue;
      }
      const Cell& cell = screen.At(row, column);
      mix(cell.ch);
      mix(cell.fg);
      mix(cell.bg);
    }
  }
  return hash;
}

std::string Where(const ScreenBuffer& screen) {
  std::string rows;
  for (int row = 1; row <= kRows; ++row) {
    const std::string text = Trimmed(screen.RowText(row));
    if (!text.empty()) rows += "\n    " + std::to_string(row) + ": " + text;
  }
  return "\n  frame:" + rows;
}

}  // namespace

void CheckingBackend::BeginTurn() {
  turnScreenNext_ = true;
  readerFrames_ = 0;
  framesAfterReader_ = 0;
}

void CheckingBackend::NoteTimePassing() {
  const double now_s = inner_.Now();
  if (now_s != pollsAt_s_) {
    pollsAt_s_ = now_s;
    pollsWithoutTime_ = 0;
    return;
  }
  if (++pollsWithoutTime_ > kMaxPollsWithoutTime) {
    Fail("spin", "the game polled the keyboard " + std::to_string(kMaxPollsWithoutTime) +
                     " times without letting time pass");
  }
}

void CheckingBackend::Sleep(double duration_s) {
  inner_.Sleep(duration_s);
  NoteTimePassing();
}

void CheckingBackend::PumpInput(KeyQueues& queues, double timeout_s) {
  inner_.PumpInput(queues, timeout_s);
  NoteTimePassing();
}

void CheckingBackend::Show(const ScreenBuffer& screen) {
  ++framesShown_;
  CheckCursorAndBottomRow(screen);
  if (turnScreenNext_) {
    turnScreenNext_ = false;
    CheckTurnScreen(screen);
  }
  if (console_ != nullptr && !console_->AutoPresent() && !endMessageShown_) {
    const auto death = DeathPage();
    if (!death.empty() && screen.RowText(1).starts_with(death.front())) {
      deathPageShown_ = true;
      const double left_s = state_->deadline - console_->ReadClock();
      if (left_s > 0.0) {
        Fail("early-death", "the death page came with " + std::to_string(left_s) + " s left");
      }
    } else {
      CheckReaderFrame(screen);
      lastReaderFrame_ = screen;
      ++readerFrames_;
      framesAfterReader_ = 0;
    }
  } else if (readerFrames_ > 0) {
    ++framesAfterReader_;
  }
  previousFrame_ = screen;
  havePrevious_ = true;
  inner_.Show(screen);
}

void CheckingBackend::CheckCursorAndBottomRow(const ScreenBuffer& screen) {
  const CursorPosition cursor = screen.ReadCursor();
  if (cursor.row < 1 || cursor.row > kRows || cursor.column < 1 || cursor.column > kColumns) {
    Fail("cursor", "cursor at row " + std::to_string(cursor.row) + ", column " +
                       std::to_string(cursor.column) + Where(screen));
  }
  if (endMessageShown_) {
    if (!SameRows(screen, endFrame_, 1, kRows)) {
      Fail("after-end", "the screen changed after \"Press any key to continue\"" + Where(screen));
    }
    return;
  }
  const std::string bottom = screen.RowText(kRows);
  if (bottom == std::string(kColumns, ' ')) {
    if (cursor.row == kRows) {
      Fail("cursor", "cursor on row 25 before the closing message" + Where(screen));
    }
    return;
  }
  if (Trimmed(bottom) != kEndMessage) {
    Fail("row25", "row 25 shows \"" + Trimmed(bottom) + "\"" + Where(screen));
  }
  // The closing message: on a blanked row in one pair of colours, under an unchanged screen.
  const Cell& first = screen.At(kRows, 1);
  for (int column = 2; column <= kColumns; ++column) {
    const Cell& cell = screen.At(kRows, column);
    if (cell.fg != first.fg || cell.bg != first.bg) {
      Fail("row25", "row 25 is not in one pair of colours (column " + std::to_string(column) + ")");
    }
  }
  if (!havePrevious_ || !SameRows(screen, previousFrame_, 1, kScrollRows)) {
    Fail("end-screen", "rows 1-24 changed when the closing message came" + Where(screen) +
                           (havePrevious_ ? "\n  before it:" + Where(previousFrame_) : ""));
  }
  endMessageShown_ = true;
  endFrame_ = screen;
  endForeground_ = first.fg;
  endBackground_ = first.bg;
}

void CheckingBackend::CheckReaderFrame(const ScreenBuffer& screen) {
  // The time left as the reader saw it: nothing sleeps between its clock reading and the present.
  // Clock and deadline both step in whole milliseconds, so the time left is a whole number of
  // them; whatever the arithmetic leaves beyond that is rounding.
  const double left_s = state_->deadline - console_->ReadClock();
  const long long left_ms = std::llround(left_s * 1000.0);
  if (left_ms <= 0) {
    char left[64];
    std::snprintf(left, sizeof left, "%.17g", left_s);
    Fail("late-frame", std::string("the reader presented a frame with ") + left +
                           " s left instead of the death page" + Where(screen));
  }
  char expected[32];
  std::snprintf(expected, sizeof expected, " %3lld:%2lld.%03lld", left_ms / 60000,
                left_ms % 60000 / 1000, left_ms % 1000);
  const std::string shown =
      screen.RowText(kCountdownRow).substr(kCountdownColumn - 1, kCountdownWidth);
  if (shown != expected) {
    char left[64];
    std::snprintf(left, sizeof left, "%.17g", left_s);
    Fail("countdown", "countdown shows \"" + shown + "\" with " + left + " s left (expected \"" +
                          expected + "\")");
  }
}

void CheckingBackend::CheckTurnScreen(const ScreenBuffer& screen) {
  const GameState& s = *state_;
  const int key = s.currentRoom * 32 + s.hasDrawing + 2 * s.hasPistol + 4 * s.hasDoll +
                  8 * s.hasTicket + 16 * s.hasRing;
  const std::uint64_t hash = TurnScreenHash(screen);
  const auto [it, inserted] = turnScreens_.emplace(key, hash);
  if (!inserted && it->second != hash) {
    Fail("turn-screen", "the turn screen of room " + std::to_string(s.currentRoom) +
                            " differs from an earlier one with the same evidence carried" +
                            Where(screen));
  }
}

}  // namespace ashwicket::soak
