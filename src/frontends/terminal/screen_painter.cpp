#include "frontends/terminal/screen_painter.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "frontends/terminal/size_notice.h"

namespace ashwicket::terminal {

namespace {

// The game's characters are the PC's 8-bit set. Printable ASCII is itself; line drawing,
// blocks and a few symbols use the terminal's alternate characters; the rest shows as '?'.
std::array<chtype, 256> MakeGlyphs() {
  std::array<chtype, 256> glyphs{};
  for (int ch = 0; ch < 256; ++ch) glyphs[ch] = (ch >= 32 && ch <= 126) ? chtype(ch) : '?';
  glyphs[0] = ' ';
  glyphs[255] = ' ';  // no-break space
  const std::pair<int, chtype> alternates[] = {
      {0xB3, ACS_VLINE},    {0xBA, ACS_VLINE},    {0xC4, ACS_HLINE},    {0xCD, ACS_HLINE},
      {0xDA, ACS_ULCORNER}, {0xC9, ACS_ULCORNER}, {0xBF, ACS_URCORNER}, {0xBB, ACS_URCORNER},
      {0xC0, ACS_LLCORNER}, {0xC8, ACS_LLCORNER}, {0xD9, ACS_LRCORNER}, {0xBC, ACS_LRCORNER},
      {0xC3, ACS_LTEE},     {0xCC, ACS_LTEE},     {0xB4, ACS_RTEE},     {0xB9, ACS_RTEE},
      {0xC2, ACS_TTEE},     {0xCB, ACS_TTEE},     {0xC1, ACS_BTEE},     {0xCA, ACS_BTEE},
      {0xC5, ACS_PLUS},     {0xCE, ACS_PLUS},     {0xB0, ACS_CKBOARD},  {0xB1, ACS_CKBOARD},
      {0xB2, ACS_CKBOARD},  {0xDB, ACS_BLOCK},    {0xFE, ACS_BLOCK},    {0xF8, ACS_DEGREE},
      {0xF1, ACS_PLMINUS},  {0xF9, ACS_BULLET},   {0xFA, ACS_BULLET},   {0x07, ACS_BULLET},
      {0xE3, ACS_PI},       {0xF3, ACS_LEQUAL},   {0xF2, ACS_GEQUAL},   {0x9C, ACS_STERLING},
      {0x04, ACS_DIAMOND},  {0x18, ACS_UARROW},   {0x1E, ACS_UARROW},   {0x19, ACS_DARROW},
      {0x1F, ACS_DARROW},   {0x1A, ACS_RARROW},   {0x10, ACS_RARROW},   {0x1B, ACS_LARROW},
      {0x11, ACS_LARROW},
  };
  for (const auto& [ch, glyph] : alternates) glyphs[ch] = glyph;
  return glyphs;
}

constexpr int kUsualFg = 8;  // dark grey on black: everything but the closing pages
constexpr int kNoticeFg = 15;
constexpr int kBlack = 0;

}  // namespace

ScreenPainter::ScreenPainter(ColourDepth depth) : depth_(depth), glyphs_(MakeGlyphs()) {
  // curses puts the terminal back to colour pair 0 at the end of every update and has to
  // set the colours again at the start of the next. With pair 0 made the game's own colours
  // (explicit ones, not the terminal's defaults) a countdown tick costs a cursor move and its
  // digits, not some 40 bytes of colour changes. Where those colours need bold, no gain.
  const CellStyle usual = StyleFor(kUsualFg, kBlack, depth_);
  if (depth_ != ColourDepth::Monochrome && !usual.bold && !usual.reverse &&
      assume_default_colors(usual.foreground, usual.background) == OK) {
    pairs_.push_back({usual.foreground, usual.background, 0});
  }
}

bool ScreenPainter::Fits() const {
  return FitsGame(LINES, COLS);
}

chtype ScreenPainter::StyleOf(int fg, int bg) {
  const std::size_t index = static_cast<std::size_t>(fg + 16 * bg);
  if (styled_[index]) return styles_[index];
  const CellStyle style = StyleFor(fg, bg, depth_);
  chtype attributes = 0;
  if (depth_ != ColourDepth::Monochrome) {
    short pair = -1;
    for (const PairEntry& entry : pairs_) {
      if (entry.foreground == style.foreground && entry.background == style.background) {
        pair = entry.pair;
      }
    }
    if (pair < 0 && nextPair_ < COLOR_PAIRS) {
      pair = nextPair_++;
      init_pair(pair, style.foreground, style.background);
      pairs_.push_back({style.foreground, style.background, pair});
    }
    // Out of pairs (only conceivable on an 8-colour terminal with fewer than 64): pair 0.
    attributes |= static_cast<chtype>(COLOR_PAIR(std::max<short>(pair, 0)));
  }
  if (style.bold) attributes |= A_BOLD;
  if (style.reverse) attributes |= A_REVERSE;
  styles_[index] = attributes;
  styled_[index] = true;
  return attributes;
}

// Blanks in colour pair 0, which is never the terminal's default colours: either the game's
// own (see the constructor) or curses' own white on black. (A background with a pair of its
// own would lend that pair to every character drawn in pair 0.)
void ScreenPainter::Blank() {
  wbkgdset(stdscr, ' ');
  werase(stdscr);
  drawnValid_ = false;
}

void ScreenPainter::Show(const Cells& frame) {
  frame_ = frame;
  haveFrame_ = true;
  if (Fits()) {
    DrawFrame();
  } else if (!showingNotice_) {
    DrawNotice();
  }
}

void ScreenPainter::Repaint() {
  clearok(curscr, TRUE);
  Blank();
  if (!Fits()) {
    DrawNotice();
    return;
  }
  showingNotice_ = false;
  if (haveFrame_) {
    DrawFrame();
  } else {
    wnoutrefresh(stdscr);
    doupdate();
  }
}

void ScreenPainter::DrawFrame() {
  if (showingNotice_) {
    Blank();
    showingNotice_ = false;
  }
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const std::size_t index = static_cast<std::size_t>(row * kColumns + column);
      const Cell& cell = frame_[index];
      if (drawnValid_ && drawn_[index] == cell) continue;
      // The bottom-right cell reports an error (the cursor cannot move past it) but is drawn.
      mvwaddch(stdscr, row, column, glyphs_[cell.ch] | StyleOf(cell.fg % 16, cell.bg % 8));
    }
  }
  drawn_ = frame_;
  drawnValid_ = true;
  wnoutrefresh(stdscr);
  doupdate();
}

void ScreenPainter::DrawNotice() {
  Blank();
  const chtype style = StyleOf(kNoticeFg, kBlack);
  int row = 0;
  for (const std::string& line : SizeNoticeLines(LINES, COLS)) {
    int column = 0;
    for (char ch : line) {
      mvwaddch(stdscr, row, column++, chtype(static_cast<unsigned char>(ch)) | style);
    }
    ++row;
  }
  showingNotice_ = true;
  wnoutrefresh(stdscr);
  doupdate();
}

}  // namespace ashwicket::terminal
