// The terminal in full-screen mode for as long as this object lives: curses started on
// stdin/stdout with keys read one at a time, no echo, no cursor and a short escape delay;
// the terminal's mode, cursor, colours and screen given back by the destructor. A crash
// handler can do the same from the strings this registers.
#pragma once

#ifndef NCURSES_NOMACROS
#define NCURSES_NOMACROS
#endif
#include <curses.h>
#include <termios.h>

#include "frontends/terminal/palette.h"

namespace ashwicket::terminal {

// Escape on its own is the Escape key once nothing has followed it for this long.
inline constexpr int kEscapeDelay_ms = 25;

class CursesSession {
 public:
  // Throws std::runtime_error when curses cannot drive this terminal; the terminal is then
  // left as it was.
  CursesSession();
  ~CursesSession();
  CursesSession(const CursesSession&) = delete;
  CursesSession& operator=(const CursesSession&) = delete;

  ColourDepth Depth() const { return depth_; }
  int Rows() const;
  int Columns() const;

  // Takes on the terminal's current size. True if it changed.
  bool SyncSize();
  // Asks the terminal to resize its window (xterm's window-size request; many terminals
  // honour it, the others ignore it).
  void RequestSize(int rows, int columns);

  // Gives the terminal back to the shell for a while (Ctrl-Z); Resume takes it again.
  void Leave();
  // After Leave, or after being stopped and continued behind our back: full-screen mode,
  // keypad and hidden cursor again. The caller repaints.
  void Resume();

 private:
  SCREEN* screen_ = nullptr;
  termios shellMode_{};
  ColourDepth depth_ = ColourDepth::Monochrome;
};

}  // namespace ashwicket::terminal
