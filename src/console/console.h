// The text console the game draws on and reads keys from: one screen, two key queues, a clock,
// a pass-rate limit and the presentation mode. Every rule lives here once; a Backend only
// brings the platform.
#pragma once

#include <string>
#include <string_view>

#include "console/backend.h"
#include "console/key_queues.h"
#include "console/rate_limiter.h"
#include "console/screen_buffer.h"

namespace ashwicket {

class Console {
 public:
  explicit Console(Backend& backend);

  // Screen
  void SetColours(int fg, int bg) { screen_.SetColours(fg, bg); }
  void Clear();
  void Print(std::string_view text);           // without a line end
  void PrintLine(std::string_view text = {});  // the text, then a line end
  void MoveCursor(int row, int column);
  CursorPosition ReadCursor() const { return screen_.ReadCursor(); }
  void SaveScreen() { saved_ = screen_.AllCells(); }
  void RestoreScreen();

  // Keyboard
  std::string PollCharacter();
  int PollEvent();
  // Blocks until the system has a key for us, or a short while has passed. For poll loops
  // that would otherwise spin.
  void AwaitInput();

  // Time: seconds since local midnight at start-up, counting on without wrapping, in steps
  // of a millisecond.
  double ReadClock();
  void Sleep(double duration_s);
  void LimitPassRate();

  // Presentation
  void Present();
  void ResumeAutoPresent() { autoPresent_ = true; }
  bool AutoPresent() const { return autoPresent_; }

  const ScreenBuffer& Screen() const { return screen_; }

 private:
  void PumpInput(double timeout_s);
  void ShowIfAutomatic();
  void Touch() { dirty_ = true; }

  Backend& backend_;
  ScreenBuffer screen_;
  Cells saved_{};
  KeyQueues queues_;
  RateLimiter limiter_;
  double clockOrigin_s_ = 0.0;  // what the monotonic clock read at start
  double startOfDay_s_ = 0.0;
  bool autoPresent_ = true;
  bool dirty_ = true;  // drawn on since the backend last showed the screen
};

}  // namespace ashwicket
