// The terminal front-end's pure tables: key translation with its escape-sequence filter, the
// colour table, and the notice for a terminal that is too small.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "frontends/terminal/key_translation.h"
#include "frontends/terminal/palette.h"
#include "frontends/terminal/size_notice.h"

namespace ashwicket::terminal {
namespace {

// What the game would see of one burst of input: the character-queue text of each key press
// ("\0" and the scan code for a key without a character), "<repaint>" for a redraw request.
std::vector<std::string> Typed(KeyTranslator& translator, std::initializer_list<int> burst) {
  std::vector<std::string> out;
  const auto note = [&](const KeyMeaning& meaning) {
    if (meaning.kind == KeyMeaning::Kind::Repaint) out.push_back("<repaint>");
    if (meaning.kind != KeyMeaning::Kind::Key) return;
    std::string text(1, static_cast<char>(meaning.press.character));
    if (meaning.press.character == 0) text.push_back(static_cast<char>(meaning.press.scanCode));
    out.push_back(text);
  };
  for (int code : burst) note(translator.Feed(code));
  note(translator.EndOfInput());
  return out;
}

std::vector<std::string> Typed(std::initializer_list<int> burst) {
  KeyTranslator translator;
  return Typed(translator, burst);
}

std::string Special(SpecialKey key) {
  return std::string(1, '\0') + char(key);
}

TEST(TerminalKeys, EachTerminalKeyBecomesThePcKey) {
  struct Case {
    int code;
    std::string typed;
  };
  const Case cases[] = {
      {'\r', "\r"},
      {'\n', "\r"},
      {KEY_ENTER, "\r"},
      {0x7f, "\b"},
      {'\b', "\b"},
      {KEY_BACKSPACE, "\b"},
      {'a', "a"},
      {'Z', "Z"},
      {' ', " "},
      {'.', "."},
      {'?', "?"},
      {'\'', "'"},
      {'7', "7"},
      {'~', "~"},
      {'\t', "\t"},
      {KEY_UP, Special(SpecialKey::Up)},
      {KEY_DOWN, Special(SpecialKey::Down)},
      {KEY_LEFT, Special(SpecialKey::Left)},
      {KEY_RIGHT, Special(SpecialKey::Right)},
      {KEY_HOME, Special(SpecialKey::Home)},
      {KEY_END, Special(SpecialKey::End)},
      {KEY_A1, Special(SpecialKey::Home)},
      {KEY_C1, Special(SpecialKey::End)},
      {KEY_PPAGE, Special(SpecialKey::PageUp)},
      {KEY_NPAGE, Special(SpecialKey::PageDown)},
      {KEY_A3, Special(SpecialKey::PageUp)},
      {KEY_C3, Special(SpecialKey::PageDown)},
      {KEY_IC, Special(SpecialKey::Insert)},
      {KEY_DC, Special(SpecialKey::Delete)},
      {KEY_F(1), Special(SpecialKey::F1)},
      {KEY_F(10), Special(SpecialKey::F10)},
      {KEY_F(11), Special(SpecialKey::F11)},
      {KEY_F(12), Special(SpecialKey::F12)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Typed({c.code}), std::vector<std::string>{c.typed}) << "curses code " << c.code;
  }
}

TEST(TerminalKeys, EventCodesAreCharactersOrAtLeast256) {
  EXPECT_EQ(TranslateKey('\n').press.code, 13);
  EXPECT_EQ(TranslateKey(0x7f).press.code, 8);
  EXPECT_EQ(TranslateKey('q').press.code, 'q');
  for (const CursesKeyName& entry : kSpecialKeys) {
    const KeyMeaning meaning = TranslateKey(entry.cursesCode);
    EXPECT_GE(meaning.press.code, 256) << "curses code " << entry.cursesCode;
    EXPECT_EQ(meaning.press.code, SpecialKeyCode(entry.key));
  }
}

TEST(TerminalKeys, KeysTheGameCannotUseAreDropped) {
  // NUL would read as the start of a special key; 8-bit bytes are UTF-8 pieces or meta keys;
  // the rest are curses keys without a PC twin (shifted keys, F13 and up, resize events).
  for (int code :
       {0, 0x80, 0xc3, 0xff, ERR, KEY_RESIZE, KEY_SR, KEY_BTAB, KEY_F(13), KEY_B2, KEY_MAX + 5}) {
    EXPECT_TRUE(Typed({code}).empty()) << "curses code " << code;
  }
}

TEST(TerminalKeys, CtrlLRepaintsInsteadOfTyping) {
  EXPECT_EQ(Typed({'a', 12, 'b'}), (std::vector<std::string>{"a", "<repaint>", "b"}));
}

TEST(TerminalKeys, EscapeAloneIsTheEscapeKey) {
  EXPECT_EQ(Typed({kKeyEscape}), std::vector<std::string>{"\x1b"});
  EXPECT_EQ(Typed({'a', kKeyEscape}), (std::vector<std::string>{"a", "\x1b"}));
}

TEST(TerminalKeys, UnknownAndBrokenEscapeSequencesAreDroppedWhole) {
  struct Case {
    const char* what;
    std::initializer_list<int> burst;
    std::vector<std::string> typed;
  };
  const Case cases[] = {
      {"unknown CSI key", {27, '[', '9', '9', 'z', 'a'}, {"a"}},
      {"CSI with intermediates", {27, '[', '1', ';', '5', ' ', 'q', 'b'}, {"b"}},
      {"modified key curses did not name", {27, '[', '1', ';', '2', 'P'}, {}},
      {"unknown SS3 key", {27, 'O', 'z', 'c'}, {"c"}},
      {"OSC answer ended by BEL", {27, ']', '1', '1', ';', 'r', 'g', 'b', 7, 'd'}, {"d"}},
      {"OSC answer ended by ST", {27, ']', '1', '0', ';', 'x', 27, '\\', 'e'}, {"e"}},
      {"Alt with a letter", {27, 'x', 'f'}, {"f"}},
      {"Alt with a cursor key", {27, 27, '[', 'A', 'g'}, {"g"}},
      {"unknown vt220 key", {27, '[', '9', '9', '~'}, {}},
      {"vt220 key with a modifier", {27, '[', '3', ';', '2', '~'}, {}},
      {"overlong vt220 number", {27, '[', '1', '2', '3', '4', '~'}, {}},
      {"sequence cut by a newline", {27, '[', '1', '\r'}, {"\r"}},
      {"sequence restarted by Escape",
       {27, '[', '1', 27, '[', '2', '~', 'h'},
       {Special(SpecialKey::Insert), "h"}},
      {"Escape before a named key", {27, KEY_UP}, {Special(SpecialKey::Up)}},
      {"half a sequence at the end", {'i', 27, '[', '1', ';'}, {"i"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Typed(c.burst), c.typed) << c.what;
}

// Sequences a terminal's description may not list, but every such terminal sends.
TEST(TerminalKeys, UsualSequencesCursesDidNotNameStillCount) {
  struct Case {
    std::initializer_list<int> burst;
    std::string typed;
  };
  const Case cases[] = {
      {{27, 'O', 'M'}, "\r"},  // keypad Enter in application mode
      {{27, 'O', 'p'}, "0"},
      {{27, 'O', 'y'}, "9"},
      {{27, 'O', 'n'}, "."},
      {{27, 'O', 'k'}, "+"},
      {{27, '[', 'A'}, Special(SpecialKey::Up)},
      {{27, 'O', 'D'}, Special(SpecialKey::Left)},
      {{27, '[', 'H'}, Special(SpecialKey::Home)},
      {{27, 'O', 'F'}, Special(SpecialKey::End)},
      {{27, '[', '1', '~'}, Special(SpecialKey::Home)},
      {{27, '[', '2', '~'}, Special(SpecialKey::Insert)},
      {{27, '[', '3', '~'}, Special(SpecialKey::Delete)},
      {{27, '[', '6', '~'}, Special(SpecialKey::PageDown)},
      {{27, '[', '1', '5', '~'}, Special(SpecialKey::F5)},
      {{27, '[', '2', '4', '~'}, Special(SpecialKey::F12)},
      {{27, 'O', 'P'}, Special(SpecialKey::F1)},
      {{27, 'O', 'S'}, Special(SpecialKey::F4)},
      {{27, '[', '[', 'A'}, Special(SpecialKey::F1)},
      {{27, '[', '[', 'E'}, Special(SpecialKey::F5)},
  };
  for (const Case& c : cases) {
    std::string bytes;
    for (int code : c.burst) bytes += static_cast<char>(code);
    EXPECT_EQ(Typed(c.burst), std::vector<std::string>{c.typed})
        << "sequence ESC" << bytes.substr(1);
  }
}

TEST(TerminalKeys, AnAbandonedSequenceDoesNotSwallowTheNextBurst) {
  KeyTranslator translator;
  EXPECT_TRUE(Typed(translator, {27, '['}).empty());
  EXPECT_EQ(Typed(translator, {'A'}), std::vector<std::string>{"A"});
}

TEST(TerminalKeys, OnlyAStartedSequenceIsWorthWaitingFor) {
  KeyTranslator translator;
  translator.Feed(27);
  EXPECT_FALSE(translator.MidSequence());  // curses has already waited its escape delay
  translator.Feed('[');
  EXPECT_TRUE(translator.MidSequence());
  translator.Feed('A');
  EXPECT_FALSE(translator.MidSequence());
}

// xterm's 256 colours: a 6x6x6 cube from index 16, then 24 greys from 232.
std::array<int, 3> XtermRgb(int index) {
  if (index >= 232) {
    const int level = 8 + 10 * (index - 232);
    return {level, level, level};
  }
  constexpr int kLevels[] = {0, 95, 135, 175, 215, 255};
  const int cube = index - 16;
  return {kLevels[cube / 36], kLevels[(cube / 6) % 6], kLevels[cube % 6]};
}

// The PC's text colours; dark grey and the bright ones add a third of full intensity.
constexpr std::array<std::array<int, 3>, 16> kPcRgb = {{
    {0, 0, 0},
    {0, 0, 170},
    {0, 170, 0},
    {0, 170, 170},
    {170, 0, 0},
    {170, 0, 170},
    {170, 85, 0},
    {170, 170, 170},
    {85, 85, 85},
    {85, 85, 255},
    {85, 255, 85},
    {85, 255, 255},
    {255, 85, 85},
    {255, 85, 255},
    {255, 255, 85},
    {255, 255, 255},
}};

int Distance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  int sum = 0;
  for (int i = 0; i < 3; ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  return sum;
}

TEST(TerminalColours, Each256ColourIsTheNearestFixedEntry) {
  for (int colour = 0; colour < 16; ++colour) {
    const int chosen = kNearest256[colour];
    ASSERT_GE(chosen, 16) << "colour " << colour << " uses the themable first sixteen";
    const auto rgb = XtermRgb(chosen);
    for (int channel = 0; channel < 3; ++channel) {
      EXPECT_LE(std::abs(rgb[channel] - kPcRgb[colour][channel]), 10)
          << "colour " << colour << " channel " << channel;
    }
    for (int other = 16; other < 256; ++other) {
      EXPECT_LE(Distance(rgb, kPcRgb[colour]), Distance(XtermRgb(other), kPcRgb[colour]))
          << "colour " << colour << ": " << other << " is nearer than " << chosen;
    }
  }
}

TEST(TerminalColours, StyleByTerminalDepth) {
  struct Case {
    int fg, bg;
    ColourDepth depth;
    CellStyle style;
  };
  const Case cases[] = {
      {8, 0, ColourDepth::Indexed256, {240, 16, false, false}},   // the game's dark grey
      {14, 1, ColourDepth::Indexed256, {227, 19, false, false}},  // the closing pages
      {7, 0, ColourDepth::Indexed256, {248, 16, false, false}},
      {1, 4, ColourDepth::Ansi16, {4, 1, false, false}},  // curses has red before blue
      {6, 3, ColourDepth::Ansi16, {3, 6, false, false}},  // brown is ANSI yellow
      {9, 0, ColourDepth::Ansi16, {12, 0, false, false}},
      {8, 0, ColourDepth::Ansi16, {8, 0, false, false}},
      {14, 1, ColourDepth::Ansi8, {3, 4, true, false}},
      {8, 0, ColourDepth::Ansi8, {0, 0, true, false}},
      {7, 0, ColourDepth::Ansi8, {7, 0, false, false}},
      {15, 1, ColourDepth::Monochrome, {7, 0, true, true}},
      {7, 0, ColourDepth::Monochrome, {7, 0, false, false}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StyleFor(c.fg, c.bg, c.depth), c.style)
        << "fg " << c.fg << " bg " << c.bg << " depth " << static_cast<int>(c.depth);
  }
  EXPECT_EQ(DepthFor(true, 256), ColourDepth::Indexed256);
  EXPECT_EQ(DepthFor(true, 16), ColourDepth::Ansi16);
  EXPECT_EQ(DepthFor(true, 8), ColourDepth::Ansi8);
  EXPECT_EQ(DepthFor(false, 256), ColourDepth::Monochrome);
}

TEST(TerminalSizeNotice, SaysWhatTheTerminalHasAndNeeds) {
  const std::vector<std::string> lines = SizeNoticeLines(24, 80);
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  EXPECT_NE(all.find("80 columns by 25 rows"), std::string::npos) << all;
  EXPECT_NE(all.find("80 columns by 24 rows"), std::string::npos) << all;
  EXPECT_FALSE(FitsGame(24, 80));
  EXPECT_FALSE(FitsGame(25, 79));
  EXPECT_TRUE(FitsGame(25, 80));
  EXPECT_TRUE(FitsGame(60, 200));
}

TEST(TerminalSizeNotice, FitsAnyTerminal) {
  for (const auto& [rows, columns] : {std::pair{24, 80}, {10, 20}, {3, 7}, {1, 1}, {40, 5}}) {
    const std::vector<std::string> lines = SizeNoticeLines(rows, columns);
    EXPECT_LE(lines.size(), static_cast<std::size_t>(rows)) << rows << "x" << columns;
    EXPECT_FALSE(lines.empty()) << rows << "x" << columns;
    for (const std::string& line : lines) {
      EXPECT_LE(line.size(), static_cast<std::size_t>(columns)) << rows << "x" << columns;
    }
  }
  EXPECT_TRUE(SizeNoticeLines(0, 80).empty());
}

TEST(TerminalSizeNotice, WrapsAtWordsAndCutsOnlyOverlongOnes) {
  EXPECT_EQ(WrapParagraphs({"one two three", "", "abcdefgh"}, 10, 5),
            (std::vector<std::string>{"one", "two", "three", "", "abcde", "fgh"}));
}

}  // namespace
}  // namespace ashwicket::terminal
