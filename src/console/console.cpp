#include "console/console.h"

#include <cmath>

namespace ashwicket {

namespace {
// How long one AwaitInput blocks at most; poll loops around it stay responsive to the system.
constexpr double kAwaitSlice_s = 0.5;
}  // namespace

Console::Console(Backend& backend)
    : backend_(backend),
      clockOrigin_s_(backend.MonotonicSeconds()),
      startOfDay_s_(backend.SecondsSinceMidnightAtStart()) {}

void Console::Clear() {
  screen_.Clear();
  Touch();
}

void Console::Print(std::string_view text) {
  screen_.Print(text, false);
  Touch();
}

void Console::PrintLine(std::string_view text) {
  screen_.Print(text, true);
  Touch();
}

void Console::MoveCursor(int row, int column) {
  screen_.MoveCursor(row, column);
}

void Console::RestoreScreen() {
  screen_.SetAllCells(saved_);
  Touch();
}

void Console::PumpInput(double timeout_s) {
  backend_.PumpInput(queues_, timeout_s);
}

std::string Console::PollCharacter() {
  PumpInput(0.0);
  return queues_.PollCharacter();
}

int Console::PollEvent() {
  PumpInput(0.0);
  return queues_.PollEvent();
}

void Console::AwaitInput() {
  ShowIfAutomatic();
  PumpInput(kAwaitSlice_s);
}

double Console::ReadClock() {
  const double elapsed_s = backend_.MonotonicSeconds() - clockOrigin_s_;
  return std::round((startOfDay_s_ + elapsed_s) * 1000.0) / 1000.0;
}

void Console::Sleep(double duration_s) {
  ShowIfAutomatic();
  if (duration_s > 0.0) backend_.Sleep(duration_s);
}

void Console::LimitPassRate() {
  Sleep(limiter_.DelayBeforePass(backend_.MonotonicSeconds()));
}

void Console::Present() {
  autoPresent_ = false;
  backend_.Show(screen_);
  dirty_ = false;
}

void Console::ShowIfAutomatic() {
  if (!autoPresent_ || !dirty_) return;
  backend_.Show(screen_);
  dirty_ = false;
}

}  // namespace ashwicket
