// Paces a loop at 30 passes a second on a steady schedule. Pure arithmetic: the caller passes
// the time in and sleeps for the delay it gets back.
#pragma once

namespace ashwicket {

class RateLimiter {
 public:
  static constexpr double kPassesPerSecond = 30.0;
  static constexpr double kPeriod_s = 1.0 / kPassesPerSecond;
  static constexpr double kMaxLag_s = 0.032;  // further behind than this starts a new schedule

  // Seconds to sleep before the pass that the caller is about to start at now_s.
  double DelayBeforePass(double now_s);

 private:
  bool scheduled_ = false;
  double nextPass_s_ = 0.0;
};

}  // namespace ashwicket
