// Puts the game's 80x25 screen on the terminal through curses: at the top-left, the rest of a
// larger terminal blank on black, or a notice instead when the terminal is too small. Only
// cells that changed since the last frame are handed to curses, and curses sends only what
// differs from what the terminal shows.
#pragma once

#include <array>
#include <vector>

#include "console/screen_buffer.h"
#include "frontends/terminal/curses_session.h"
#include "frontends/terminal/palette.h"

namespace ashwicket::terminal {

class ScreenPainter {
 public:
  explicit ScreenPainter(ColourDepth depth);

  // Shows this frame, or keeps it for later while the terminal is too small.
  void Show(const Cells& frame);
  // Sends everything again: after a resize, a resume, or when asked to.
  void Repaint();
  bool Fits() const;

 private:
  chtype StyleOf(int fg, int bg);
  void Blank();
  void DrawFrame();
  void DrawNotice();

  struct PairEntry {
    short foreground;
    short background;
    short pair;
  };

  ColourDepth depth_;
  std::array<chtype, 256> glyphs_{};
  std::array<chtype, 16 * 8> styles_{};  // by fg + 16 * bg, made on first use
  std::array<bool, 16 * 8> styled_{};
  std::vector<PairEntry> pairs_;  // curses colour pairs made so far
  short nextPair_ = 1;
  bool showingNotice_ = false;
  Cells frame_{};  // the game's latest frame
  bool haveFrame_ = false;
  Cells drawn_{};            // what the window holds
  bool drawnValid_ = false;  // false: draw every cell next time
};

}  // namespace ashwicket::terminal
