// The print rule's corners, cursor reads, scrolling and save/restore.
#include "console/screen_buffer.h"

#include <gtest/gtest.h>

#include <string>

#include "console/console.h"
#include "support/headless_backend.h"

namespace ashwicket {
namespace {

std::string Trimmed(const ScreenBuffer& screen, int row) {
  std::string text = screen.RowText(row);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

struct PrintStep {
  std::string text;
  bool lineEnd;
};

struct PrintCase {
  const char* name;
  CursorPosition start;
  std::vector<PrintStep> steps;
  CursorPosition cursorRead;                      // what ReadCursor reports afterwards
  std::vector<std::pair<int, std::string>> rows;  // row -> its trimmed text
};

class PrintRule : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintRule, LeavesRowsAndCursorAsExpected) {
  const PrintCase& c = GetParam();
  ScreenBuffer screen;
  screen.MoveCursor(c.start.row, c.start.column);
  for (const PrintStep& step : c.steps) screen.Print(step.text, step.lineEnd);
  EXPECT_EQ(screen.ReadCursor(), c.cursorRead);
  for (const auto& [row, text] : c.rows) EXPECT_EQ(Trimmed(screen, row), text) << "row " << row;
}

const std::string k80(80, 'x');
const std::string k100(100, 'y');

INSTANTIATE_TEST_SUITE_P(
    Corners, PrintRule,
    ::testing::Values(
        PrintCase{"WrapBeforeATextThatDoesNotFit",
                  {1, 75},
                  {{"abcdefgh", false}},
                  {2, 9},
                  {{1, ""}, {2, "abcdefgh"}}},
        PrintCase{"TextThatFitsExactlyStaysOnTheRow",
                  {1, 75},
                  {{"abcdef", false}},
                  {2, 1},
                  {{1, std::string(74, ' ') + "abcdef"}, {2, ""}}},
        PrintCase{"FullRowThenLineEndAddsNoEmptyRow",
                  {1, 1},
                  {{k80, true}, {"next", true}},
                  {3, 1},
                  {{1, k80}, {2, "next"}}},
        PrintCase{"HeldCursorThenTextGoesToNextRow",
                  {1, 1},
                  {{k80, false}, {"z", false}},
                  {2, 2},
                  {{1, k80}, {2, "z"}}},
        PrintCase{"LoneLineEndInColumnOneLeavesAnEmptyRow",
                  {1, 1},
                  {{"a", true}, {"", true}, {"b", true}},
                  {4, 1},
                  {{1, "a"}, {2, ""}, {3, "b"}}},
        PrintCase{"LongTextFromColumnOneWraps",
                  {1, 1},
                  {{k100, true}},
                  {3, 1},
                  {{1, std::string(80, 'y')}, {2, std::string(20, 'y')}}},
        PrintCase{"EmptyTextWithoutLineEndDoesNothing", {5, 10}, {{"", false}}, {5, 10}, {}},
        PrintCase{"HeldOnRow24ReadsRow24", {24, 1}, {{k80, false}}, {24, 1}, {{24, k80}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScreenBuffer, LineEndOnRow24ScrollsRowsOneTo24AndLeavesRow25) {
  ScreenBuffer screen;
  screen.MoveCursor(1, 1);
  screen.Print("top", true);
  screen.MoveCursor(25, 1);
  screen.Print("bottom", false);
  screen.SetColours(14, 1);
  screen.MoveCursor(24, 1);
  screen.Print("last", true);
  EXPECT_EQ(Trimmed(screen, 1), "");  // "top" scrolled away
  EXPECT_EQ(Trimmed(screen, 23), "last");
  EXPECT_EQ(Trimmed(screen, 24), "");
  EXPECT_EQ(screen.At(24, 1), (Cell{' ', 14, 1}));  // the new row in the colours in force
  EXPECT_EQ(Trimmed(screen, 25), "bottom");
  EXPECT_EQ(screen.ReadCursor(), (CursorPosition{24, 1}));
}

TEST(ScreenBuffer, PrintingNeverReachesRow25) {
  ScreenBuffer screen;
  screen.MoveCursor(24, 1);
  screen.Print(std::string(400, 'q'), true);
  EXPECT_EQ(Trimmed(screen, 25), "");
  EXPECT_EQ(screen.ReadCursor().row, 24);
}

TEST(ScreenBuffer, ClearUsesTheColoursInForceAndHomesTheCursor) {
  ScreenBuffer screen;
  EXPECT_EQ(screen.At(25, 80), (Cell{' ', 7, 0}));
  screen.SetColours(8, 0);
  screen.Print("abc", false);
  screen.Clear();
  EXPECT_EQ(screen.At(1, 1), (Cell{' ', 8, 0}));
  EXPECT_EQ(screen.At(25, 80), (Cell{' ', 8, 0}));
  EXPECT_EQ(screen.ReadCursor(), (CursorPosition{1, 1}));
}

TEST(ScreenBuffer, MovingTheCursorEndsTheHeldState) {
  ScreenBuffer screen;
  screen.Print(k80, false);
  screen.MoveCursor(1, 5);
  screen.Print("A", true);
  EXPECT_EQ(screen.At(1, 5).ch, 'A');
  EXPECT_EQ(screen.ReadCursor(), (CursorPosition{2, 1}));
}

TEST(ScreenBuffer, BadCoordinatesAreNamed) {
  ScreenBuffer screen;
  EXPECT_THROW(screen.MoveCursor(26, 1), std::out_of_range);
  try {
    (void)screen.At(0, 81);
    FAIL();
  } catch (const std::out_of_range& e) {
    EXPECT_NE(std::string(e.what()).find("row 0, column 81"), std::string::npos);
  }
}

TEST(Console, SaveAndRestoreCopyCellsButNotCursorOrColours) {
  testing::HeadlessBackend backend;
  Console console(backend);
  console.SetColours(8, 0);
  console.PrintLine("saved");
  console.SaveScreen();
  console.SetColours(14, 1);
  console.Clear();
  console.Print("changed");
  console.RestoreScreen();
  EXPECT_EQ(Trimmed(console.Screen(), 1), "saved");
  EXPECT_EQ(console.Screen().At(1, 1).fg, 8);
  EXPECT_EQ(console.ReadCursor(), (CursorPosition{1, 8}));
  EXPECT_EQ(console.Screen().Foreground(), 14);
}

}  // namespace
}  // namespace ashwicket
