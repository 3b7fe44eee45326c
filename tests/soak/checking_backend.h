// A backend between the console and the headless backend that looks at every frame the game
// shows, as a player would, and stops the game with a SoakFailure when one breaks a rule:
//
// - the cursor stays on the screen, and on rows 1-24 until the game's closing message;
// - row 25 is blank, or shows exactly "Press any key to continue", after which the screen
//   never changes again and rows 1-24 are those of the frame before it;
// - a frame the command reader presents shows the time left, to the millisecond, as
//   " mmm:ss.sss" at row 2, column 32, with the seconds below 60;
// - the death page comes only once the time has run out;
// - the turn screen of a room looks the same every time for the same evidence carried;
// - the game never polls endlessly without letting time pass.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "console/backend.h"
#include "console/console.h"
#include "shell/game_state.h"
#include "support/headless_backend.h"

namespace ashwicket::soak {

struct SoakFailure {
  std::string kind;  // a short name of the broken rule; a shrunk reproducer must keep it
  std::string detail;
};

class CheckingBackend final : public Backend {
 public:
  explicit CheckingBackend(testing::HeadlessBackend& inner) : inner_(inner) {}

  // The console that draws through this backend and the state it plays; before the first frame.
  void Attach(Console& console, const GameState& state) {
    console_ = &console;
    state_ = &state;
  }

  // The next frame is the turn screen of a new turn.
  void BeginTurn();

  bool EndMessageShown() const { return endMessageShown_; }
  bool DeathPageShown() const { return deathPageShown_; }
  // Colours of the closing message on row 25.
  int EndMessageForeground() const { return endForeground_; }
  int EndMessageBackground() const { return endBackground_; }
  // Frames the command reader presented in this turn, and frames shown after its last one.
  int ReaderFramesThisTurn() const { return readerFrames_; }
  int FramesAfterReader() const { return framesAfterReader_; }
  // The frame in which the reader took Enter, the last one it presented.
  const ScreenBuffer& LastReaderFrame() const { return lastReaderFrame_; }
  std::int64_t FramesShown() const { return framesShown_; }

  // Backend
  double MonotonicSeconds() override { return inner_.MonotonicSeconds(); }
  double SecondsSinceMidnightAtStart() override { return inner_.SecondsSinceMidnightAtStart(); }
  void Sleep(double duration_s) override;
  void PumpInput(KeyQueues& queues, double timeout_s) override;
  void Show(const ScreenBuffer& screen) override;

 private:
  void CheckCursorAndBottomRow(const ScreenBuffer& screen);
  void CheckReaderFrame(const ScreenBuffer& screen);
  void CheckTurnScreen(const ScreenBuffer& screen);
  void NoteTimePassing();

  testing::HeadlessBackend& inner_;
  Console* console_ = nullptr;
  const GameState* state_ = nullptr;

  ScreenBuffer previousFrame_;
  bool havePrevious_ = false;
  ScreenBuffer lastReaderFrame_;
  ScreenBuffer endFrame_;
  bool endMessageShown_ = false;
  bool deathPageShown_ = false;
  int endForeground_ = -1;
  int endBackground_ = -1;
  bool turnScreenNext_ = false;
  int readerFrames_ = 0;
  int framesAfterReader_ = 0;
  std::int64_t framesShown_ = 0;
  // Room and carried items -> a hash of the turn screen's cells, countdown left out.
  std::map<int, std::uint64_t> turnScreens_;
  // Polls at one virtual moment, to catch a loop that never waits.
  double pollsAt_s_ = -1.0;
  std::int64_t pollsWithoutTime_ = 0;
};

}  // namespace ashwicket::soak
