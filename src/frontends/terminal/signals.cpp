#include "frontends/terminal/signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace ashwicket::terminal {

namespace {

constexpr int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kNoticeSignals[] = {SIGTSTP, SIGCONT, SIGWINCH};
constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

static_assert(std::atomic<int>::is_always_lock_free, "handlers need lock-free atomics");

// Shared with the handlers. Plain data and lock-free atomics only.
std::atomic<int> g_termination{0};
std::atomic<int> g_stop{0};
std::atomic<int> g_resumed{0};
std::atomic<int> g_resized{0};
int g_wakeRead = -1;
int g_wakeWrite = -1;
struct sigaction g_previous[NSIG];

std::atomic<int> g_haveRestore{0};
termios g_shellMode{};
char g_restoreBytes[512];
std::size_t g_restoreLength = 0;

alignas(16) char g_alternateStack[64 * 1024];

bool g_guardActive = false;

void EmergencyRestore() {
  if (g_haveRestore.load() == 0) return;
  // In the background the shell has the terminal and its mode; SIGTTOU is blocked here.
  if (tcgetpgrp(STDIN_FILENO) == getpgrp()) tcsetattr(STDIN_FILENO, TCSANOW, &g_shellMode);
  std::size_t written = 0;
  while (written < g_restoreLength) {
    const ssize_t n = write(STDOUT_FILENO, g_restoreBytes + written, g_restoreLength - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
}

// Async-signal-safe: sigaction, sigprocmask, raise and _exit only.
[[noreturn]] void DieNow(int signal) {
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  sigaction(signal, &byDefault, nullptr);
  sigset_t just{};
  sigemptyset(&just);
  sigaddset(&just, signal);
  sigprocmask(SIG_UNBLOCK, &just, nullptr);
  raise(signal);
  _exit(128 + signal);  // a signal whose default action does not end the process
}

void Wake() {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(g_wakeWrite, &byte, 1);  // full pipe: awake anyway
}

void OnTermination(int signal) {
  const int savedErrno = errno;
  // A second one before the first was dealt with: the game is not getting to it, so put the
  // terminal back from here and go.
  if (g_termination.exchange(signal) != 0) {
    EmergencyRestore();
    DieNow(signal);
  }
  Wake();
  errno = savedErrno;
}

void OnNotice(int signal) {
  const int savedErrno = errno;
  if (signal == SIGTSTP) g_stop.store(1);
  if (signal == SIGCONT) g_resumed.store(1);
  if (signal == SIGWINCH) g_resized.store(1);
  Wake();
  errno = savedErrno;
}

void OnCrash(int signal, siginfo_t* info, void* context) {
  EmergencyRestore();
  // Hand over to whoever handled it before us (a sanitizer's report, say), else die of it.
  const struct sigaction previous = g_previous[signal];
  const bool function = (previous.sa_flags & SA_SIGINFO) != 0 ||
                        (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN);
  if (function) {
    sigaction(signal, &previous, nullptr);
    if ((previous.sa_flags & SA_SIGINFO) != 0) {
      previous.sa_sigaction(signal, info, context);
    } else {
      previous.sa_handler(signal);
    }
  }
  DieNow(signal);
}

void Install(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigfillset(&action.sa_mask);  // one handler at a time
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

}  // namespace

SignalGuard::SignalGuard() {
  if (g_guardActive) throw std::logic_error("only one SignalGuard at a time");
  int fds[2];
  if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
    throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
  }
  g_wakeRead = fds[0];
  g_wakeWrite = fds[1];
  g_termination = 0;
  g_stop = 0;
  g_resumed = 0;
  g_resized = 0;
  g_guardActive = true;

  stack_t stack{};
  stack.ss_sp = g_alternateStack;
  stack.ss_size = sizeof g_alternateStack;
  sigaltstack(&stack, nullptr);  // so that a stack overflow can still be handled

  for (int signal : kTerminationSignals) {
    sigaction(signal, nullptr, &g_previous[signal]);
    // A signal we were started to ignore (nohup, a background job) stays ignored.
    if (g_previous[signal].sa_handler != SIG_IGN) Install(signal, OnTermination);
  }
  for (int signal : kNoticeSignals) {
    sigaction(signal, nullptr, &g_previous[signal]);
    if (g_previous[signal].sa_handler != SIG_IGN) Install(signal, OnNotice);
  }
  for (int signal : kCrashSignals) {
    struct sigaction action {};
    action.sa_sigaction = OnCrash;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGTTOU);  // writing to the terminal must not stop us here
    action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
    sigaction(signal, &action, &g_previous[signal]);
  }
}

SignalGuard::~SignalGuard() {
  for (int signal : kCrashSignals) sigaction(signal, &g_previous[signal], nullptr);
  for (int signal : kNoticeSignals) sigaction(signal, &g_previous[signal], nullptr);
  for (int signal : kTerminationSignals) sigaction(signal, &g_previous[signal], nullptr);
  stack_t none{};
  none.ss_flags = SS_DISABLE;
  sigaltstack(&none, nullptr);
  close(g_wakeRead);
  close(g_wakeWrite);
  g_wakeRead = g_wakeWrite = -1;
  g_guardActive = false;
}

int SignalGuard::WakeFd() const {
  return g_wakeRead;
}

ArrivedSignals SignalGuard::Take() {
  char drain[64];
  while (read(g_wakeRead, drain, sizeof drain) > 0) {
  }
  ArrivedSignals arrived;
  arrived.termination = g_termination.load();
  arrived.stop = g_stop.exchange(0) != 0;
  arrived.resumed = g_resumed.exchange(0) != 0;
  arrived.resized = g_resized.exchange(0) != 0;
  return arrived;
}

void SignalGuard::StopProcess() {
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigemptyset(&byDefault.sa_mask);
  struct sigaction ours {};
  sigaction(SIGTSTP, &byDefault, &ours);
  raise(SIGTSTP);  // stopped here until the shell's fg
  sigaction(SIGTSTP, &ours, nullptr);
}

void SetEmergencyRestore(const termios& shellMode, const std::string& controlStrings) {
  g_haveRestore = 0;
  g_shellMode = shellMode;
  g_restoreLength = std::min(controlStrings.size(), sizeof g_restoreBytes);
  std::memcpy(g_restoreBytes, controlStrings.data(), g_restoreLength);
  g_haveRestore = 1;
}

void ClearEmergencyRestore() {
  g_haveRestore = 0;
}

void DieBySignal(int signal) {
  DieNow(signal);
}

}  // namespace ashwicket::terminal
