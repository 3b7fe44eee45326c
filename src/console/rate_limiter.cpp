#include "console/rate_limiter.h"

namespace ashwicket {

double RateLimiter::DelayBeforePass(double now_s) {
  // A new schedule starts from now, its first pass one period on; passes then keep to the
  // absolute schedule, so time spent working in a pass never makes the loop drift.
  if (!scheduled_ || now_s > nextPass_s_ + kMaxLag_s) {
    scheduled_ = true;
    nextPass_s_ = now_s + kPeriod_s;
  }
  const double delay_s = nextPass_s_ > now_s ? nextPass_s_ - now_s : 0.0;
  nextPass_s_ += kPeriod_s;
  return delay_s;
}

}  // namespace ashwicket
