// The turn screen: banner, compass and hint, text and colours.
#include "shell/turn_screen.h"

#include <gtest/gtest.h>

#include "support/game_runner.h"

namespace ashwicket {
namespace {

std::string Banner() {
  return "\n\n\n"
         "                       ________________________________\n"
         "                      /Corvellane                      \\\n"
         "                      /Written by: Orvandel            \\\n"
         "                      /________________________________\\\n"
         "\n"
         "                                 Episode Two:\n"
         "                               Ashwicket\n";
}

TEST(TurnScreen, RowsOneToSixteenForOneExitAndForFour) {
  struct Case {
    int room;
    const char* compass;
  } cases[] = {
      {1,
       "\n"
       "*---------------------------------*   +   *------------------------------------*\n"
       "                                      S"},
      {4,
       "                                      N\n"
       "*---------------------------------* W + E *------------------------------------*\n"
       "                                      S"},
      {2,
       "                                      N\n"
       "*---------------------------------*   + E *------------------------------------*\n"},
  };
  for (const Case& c : cases) {
    testing::GameHarness h;
    h.StartPlaying(c.room);
    DrawTurnScreen(h.game);
    const std::string expected = Banner() + c.compass + "\n\nIf you are stuck just type HELP.\n";
    EXPECT_EQ(h.Rows(1, 16), expected) << "room " << c.room;
    EXPECT_EQ(h.console.ReadCursor(), (CursorPosition{17, 1}));
    for (int row = 1; row <= 25; ++row) {
      for (int column = 1; column <= 80; ++column) {
        const Cell& cell = h.Screen().At(row, column);
        ASSERT_EQ(cell.fg, 8) << row << "," << column;
        ASSERT_EQ(cell.bg, 0) << row << "," << column;
      }
    }
  }
}

TEST(TurnScreen, RowsSixAndTwelveFillTheRowExactly) {
  testing::GameHarness h;
  h.StartPlaying(4);
  DrawTurnScreen(h.game);
  EXPECT_EQ(h.Screen().At(6, 80).ch, ' ');
  EXPECT_EQ(h.Screen().At(12, 80).ch, '*');
  EXPECT_EQ(h.Screen().At(12, 39).ch, '+');
  EXPECT_EQ(h.Screen().At(11, 39).ch, 'N');
  EXPECT_EQ(h.Screen().At(13, 39).ch, 'S');
  EXPECT_EQ(h.Screen().At(12, 37).ch, 'W');
  EXPECT_EQ(h.Screen().At(12, 41).ch, 'E');
}

}  // namespace
}  // namespace ashwicket
