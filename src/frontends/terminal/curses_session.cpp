#include "frontends/terminal/curses_session.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "frontends/terminal/signals.h"

// Last: it defines a macro for every terminfo capability name.
#include <term.h>

namespace ashwicket::terminal {

namespace {

// A terminfo string without its padding marks ("$<5>"), or empty if the terminal has none.
std::string ControlString(const char* capability) {
  const char* value = tigetstr(capability);
  if (value == nullptr || value == reinterpret_cast<const char*>(-1)) return {};
  std::string out;
  for (const char* p = value; *p != '\0'; ++p) {
    if (p[0] == '$' && p[1] == '<') {
      const char* close = p + 2;
      while (*close != '\0' && *close != '>') ++close;
      if (*close == '>') {
        p = close;
        continue;
      }
    }
    out += *p;
  }
  return out;
}

// What undoes full-screen mode, for a crash handler that cannot call curses.
std::string RestoreStrings() {
  return ControlString("sgr0") + ControlString("op") + ControlString("cnorm") +
         ControlString("rmkx") + ControlString("rmcup");
}

}  // namespace

CursesSession::CursesSession() {
  tcgetattr(STDIN_FILENO, &shellMode_);
  screen_ = newterm(nullptr, stdout, stdin);
  if (screen_ == nullptr) {
    const char* term = std::getenv("TERM");
    if (term == nullptr || *term == '\0') {
      throw std::runtime_error("TERM is not set: cannot tell what terminal this is");
    }
    throw std::runtime_error(std::string("cannot drive a terminal of type '") + term + "'");
  }
  set_term(screen_);
  if (ControlString("cup").empty()) {  // a "dumb" terminal, say: nothing to draw a screen with
    delscreen(screen_);
    tcsetattr(STDIN_FILENO, TCSADRAIN, &shellMode_);  // newterm already set its modes
    throw std::runtime_error(std::string("a terminal of type '") + std::getenv("TERM") +
                             "' cannot move its cursor, which the game needs");
  }
  SetEmergencyRestore(shellMode_, RestoreStrings());
  // We never change the terminal's colours, so there is nothing to put back. Without this
  // curses sends the terminal's "reset every colour" string (xterm: OSC 104) on each resume
  // from Ctrl-Z, undoing any palette the user set up with escape sequences.
  orig_colors = nullptr;

  cbreak();  // keys one at a time; Ctrl-C, Ctrl-Z and Ctrl-\ still raise their signals
  noecho();
  nonl();
  intrflush(stdscr, FALSE);
  keypad(stdscr, TRUE);
  nodelay(stdscr, TRUE);  // we wait on the file descriptor ourselves
  leaveok(stdscr, TRUE);  // the cursor is hidden: never spend bytes moving it
  set_escdelay(kEscapeDelay_ms);
  curs_set(0);
  if (has_colors() && start_color() == OK) {
    depth_ = DepthFor(true, COLORS);
  }
  SyncSize();
}

CursesSession::~CursesSession() {
  Leave();
  delscreen(screen_);
  // In the background (killed while suspended) the terminal is the shell's already, and
  // touching its mode would only stop us again (SIGTTOU) instead of letting us end.
  if (tcgetpgrp(STDIN_FILENO) == getpgrp()) tcsetattr(STDIN_FILENO, TCSADRAIN, &shellMode_);
  ClearEmergencyRestore();
}

int CursesSession::Rows() const {
  return LINES;
}
int CursesSession::Columns() const {
  return COLS;
}

bool CursesSession::SyncSize() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || size.ws_col == 0) {
    return false;
  }
  if (size.ws_row == LINES && size.ws_col == COLS) return false;
  resizeterm(size.ws_row, size.ws_col);
  return true;
}

void CursesSession::RequestSize(int height, int width) {
  const std::string request =
      "\033[8;" + std::to_string(height) + ";" + std::to_string(width) + "t";
  std::fflush(stdout);
  std::size_t written = 0;
  while (written < request.size()) {
    const ssize_t n = write(STDOUT_FILENO, request.data() + written, request.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
}

void CursesSession::Leave() {
  if (isendwin()) return;
  // Ctrl-Z stops the rest of our job (a launcher script, say) at once, and the shell may
  // take the terminal back before we get here. Its mode is then the shell's business: let
  // endwin "restore" the mode the terminal has now. And SIGTTOU must not stop us half-way.
  sigset_t ttou;
  sigset_t previous;
  sigemptyset(&ttou);
  sigaddset(&ttou, SIGTTOU);
  sigprocmask(SIG_BLOCK, &ttou, &previous);
  if (tcgetpgrp(STDIN_FILENO) != getpgrp()) def_shell_mode();
  endwin();
  sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void CursesSession::Resume() {
  // endwin first even if curses thinks it still has the terminal (we may have been stopped
  // and continued by someone else, and the shell reset the terminal meanwhile): the next
  // update then sets everything up again from scratch.
  Leave();
  reset_prog_mode();
  curs_set(1);  // curses skips a change to what it believes is already in force
  curs_set(0);
  SyncSize();
}

}  // namespace ashwicket::terminal
