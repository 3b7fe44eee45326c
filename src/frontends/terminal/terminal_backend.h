// The console backend for a text terminal: keys from curses, frames to curses, waits on the
// terminal's input and on the signal pipe, never spinning.
#pragma once

#include "console/backend.h"
#include "frontends/terminal/curses_session.h"
#include "frontends/terminal/key_translation.h"
#include "frontends/terminal/screen_painter.h"
#include "frontends/terminal/signals.h"

namespace ashwicket::terminal {

class TerminalBackend final : public Backend {
 public:
  // Needs stdin and stdout to be the terminal. Throws std::runtime_error if curses cannot
  // drive it.
  TerminalBackend();

  double MonotonicSeconds() override;
  double SecondsSinceMidnightAtStart() override { return startOfDay_s_; }
  // Both throw Interrupted once a signal asks the process to end.
  void Sleep(double duration_s) override;
  void PumpInput(KeyQueues& queues, double timeout_s) override;
  void Show(const ScreenBuffer& screen) override;

 private:
  enum class Ready { Timeout, Input, Signal };

  // Deals with the signals that arrived: Ctrl-Z, being continued, a new size. One that ends
  // the process throws Interrupted if mayThrow, else stays noted for the next wait.
  void HandleSignals(bool mayThrow);
  void Suspend();
  // Moves every key the terminal has into the queues. True if a key was pressed.
  bool ReadKeys(KeyQueues& queues);
  // Waits for the signal pipe and, with watchInput, the terminal's input. A terminal that
  // has hung up counts as SIGHUP.
  Ready Wait(double timeout_s, bool watchInput);

  // Declared in the order they come up: signal handlers before curses (so curses keeps its
  // hands off those signals), curses before drawing. They go down the other way round.
  SignalGuard signals_;
  CursesSession session_;
  ScreenPainter painter_;
  KeyTranslator translator_;
  double startOfDay_s_;
};

}  // namespace ashwicket::terminal
