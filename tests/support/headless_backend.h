// A real console backend with no I/O: a virtual clock that sleeps and waits advance, keys
// scheduled by the test at virtual times, and every shown frame kept for inspection.
#pragma once

#include <map>
#include <stdexcept>
#include <string_view>

#include "console/backend.h"
#include "console/keys.h"

namespace ashwicket::testing {

// Thrown when the game would wait for input that the script will never bring, or when the
// virtual clock passes the horizon the test set: the test then looks at where the game stands.
struct ScriptFinished {
  double at_s = 0.0;
};

class HeadlessBackend final : public Backend {
 public:
  explicit HeadlessBackend(double startOfDay_s = 12 * 3600.0) : startOfDay_s_(startOfDay_s) {}

  // Script. Times are on the virtual monotonic clock, which starts at 0.
  void PressAt(double at_s, const KeyPress& key);
  void ReleaseAt(double at_s, int pressCode);
  // Each character pressed and released at at_s, then one every spacing_s; a '\n' types Enter.
  // Returns the time of the last key.
  double TypeAt(double at_s, std::string_view text, double spacing_s = 0.0);
  // Sleeps and waits that would carry the clock past this point end the run instead.
  void StopAt(double horizon_s) { horizon_s_ = horizon_s; }

  double Now() const { return now_s_; }
  int FramesShown() const { return framesShown_; }
  const ScreenBuffer& LastShown() const { return lastShown_; }

  // Backend
  double MonotonicSeconds() override { return now_s_; }
  double SecondsSinceMidnightAtStart() override { return startOfDay_s_; }
  void Sleep(double duration_s) override;
  void PumpInput(KeyQueues& queues, double timeout_s) override;
  void Show(const ScreenBuffer& screen) override;

 private:
  struct Scheduled {
    bool press = true;
    KeyPress key;
  };
  void AdvanceTo(double t_s);

  std::multimap<double, Scheduled> script_;
  double now_s_ = 0.0;
  double horizon_s_ = 1e12;
  double startOfDay_s_;
  int framesShown_ = 0;
  ScreenBuffer lastShown_;
};

}  // namespace ashwicket::testing
