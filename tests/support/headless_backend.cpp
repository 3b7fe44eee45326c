#include "support/headless_backend.h"

#include <algorithm>

namespace ashwicket::testing {

void HeadlessBackend::PressAt(double at_s, const KeyPress& key) {
  script_.emplace(at_s, Scheduled{true, key});
}

void HeadlessBackend::ReleaseAt(double at_s, int pressCode) {
  script_.emplace(at_s, Scheduled{false, KeyPress{0, 0, pressCode}});
}

double HeadlessBackend::TypeAt(double at_s, std::string_view text, double spacing_s) {
  double t_s = at_s;
  for (char ch : text) {
    const auto key = KeyPress::Character(static_cast<std::uint8_t>(ch == '\n' ? kKeyEnter : ch));
    PressAt(t_s, key);
    ReleaseAt(t_s, key.code);
    t_s += spacing_s;
  }
  return t_s - spacing_s;
}

void HeadlessBackend::AdvanceTo(double t_s) {
  if (t_s > horizon_s_) {
    now_s_ = horizon_s_;
    throw ScriptFinished{now_s_};
  }
  if (t_s > now_s_) now_s_ = t_s;
}

void HeadlessBackend::Sleep(double duration_s) {
  AdvanceTo(now_s_ + duration_s);
}

void HeadlessBackend::PumpInput(KeyQueues& queues, double timeout_s) {
  if (timeout_s > 0.0) {
    // Block until the next scheduled key, as a real terminal would.
    if (script_.empty()) throw ScriptFinished{now_s_};
    AdvanceTo(std::max(now_s_, script_.begin()->first));
  }
  while (!script_.empty() && script_.begin()->first <= now_s_) {
    const Scheduled event = script_.begin()->second;
    script_.erase(script_.begin());
    if (event.press) {
      queues.Press(event.key);
    } else {
      queues.Release(event.key.code);
    }
  }
}

void HeadlessBackend::Show(const ScreenBuffer& screen) {
  lastShown_ = screen;
  ++framesShown_;
}

}  // namespace ashwicket::testing
