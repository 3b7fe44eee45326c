// The process signals the terminal front-end cares about.
//
// The handlers do as little as a handler may: they note the signal and write a byte to a
// pipe, so that the backend's waits wake up and deal with it on the one thread there is.
// Interrupt, terminate, hang-up and quit make the backend throw Interrupted; main catches it
// once the terminal is restored and ends the process by the same signal. Crash signals
// cannot wait for that: their handler puts the terminal back itself, with async-signal-safe
// calls only, and lets the signal take its course.
#pragma once

#include <termios.h>

#include <string>

namespace ashwicket::terminal {

// Thrown out of the backend's waits when a signal asks the process to end.
struct Interrupted {
  int signal = 0;
};

// What arrived since the last look.
struct ArrivedSignals {
  int termination = 0;   // SIGINT, SIGTERM, SIGHUP or SIGQUIT; 0 if none
  bool stop = false;     // SIGTSTP: Ctrl-Z
  bool resumed = false;  // SIGCONT
  bool resized = false;  // SIGWINCH
};

// Installs the handlers for its lifetime (a signal the process ignores stays ignored) and
// restores the previous ones after. One at a time.
class SignalGuard {
 public:
  SignalGuard();
  ~SignalGuard();
  SignalGuard(const SignalGuard&) = delete;
  SignalGuard& operator=(const SignalGuard&) = delete;

  // Readable while a signal waits to be taken.
  int WakeFd() const;
  ArrivedSignals Take();

  // Stops the process the way Ctrl-Z would have without us, and returns once it continues.
  void StopProcess();
};

// What a crash handler writes and sets to give the terminal back: the terminal's mode from
// before we started and the control strings that undo the full-screen mode.
void SetEmergencyRestore(const termios& shellMode, const std::string& controlStrings);
void ClearEmergencyRestore();

// Ends the process by this signal with its default action, so the parent sees it.
[[noreturn]] void DieBySignal(int signal);

}  // namespace ashwicket::terminal
