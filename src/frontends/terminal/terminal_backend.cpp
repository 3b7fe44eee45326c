#include "frontends/terminal/terminal_backend.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>

#include "frontends/common/system_clock.h"
#include "frontends/terminal/size_notice.h"

namespace ashwicket::terminal {

namespace {

// How long a terminal gets to act on our request to resize its window before the notice.
constexpr double kResizeGrace_s = 0.3;
// How long to wait for the rest of an escape sequence that stopped half-way.
constexpr double kSequenceGrace_s = kEscapeDelay_ms / 1000.0;

timespec ToTimespec(double seconds) {
  seconds = std::max(seconds, 0.0);
  timespec time{};
  time.tv_sec = static_cast<time_t>(seconds);
  time.tv_nsec = static_cast<long>((seconds - static_cast<double>(time.tv_sec)) * 1e9);
  return time;
}

}  // namespace

TerminalBackend::TerminalBackend()
    : painter_(session_.Depth()), startOfDay_s_(LocalSecondsSinceMidnight()) {
  if (!FitsGame(session_.Rows(), session_.Columns())) {
    // Many terminals start at 80x24: ask once for room, and give the answer a moment.
    session_.RequestSize(std::max(session_.Rows(), kRows), std::max(session_.Columns(), kColumns));
    const double until = MonotonicSeconds() + kResizeGrace_s;
    while (!FitsGame(session_.Rows(), session_.Columns())) {
      const double left = until - MonotonicSeconds();
      if (left <= 0.0 || Wait(left, false) != Ready::Signal) break;
      HandleSignals(false);
    }
  }
}

double TerminalBackend::MonotonicSeconds() {
  return SteadySeconds();
}

void TerminalBackend::Sleep(double duration_s) {
  const double until = MonotonicSeconds() + duration_s;
  for (;;) {
    HandleSignals(true);
    const double left = until - MonotonicSeconds();
    if (left <= 0.0) return;
    Wait(left, false);
  }
}

void TerminalBackend::PumpInput(KeyQueues& queues, double timeout_s) {
  const double until = MonotonicSeconds() + timeout_s;
  for (;;) {
    HandleSignals(true);
    if (ReadKeys(queues)) return;
    const double left = until - MonotonicSeconds();
    if (left <= 0.0) return;
    Wait(left, true);
  }
}

void TerminalBackend::Show(const ScreenBuffer& screen) {
  HandleSignals(false);  // draw for the terminal's size as it is now
  painter_.Show(screen.AllCells());
}

void TerminalBackend::HandleSignals(bool mayThrow) {
  const ArrivedSignals arrived = signals_.Take();
  if (arrived.termination != 0) {
    if (mayThrow) throw Interrupted{arrived.termination};
    return;  // stays noted; the next wait throws
  }
  if (arrived.stop) {
    Suspend();
  } else if (arrived.resumed) {
    // Stopped and continued by someone else: the shell may have had the terminal meanwhile.
    session_.Resume();
    painter_.Repaint();
  } else if (arrived.resized && session_.SyncSize()) {
    painter_.Repaint();
  }
}

void TerminalBackend::Suspend() {
  session_.Leave();
  signals_.StopProcess();
  // Back after fg. Its SIGCONT, and any resize while we were away, are dealt with here; a
  // signal to end that waited for us to continue ends us before we take the screen again.
  const ArrivedSignals meanwhile = signals_.Take();
  if (meanwhile.termination != 0) throw Interrupted{meanwhile.termination};
  session_.Resume();
  painter_.Repaint();
}

bool TerminalBackend::ReadKeys(KeyQueues& queues) {
  bool pressed = false;
  const auto apply = [&](const KeyMeaning& meaning) {
    if (meaning.kind == KeyMeaning::Kind::Repaint) {
      painter_.Repaint();
    } else if (meaning.kind == KeyMeaning::Kind::Key && painter_.Fits()) {
      // A terminal reports no releases: each key goes up as soon as it went down.
      queues.Press(meaning.press);
      queues.Release(meaning.press.code);
      pressed = true;
    }  // while the size notice shows, keys go nowhere: the game cannot be seen
  };
  for (;;) {
    const int code = wgetch(stdscr);
    if (code != ERR) {
      apply(translator_.Feed(code));
      continue;
    }
    if (translator_.MidSequence() && Wait(kSequenceGrace_s, true) == Ready::Input) continue;
    apply(translator_.EndOfInput());
    return pressed;
  }
}

TerminalBackend::Ready TerminalBackend::Wait(double timeout_s, bool watchInput) {
  pollfd fds[2] = {{signals_.WakeFd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
  const timespec timeout = ToTimespec(timeout_s);
  const int ready = ppoll(fds, watchInput ? 2 : 1, &timeout, nullptr);
  if (ready < 0) return errno == EINTR ? Ready::Signal : Ready::Timeout;
  if (ready == 0) return Ready::Timeout;
  if (fds[0].revents != 0) return Ready::Signal;
  if ((fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
    throw Interrupted{SIGHUP};  // the terminal is gone: as if it had said so
  }
  return Ready::Input;
}

}  // namespace ashwicket::terminal
